#pragma once

#include "ContactCollection.h"
#include "ContactExchange.h"
#include "ContactOwner.h"
#include "DocumentError.h"
#include "DocumentTask.h"
#include "UndoRegistry.h"
#include "formats/ZQVCard.h"

#include <QObject>
#include <QTimer>

class QSaveFile;

namespace Quillary {

/// One open contact file, a vCard or a CSV file: its contacts and groups, reading and writing them,
/// exports and imports, the undo registry every edit goes through, edit mode and the edited mark.
/// CSV documents are read-only: they can be looked at and exported, never saved as CSV. Long work
/// runs as DocumentTasks on a worker thread; everything else on the main thread.
class ContactDocument final : public QObject, public ContactOwner
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactDocument)

public:
    enum class Type { VCard, Csv };

    /// Reads of this many characters or more run on a worker thread.
    static constexpr qsizetype BackgroundReadThreshold = 200000;

    /// A new, empty vCard document.
    explicit ContactDocument(QObject* parent = nullptr);
    ~ContactDocument() override;

    static Type typeForPath(const QString& path);

    [[nodiscard]] Type type() const { return m_type; }
    [[nodiscard]] bool isCsv() const { return m_type == Type::Csv; }
    [[nodiscard]] bool isInViewingMode() const override { return isCsv(); }
    [[nodiscard]] const QString& filePath() const { return m_filePath; }
    /// The encoding the file was read in.
    [[nodiscard]] const QByteArray& encoding() const { return m_encoding; }
    [[nodiscard]] QString displayName() const;

    [[nodiscard]] ContactCollection& collection() override { return m_collection; }
    [[nodiscard]] const ContactCollection& collection() const override { return m_collection; }
    [[nodiscard]] UndoRegistry& undoRegistry() override { return m_registry; }
    /// The contacts table of the document's window; refreshes and selection go through it.
    void setView(ContactTableView* view) { m_registry.setView(view); }
    [[nodiscard]] ContactTableView* view() const { return m_registry.view(); }

    /// Changes not yet written: the edited mark.
    [[nodiscard]] bool isModified() const override;
    [[nodiscard]] bool addressBookDirty() const { return m_addressBookDirty; }
    void setAddressBookDirty(bool dirty) override;
    [[nodiscard]] bool isExporting() const override { return m_exchange.isExporting(); }
    [[nodiscard]] bool editState() const override { return m_editState; }
    /// Edit mode; a CSV document always stays in viewing mode.
    void setEditState(bool on) override;
    void forceEditMode() { setEditState(true); }

    // Reading ------------------------------------------------------------------------------------
    /// Reads a file at once. `encoding` is an encoding name, or "auto" to detect it.
    DocumentError read(const QString& path, QByteArrayView encoding = "auto");
    /// Reads a file on a worker thread; the document takes the contacts when the task finishes.
    /// A cancelled read leaves the document as it was.
    DocumentTask* startRead(const QString& path, QByteArrayView encoding = "auto");
    /// What the user should know about the file last read (a CSV file without a header line), with
    /// its details; empty when nothing.
    [[nodiscard]] const QString& readWarning() const { return m_readWarning; }
    [[nodiscard]] const QString& readWarningDetails() const { return m_readWarningDetails; }
    /// Whether a file is large enough to be read on a worker thread.
    [[nodiscard]] static bool wantsBackgroundRead(const QString& path);
    /// Reads the file again, keeping the selected group and the selected contacts.
    DocumentError revert();

    // Writing ------------------------------------------------------------------------------------
    /// The vCard stream of the contacts that are not deleted, with their notes, photos and groups;
    /// empty with error 512 when there is nothing to write or the document is CSV.
    [[nodiscard]] QByteArray dataOfType(DocumentError* error = nullptr,
                                        const ZQVCard::ProgressHandler& progress = {}) const;
    /// Saves to a file (the document's own when empty) atomically, at once. A background autosave
    /// ends first, so that its older copy cannot replace this save.
    DocumentError save(const QString& path = {});
    /// Saves on a worker thread; a cancelled or failed save leaves the file as it was.
    DocumentTask* startSave(const QString& path = {});
    /// Writes a vCard document in place after edits, at once; nothing for CSV or unsaved documents.
    void autosave();
    /// The same on a worker thread, from a copy of the contacts taken now, so that the window does
    /// not wait and can be edited meanwhile. What the timer runs after edits.
    void autosaveInBackground();
    /// Whether a background autosave is writing.
    [[nodiscard]] bool isAutosaving() const { return m_autosaveTask != nullptr; }
    /// How long after the last edit the document autosaves (0 turns autosaving off).
    void setAutosaveDelay(int milliseconds);

    // Export and import --------------------------------------------------------------------------
    /// The exports and the import of the document's contacts.
    [[nodiscard]] ContactExchange& exchange() override { return m_exchange; }
    DocumentError exportAsVCard(const QString& path, const ContactTable& contacts) const
    {
        return m_exchange.exportAsVCard(path, contacts);
    }
    DocumentTask* startExportAsVCard(const QString& path, const ContactTable& contacts)
    {
        return m_exchange.startExportAsVCard(path, contacts);
    }
    DocumentTask* startExportAsCsv(const QString& path, const ContactTable& contacts)
    {
        return m_exchange.startExportAsCsv(path, contacts);
    }
    DocumentTask* startExportRowsAsCsv(const QString& path, const CsvRows& rows)
    {
        return m_exchange.startExportRowsAsCsv(path, rows);
    }
    DocumentTask* startImportFromVCard(const QString& path, QByteArrayView encoding = "auto")
    {
        return m_exchange.startImportFromVCard(path, encoding);
    }
    [[nodiscard]] const ContactTable& importedContacts() const { return m_exchange.importedContacts(); }

    // The owner's choices ------------------------------------------------------------------------
    /// The document's name with the extension.
    [[nodiscard]] QString exportFileName(const QString& extension) const override;
    [[nodiscard]] bool exportsCsv() const override { return !isCsv(); }
    [[nodiscard]] ViewTypeDict builtInViewTypes() const override { return ViewTypes::documentViewTypes(); }
    [[nodiscard]] Preferences::Key viewTypeKey() const override { return Preferences::Key::SelectedViewType; }
    /// A document offers no "Default" view type, which belongs to the address-book window.
    [[nodiscard]] QStringList viewTypeNames(const ViewTypeDict& dict) const override
    {
        return ViewTypes::documentViewTypeNames(dict);
    }
    [[nodiscard]] QString viewTypeToShow(const QString& stored, const ViewTypeDict& dict) const override
    {
        return ViewTypes::resolveDocumentViewType(stored, dict);
    }
    /// Groups are added and deleted in edit mode; a group of another account is never deleted.
    [[nodiscard]] bool canAddGroup() const override { return m_editState; }
    [[nodiscard]] bool canDeleteGroup() const override;
    GroupEntryPtr addGroup() override;
    bool deleteGroup(const GroupEntryPtr& group) override;
    bool renameGroup(const GroupEntryPtr& group, const QString& name) override;

    [[nodiscard]] static QString noCardMessage();
    [[nodiscard]] static QString noCsvContactMessage();
    [[nodiscard]] static QString saveFailedMessage();

Q_SIGNALS:
    void modificationChanged(bool modified);
    void editStateChanged(bool on);
    /// The contacts or groups were replaced (a read or a revert).
    void reloaded();

private:
    struct ReadOutcome;
    DocumentError readInto(ReadOutcome& outcome, const QString& path, QByteArrayView encoding,
                           const ZQVCard::ProgressHandler& progress) const;
    DocumentError adopt(ReadOutcome& outcome);
    /// Lets a background autosave finish, its completion included.
    void waitForAutosave();
    void didSave(const QString& path);
    void scheduleAutosave();

    ContactCollection m_collection;
    UndoRegistry m_registry;
    Type m_type = Type::VCard;
    QString m_filePath;
    QByteArray m_encoding;
    QString m_readWarning;
    QString m_readWarningDetails;
    ContactExchange m_exchange{m_collection, this};
    QTimer m_autosaveTimer;
    DocumentTask* m_autosaveTask = nullptr;
    int m_groupChanges = 0; ///< counts changes of groups, so an autosave knows whether it saw them all
    bool m_addressBookDirty = false;
    bool m_editState = true;
};

} // namespace Quillary
