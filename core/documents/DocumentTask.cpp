#include "DocumentTask.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>

namespace Quillary {

DocumentTask::DocumentTask(const QString& message, Work work, Completion completion, QObject* parent)
    : QObject(parent), m_message(message), m_completion(std::move(completion))
{
    auto outcome = std::make_shared<DocumentError>();
    connect(&m_watcher, &QFutureWatcher<void>::progressValueChanged, this, [this](int value) {
        m_progress = value;
        Q_EMIT progressChanged(value);
    });
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, [this, outcome] {
        m_error = *outcome;
        onWorkFinished();
    });
    m_thread.setMaxThreadCount(1);
    m_watcher.setFuture(QtConcurrent::run(&m_thread, [work = std::move(work), outcome](QPromise<void>& promise) {
        promise.setProgressRange(0, 100);
        *outcome = work(promise);
    }));
}

DocumentTask::~DocumentTask()
{
    // Nobody will take the result any more: let the work stop where it can.
    m_watcher.cancel();
    m_watcher.waitForFinished();
}

void DocumentTask::cancel()
{
    if (m_finished)
        return;
    m_cancelled = true;
    m_watcher.cancel();
}

void DocumentTask::waitForFinished()
{
    m_watcher.waitForFinished();
    while (!m_finished)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void DocumentTask::onWorkFinished()
{
    if (m_finished)
        return;
    if (m_cancelled) {
        m_error = DocumentError::application(DocumentError::UserCancelled, QString());
    } else if (!m_error.isError() && m_completion) {
        m_error = m_completion();
    }
    // What the completion holds (a file not yet put in place, say) goes now, whether it ran or not.
    m_completion = nullptr;
    m_progress = 100;
    m_finished = true;
    Q_EMIT progressChanged(100);
    Q_EMIT finished();
}

} // namespace Quillary
