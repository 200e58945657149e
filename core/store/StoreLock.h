#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace Quillary {

/// Keeps one writer per store: a lock file in the store's folder that a second Quillary process
/// (the application or quillary-cli) finds taken, and then works read-only. A lock left by a process
/// that has ended (a crash, a kill) is recognised as stale and taken over; a lock held by a running
/// process never goes stale, however long it is held.
class StoreLock final
{
public:
    static inline const QString FileName = QStringLiteral("quillary.lock");

    explicit StoreLock(const QString& root);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    /// Takes the lock when it is free or stale; false when another process holds it.
    bool tryLock();
    [[nodiscard]] bool isLocked() const;
    void unlock();
    /// Who holds the lock that `tryLock` found taken: "process 123 on host", or "" when unknown.
    [[nodiscard]] const QString& holder() const { return m_holder; }

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_holder;
};

} // namespace Quillary
