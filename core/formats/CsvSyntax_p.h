#pragma once

#include <QChar>

// Characters that the CSV reader and writer agree on.
namespace Quillary::CsvSyntax {

inline constexpr char16_t Separator = u',';
inline constexpr char16_t Quote = u'"';

/// LF, VT, FF, CR, NEL and the Unicode line and paragraph separators: outside quotes, each ends a line.
[[nodiscard]] constexpr bool isLineBreak(char16_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

} // namespace Quillary::CsvSyntax
