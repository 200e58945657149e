#include "ContactCellDelegate.h"

#include "CellText.h"
#include "InitialsAvatar.h"
#include "table/CellEditTypes.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsViewController.h"
#include "table/TableCells.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

namespace Quillary::Ui {

namespace {

constexpr int Margin = 4;
const char* const EditedRow = "editedRow";
const char* const EditedColumn = "editedColumn";
constexpr int MaximumLabelWidth = 96;
const QColor HighlightColor(255, 165, 0); // the find text's orange
const QColor CurrentMatchColor(255, 225, 0); // the match the find bar stands on

QColor textColor(const QStyleOptionViewItem& option)
{
    const bool selected = option.state & QStyle::State_Selected;
    return option.palette.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text);
}

QColor dimmedColor(const QStyleOptionViewItem& option)
{
    if (option.state & QStyle::State_Selected)
        return textColor(option);
    return option.palette.color(QPalette::Active, QPalette::PlaceholderText);
}

} // namespace

ContactCellDelegate::ContactCellDelegate(const ContactsViewController& controller, QObject* parent)
    : QStyledItemDelegate(parent), m_controller(controller), m_thumbnails(256)
{ }

ContactCellDelegate::~ContactCellDelegate() = default;

void ContactCellDelegate::setFonts(const QFont& font, const QFont& boldFont, int lineHeight)
{
    m_font = font;
    m_boldFont = boldFont;
    m_lineHeight = lineHeight;
    m_thumbnails.clear();
}

QRect ContactCellDelegate::labelRect(const QRect& cell) const
{
    // Room for the usual labels ("mobile", "work fax") and the pop-up's arrow, but never more
    // than half the cell.
    const int wanted = QFontMetrics(m_font).horizontalAdvance(QStringLiteral("mobile")) + m_lineHeight;
    const int width = qMin(qMin(wanted, MaximumLabelWidth), cell.width() / 2);
    return QRect(cell.left() + Margin, cell.top(), width, qMin(cell.height(), m_lineHeight));
}

QRect ContactCellDelegate::valueRect(const QRect& cell) const
{
    const QRect label = labelRect(cell);
    return QRect(label.right() + Margin, cell.top(), cell.right() - label.right() - Margin, cell.height());
}

void ContactCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    if (m_controller.isSummaryRow(index.row())) {
        paintSummary(painter, opt);
        return;
    }
    const CellContent cell = m_controller.cell(index.row(), index.column());
    m_painting = {index.row(), index.column(), cell.text};
    painter->save();
    painter->setClipRect(opt.rect);
    switch (cell.cellTemplate) {
    case CellContent::Template::None:
        break;
    case CellContent::Template::Name:
    case CellContent::Template::DetailCell:
        paintName(painter, opt, index, cell);
        break;
    case CellContent::Template::TextCell:
        drawText(painter, opt.rect.adjusted(Margin, 0, -Margin, 0), cell.text, m_font, textColor(opt));
        break;
    case CellContent::Template::PopupAndText:
        paintLabeled(painter, opt, cell);
        break;
    }
    painter->restore();
}

QRect ContactCellDelegate::nameTextRect(const QRect& cell, const CellContent& content) const
{
    QRect rect = cell.adjusted(Margin, 0, -Margin, 0);
    if (content.showsImage)
        rect.setLeft(rect.left() + m_lineHeight - 4 + Margin);
    return rect;
}

void ContactCellDelegate::paintName(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                                    const CellContent& cell) const
{
    const QRect rect = nameTextRect(option.rect, cell);
    if (cell.showsImage) {
        // The photo, or a round placeholder with the initials, centred on the row's height.
        const int side = m_lineHeight - 4;
        const PersonDsc& person = m_controller.subContactTable().at(index.row()).person();
        QPixmap image = thumbnail(person, side);
        if (image.isNull())
            image = InitialsAvatar::paint(person.compositeName(), side, painter->device()->devicePixelRatioF(), m_font);
        painter->drawPixmap(QRect(option.rect.left() + Margin, option.rect.center().y() - side / 2, side, side), image);
    }
    const QColor color = cell.dimmed ? dimmedColor(option) : textColor(option);
    if (cell.cellTemplate != CellContent::Template::DetailCell) {
        drawText(painter, rect, cell.text, cell.boldText ? m_boldFont : m_font, color);
        return;
    }
    // Name and company on two lines: the name in bold as on a one-line row, the second line dimmed.
    const int half = rect.height() / 2;
    drawText(painter, QRect(rect.left(), rect.top(), rect.width(), half), cell.text, m_boldFont, color);
    drawText(painter, QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half), cell.detailText,
             m_font, dimmedColor(option));
}

void ContactCellDelegate::paintLabeled(QPainter* painter, const QStyleOptionViewItem& option,
                                       const CellContent& cell) const
{
    if (!cell.hasValue)
        return;
    const QRect label = labelRect(option.rect);
    QRect title = label;
    if (m_controller.editState()) {
        // In edit mode the label is a pop-up: its arrow says it can be opened.
        const int side = qMin(m_lineHeight / 2, label.width() / 3);
        const QRect arrow(label.right() - side, label.top() + (label.height() - side) / 2, side, side);
        QStyleOption arrowOption;
        arrowOption.initFrom(option.widget);
        arrowOption.rect = arrow;
        arrowOption.palette.setColor(QPalette::ButtonText, dimmedColor(option));
        arrowOption.palette.setColor(QPalette::Text, dimmedColor(option));
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrowOption, painter, option.widget);
        title.setRight(arrow.left() - 2);
    }
    const QString elided = QFontMetrics(m_font).elidedText(cell.label, Qt::ElideRight, title.width());
    drawText(painter, title, elided, m_font, dimmedColor(option));
    // The first line of the value beside the label, also on rows of several lines.
    drawText(painter, valueRect(option.rect), cell.text, m_font, textColor(option), true);
}

void ContactCellDelegate::paintSummary(QPainter* painter, const QStyleOptionViewItem& option) const
{
    painter->save();
    painter->fillRect(option.rect, option.palette.color(QPalette::Active, QPalette::AlternateBase));
    drawText(painter, option.rect.adjusted(Margin, 0, -Margin, 0), m_controller.summaryText(), m_font,
             option.palette.color(QPalette::Active, QPalette::Text));
    painter->restore();
}

void ContactCellDelegate::drawText(QPainter* painter, const QRect& rect, const QString& text, const QFont& font,
                                   const QColor& color, bool top) const
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    // The current match lies in the cell's main text, not in a second line.
    const bool mainText = text == m_painting.text;
    const CellText::Fitted fitted =
        CellText::fit(text, QFontMetrics(font, painter->device()), rect.width(),
                      m_controller.highlights(mainText ? m_painting.row : -1, m_painting.column, text));
    QTextLayout layout(fitted.text, font, painter->device());
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(textOption);
    QList<QTextLayout::FormatRange> formats;
    for (const TextHighlight& highlight : fitted.highlights) {
        QTextLayout::FormatRange range;
        range.start = highlight.start;
        range.length = highlight.length;
        range.format.setBackground(highlight.current ? CurrentMatchColor : HighlightColor);
        range.format.setForeground(QColor(Qt::black)); // readable on the marks, in selected rows too
        if (highlight.current)
            range.format.setFontUnderline(true);
        formats.append(range);
    }
    layout.setFormats(formats);
    layout.beginLayout();
    qreal height = 0;
    qreal firstLine = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, height));
        if (height == 0)
            firstLine = line.height();
        height += line.height();
    }
    layout.endLayout();
    painter->setPen(color);
    // Centred in the cell, or with the first line centred on the first line of the row.
    const qreal band = top ? qMin(rect.height(), m_lineHeight) : rect.height();
    const qreal block = top ? firstLine : height;
    layout.draw(painter, QPointF(rect.left(), rect.top() + qMax<qreal>(0, (band - block) / 2)));
}

int ContactCellDelegate::contentWidth(const CellContent& cell) const
{
    const QFontMetrics metrics(cell.boldText || cell.cellTemplate == CellContent::Template::DetailCell ? m_boldFont
                                                                                                       : m_font);
    int width = 0;
    for (const QString& line : QString(cell.text + u'\n' + cell.detailText).split(u'\n'))
        width = qMax(width, metrics.horizontalAdvance(line));
    if (cell.showsImage)
        width += m_lineHeight - 4 + Margin;
    if (cell.cellTemplate == CellContent::Template::PopupAndText)
        width += labelRect(QRect(0, 0, 2 * (width + 2 * Margin), m_lineHeight)).width() + Margin;
    return width + 2 * Margin;
}

bool ContactCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                    const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid() || m_controller.isSummaryRow(index.row()))
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // A value cut short with "…" shows whole in a tool tip.
    const CellContent cell = m_controller.cell(index.row(), index.column());
    const bool name =
        cell.cellTemplate == CellContent::Template::Name || cell.cellTemplate == CellContent::Template::DetailCell;
    const QRect rect = name                                        ? nameTextRect(option.rect, cell)
        : cell.cellTemplate == CellContent::Template::PopupAndText ? valueRect(option.rect)
                                                                   : option.rect.adjusted(Margin, 0, -Margin, 0);
    const QFontMetrics metrics(cell.boldText || cell.cellTemplate == CellContent::Template::DetailCell ? m_boldFont
                                                                                                       : m_font);
    const QString whole = cell.detailText.isEmpty() ? cell.text : cell.text + u'\n' + cell.detailText;
    if (whole.isEmpty() || CellText::fits(whole, metrics, rect.width())) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), whole, view->viewport(), option.rect);
    return true;
}

QPixmap ContactCellDelegate::thumbnail(const PersonDsc& person, int side) const
{
    const QByteArray& data = person.imageData();
    if (data.isEmpty() || side <= 0)
        return {};
    // The data's address changes with the photo, so a replaced photo is decoded again.
    const quintptr key = quintptr(data.constData()) ^ (quintptr(side) << 1);
    if (const QPixmap* cached = m_thumbnails.object(key))
        return *cached;
    const QImage image = person.photo();
    if (image.isNull())
        return {};
    const QImage filled = image.scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    auto* scaled = new QPixmap(
        QPixmap::fromImage(filled.copy((filled.width() - side) / 2, (filled.height() - side) / 2, side, side)));
    const QPixmap result = *scaled;
    m_thumbnails.insert(key, scaled);
    return result;
}

// Typing in a cell -------------------------------------------------------------------------------

QWidget* ContactCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    Q_UNUSED(option)
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("cellEditor"));
    editor->setFont(m_font);
    editor->setFrame(false);
    editor->setProperty(EditedRow, index.row());
    editor->setProperty(EditedColumn, index.column());
    m_activeEditor = editor;
    return editor;
}

void ContactCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* field = qobject_cast<QLineEdit*>(editor))
        field->setText(m_controller.cell(index.row(), index.column()).text);
}

void ContactCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    Q_UNUSED(model)
    const auto* field = qobject_cast<QLineEdit*>(editor);
    if (field && m_commit)
        m_commit(index.row(), index.column(), field->text());
}

void ContactCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const
{
    const CellContent cell = m_controller.cell(index.row(), index.column());
    QRect rect = cell.cellTemplate == CellContent::Template::PopupAndText ? valueRect(option.rect) : option.rect;
    // One line high, where the first line of the text is drawn.
    const int lines = qMax(1, m_controller.numLines(index.row()));
    rect.setHeight(qMin(rect.height(), option.rect.height() / lines));
    editor->setGeometry(rect);
}

void ContactCellDelegate::finishEditing(QWidget* editor)
{
    Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void ContactCellDelegate::editorClosed(QWidget* editor)
{
    if (m_activeEditor == editor)
        m_activeEditor = nullptr;
}

void ContactCellDelegate::abandonEditing(QWidget* editor)
{
    Q_EMIT closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool ContactCellDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (!editor || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    std::optional<EditKey> key;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = EditKey::Return;
        break;
    case Qt::Key_Tab:
        key = EditKey::Tab;
        break;
    case Qt::Key_Backtab:
        key = EditKey::Backtab;
        break;
    case Qt::Key_Escape:
        key = EditKey::Escape;
        break;
    default:
        return QStyledItemDelegate::eventFilter(object, event);
    }
    const int row = editor->property(EditedRow).toInt();
    const int column = editor->property(EditedColumn).toInt();
    if (m_key && m_key(editor, row, column, *key))
        return true;
    if (*key == EditKey::Tab || *key == EditKey::Backtab) {
        // Not taken: the text is kept, and editing does not wander to another cell.
        finishEditing(editor);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace Quillary::Ui
