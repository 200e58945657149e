#pragma once

#include <QIcon>
#include <QString>

class QToolButton;

namespace Quillary::Ui::ThemeIcons {

/// The application's icon from the desktop's icon theme, else the copy compiled in.
[[nodiscard]] QIcon applicationIcon();

/// A freedesktop icon of the desktop's theme ("document-print"), else the bundled icon of that name.
[[nodiscard]] QIcon themeIcon(const QString& name);

/// The icon of a toolbar control, by the control's object name ("groupPopup", "editButton",
/// "lockButton", ...); a null icon for a control that has none.
[[nodiscard]] QIcon toolbarIcon(const QString& objectName);

/// A tool button whose menu just closed forgets that the pointer was over it when the pointer has
/// left meanwhile: the popup took the pointer's events, so the button never heard it leave, and
/// would keep its hover frame.
void clearHoverAfterMenu(QToolButton* button);

} // namespace Quillary::Ui::ThemeIcons
