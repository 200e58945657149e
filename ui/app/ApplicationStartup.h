#pragma once

#include <QStringList>

class QApplication;

namespace Quillary::Ui {

/// What the application does when it starts: the settings upgrade, the offer to restore the
/// default settings when Shift, Control and Alt are held, a window for each file of the command
/// line (or a new document), and the hidden options used to measure and to picture a window.
class ApplicationStartup final
{
public:
    /// The command line, read.
    struct Options
    {
        QStringList files;
        QString screenshotPath; ///< --screenshot=PATH: write a picture of the first window, then quit
        bool quitWhenShown = false; ///< --quit-when-shown: quit once the first table has been drawn
        QString viewType; ///< --view-type=NAME: the view type of the first window (for pictures)
        bool showGroups = false; ///< --show-groups: the first window opens with its group side bar
    };

    ApplicationStartup() = delete;

    [[nodiscard]] static Options parse(const QStringList& arguments);
    /// Sets up, opens the windows and runs the event loop; answers the exit code.
    static int run(QApplication& application);
};

} // namespace Quillary::Ui
