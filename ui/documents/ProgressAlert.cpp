#include "ProgressAlert.h"

#include "documents/DocumentTask.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

int showDelay = 250;
int minimumVisible = 1000;

} // namespace

void ProgressAlert::setTimings(int showDelayMs, int minimumVisibleMs)
{
    showDelay = qMax(0, showDelayMs);
    minimumVisible = qMax(0, minimumVisibleMs);
}

ProgressAlert::ProgressAlert(DocumentTask* task, QWidget* parent)
    : QDialog(parent), m_task(task), m_alertMessage(new QLabel(task->message(), this)),
      m_progressIndicator(new QProgressBar(this)), m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("progressAlert"));
    setWindowTitle(task->message());
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    m_alertMessage->setObjectName(QStringLiteral("alertMessage"));
    m_progressIndicator->setObjectName(QStringLiteral("progressIndicator"));
    m_progressIndicator->setRange(0, 100);
    m_progressIndicator->setValue(task->progress());
    m_progressIndicator->setMinimumWidth(320);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_alertMessage);
    layout->addWidget(m_progressIndicator);
    layout->addWidget(buttons);

    connect(task, &DocumentTask::progressChanged, m_progressIndicator, &QProgressBar::setValue);
    connect(task, &DocumentTask::finished, this, &ProgressAlert::requestClose);
    connect(m_cancelButton, &QPushButton::clicked, this, &ProgressAlert::cancelPressed);
    if (task->isFinished())
        QTimer::singleShot(0, this, &ProgressAlert::requestClose);
}

void ProgressAlert::requestClose()
{
    m_progressIndicator->setValue(100);
    // Until the work has run the minimum time, and the window has been seen for half of it.
    const qint64 remaining = qMax(minimumVisible - (m_workStarted.isValid() ? m_workStarted.elapsed() : 0),
                                  minimumVisible / 2 - (m_shown.isValid() ? m_shown.elapsed() : 0));
    if (remaining > 0)
        QTimer::singleShot(int(remaining), this, &QDialog::accept);
    else
        accept();
}

void ProgressAlert::cancelPressed()
{
    m_cancelState = true;
    m_task->cancel();
    reject();
}

void ProgressAlert::waitUntilFinished(DocumentTask* task, int timeoutMs)
{
    if (task->isFinished())
        return;
    // The user's input waits meanwhile: the window of the work must not change under it.
    QEventLoop loop;
    QObject::connect(task, &DocumentTask::finished, &loop, &QEventLoop::quit);
    if (timeoutMs >= 0)
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool ProgressAlert::shouldShow(qint64 elapsedMs, int percent)
{
    if (elapsedMs < showDelay)
        return false;
    // Without an estimate, or after eight delays, the window comes in any case.
    if (percent <= 0 || elapsedMs >= qint64(showDelay) * 8)
        return true;
    // The window stays until the work has run its minimum time: work expected to end sooner shows
    // none, as a window would only keep the user waiting; so does work about to end, which would
    // make the window flash.
    const qint64 remaining = elapsedMs * (100 - percent) / percent;
    return elapsedMs + remaining > minimumVisible && remaining > qint64(showDelay) * 2;
}

ProgressAlert::Outcome ProgressAlert::run(DocumentTask* task, QWidget* parent)
{
    QElapsedTimer started;
    started.start();
    waitUntilFinished(task, showDelay);
    while (!task->isFinished() && !shouldShow(started.elapsed(), task->progress()))
        waitUntilFinished(task, qMax(10, showDelay / 5));
    if (!task->isFinished()) {
        ProgressAlert alert(task, parent);
        alert.m_workStarted = started;
        alert.m_shown.start();
        alert.exec();
        // Cancelled work stops at its next step or finishes and drops its result.
        waitUntilFinished(task, -1);
    }
    const Outcome outcome{task->isCancelled(), task->error()};
    task->deleteLater();
    return outcome;
}

} // namespace Quillary::Ui
