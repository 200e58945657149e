#pragma once

#include <QByteArray>

class QWidget;

namespace Quillary::Ui {

/// Brings a window of the running Quillary to the front for a launch that another process received
/// (a second start that handed its files over), and ends that launch's start-up notification so the
/// desktop stops showing it as busy: on X11 with the "remove" message of the startup-notification
/// protocol for the launch's DESKTOP_STARTUP_ID, on Wayland by activating with its
/// XDG_ACTIVATION_TOKEN.
void activateForLaunch(QWidget* window, const QByteArray& startupId, const QByteArray& activationToken);

} // namespace Quillary::Ui
