#pragma once

#include <QString>

namespace Quillary {

/// "Make Upper Case", "Make Lower Case" and "Capitalize" of the Edit menu, on a text typed in a cell
/// or on the whole text of the current cell.
namespace TextTransforms {

enum class Kind { Uppercase, Lowercase, Capitalize };

/// The text transformed. "Capitalize" gives every word (a run of letters, digits and apostrophes)
/// a capital first letter and makes the rest of it lower case.
[[nodiscard]] QString apply(Kind kind, const QString& text);

} // namespace TextTransforms

} // namespace Quillary
