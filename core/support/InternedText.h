#pragma once

#include <QString>

namespace Quillary {

/// A copy of `text` that lives as long as the program, one for all equal texts: what every one of
/// many objects holds the same few values of (a contact's default country) costs each a pointer
/// instead of a string. Only for texts of which there are few.
[[nodiscard]] const QString& internedText(const QString& text);

} // namespace Quillary
