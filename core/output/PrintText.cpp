#include "PrintText.h"

#include "AddressListText.h"

#include <QPainter>
#include <QTextLayout>

namespace Quillary::PrintText {

QFont font(const QString& family, qreal pointSize)
{
    QFont result(family);
    result.setPointSizeF(pointSize);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

QFontMetricsF metrics(const QFont& font)
{
    return QFontMetricsF(font, AddressListText::pointDevice());
}

qreal width(const QFont& font, const QString& text)
{
    return metrics(font).horizontalAdvance(text);
}

void draw(QPainter& painter, const QFont& font, const QString& text, const QPointF& topLeft)
{
    // Laid out for a device of 72 dots per inch, the glyphs come out in points on the painter.
    QTextLayout layout(text, font, AddressListText::pointDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
    layout.draw(&painter, topLeft);
}

namespace {

bool fits(const QStringList& lines, const QFont& font, qreal width, qreal height)
{
    const QFontMetricsF measure = metrics(font);
    if (lines.size() * measure.height() > height + 1e-6)
        return false;
    return std::all_of(lines.cbegin(), lines.cend(),
                       [&](const QString& line) { return measure.horizontalAdvance(line) <= width + 1e-6; });
}

} // namespace

FittedLines fit(const QStringList& lines, QFont font, qreal width, qreal height, qreal minimumSize)
{
    qreal size = font.pointSizeF();
    while (size - 0.5 >= minimumSize && !fits(lines, font, width, height)) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    const QFontMetricsF measure = metrics(font);
    FittedLines result{font, {}, measure.height()};
    const qsizetype room = qsizetype(std::max(0.0, std::floor((height + 1e-6) / measure.height())));
    for (qsizetype i = 0; i < lines.size() && i < room; ++i)
        result.lines.append(measure.elidedText(lines.at(i), Qt::ElideRight, std::max(0.0, width)));
    // Lines that have no room left are cut too: the last one shown says that more follows.
    if (room > 0 && room < lines.size()) {
        QString& last = result.lines.last();
        last = measure.elidedText(last + QStringLiteral(" …"), Qt::ElideRight, std::max(0.0, width));
    }
    return result;
}

void drawLines(QPainter& painter, const FittedLines& lines, const QPointF& topLeft)
{
    QPointF at = topLeft;
    for (const QString& line : lines.lines) {
        draw(painter, lines.font, line, at);
        at.ry() += lines.lineHeight;
    }
}

} // namespace Quillary::PrintText
