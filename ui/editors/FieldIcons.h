#pragma once

#include <QIcon>

namespace Quillary::Ui::FieldIcons {

/// The icon of a field: the desktop theme's icon of its freedesktop name, or a drawn one of the
/// field's own colour and sign where the theme has none.
[[nodiscard]] QIcon icon(const QString& identifier);

} // namespace Quillary::Ui::FieldIcons
