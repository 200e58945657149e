#pragma once

#include <QIcon>
#include <QPixmap>

namespace Quillary::Ui::FieldIcons {

/// The icon of a field: the desktop theme's icon of its freedesktop name, or a drawn one of the
/// field's own colour and sign where the theme has none.
[[nodiscard]] QIcon icon(const QString& identifier);

/// A contact without a photo: the initials of its name on a disc of `side` pixels.
[[nodiscard]] QPixmap initials(const QString& name, int side);

} // namespace Quillary::Ui::FieldIcons
