#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The files of one account folder of the store: listing the card files with what tells whether a
// file changed, reading them, writing them atomically, and the folder's trash.
namespace Quillary::CardFolder {

/// What tells whether a file changed since it was last seen: size, modification time to the
/// nanosecond and inode (an atomic replacement gives a new inode even within the same instant).
struct FileStamp
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct FolderEntry
{
    QString fileName;
    FileStamp stamp;
};

/// The name of the folder deleted cards are moved into, inside their account's folder.
inline const QString TrashFolder = QStringLiteral(".trash");
/// Card files end with this extension; nothing else in a folder is read.
inline const QString CardExtension = QStringLiteral("vcf");

/// The regular ".vcf" files of a folder (hidden files excluded), in no particular order. False when
/// the folder cannot be read.
bool scan(const QString& folder, QList<FolderEntry>& entries);
/// The sub-folders of a folder, hidden ones excluded, sorted by name.
[[nodiscard]] QStringList subfolders(const QString& folder);
/// The stamp of a file; size -1 when it cannot be read.
[[nodiscard]] FileStamp stampOf(const QString& path);
/// The whole content of a file; false when it cannot be read.
bool read(const QString& path, QByteArray& bytes);
/// The same for a file of an open folder (a FolderHandle's descriptor), whose size is known from the
/// listing (-1 when it is not): no path is looked up again and no size asked for.
bool readAt(int folder, const QByteArray& name, qint64 size, QByteArray& bytes);

/// An open folder, for reading many of its files by name.
class FolderHandle
{
public:
    explicit FolderHandle(const QString& path);
    ~FolderHandle();
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    [[nodiscard]] int descriptor() const { return m_fd; }

private:
    int m_fd;
};

/// Writes files atomically, many at a time: each file's new content goes into a hidden temporary
/// file beside it; `commit` makes them all durable with one sync and then renames each over its old
/// file. A crash or a kill leaves every file old or new, never a mix, whatever the moment. The
/// temporaries of an interrupted batch are removed by `removeLeftovers`.
class AtomicWrites
{
public:
    AtomicWrites() = default;
    ~AtomicWrites();
    AtomicWrites(const AtomicWrites&) = delete;
    AtomicWrites& operator=(const AtomicWrites&) = delete;

    /// Writes the content of `path` into its temporary file; false with `error` set when it cannot.
    bool add(const QString& path, QByteArrayView bytes, QString* error = nullptr);
    /// Syncs and renames; answers the paths that were replaced. The others get a text in `failures`.
    QStringList commit(QStringList* failures = nullptr);

private:
    struct Pending
    {
        QString path;
        QString temporary;
    };
    QList<Pending> m_pending;
};

/// Writes one file atomically (see AtomicWrites). A new file is readable by its owner only.
bool writeAtomically(const QString& path, QByteArrayView bytes, QString* error = nullptr);
/// Removes the temporary files an interrupted batch of atomic writes left in a folder.
void removeLeftovers(const QString& folder);

/// A file name for a card that no file of the folder has yet: the unique id made safe, followed by
/// "-1", "-2", ... when that name is taken.
[[nodiscard]] QString newCardFileName(const QString& folder, const QString& uniqueId);

/// Moves a card file into the folder's trash (a name of its own there when one is taken) and stamps
/// it with the time of the move, from which the trash counts its age. False when it cannot be moved.
bool moveToTrash(const QString& folder, const QString& fileName, QString* error = nullptr);
/// Copies a card file into the folder's trash, as moveToTrash names and stamps it: the version
/// another program wrote, kept before it is overwritten. False when it cannot be copied.
bool copyToTrash(const QString& folder, const QString& fileName, QString* error = nullptr);
/// Removes the files of the folder's trash whose move into it is older than `maxAgeDays` at `now`.
/// Answers how many were removed.
int purgeTrash(const QString& folder, int maxAgeDays, const QDateTime& now = QDateTime::currentDateTimeUtc());

} // namespace Quillary::CardFolder
