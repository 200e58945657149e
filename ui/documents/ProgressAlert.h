#pragma once

#include "documents/DocumentError.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace Quillary {
class DocumentTask;
}

namespace Quillary::Ui {

/// The modal progress window over a long piece of document work (a large read, a save, an export,
/// an import): its message, a bar from 0 to 100 and Cancel. Work that ends quickly, or is about to
/// end when the window would appear, finishes without it; once shown, the window stays at least a
/// second so that it never just flashes. The caller continues only when the work has ended.
class ProgressAlert final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressAlert)

public:
    struct Outcome
    {
        bool cancelled = false;
        DocumentError error; ///< the work's error (a cancellation included)
        [[nodiscard]] bool succeeded() const { return !cancelled && !error.isError(); }
    };

    /// Runs the task to its end, showing the window over `parent` (a sheet) when it takes long.
    /// The task is deleted afterwards.
    static Outcome run(DocumentTask* task, QWidget* parent);

    /// How long work may run before the window appears, and how long the work keeps the window
    /// at least (counted from the start of the work; a window that came late stays half of it), so
    /// that the window never flashes.
    static void setTimings(int showDelayMs, int minimumVisibleMs);
    /// Whether work that has run this long and done this much (0 to 100) needs the window: after
    /// the show delay, when what is done so far says the work outlasts the minimum time and is not
    /// within two delays of its end; past eight delays always.
    [[nodiscard]] static bool shouldShow(qint64 elapsedMs, int percent);

    [[nodiscard]] bool cancelState() const { return m_cancelState; }

private:
    ProgressAlert(DocumentTask* task, QWidget* parent);
    void requestClose();
    void cancelPressed();
    static void waitUntilFinished(DocumentTask* task, int timeoutMs);

    DocumentTask* m_task;
    QLabel* m_alertMessage;
    QProgressBar* m_progressIndicator;
    QPushButton* m_cancelButton;
    QElapsedTimer m_workStarted; ///< the window stays until the work has run the minimum time
    QElapsedTimer m_shown;
    bool m_cancelState = false;
};

} // namespace Quillary::Ui
