#include "CardFolder.h"

#include "support/SafeFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace Quillary::CardFolder {

namespace {

FileStamp stampFromStat(const struct stat& info)
{
    return {qint64(info.st_size), qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            quint64(info.st_ino)};
}

bool isCardFileName(const char* name)
{
    if (name[0] == '.')
        return false;
    const size_t length = strlen(name);
    return length > 4 && strcasecmp(name + length - 4, ".vcf") == 0;
}

struct DirCloser
{
    void operator()(DIR* dir) const { closedir(dir); }
};

} // namespace

bool scan(const QString& folder, QList<FolderEntry>& entries)
{
    // readdir and fstatat rather than QDir: a folder of 100 000 cards is listed in a fraction of
    // the time, and the stamp needs the nanoseconds and the inode that QFileInfo does not give.
    const std::unique_ptr<DIR, DirCloser> dir(opendir(QFile::encodeName(folder).constData()));
    if (!dir)
        return false;
    const int fd = dirfd(dir.get());
    while (const dirent* entry = readdir(dir.get())) {
        if (!isCardFileName(entry->d_name))
            continue;
        struct stat info;
        if (fstatat(fd, entry->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode))
            continue;
        entries.append({QFile::decodeName(entry->d_name), stampFromStat(info)});
    }
    return true;
}

QStringList subfolders(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

FileStamp stampOf(const QString& path)
{
    struct stat info;
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return stampFromStat(info);
}

bool read(const QString& path, QByteArray& bytes)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0;
    // A file that grows while it is read is read to its end.
    bytes.resize(ok ? qsizetype(info.st_size) : 0);
    qsizetype filled = 0;
    while (ok) {
        if (filled == bytes.size())
            bytes.resize(filled + 4096);
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0)
            ok = false;
        if (got <= 0)
            break;
        filled += got;
    }
    close(fd);
    bytes.truncate(filled);
    return ok;
}

bool writeAtomically(const QString& path, QByteArrayView bytes, QString* error)
{
    const bool isNew = !QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (isNew)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

QString newCardFileName(const QString& folder, const QString& uniqueId)
{
    const QString base = SafeFileName::make(uniqueId, QStringLiteral("card"));
    const QDir dir(folder);
    QString name = base + u'.' + CardExtension;
    for (int number = 1; dir.exists(name); ++number)
        name = base + u'-' + QString::number(number) + u'.' + CardExtension;
    return name;
}

bool moveToTrash(const QString& folder, const QString& fileName, QString* error)
{
    const QDir dir(folder);
    if (!dir.mkpath(TrashFolder)) {
        if (error)
            *error = QStringLiteral("cannot make %1").arg(dir.filePath(TrashFolder));
        return false;
    }
    const QDir trash(dir.filePath(TrashFolder));
    const QFileInfo info(fileName);
    QString target = fileName;
    for (int number = 1; trash.exists(target); ++number)
        target = info.completeBaseName() + u'-' + QString::number(number) + u'.' + info.suffix();
    const QString targetPath = trash.filePath(target);
    if (!QFile::rename(dir.filePath(fileName), targetPath)) {
        if (error)
            *error = QStringLiteral("cannot move %1 to %2").arg(dir.filePath(fileName), targetPath);
        return false;
    }
    // A rename keeps the time of the last change, which may lie years back: the trash counts from now.
    utimensat(AT_FDCWD, QFile::encodeName(targetPath).constData(), nullptr, 0);
    return true;
}

int purgeTrash(const QString& folder, int maxAgeDays, const QDateTime& now)
{
    const QDir trash(QDir(folder).filePath(TrashFolder));
    const QDateTime limit = now.addDays(-maxAgeDays);
    int removed = 0;
    const QFileInfoList files = trash.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& file : files) {
        if (file.lastModified() < limit && QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

} // namespace Quillary::CardFolder
