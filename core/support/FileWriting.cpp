#include "FileWriting.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <unistd.h>

namespace Quillary::FileWriting {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Core)
};

} // namespace

QString failureReason(QFileDevice& file)
{
    const QString reason = file.errorString();
    if (file.error() != QFileDevice::NoError && !reason.isEmpty() && reason != u"Unknown error")
        return reason;
    // A write that the disk took only in part sets no error: the next one fails and says why.
    if (file.isOpen() && file.handle() >= 0) {
        const char probe = '\n';
        errno = 0;
        if (::write(file.handle(), &probe, 1) < 0 && errno != 0)
            return qt_error_string(errno);
    }
    const QStorageInfo storage(QFileInfo(file.fileName()).absolutePath());
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return qt_error_string(ENOSPC);
    return reason.isEmpty() ? Tr::tr("The file could not be written.") : reason;
}

bool commit(QSaveFile& file, QString* reason)
{
    if (!file.flush()) {
        if (reason)
            *reason = failureReason(file);
        file.cancelWriting(); // the unfinished copy goes with the save file
        return false;
    }
    if (file.commit())
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

bool writeAtomically(const QString& path, const QByteArray& data, QString* reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    if (file.write(data) != data.size()) {
        if (reason)
            *reason = failureReason(file);
        file.cancelWriting();
        return false;
    }
    return commit(file, reason);
}

} // namespace Quillary::FileWriting
