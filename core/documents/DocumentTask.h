#pragma once

#include "DocumentError.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include <functional>

namespace Quillary {

/// A long piece of document work (a large read, a save, an export, an import) that runs on a worker
/// thread. It reports progress from 0 to 100 and can be cancelled; its result is taken over on the
/// main thread when it has finished. A window shows a modal progress dialog over it; a test waits for
/// it or cancels it.
class DocumentTask final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentTask)

public:
    /// The work itself, run on the worker thread; it reports progress through the promise, looks at
    /// `promise.isCanceled()` where it can stop, and answers its error (code 0 for success).
    using Work = std::function<DocumentError(QPromise<void>& promise)>;
    /// Runs on the main thread once the work has ended without being cancelled.
    using Completion = std::function<DocumentError()>;

    DocumentTask(const QString& message, Work work, Completion completion, QObject* parent = nullptr);
    ~DocumentTask() override;

    /// "Reading: %1", "Writing the file: %1".
    [[nodiscard]] const QString& message() const { return m_message; }
    [[nodiscard]] int progress() const { return m_progress; }
    [[nodiscard]] bool isFinished() const { return m_finished; }
    [[nodiscard]] bool isCancelled() const { return m_cancelled; }
    /// The outcome once finished: no error, the work's error, or a cancellation.
    [[nodiscard]] const DocumentError& error() const { return m_error; }

    /// Asks the work to stop; a cancelled task's result is dropped.
    void cancel();
    /// Blocks until the task has finished (its completion included); for tests and tools.
    void waitForFinished();

Q_SIGNALS:
    void progressChanged(int percent);
    void finished();

private:
    void onWorkFinished();

    QString m_message;
    Completion m_completion;
    /// The task's own thread. Conversions spread their cards over the global pool and wait for them;
    /// were the tasks themselves on that pool, as many tasks as it has threads would wait for ever.
    QThreadPool m_thread;
    QFutureWatcher<void> m_watcher;
    DocumentError m_error;
    int m_progress = 0;
    bool m_finished = false;
    bool m_cancelled = false;
};

} // namespace Quillary
