#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>

class QPainter;

namespace Quillary {

/// Japanese text written vertically (tategaki), which Qt does not lay out: the text is cut into
/// cells, one character each, stacked top to bottom in a column. Kanji and kana stand upright;
/// the long-vowel mark, dashes and brackets turn a quarter to the right; the comma and full stop
/// move to the upper right of their cell, small kana a little towards it.
namespace VerticalText {

enum class CellKind : quint8 { Upright, Rotated, Punctuation, SmallKana, Space };

struct Cell
{
    QString text;
    CellKind kind = CellKind::Upright;

    friend bool operator==(const Cell&, const Cell&) = default;
};

/// How a character is set in a column.
[[nodiscard]] CellKind kindOf(char32_t character);
/// The text's cells: one per character (surrogate pairs and combining marks stay together); blanks
/// become half-height spaces.
[[nodiscard]] QList<Cell> cells(const QString& text);
/// An address as it is written vertically: digits as kanji numerals (一二三…), hyphens as the long
/// mark, Latin letters and signs in their full-width forms.
[[nodiscard]] QString addressText(const QString& text);

/// The height of a column of cells, each `advance` high (spaces half of it).
[[nodiscard]] qreal columnHeight(const QList<Cell>& cells, qreal advance);
/// Draws cells in a column whose middle is `topCentre.x()`, from `topCentre.y()` down; the glyphs are
/// centred in squares of `advance`. Answers the top of each cell.
QList<qreal> drawColumn(QPainter& painter, const QFont& font, const QList<Cell>& cells, const QPointF& topCentre,
                        qreal advance);

} // namespace VerticalText

} // namespace Quillary
