#pragma once

#include "CellEdits.h"
#include "FindBarText.h"

#include <optional>

namespace Quillary {

/// Writing a replacement typed into the find bar back into the contacts: which field of which
/// contact a stretch of the find bar's text belongs to, and the edits that put the new text there.
namespace FindBarReplacing {

/// A stretch of the find bar's text, found in its row and sub-field.
struct Location
{
    int row = -1;
    FindTextItem item;
    qsizetype offset = 0; ///< in the sub-field's text
    qsizetype length = 0;
};

/// The row and sub-field holding the start of a range, and where the range lies in that sub-field's
/// text. A range that reaches the sub-field's closing "\n" stops before it. None outside the rows.
[[nodiscard]] std::optional<Location> locate(FindBarText& text, const TextRange& range);

/// What replacing some stretches comes to.
struct Plan
{
    /// The contacts' new values, one edit per value however many stretches it holds.
    QList<CellEdit> edits;
    /// Stretches whose field takes the new text.
    int replaced = 0;
    /// A date, a birthday or an instant-message service is not typed over: its editor opens for
    /// the first such stretch instead, at this row and column (-1 for none).
    int editorRow = -1;
    QString editorColumn;
};

/// The edits that replace every located stretch by `with`. A stretch that does not lie inside its
/// sub-field's text changes nothing.
[[nodiscard]] Plan plan(const SubContactTable& rows, const QList<Location>& locations, const QString& with,
                        const QStringList& selectedLabels = {});

} // namespace FindBarReplacing

} // namespace Quillary
