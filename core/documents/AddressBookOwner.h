#pragma once

#include "AddressBookTables.h"
#include "ContactCollection.h"
#include "ContactOwner.h"
#include "SmartGroups.h"
#include "UndoRegistry.h"
#include "store/VdirStore.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <memory>

namespace Quillary {

class Preferences;

/// The owner of the user's own address book: the store on disk, the contact and group tables built
/// from it, the undo registry every edit goes through, and the count of edits since the last save.
/// Contacts are bound to their records, so an edit changes the record at once; nothing reaches the
/// disk before `saveAddressBook`, which writes only the cards that changed.
///
/// Group additions, renames and deletions are not undoable: they mark the address book dirty. A
/// second process on the same store gets it read-only. Changes made by other programs are noticed
/// and reported, never taken over silently.
class AddressBookOwner final : public QObject, public ContactOwner
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AddressBookOwner)

public:
    explicit AddressBookOwner(Preferences& preferences, QObject* parent = nullptr);
    ~AddressBookOwner() override;

    /// Opens the store in `root` (the one the settings and the environment name when empty), makes
    /// it when missing, and builds the tables. False when the folder cannot be made or read.
    bool open(const QString& root = {});
    [[nodiscard]] const QString& errorString() const { return m_errorString; }
    [[nodiscard]] QString storeRoot() const;
    [[nodiscard]] bool isReadOnly() const;
    /// Who holds the store when this process has it read-only.
    [[nodiscard]] QString lockHolder() const;
    /// The card files that could not be read ("account/file.vcf: reason"); they stay as they are.
    [[nodiscard]] QStringList skippedFiles() const;

    [[nodiscard]] ContactCollection& collection() override { return m_collection; }
    [[nodiscard]] const ContactCollection& collection() const override { return m_collection; }
    [[nodiscard]] UndoRegistry& undoRegistry() override { return m_registry; }
    [[nodiscard]] ContactExchange& exchange() override { return m_exchange; }
    void setView(ContactTableView* view) { m_registry.setView(view); }
    /// The accounts, each with its store folder and its unique name.
    [[nodiscard]] const QList<AccountName>& accounts() const { return m_accounts; }
    [[nodiscard]] VdirStore* store() const { return m_store.get(); }

    // Edited state -------------------------------------------------------------------------------
    /// Undoable edits since the last save or reload.
    [[nodiscard]] int changeCount() const;
    [[nodiscard]] bool addressBookDirty() const { return m_addressBookDirty; }
    void setAddressBookDirty(bool dirty) override;
    /// Something to save: an edit not undone, or a group change.
    [[nodiscard]] bool isModified() const override { return changeCount() != 0 || m_addressBookDirty; }
    [[nodiscard]] bool isExporting() const override { return m_exchange.isExporting(); }
    /// Edit mode; never on while another process writes the store.
    [[nodiscard]] bool editState() const override { return m_editState; }
    void setEditState(bool on) override;
    [[nodiscard]] bool isInViewingMode() const override { return isReadOnly(); }
    [[nodiscard]] bool isAddressBook() const override { return true; }

    // Saving and reloading -----------------------------------------------------------------------
    /// Writes the changes: new and edited contacts, deleted ones into the trash, groups and their
    /// members. Nothing happens when nothing is pending. A failure leaves the address book edited.
    VdirStore::SaveReport saveAddressBook();
    /// Reads the store again (only the files changed since), dropping every change; the selected
    /// group is kept when it still exists.
    void reloadAddressBook();
    /// Looks on another thread for changes other programs made to the store; `changedExternally`
    /// tells of them. The store's folders are watched, so changes that add, remove or replace files
    /// are looked for by themselves; a file rewritten in place is found by the next look.
    void checkForExternalChanges();

    // Accounts and groups ------------------------------------------------------------------------
    /// Makes a new, empty account and answers its unique name; "" when the store cannot make it.
    /// Pending changes are kept.
    QString addAccount(const QString& displayName);
    /// Makes new contacts and groups go to another account and selects its matching group; the
    /// choice is kept in the settings when `remember` is set.
    void setDefaultAccount(const QString& account, bool remember = true);
    /// Adds a group "New", "New1", ... to the default account and selects it.
    GroupEntryPtr addGroup() override;
    /// Deletes a group of the default account (never a top entry); the default account's
    /// "All Contacts" is selected then.
    bool deleteGroup(const GroupEntryPtr& group) override;
    bool renameGroup(const GroupEntryPtr& group, const QString& name) override;
    /// Groups are added to and deleted from the default account only, in edit mode.
    [[nodiscard]] bool canAddGroup() const override;
    [[nodiscard]] bool canDeleteGroup() const override;

    /// Stores a smart group, adds it to the group table with the contacts it finds, and selects it.
    GroupEntryPtr addSmartGroup(SmartGroup group);
    [[nodiscard]] const QList<SmartGroup>& smartGroups() const { return m_smartGroups; }

    /// The user's own card, by unique id; "" when none is marked.
    [[nodiscard]] QString meUniqueId() const;
    [[nodiscard]] ContactEntryPtr me() const;
    /// Marks a contact as the user's own card (none clears the mark).
    void setMe(const ContactEntryPtr& contact);

    /// "ExportingVCard" with the extension.
    [[nodiscard]] QString exportFileName(const QString& extension) const override;
    [[nodiscard]] ViewTypeDict builtInViewTypes() const override { return ViewTypes::initViewTypeDict(); }
    [[nodiscard]] Preferences::Key viewTypeKey() const override { return Preferences::Key::LastViewType; }
    [[nodiscard]] QStringList viewTypeNames(const ViewTypeDict& dict) const override
    {
        return dict.inOfferedOrder().names();
    }
    [[nodiscard]] QString viewTypeToShow(const QString& stored, const ViewTypeDict& dict) const override
    {
        return ViewTypes::resolveViewType(stored, dict);
    }
    /// Replaces the contacts of the default account that have the unique id of one of `contacts`
    /// by it, as one undo step each; answers those that matched none.
    ContactTable updateContacts(const ContactTable& contacts);

Q_SIGNALS:
    void modificationChanged(bool modified);
    void editStateChanged(bool on);
    /// The tables were built again (a reload).
    void reloaded();
    /// Other programs changed these files or accounts (paths under the store's root).
    void changedExternally(const QStringList& paths);

private:
    void buildTables();
    void selectGroupById(const QString& groupId);
    [[nodiscard]] VdirStore::Account* accountNamed(const QString& remote) const;
    [[nodiscard]] QString accountNameOfStore(const QString& store) const;
    void applyContactsToRecords();
    void applyMembershipToGroups();
    void finishSaveOrReload();
    void emitModification();
    void watchFolders();

    Preferences& m_preferences;
    std::unique_ptr<VdirStore> m_store;
    ContactCollection m_collection;
    UndoRegistry m_registry;
    QList<AccountName> m_accounts;
    QList<SmartGroup> m_smartGroups;
    ContactExchange m_exchange{m_collection, this};
    QFutureWatcher<QStringList> m_changeCheck;
    QFileSystemWatcher m_watcher;
    QTimer m_watchDelay;
    QString m_root;
    QString m_errorString;
    bool m_addressBookDirty = false;
    bool m_editState = true;
    bool m_lastModified = false;
};

} // namespace Quillary
