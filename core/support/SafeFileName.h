#pragma once

#include <QString>

namespace Quillary::SafeFileName {

/// A file name made from text the user or a contact file supplied (a contact's name, a UID), safe to
/// put into a folder: "/", "\\" and control characters become "_", a leading "." becomes "_" (no
/// hidden files, no ".."), surrounding blanks are trimmed and the name is cut to at most 200 UTF-8
/// bytes without splitting a character. `fallback` is returned when nothing is left.
/// `extension` (without the dot) is appended after the cut, so it always survives.
[[nodiscard]] QString make(const QString& text, const QString& fallback, const QString& extension = {});

} // namespace Quillary::SafeFileName
