#include "DragPixmap.h"

#include "support/UiTr.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace Quillary::Ui::DragPixmap {

namespace {

constexpr int Padding = 8;
constexpr int MaximumTextWidth = 320;

} // namespace

QPixmap forContacts(int count, const QString& firstName, const QWidget* widget)
{
    const QString text = count == 1 && !firstName.isEmpty() ? firstName : Tr::tr("%n contact(s)", nullptr, count);
    QFont font = widget->font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, MaximumTextWidth);
    const QSize size(metrics.horizontalAdvance(shown) + 2 * Padding, metrics.height() + Padding);
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath badge;
    badge.addRoundedRect(QRectF(QPointF(0.5, 0.5), QSizeF(size) - QSizeF(1, 1)), size.height() / 2.0,
                         size.height() / 2.0);
    const QPalette& palette = widget->palette();
    QColor fill = palette.color(QPalette::Highlight);
    fill.setAlpha(230);
    painter.fillPath(badge, fill);
    painter.setPen(palette.color(QPalette::HighlightedText));
    painter.setFont(font);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, shown);
    return pixmap;
}

} // namespace Quillary::Ui::DragPixmap
