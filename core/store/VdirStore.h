#pragma once

#include "CardFolder.h"
#include "StoreCards.h"
#include "StoreLock.h"
#include "model/addressbook/AddressBook.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace Quillary {

/// The user's address book on disk, in the vdir layout that Linux contact tools and CardDAV sync
/// tools share: one folder per account with a "displayname" file, one ".vcf" file per person and
/// per group card. Each account is read into an address book of its own.
///
/// The store remembers every file as it last read or wrote it, so that a reload reads only the
/// files that changed, a save writes only the records that changed (each atomically, keeping its
/// file's name) and moves the files of removed records into the account's ".trash", and changes
/// made by other programs are told from its own. A card another program changed that is edited and
/// saved here anyway leaves that program's version in the trash. Files it cannot read are skipped, listed, and never
/// written over. Files it does not know (hidden ones, sync state beside the cards) are left alone.
class VdirStore final
{
public:
    struct Account
    {
        QString folder; ///< the folder's name under the store's root
        QString displayName; ///< from the "displayname" file; "" when there is none
        std::shared_ptr<AddressBook::AddressBook> book;
    };

    /// What a save did.
    struct SaveReport
    {
        int written = 0;
        int trashed = 0;
        QStringList failures; ///< one text per file that could not be written or moved
        [[nodiscard]] bool ok() const { return failures.isEmpty(); }
    };

    /// The files of the store as last seen, to compare with the disk on another thread.
    struct Snapshot
    {
        QString root;
        QHash<QString, QHash<QString, CardFolder::FileStamp>> files; ///< account folder → file name → stamp
        QHash<QString, CardFolder::FileStamp> displayNames; ///< account folder → its displayname file
    };

    static inline const QString LocalFolder = QStringLiteral("local");
    static inline const QString DisplayNameFile = QStringLiteral("displayname");
    /// How long deleted cards stay in an account's trash.
    static constexpr int TrashDays = 30;

    explicit VdirStore(QString root, const QLocale& locale = QLocale::system());
    ~VdirStore();
    VdirStore(const VdirStore&) = delete;
    VdirStore& operator=(const VdirStore&) = delete;

    [[nodiscard]] const QString& root() const { return m_root; }
    [[nodiscard]] QString accountPath(const QString& folder) const;

    /// Takes the store for this process: makes its folder and the local account when they are
    /// missing, takes the lock (read-only when another process holds it) and empties old trash.
    /// False with `error` set when the folder cannot be made or read.
    bool open(QString* error = nullptr);
    [[nodiscard]] bool isReadOnly() const { return m_readOnly; }
    /// Lets go of the store: another process may take it now. Also done on destruction.
    void close() { m_lock.unlock(); }
    /// Who holds the store when it is read-only because of another process.
    [[nodiscard]] const QString& lockHolder() const { return m_lock.holder(); }

    /// Reads the accounts and their cards into new address books. After the first load, only the
    /// files that changed since they were read or written are read again.
    void load();
    [[nodiscard]] const QList<Account>& accounts() const { return m_accounts; }
    [[nodiscard]] Account* account(const QString& folder);
    /// Makes a new, empty account with a name; its folder's name comes from the name.
    Account* addAccount(const QString& displayName, QString* error = nullptr);
    /// The files that could not be read, as "account/file.vcf: reason".
    [[nodiscard]] QStringList skippedFiles() const;

    /// Writes the records of every account that changed since they were read or last written, and
    /// moves the files of removed records into the trash.
    SaveReport save();

    [[nodiscard]] Snapshot snapshot() const;
    /// The files and accounts added, changed or removed since the snapshot, as paths under the root.
    [[nodiscard]] static QStringList changesSince(const Snapshot& snapshot);
    /// Those of `paths` that still differ from what the store last read or wrote.
    [[nodiscard]] QStringList stillChanged(const QStringList& paths) const;

private:
    struct CardState;
    struct AccountState;

    void readAccount(AccountState& state);
    void buildBook(AccountState& state, Account& account);
    struct PendingCard;
    void savePeople(AccountState& state, const Account& account, CardFolder::AtomicWrites& writes,
                    QList<PendingCard>& pending, SaveReport& report);
    void saveGroups(AccountState& state, const Account& account, CardFolder::AtomicWrites& writes,
                    QList<PendingCard>& pending, SaveReport& report);
    void queueCard(AccountState& state, CardState card, const QString& uniqueId, QByteArrayView bytes,
                   CardFolder::AtomicWrites& writes, QList<PendingCard>& pending, SaveReport& report);
    void trashRemoved(AccountState& state, const Account& account, SaveReport& report);
    bool keepOtherVersion(const AccountState& state, const CardState& card, SaveReport& report);
    [[nodiscard]] bool fileMatches(const AccountState& state, const CardState& card,
                                   const AddressBook::Person& person) const;
    [[nodiscard]] AccountState* state(const QString& folder);

    QString m_root;
    QLocale m_locale;
    StoreLock m_lock;
    bool m_readOnly = false;
    QList<std::shared_ptr<AccountState>> m_states;
    QList<Account> m_accounts;
};

} // namespace Quillary
