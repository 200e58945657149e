#include "AddressBookOwner.h"

#include "DocumentGroups.h"
#include "Preferences.h"
#include "model/addressbook/Records.h"
#include "store/StoreLocation.h"

#include <QSet>
#include <QtConcurrent/QtConcurrentRun>

namespace Quillary {

namespace {

bool isPlainUniqueId(const QString& id)
{
    return !id.isEmpty() && id.size() <= 200
        && std::none_of(id.cbegin(), id.cend(), [](QChar c) { return c.isSpace() || c == u'/' || c.unicode() < 0x20; });
}

} // namespace

AddressBookOwner::AddressBookOwner(Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_registry(m_collection)
{
    // The records stay in the address book until a save: a deleted contact comes back as it was.
    m_registry.setSnapshotsDeletedContacts(false);
    m_collection.defaultAccount = AddressBookTables::LocalAccount;
    connect(m_registry.undoStack(), &QUndoStack::indexChanged, this, &AddressBookOwner::emitModification);
    // A sync tool writes many files at once: one look after the writing has calmed down.
    m_watchDelay.setSingleShot(true);
    m_watchDelay.setInterval(300);
    connect(&m_watchDelay, &QTimer::timeout, this, &AddressBookOwner::checkForExternalChanges);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_watchDelay, qOverload<>(&QTimer::start));
    connect(&m_changeCheck, &QFutureWatcher<QStringList>::finished, this, [this] {
        const QStringList changed = m_store ? m_store->stillChanged(m_changeCheck.result()) : QStringList();
        if (!changed.isEmpty())
            Q_EMIT changedExternally(changed);
    });
}

AddressBookOwner::~AddressBookOwner()
{
    m_changeCheck.waitForFinished();
    m_registry.setView(nullptr);
}

bool AddressBookOwner::open(const QString& root)
{
    const QString folder =
        StoreLocation::root(root.isEmpty() ? m_preferences.value(Preferences::Key::AddressBookPath).toString() : root);
    m_root = folder;
    m_store = std::make_unique<VdirStore>(folder);
    m_errorString.clear();
    if (!m_store->open(&m_errorString)) {
        // Nothing to show and nowhere to write: the window stays up, empty and read-only.
        m_store.reset();
        m_collection = ContactCollection();
        setEditState(false);
        return false;
    }
    if (m_store->isReadOnly())
        setEditState(false);
    m_smartGroups = SmartGroups::load(m_preferences);
    m_store->load();
    buildTables();
    selectGroupById(QString());
    finishSaveOrReload();
    watchFolders();
    return true;
}

QString AddressBookOwner::storeRoot() const
{
    return m_root;
}

bool AddressBookOwner::isReadOnly() const
{
    return !m_store || m_store->isReadOnly();
}

QString AddressBookOwner::lockHolder() const
{
    return m_store ? m_store->lockHolder() : QString();
}

QStringList AddressBookOwner::skippedFiles() const
{
    return m_store ? m_store->skippedFiles() : QStringList();
}

int AddressBookOwner::changeCount() const
{
    // The undo stack is emptied by every save and reload: its position counts the edits since.
    return m_registry.undoStack()->index();
}

void AddressBookOwner::setAddressBookDirty(bool dirty)
{
    m_addressBookDirty = dirty;
    emitModification();
}

void AddressBookOwner::emitModification()
{
    const bool modified = isModified();
    if (modified == m_lastModified)
        return;
    m_lastModified = modified;
    Q_EMIT modificationChanged(modified);
}

// Tables -----------------------------------------------------------------------------------------

void AddressBookOwner::buildTables()
{
    AddressBookTables::Tables tables = AddressBookTables::build(m_store->accounts(), m_smartGroups);
    m_collection.contactTable = std::move(tables.contactTable);
    m_collection.groupTable = std::move(tables.groupTable);
    m_accounts = std::move(tables.accounts);
    const QString store = m_preferences.value(Preferences::Key::DefaultAccount).toString();
    const QString stored = accountNameOfStore(store);
    m_collection.defaultAccount = stored.isEmpty() ? accountNameOfStore(VdirStore::LocalFolder) : stored;
    if (m_collection.defaultAccount.isEmpty() && !m_accounts.isEmpty())
        m_collection.defaultAccount = m_accounts.first().remote;
    const QString meId = meUniqueId();
    for (const VdirStore::Account& account : m_store->accounts())
        account.book->setMe(account.book->person(meId) ? meId : QString());
}

QString AddressBookOwner::accountNameOfStore(const QString& store) const
{
    for (const AccountName& account : m_accounts) {
        if (account.store == store)
            return account.remote;
    }
    return {};
}

VdirStore::Account* AddressBookOwner::accountNamed(const QString& remote) const
{
    for (const AccountName& account : m_accounts) {
        if (account.remote == remote)
            return m_store->account(account.store);
    }
    return nullptr;
}

void AddressBookOwner::selectGroupById(const QString& groupId)
{
    const auto find = [this](const QString& id) {
        for (const GroupEntryPtr& group : std::as_const(m_collection.groupTable)) {
            if (group->groupId == id)
                return group;
        }
        return GroupEntryPtr();
    };
    GroupEntryPtr group = groupId.isEmpty() ? GroupEntryPtr() : find(groupId);
    if (!group)
        group = find(AddressBookTables::topGroupId(m_collection.defaultAccount));
    m_collection.selectedGroupDict = group;
}

void AddressBookOwner::finishSaveOrReload()
{
    m_registry.undoStack()->clear();
    for (const ContactEntryPtr& contact : std::as_const(m_collection.contactTable))
        contact->groupChanged = false;
    for (const GroupEntryPtr& group : std::as_const(m_collection.groupTable))
        group->dirty = false;
    m_addressBookDirty = false;
    emitModification();
}

void AddressBookOwner::reloadAddressBook()
{
    if (!m_store)
        return;
    const QString selected = m_collection.selectedGroupDict ? m_collection.selectedGroupDict->groupId : QString();
    m_registry.undoStack()->clear();
    m_store->load();
    buildTables();
    selectGroupById(selected);
    finishSaveOrReload();
    watchFolders();
    Q_EMIT reloaded();
}

void AddressBookOwner::watchFolders()
{
    if (const QStringList watched = m_watcher.directories(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    QStringList folders{m_store->root()};
    for (const VdirStore::Account& account : m_store->accounts())
        folders.append(m_store->accountPath(account.folder));
    m_watcher.addPaths(folders);
}

void AddressBookOwner::checkForExternalChanges()
{
    if (!m_store || m_changeCheck.isRunning())
        return;
    m_changeCheck.setFuture(QtConcurrent::run(&VdirStore::changesSince, m_store->snapshot()));
}

// Saving -----------------------------------------------------------------------------------------

VdirStore::SaveReport AddressBookOwner::saveAddressBook()
{
    if (!m_store || !isModified())
        return {};
    applyContactsToRecords();
    applyMembershipToGroups();
    const VdirStore::SaveReport report = m_store->save();
    if (report.ok()) {
        finishSaveOrReload();
    } else {
        // What could not be written is still to be saved: the next save tries it again.
        setAddressBookDirty(true);
    }
    return report;
}

void AddressBookOwner::applyContactsToRecords()
{
    QHash<QString, VdirStore::Account*> accounts;
    for (const AccountName& name : std::as_const(m_accounts))
        accounts.insert(name.remote, m_store->account(name.store));
    VdirStore::Account* defaultAccount = accounts.value(m_collection.defaultAccount);
    bool deletions = false;
    for (const ContactEntryPtr& contact : std::as_const(m_collection.contactTable)) {
        PersonDsc& person = *contact->person;
        if (person.isBound() && !contact->deleted)
            continue;
        VdirStore::Account* account = accounts.value(contact->remote, defaultAccount);
        if (!account)
            continue;
        if (contact->deleted) {
            // The undo steps that could bring it back are dropped with this save.
            deletions = true;
            if (person.isBound())
                account->book->removeRecord(account->book->person(person.abPerson()->uniqueId()));
            continue;
        }
        // A new contact (added, imported, duplicated) becomes a record of its account.
        auto record = std::make_shared<AddressBook::Person>(person.toRecord());
        // An imported card keeps its UID, which sync tools know it by; contacts made here (whose ids
        // begin with a date and a blank) and ids taken already get a plain new one.
        while (!isPlainUniqueId(record->uniqueId()) || account->book->person(record->uniqueId()))
            record->setUniqueId(AddressBook::newUniqueId());
        account->book->addRecord(record);
        person.setUniqueId(record->uniqueId());
        person.setAbPerson(record);
        contact->uniqueId = record->uniqueId();
        contact->remote = accountNameOfStore(account->folder);
    }
    if (deletions)
        m_collection.contactTable.removeIf([](const ContactEntryPtr& contact) { return contact->deleted; });
}

void AddressBookOwner::applyMembershipToGroups()
{
    const bool changed = std::any_of(m_collection.contactTable.cbegin(), m_collection.contactTable.cend(),
                                     [](const ContactEntryPtr& contact) { return contact->groupChanged; });
    if (!changed)
        return;
    for (const AccountName& name : std::as_const(m_accounts)) {
        VdirStore::Account* account = m_store->account(name.store);
        if (!account)
            continue;
        // The members each group should have, in table order.
        QHash<QString, QStringList> wanted;
        for (const ContactEntryPtr& contact : std::as_const(m_collection.contactTable)) {
            if (contact->remote != name.remote)
                continue;
            for (const QString& groupId : std::as_const(contact->groupUniqueIds))
                wanted[groupId].append(contact->uniqueId);
        }
        for (const auto& group : account->book->groups()) {
            const QStringList want = wanted.value(group->uniqueId());
            const QSet<QString> wantSet(want.cbegin(), want.cend());
            // Members kept in their order; ids of cards not read (skipped files) stay members.
            QStringList members;
            for (const QString& member : group->memberIds()) {
                if (wantSet.contains(member) || !account->book->person(member))
                    members.append(member);
            }
            const QSet<QString> present(members.cbegin(), members.cend());
            for (const QString& member : want) {
                if (!present.contains(member))
                    members.append(member);
            }
            if (members != group->memberIds())
                group->setMemberIds(members);
        }
    }
}

// Accounts and groups ------------------------------------------------------------------------------

QString AddressBookOwner::addAccount(const QString& displayName)
{
    const VdirStore::Account* account = m_store ? m_store->addAccount(displayName, &m_errorString) : nullptr;
    if (!account)
        return {};
    const QString folder = account->folder;
    m_accounts = AddressBookTables::accountNames(m_store->accounts());
    const QString name = accountNameOfStore(folder);
    watchFolders();
    const GroupEntryPtr top = AddressBookTables::topEntry({folder, name});
    m_collection.groupTable.append(top);
    AddressBookTables::sortGroupTable(m_collection.groupTable, m_accounts);
    return name;
}

void AddressBookOwner::setDefaultAccount(const QString& account, bool remember)
{
    const auto named = std::find_if(m_accounts.cbegin(), m_accounts.cend(),
                                    [&](const AccountName& name) { return name.remote == account; });
    if (named == m_accounts.cend())
        return;
    m_collection.defaultAccount = account;
    if (remember)
        m_preferences.setValue(Preferences::Key::DefaultAccount, named->store);
    const GroupEntryPtr selected = m_collection.selectedGroupDict;
    if (selected && selected->remote == account)
        return;
    // The group of the same name in the new account, else its "All Contacts", else the local one's.
    const auto find = [this](const std::function<bool(const GroupEntry&)>& wanted) {
        for (const GroupEntryPtr& group : std::as_const(m_collection.groupTable)) {
            if (wanted(*group))
                return group;
        }
        return GroupEntryPtr();
    };
    GroupEntryPtr next;
    if (selected)
        next = find([&](const GroupEntry& g) { return g.remote == account && g.groupName == selected->groupName; });
    if (!next)
        next = find([&](const GroupEntry& g) { return g.remote == account && g.top; });
    if (!next)
        next = find([](const GroupEntry& g) { return g.remote == AddressBookTables::LocalAccount && g.top; });
    m_collection.selectedGroupDict = next;
}

bool AddressBookOwner::canAddGroup() const
{
    const GroupEntryPtr& selected = m_collection.selectedGroupDict;
    return m_editState && !isReadOnly() && selected && selected->remote == m_collection.defaultAccount;
}

void AddressBookOwner::setEditState(bool on)
{
    on = on && !isReadOnly();
    if (m_editState == on)
        return;
    m_editState = on;
    Q_EMIT editStateChanged(on);
}

bool AddressBookOwner::canDeleteGroup() const
{
    return canAddGroup() && !m_collection.selectedGroupDict->top;
}

GroupEntryPtr AddressBookOwner::addGroup()
{
    VdirStore::Account* account = accountNamed(m_collection.defaultAccount);
    if (!account)
        return {};
    auto record = std::make_shared<AddressBook::Group>();
    auto entry = std::make_shared<GroupEntry>();
    entry->groupName = DocumentGroups::newGroupName(m_collection.groupTable);
    entry->groupId = QStringLiteral("%1 (%2)").arg(entry->groupName, m_collection.defaultAccount);
    entry->remote = m_collection.defaultAccount;
    entry->store = account->folder;
    entry->uniqueId = record->uniqueId();
    entry->dirty = true;
    record->setName(entry->groupName);
    account->book->addRecord(record);
    m_collection.groupTable.append(entry);
    m_collection.selectedGroupDict = entry;
    setAddressBookDirty(true);
    return entry;
}

bool AddressBookOwner::deleteGroup(const GroupEntryPtr& group)
{
    if (!group || group->top || group->smartGroup || group->remote != m_collection.defaultAccount)
        return false;
    if (VdirStore::Account* account = accountNamed(group->remote))
        account->book->removeRecord(account->book->group(group->uniqueId));
    m_collection.groupTable.removeOne(group);
    selectGroupById(AddressBookTables::topGroupId(m_collection.defaultAccount));
    setAddressBookDirty(true);
    return true;
}

bool AddressBookOwner::renameGroup(const GroupEntryPtr& group, const QString& name)
{
    if (!group || group->smartGroup || !DocumentGroups::renameGroup(group, name))
        return false;
    if (VdirStore::Account* account = accountNamed(group->remote)) {
        if (const auto record = account->book->group(group->uniqueId))
            record->setName(name);
    }
    setAddressBookDirty(true);
    return true;
}

GroupEntryPtr AddressBookOwner::addSmartGroup(SmartGroup group)
{
    if (group.uniqueId.isEmpty())
        group.uniqueId = AddressBook::newUniqueId();
    m_smartGroups.append(group);
    SmartGroups::save(m_preferences, m_smartGroups);
    GroupEntryPtr entry = AddressBookTables::smartGroupEntry(group, m_collection.contactTable);
    m_collection.groupTable.append(entry);
    AddressBookTables::sortGroupTable(m_collection.groupTable, m_accounts);
    m_collection.selectedGroupDict = entry;
    return entry;
}

// Me -----------------------------------------------------------------------------------------------

QString AddressBookOwner::meUniqueId() const
{
    return m_preferences.myCardUniqueId();
}

ContactEntryPtr AddressBookOwner::me() const
{
    const QString id = meUniqueId();
    return id.isEmpty() ? ContactEntryPtr() : m_collection.contact(id);
}

void AddressBookOwner::setMe(const ContactEntryPtr& contact)
{
    const QString id = contact ? contact->uniqueId : QString();
    m_preferences.setMyCardUniqueId(id);
    if (!m_store)
        return;
    for (const VdirStore::Account& account : m_store->accounts())
        account.book->setMe(account.book->person(id) ? id : QString());
}

// Import and export --------------------------------------------------------------------------------

QString AddressBookOwner::exportFileName(const QString& extension) const
{
    return QStringLiteral("ExportingVCard.") + extension;
}

ContactTable AddressBookOwner::updateContacts(const ContactTable& contacts)
{
    QHash<QString, ContactEntryPtr> present;
    for (const ContactEntryPtr& contact : std::as_const(m_collection.contactTable)) {
        if (!contact->deleted && contact->remote == m_collection.defaultAccount)
            present.insert(contact->uniqueId, contact);
    }
    ContactTable unmatched;
    QList<std::shared_ptr<PersonDsc>> people;
    ContactTable targets;
    for (const ContactEntryPtr& contact : contacts) {
        if (const ContactEntryPtr target = present.value(contact->uniqueId)) {
            people.append(contact->person);
            targets.append(target);
        } else {
            unmatched.append(contact);
        }
    }
    m_registry.undoReplacePersonByContacts(people, targets);
    return unmatched;
}

} // namespace Quillary
