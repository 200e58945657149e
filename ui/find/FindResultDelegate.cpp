#include "FindResultDelegate.h"

#include "find/FindPanelModel.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace Quillary::Ui {

void FindResultDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariantList ranges = index.data(FindPanelModel::RangesRole).toList();
    const QString text = index.data(Qt::DisplayRole).toString();
    if (index.column() != FindPanelModel::ValueColumn || ranges.isEmpty() || text.isEmpty()) {
        TextCellDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem base = option;
    initStyleOption(&base, index);
    base.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &base, painter, widget);

    const qsizetype current = index.data(FindPanelModel::CurrentRangeRole).toLongLong();
    QList<QTextLayout::FormatRange> formats;
    for (qsizetype i = 0; i < ranges.size(); ++i) {
        const QPoint range = ranges.at(i).toPoint();
        if (range.x() < 0 || range.x() + range.y() > text.size() || range.y() == 0)
            continue;
        QTextLayout::FormatRange format;
        format.start = range.x();
        format.length = range.y();
        format.format.setBackground(i == current ? currentColor()
                                                 : option.palette.color(QPalette::Highlight).lighter(170));
        formats.append(format);
    }
    const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &base, widget);
    QTextLayout layout(QString(text).replace(u'\n', QChar::LineSeparator), option.font);
    layout.setFormats(formats);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    painter->save();
    painter->setClipRect(rect);
    painter->setPen(
        option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    layout.draw(painter, QPointF(rect.left(), rect.top() + qMax<qreal>(0, (rect.height() - y) / 2)));
    painter->restore();
}

} // namespace Quillary::Ui
