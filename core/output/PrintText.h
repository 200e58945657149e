#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QString>
#include <QStringList>

class QPainter;

namespace Quillary {

/// Text measured and drawn in points, whatever device the painter paints on: the painter of a print
/// job maps points, so fonts are laid out at 72 dots per inch and drawn as laid out.
namespace PrintText {

/// A font of a given size in points, unhinted so that it measures the same on screen and on paper.
[[nodiscard]] QFont font(const QString& family, qreal pointSize);
[[nodiscard]] QFontMetricsF metrics(const QFont& font);
[[nodiscard]] qreal width(const QFont& font, const QString& text);
/// Draws one line of text with the top of its line box at `topLeft`.
void draw(QPainter& painter, const QFont& font, const QString& text, const QPointF& topLeft);

/// Lines of text that fit a box: the font they were fitted at and the lines as they are drawn.
struct FittedLines
{
    QFont font;
    QStringList lines;
    qreal lineHeight = 0;
};

/// Fits lines into a box of `width` × `height` points: the font shrinks by half points down to
/// `minimumSize`; what still does not fit is cut with an ellipsis, lines at the end first.
[[nodiscard]] FittedLines fit(const QStringList& lines, QFont font, qreal width, qreal height, qreal minimumSize = 6);
/// Draws fitted lines from `topLeft` down.
void drawLines(QPainter& painter, const FittedLines& lines, const QPointF& topLeft);

} // namespace PrintText

} // namespace Quillary
