#include "CardFolder.h"

#include "support/SafeFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstdlib>
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
    return readAt(AT_FDCWD, QFile::encodeName(path), -1, bytes);
}

bool readAt(int folder, const QByteArray& name, qint64 size, QByteArray& bytes)
{
    const int fd = openat(folder, name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = size >= 0 || fstat(fd, &info) == 0;
    // One byte more than the file had: a read that fills it tells of a file that grew since, which is
    // then read to its end; a shorter one has met the end of a regular file.
    bytes.resize(ok ? qsizetype(size >= 0 ? size : info.st_size) + 1 : 0);
    qsizetype filled = 0;
    while (ok) {
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ok = false;
        if (got <= 0)
            break;
        filled += got;
        if (filled < bytes.size())
            break;
        bytes.resize(bytes.size() * 2);
    }
    close(fd);
    bytes.truncate(filled);
    return ok;
}

FolderHandle::FolderHandle(const QString& path)
    : m_fd(open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{ }

FolderHandle::~FolderHandle()
{
    if (m_fd >= 0)
        close(m_fd);
}

namespace {

const QByteArray TemporaryMark = QByteArrayLiteral(".quillary-");

/// A hidden name beside `path` that no file has: ".name.quillary-XXXXXX".
QString temporaryPath(const QString& path, int& fd)
{
    const QFileInfo info(path);
    QByteArray name = QFile::encodeName(info.dir().filePath(u'.' + info.fileName())) + TemporaryMark + "XXXXXX";
    fd = mkostemp(name.data(), O_CLOEXEC);
    return fd < 0 ? QString() : QFile::decodeName(name);
}

bool writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

void syncFolder(const QString& folder)
{
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

AtomicWrites::~AtomicWrites()
{
    for (const Pending& pending : std::as_const(m_pending))
        unlink(QFile::encodeName(pending.temporary).constData());
}

bool AtomicWrites::add(const QString& path, QByteArrayView bytes, QString* error)
{
    int fd = -1;
    const QString temporary = temporaryPath(path, fd);
    if (fd < 0) {
        if (error)
            *error = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    // A replaced file keeps its permissions; a new one is the user's alone (mkostemp made it 0600).
    struct stat old;
    if (stat(QFile::encodeName(path).constData(), &old) == 0)
        fchmod(fd, old.st_mode & 07777);
    const bool written = writeAll(fd, bytes);
    const int writeError = errno;
    close(fd);
    if (!written) {
        unlink(QFile::encodeName(temporary).constData());
        if (error)
            *error = QString::fromLocal8Bit(strerror(writeError));
        return false;
    }
    m_pending.append({path, temporary});
    return true;
}

QStringList AtomicWrites::commit(QStringList* failures)
{
    QStringList replaced;
    if (m_pending.isEmpty())
        return replaced;
    // The new contents reach the disk before any name points at them. One sync of the file system
    // costs what one file's does; a few files are synced one by one.
    constexpr qsizetype SyncOneByOne = 8;
    if (m_pending.size() <= SyncOneByOne) {
        for (const Pending& pending : std::as_const(m_pending)) {
            const int fd = open(QFile::encodeName(pending.temporary).constData(), O_RDONLY | O_CLOEXEC);
            if (fd >= 0) {
                fdatasync(fd);
                close(fd);
            }
        }
    } else {
        const int fd = open(QFile::encodeName(m_pending.first().temporary).constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            syncfs(fd);
            close(fd);
        }
    }
    QSet<QString> folders;
    for (const Pending& pending : std::as_const(m_pending)) {
        if (::rename(QFile::encodeName(pending.temporary).constData(), QFile::encodeName(pending.path).constData())
            == 0) {
            replaced.append(pending.path);
            folders.insert(QFileInfo(pending.path).path());
        } else {
            if (failures)
                failures->append(pending.path + QStringLiteral(": ") + QString::fromLocal8Bit(strerror(errno)));
            unlink(QFile::encodeName(pending.temporary).constData());
        }
    }
    m_pending.clear();
    for (const QString& folder : std::as_const(folders))
        syncFolder(folder);
    return replaced;
}

bool writeAtomically(const QString& path, QByteArrayView bytes, QString* error)
{
    AtomicWrites writes;
    QStringList failures;
    if (!writes.add(path, bytes, error))
        return false;
    if (writes.commit(&failures).isEmpty()) {
        if (error)
            *error = failures.value(0);
        return false;
    }
    return true;
}

void removeLeftovers(const QString& folder)
{
    const std::unique_ptr<DIR, DirCloser> dir(opendir(QFile::encodeName(folder).constData()));
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir.get())) {
        const QByteArrayView name(entry->d_name);
        const qsizetype mark = name.lastIndexOf(TemporaryMark);
        if (name.startsWith('.') && mark > 0 && name.size() - mark - TemporaryMark.size() == 6)
            unlinkat(dirfd(dir.get()), entry->d_name, 0);
    }
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

namespace {

/// A path in the folder's trash for `fileName` that no file there has yet; empty when the trash
/// cannot be made.
QString trashTarget(const QDir& dir, const QString& fileName, QString* error)
{
    if (!dir.mkpath(TrashFolder)) {
        if (error)
            *error = QStringLiteral("cannot make %1").arg(dir.filePath(TrashFolder));
        return {};
    }
    const QDir trash(dir.filePath(TrashFolder));
    const QFileInfo info(fileName);
    QString target = fileName;
    for (int number = 1; trash.exists(target); ++number)
        target = info.completeBaseName() + u'-' + QString::number(number) + u'.' + info.suffix();
    return trash.filePath(target);
}

/// The trash counts a file's age from when it went there, not from its last change.
void stampNow(const QString& path)
{
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), nullptr, 0);
}

} // namespace

bool moveToTrash(const QString& folder, const QString& fileName, QString* error)
{
    const QDir dir(folder);
    const QString targetPath = trashTarget(dir, fileName, error);
    if (targetPath.isEmpty())
        return false;
    if (!QFile::rename(dir.filePath(fileName), targetPath)) {
        if (error)
            *error = QStringLiteral("cannot move %1 to %2").arg(dir.filePath(fileName), targetPath);
        return false;
    }
    stampNow(targetPath);
    return true;
}

bool copyToTrash(const QString& folder, const QString& fileName, QString* error)
{
    const QDir dir(folder);
    QByteArray bytes;
    const QString targetPath = trashTarget(dir, fileName, error);
    if (targetPath.isEmpty() || !read(dir.filePath(fileName), bytes) || !writeAtomically(targetPath, bytes, error)) {
        if (error && error->isEmpty())
            *error = QStringLiteral("cannot copy %1 to the trash").arg(dir.filePath(fileName));
        return false;
    }
    stampNow(targetPath);
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
