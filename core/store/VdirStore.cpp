#include "VdirStore.h"

#include "model/addressbook/GroupCard.h"
#include "support/SafeFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <vector>

Q_LOGGING_CATEGORY(lcStore, "quillary.core.store")

namespace Quillary {

using CardFolder::FileStamp;

/// One card file as the store last read or wrote it. A person's record is not kept twice: while its
/// change count is the one it had when it matched the file, the record is what the file holds.
struct VdirStore::CardState
{
    QString fileName;
    FileStamp stamp;
    bool read = false; ///< the file was read (or written) at this stamp
    std::shared_ptr<AddressBook::Person> person; ///< the record of a person card
    quint64 changeCount = 0; ///< the record's change count when it matched the file
    QStringList categories; ///< a person card's CATEGORIES names, written back as they were
    std::shared_ptr<const AddressBook::Group> group; ///< a group card's group, as the file holds it
    QByteArray groupCardText; ///< a group card's text, whose other lines are written back
    QString problem; ///< why the file could not be read
    QString sameIdAs; ///< the file whose card has the same unique id, read instead of this one

    [[nodiscard]] bool isCurrent() const { return read && (!person || person->changeCount() == changeCount); }
    void take(StoreCards::ParsedCard parsed)
    {
        read = true;
        problem = std::move(parsed.problem);
        person = parsed.person ? std::make_shared<AddressBook::Person>(std::move(*parsed.person)) : nullptr;
        changeCount = person ? person->changeCount() : 0;
        categories = std::move(parsed.categories);
        group = parsed.group ? std::make_shared<const AddressBook::Group>(std::move(*parsed.group)) : nullptr;
        groupCardText = std::move(parsed.groupCardText);
    }
};

struct VdirStore::AccountState
{
    QString folder;
    QString displayName;
    FileStamp displayNameStamp;
    QHash<QString, CardState> files; ///< by file name
    /// The file of each person record and the record's change count when it matched the file: a save
    /// passes over the records that did not change without a look-up by text.
    struct RecordFile
    {
        QString fileName;
        quint64 changeCount = 0;
    };
    QHash<const AddressBook::Person*, RecordFile> recordFiles;
    QHash<QString, QString> groupFiles; ///< unique id → file name
    bool removedRecords = false; ///< the last save found records of files no longer in the book
};

namespace {

/// A file to read (by name, in an open folder, with the size the listing gave), and where what it
/// holds goes.
template <typename Card> struct ReadJob
{
    std::shared_ptr<CardFolder::FolderHandle> folder;
    QByteArray name;
    qint64 size;
    Card* card;
};

QString readDisplayName(const QString& path)
{
    QByteArray bytes;
    if (!CardFolder::read(path, bytes))
        return {};
    return QString::fromUtf8(bytes).section(u'\n', 0, 0).trimmed();
}

bool makePrivateFolder(const QString& path)
{
    if (QFileInfo(path).isDir())
        return true;
    if (!QDir().mkpath(path))
        return false;
    // Contacts are personal: a store made here is the user's alone.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

bool sameGroup(const AddressBook::Group& a, const AddressBook::Group& b)
{
    return a.name() == b.name() && a.memberIds() == b.memberIds();
}

} // namespace

VdirStore::VdirStore(QString root, const QLocale& locale)
    : m_root(std::move(root)), m_locale(locale), m_lock(m_root) { }

VdirStore::~VdirStore() = default;

QString VdirStore::accountPath(const QString& folder) const
{
    return QDir(m_root).filePath(folder);
}

bool VdirStore::open(QString* error)
{
    if (!makePrivateFolder(m_root) || !QFileInfo(m_root).isReadable()) {
        if (error)
            *error = QStringLiteral("cannot make or read %1").arg(m_root);
        return false;
    }
    m_readOnly = !m_lock.tryLock();
    if (m_readOnly) {
        qCDebug(lcStore) << "the store is read-only, held by" << m_lock.holder();
        return true;
    }
    const QString local = accountPath(LocalFolder);
    if (!QFileInfo(local).isDir()) {
        const QString name = QStringLiteral("On My Computer");
        if (!QDir().mkpath(local)
            || !CardFolder::writeAtomically(QDir(local).filePath(DisplayNameFile), name.toUtf8(), error))
            return false;
    }
    for (const QString& folder : CardFolder::subfolders(m_root)) {
        CardFolder::removeLeftovers(accountPath(folder));
        CardFolder::purgeTrash(accountPath(folder), TrashDays);
    }
    return true;
}

VdirStore::AccountState* VdirStore::state(const QString& folder)
{
    for (const auto& state : std::as_const(m_states)) {
        if (state->folder == folder)
            return state.get();
    }
    return nullptr;
}

VdirStore::Account* VdirStore::account(const QString& folder)
{
    for (Account& account : m_accounts) {
        if (account.folder == folder)
            return &account;
    }
    return nullptr;
}

void VdirStore::load()
{
    // The local account first, then the others by folder name.
    QStringList folders = CardFolder::subfolders(m_root);
    if (folders.removeAll(LocalFolder) > 0)
        folders.prepend(LocalFolder);
    QList<std::shared_ptr<AccountState>> states;
    for (const QString& folder : std::as_const(folders)) {
        std::shared_ptr<AccountState> kept;
        for (const auto& existing : std::as_const(m_states)) {
            if (existing->folder == folder)
                kept = existing;
        }
        if (!kept) {
            kept = std::make_shared<AccountState>();
            kept->folder = folder;
        }
        states.append(kept);
    }
    m_states = states;

    QList<ReadJob<CardState>> jobs;
    for (const auto& state : std::as_const(m_states)) {
        const QString folder = accountPath(state->folder);
        const QString displayNamePath = QDir(folder).filePath(DisplayNameFile);
        state->displayNameStamp = CardFolder::stampOf(displayNamePath);
        state->displayName = readDisplayName(displayNamePath);
        QList<CardFolder::FolderEntry> entries;
        CardFolder::scan(folder, entries);
        QHash<QString, CardState> files;
        files.reserve(entries.size());
        // A file unchanged since it was read, whose record was not edited, is not read again.
        for (const CardFolder::FolderEntry& entry : std::as_const(entries)) {
            CardState card = state->files.value(entry.fileName);
            if (card.stamp != entry.stamp || !card.isCurrent()) {
                card = CardState();
                card.fileName = entry.fileName;
                card.stamp = entry.stamp;
            }
            files.insert(entry.fileName, std::move(card));
        }
        state->files = std::move(files);
        const auto handle = std::make_shared<CardFolder::FolderHandle>(folder);
        for (auto it = state->files.begin(); it != state->files.end(); ++it) {
            if (!it->read)
                jobs.append({handle, QFile::encodeName(it.key()), it->stamp.size, &it.value()});
        }
    }
    // Reading and parsing the cards is most of a load: it runs on every core.
    QtConcurrent::blockingMap(jobs, [](ReadJob<CardState>& job) {
        QByteArray bytes;
        StoreCards::ParsedCard parsed;
        if (CardFolder::readAt(job.folder->descriptor(), job.name, job.size, bytes))
            parsed = StoreCards::parse(bytes);
        else
            parsed.problem = QStringLiteral("cannot be read");
        job.card->take(std::move(parsed));
    });

    m_accounts.clear();
    for (const auto& state : std::as_const(m_states)) {
        Account account{state->folder, state->displayName, std::make_shared<AddressBook::AddressBook>(m_locale)};
        buildBook(*state, account);
        m_accounts.append(account);
    }
}

void VdirStore::buildBook(AccountState& state, Account& account)
{
    // File-name order, so that which of two cards with one unique id is used never changes.
    // The hash's own entries are sorted, so no file is looked up again by its name; each keeps a
    // view of its name, so a comparison reaches the characters at once.
    struct Entry
    {
        QStringView name;
        QHash<QString, CardState>::iterator file;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(state.files.size()));
    for (auto it = state.files.begin(); it != state.files.end(); ++it)
        entries.push_back({it.key(), it});
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    state.recordFiles.clear();
    state.recordFiles.reserve(state.files.size());
    state.groupFiles.clear();
    QHash<QString, QString> personFiles; // unique id → file name
    personFiles.reserve(state.files.size());
    for (const Entry& entry : entries) {
        const QString& name = entry.file.key();
        CardState& card = entry.file.value();
        card.sameIdAs.clear();
        const QString id = card.person ? card.person->uniqueId() : card.group ? card.group->uniqueId() : QString();
        QHash<QString, QString>& files = card.person ? personFiles : state.groupFiles;
        if (id.isNull())
            continue;
        if (const QString other = files.value(id); !other.isEmpty()) {
            card.sameIdAs = other;
            continue;
        }
        files.insert(id, name);
        if (card.person) {
            account.book->addRecord(card.person);
            state.recordFiles.insert(card.person.get(), {name, card.changeCount});
        } else {
            account.book->addRecord(std::make_shared<AddressBook::Group>(*card.group));
        }
    }
}

VdirStore::Account* VdirStore::addAccount(const QString& displayName, QString* error)
{
    if (m_readOnly) {
        if (error)
            *error = QStringLiteral("the store is read-only");
        return nullptr;
    }
    const QString base = SafeFileName::make(displayName, QStringLiteral("account"));
    QString folder = base;
    for (int number = 1; QFileInfo::exists(accountPath(folder)); ++number)
        folder = base + u'-' + QString::number(number);
    if (!QDir().mkpath(accountPath(folder))
        || !CardFolder::writeAtomically(QDir(accountPath(folder)).filePath(DisplayNameFile), displayName.toUtf8(),
                                        error))
        return nullptr;
    auto created = std::make_shared<AccountState>();
    created->folder = folder;
    created->displayName = displayName;
    created->displayNameStamp = CardFolder::stampOf(QDir(accountPath(folder)).filePath(DisplayNameFile));
    m_states.append(created);
    m_accounts.append({folder, displayName, std::make_shared<AddressBook::AddressBook>(m_locale)});
    return &m_accounts.last();
}

QStringList VdirStore::skippedFiles() const
{
    QStringList skipped;
    for (const auto& state : m_states) {
        for (const CardState& card : std::as_const(state->files)) {
            const QString problem =
                card.sameIdAs.isEmpty() ? card.problem : QStringLiteral("the same UID as %1").arg(card.sameIdAs);
            if (!problem.isEmpty())
                skipped.append(state->folder + u'/' + card.fileName + QStringLiteral(": ") + problem);
        }
    }
    std::sort(skipped.begin(), skipped.end());
    return skipped;
}

// Saving ----------------------------------------------------------------------------------------

/// A card written in a save, taken into the store's index once its file has been replaced.
struct VdirStore::PendingCard
{
    AccountState* state;
    CardState card;
    QString uniqueId;
    QString path;
};

VdirStore::SaveReport VdirStore::save()
{
    SaveReport report;
    if (m_readOnly) {
        report.failures.append(QStringLiteral("the store is read-only: %1 holds it").arg(m_lock.holder()));
        return report;
    }
    CardFolder::AtomicWrites writes;
    QList<PendingCard> pending;
    for (const Account& account : std::as_const(m_accounts)) {
        if (AccountState* accountState = state(account.folder)) {
            savePeople(*accountState, account, writes, pending, report);
            saveGroups(*accountState, account, writes, pending, report);
        }
    }
    const QStringList replaced = writes.commit(&report.failures);
    const QSet<QString> done(replaced.cbegin(), replaced.cend());
    for (PendingCard& card : pending) {
        if (!done.contains(card.path))
            continue;
        // What the store wrote is not a change made by another program.
        card.card.stamp = CardFolder::stampOf(card.path);
        if (card.card.group)
            card.state->groupFiles.insert(card.uniqueId, card.card.fileName);
        else
            card.state->recordFiles.insert(card.card.person.get(), {card.card.fileName, card.card.changeCount});
        card.state->files.insert(card.card.fileName, card.card);
        ++report.written;
    }
    for (const Account& account : std::as_const(m_accounts)) {
        if (AccountState* accountState = state(account.folder))
            trashRemoved(*accountState, account, report);
    }
    return report;
}

void VdirStore::queueCard(AccountState& state, CardState card, const QString& uniqueId, QByteArrayView bytes,
                          CardFolder::AtomicWrites& writes, QList<PendingCard>& pending, SaveReport& report)
{
    if (card.fileName.isEmpty())
        card.fileName = CardFolder::newCardFileName(accountPath(state.folder), uniqueId);
    else if (!keepOtherVersion(state, card, report))
        return;
    const QString path = QDir(accountPath(state.folder)).filePath(card.fileName);
    QString error;
    if (writes.add(path, bytes, &error))
        pending.append({&state, std::move(card), uniqueId, path});
    else
        report.failures.append(path + QStringLiteral(": ") + error);
}

/// A card that another program changed since it was read here, and that was edited here too, is
/// about to be overwritten: the other program's version goes to the trash first, so that neither
/// edit is lost. False, with the failure told, when it cannot be kept; the card is then not written.
bool VdirStore::keepOtherVersion(const AccountState& state, const CardState& card, SaveReport& report)
{
    const QString folder = accountPath(state.folder);
    const CardFolder::FileStamp now = CardFolder::stampOf(QDir(folder).filePath(card.fileName));
    if (now.size < 0 || now == card.stamp)
        return true;
    QString error;
    if (CardFolder::copyToTrash(folder, card.fileName, &error))
        return true;
    report.failures.append(error);
    return false;
}

/// Whether the file still holds what the record holds: an edit undone again, or a record changed
/// and changed back, leaves its file as it is.
bool VdirStore::fileMatches(const AccountState& state, const CardState& card, const AddressBook::Person& person) const
{
    QByteArray bytes;
    if (!CardFolder::read(QDir(accountPath(state.folder)).filePath(card.fileName), bytes))
        return false;
    const StoreCards::ParsedCard parsed = StoreCards::parse(bytes);
    return parsed.person && *parsed.person == person;
}

void VdirStore::savePeople(AccountState& state, const Account& account, CardFolder::AtomicWrites& writes,
                           QList<PendingCard>& pending, SaveReport& report)
{
    qsizetype known = 0;
    for (const std::shared_ptr<AddressBook::Person>& person : account.book->people()) {
        const auto found = state.recordFiles.find(person.get());
        CardState written;
        if (found != state.recordFiles.end()) {
            ++known;
            if (found->changeCount == person->changeCount())
                continue;
            CardState& card = state.files[found->fileName];
            if (fileMatches(state, card, *person)) {
                card.changeCount = found->changeCount = person->changeCount();
                continue;
            }
            written = card;
        }
        written.read = true;
        written.person = person;
        written.changeCount = person->changeCount();
        const QByteArray bytes = StoreCards::personCard(person, written.categories);
        queueCard(state, std::move(written), person->uniqueId(), bytes, writes, pending, report);
    }
    state.removedRecords = state.recordFiles.size() != known;
}

void VdirStore::saveGroups(AccountState& state, const Account& account, CardFolder::AtomicWrites& writes,
                           QList<PendingCard>& pending, SaveReport& report)
{
    for (const std::shared_ptr<AddressBook::Group>& group : account.book->groups()) {
        const QString fileName = state.groupFiles.value(group->uniqueId());
        const CardState* card = fileName.isEmpty() ? nullptr : &state.files[fileName];
        if (card && sameGroup(*group, *card->group))
            continue;
        CardState written = card ? *card : CardState{};
        written.read = true;
        written.groupCardText = AddressBook::GroupCard::write(*group, written.groupCardText);
        written.group = std::make_shared<const AddressBook::Group>(*group);
        const QByteArray bytes = written.groupCardText;
        queueCard(state, std::move(written), group->uniqueId(), bytes, writes, pending, report);
    }
}

void VdirStore::trashRemoved(AccountState& state, const Account& account, SaveReport& report)
{
    QStringList removed;
    if (state.removedRecords) {
        for (auto it = state.recordFiles.cbegin(); it != state.recordFiles.cend(); ++it) {
            if (account.book->person(it.key()->uniqueId()).get() != it.key())
                removed.append(it->fileName);
        }
    }
    for (auto it = state.groupFiles.cbegin(); it != state.groupFiles.cend(); ++it) {
        if (!account.book->group(it.key()))
            removed.append(it.value());
    }
    for (const QString& fileName : std::as_const(removed)) {
        QString error;
        if (!CardFolder::moveToTrash(accountPath(state.folder), fileName, &error)) {
            report.failures.append(error);
            continue;
        }
        const CardState card = state.files.take(fileName);
        if (card.person)
            state.recordFiles.remove(card.person.get());
        else if (card.group)
            state.groupFiles.remove(card.group->uniqueId());
        ++report.trashed;
    }
}

// Changes by other programs ---------------------------------------------------------------------

VdirStore::Snapshot VdirStore::snapshot() const
{
    Snapshot snapshot;
    snapshot.root = m_root;
    for (const auto& state : m_states) {
        QHash<QString, FileStamp>& files = snapshot.files[state->folder];
        files.reserve(state->files.size());
        for (auto it = state->files.cbegin(); it != state->files.cend(); ++it)
            files.insert(it.key(), it->stamp);
        snapshot.displayNames.insert(state->folder, state->displayNameStamp);
    }
    return snapshot;
}

QStringList VdirStore::changesSince(const Snapshot& snapshot)
{
    QStringList changes;
    const QDir root(snapshot.root);
    const QStringList folders = CardFolder::subfolders(snapshot.root);
    for (const QString& folder : folders) {
        const auto known = snapshot.files.constFind(folder);
        if (known == snapshot.files.cend()) {
            changes.append(folder + u'/');
            continue;
        }
        const QDir dir(root.filePath(folder));
        if (CardFolder::stampOf(dir.filePath(DisplayNameFile)) != snapshot.displayNames.value(folder))
            changes.append(folder + u'/' + DisplayNameFile);
        QList<CardFolder::FolderEntry> entries;
        CardFolder::scan(dir.path(), entries);
        qsizetype seen = 0;
        for (const CardFolder::FolderEntry& entry : std::as_const(entries)) {
            const auto it = known->constFind(entry.fileName);
            if (it == known->cend() || *it != entry.stamp)
                changes.append(folder + u'/' + entry.fileName);
            if (it != known->cend())
                ++seen;
        }
        if (seen != known->size()) {
            for (auto it = known->cbegin(); it != known->cend(); ++it) {
                if (!dir.exists(it.key()))
                    changes.append(folder + u'/' + it.key());
            }
        }
    }
    for (auto it = snapshot.files.cbegin(); it != snapshot.files.cend(); ++it) {
        if (!folders.contains(it.key()))
            changes.append(it.key() + u'/');
    }
    return changes;
}

QStringList VdirStore::stillChanged(const QStringList& paths) const
{
    QStringList changed;
    for (const QString& path : paths) {
        const QString folder = path.section(u'/', 0, 0);
        const QString fileName = path.section(u'/', 1);
        const AccountState* known = const_cast<VdirStore*>(this)->state(folder);
        const QString fullPath = QDir(m_root).filePath(path);
        bool differs = false;
        if (fileName.isEmpty())
            differs = (known != nullptr) != QFileInfo(fullPath).isDir();
        else if (!known)
            differs = true;
        else if (fileName == DisplayNameFile)
            differs = CardFolder::stampOf(fullPath) != known->displayNameStamp;
        else
            differs = CardFolder::stampOf(fullPath) != known->files.value(fileName).stamp;
        if (differs)
            changed.append(path);
    }
    return changed;
}

} // namespace Quillary
