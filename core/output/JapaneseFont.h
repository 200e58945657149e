#pragma once

#include <QString>

namespace Quillary {

/// The font Japanese text is printed in: the one chosen when it is installed, otherwise a Japanese
/// font that fontconfig offers (Noto Serif/Sans CJK JP, IPAex Mincho/Gothic, ...).
namespace JapaneseFont {

/// The family to use for `chosen`; `chosen` itself when nothing better is installed.
[[nodiscard]] QString family(const QString& chosen);

} // namespace JapaneseFont

} // namespace Quillary
