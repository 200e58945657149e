#include "PrivateFiles.h"

#include "SafeFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <memory>
#include <mutex>

namespace Quillary::PrivateFiles {

namespace {

std::mutex folderMutex;
std::unique_ptr<QTemporaryDir> privateFolder;

void removeFolder()
{
    std::lock_guard lock(folderMutex);
    privateFolder.reset();
}

} // namespace

QString folder()
{
    std::lock_guard lock(folderMutex);
    if (!privateFolder) {
        // QTemporaryDir creates its folder with mode 0700.
        auto made = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/quillary-XXXXXX");
        if (!made->isValid())
            return {};
        privateFolder = std::move(made);
        qAddPostRoutine(removeFolder);
    }
    return privateFolder->path();
}

QString write(const QString& fileName, const QByteArray& bytes, QString* error)
{
    const QString dir = folder();
    if (dir.isEmpty()) {
        if (error)
            *error = QStringLiteral("The private temporary folder cannot be created");
        return {};
    }
    const QString path = dir + u'/' + SafeFileName::make(fileName, QStringLiteral("contacts"));
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) && file.write(bytes) == bytes.size()
        && file.commit();
    if (!written) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return path;
}

} // namespace Quillary::PrivateFiles
