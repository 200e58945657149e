#pragma once

#include <QStringList>

#include <optional>

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
        bool darkPalette = false; ///< --dark-palette: Fusion with dark colours (pictures of the dark look)
        /// Only files were given: this start may hand them to a Quillary that is already running.
        bool mayHandOver = true;
    };

    ApplicationStartup() = delete;

    [[nodiscard]] static Options parse(const QStringList& arguments);
    /// What is done before the application object and any window exist: --help and --version are
    /// answered (no display is needed for them), and the files of a start are handed to the
    /// Quillary that already runs for the user. Answers the exit code when nothing is left to do.
    [[nodiscard]] static std::optional<int> runBeforeWindows(int argc, char* argv[]);
    /// Sets up, opens the windows and runs the event loop; answers the exit code.
    static int run(QApplication& application);
};

} // namespace Quillary::Ui
