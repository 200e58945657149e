#include "StoreLock.h"

#include <QDir>

namespace Quillary {

StoreLock::StoreLock(const QString& root) : m_lock(std::make_unique<QLockFile>(QDir(root).filePath(FileName)))
{
    // Held for the whole run of the application: only a process that is gone leaves a stale lock.
    m_lock->setStaleLockTime(0);
}

StoreLock::~StoreLock() = default;

bool StoreLock::tryLock()
{
    m_holder.clear();
    if (m_lock->tryLock(0))
        return true;
    qint64 pid = 0;
    QString hostName, application;
    if (m_lock->getLockInfo(&pid, &hostName, &application))
        m_holder = QStringLiteral("%1 (process %2 on %3)").arg(application).arg(pid).arg(hostName);
    return false;
}

bool StoreLock::isLocked() const
{
    return m_lock->isLocked();
}

void StoreLock::unlock()
{
    m_lock->unlock();
}

} // namespace Quillary
