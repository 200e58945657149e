#include "PrivateFiles.h"

#include "FileWriting.h"
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
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    QString reason;
    if (file.write(bytes) != bytes.size()) {
        reason = FileWriting::failureReason(file);
        file.cancelWriting();
    } else if (FileWriting::commit(file, &reason)) {
        return path;
    }
    if (error)
        *error = reason;
    return {};
}

} // namespace Quillary::PrivateFiles
