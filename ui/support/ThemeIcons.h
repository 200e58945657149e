#pragma once

#include <QIcon>
#include <QString>

namespace Quillary::Ui::ThemeIcons {

/// The application's icon from the desktop's icon theme, else the copy compiled in.
[[nodiscard]] QIcon applicationIcon();

/// A freedesktop icon of the desktop's theme ("document-print"), else the bundled icon of that name.
[[nodiscard]] QIcon themeIcon(const QString& name);

} // namespace Quillary::Ui::ThemeIcons
