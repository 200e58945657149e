#pragma once

#include "table/TableCells.h"

#include <QFontMetrics>
#include <QString>

namespace Quillary::Ui::CellText {

/// A cell's text as drawn in a given width: every line that is too long ends in "…" instead of
/// being cut through a glyph, lines are separated by line separators, and the find bar's marks keep
/// to the characters still shown.
struct Fitted
{
    QString text;
    QList<TextHighlight> highlights;
    bool elided = false;
};

[[nodiscard]] Fitted fit(const QString& text, const QFontMetrics& metrics, int width,
                         const QList<TextHighlight>& highlights = {});

/// Whether every line of the text fits the width whole.
[[nodiscard]] bool fits(const QString& text, const QFontMetrics& metrics, int width);

} // namespace Quillary::Ui::CellText
