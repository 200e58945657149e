#pragma once

#include "ContactCollection.h"
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
class ContactDocument final : public QObject
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
    [[nodiscard]] bool isInViewingMode() const { return isCsv(); }
    [[nodiscard]] const QString& filePath() const { return m_filePath; }
    /// The encoding the file was read in.
    [[nodiscard]] const QByteArray& encoding() const { return m_encoding; }
    [[nodiscard]] QString displayName() const;

    [[nodiscard]] ContactCollection& collection() { return m_collection; }
    [[nodiscard]] const ContactCollection& collection() const { return m_collection; }
    [[nodiscard]] UndoRegistry& undoRegistry() { return m_registry; }
    [[nodiscard]] QUndoStack* undoStack() { return m_registry.undoStack(); }
    /// The contacts table of the document's window; refreshes and selection go through it.
    void setView(ContactTableView* view) { m_registry.setView(view); }
    [[nodiscard]] ContactTableView* view() const { return m_registry.view(); }

    /// Changes not yet written: the edited mark.
    [[nodiscard]] bool isModified() const;
    [[nodiscard]] bool addressBookDirty() const { return m_addressBookDirty; }
    void setAddressBookDirty(bool dirty);
    [[nodiscard]] bool isExporting() const { return m_exporting; }
    void setExporting(bool exporting) { m_exporting = exporting; }
    [[nodiscard]] bool editState() const { return m_editState; }
    /// Edit mode; a CSV document always stays in viewing mode.
    void setEditState(bool on);
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
    /// Writes contacts as vCard (with notes, photos and groups), atomically, at once.
    DocumentError exportAsVCard(const QString& path, const ContactTable& contacts) const;
    /// The same on a worker thread.
    DocumentTask* startExportAsVCard(const QString& path, const ContactTable& contacts);
    /// Writes contacts as CSV, one line each with the first value of every multi-valued field,
    /// atomically, on a worker thread. A cancelled export writes nothing.
    DocumentTask* startExportAsCsv(const QString& path, const ContactTable& contacts);
    /// Writes table rows as CSV, a line each with the values of its position, in the same way.
    DocumentTask* startExportRowsAsCsv(const QString& path, const CsvRows& rows);
    /// Reads the contacts of a vCard file to import; `importedContacts()` holds them when it ends.
    DocumentTask* startImportFromVCard(const QString& path, QByteArrayView encoding = "auto");
    [[nodiscard]] const ContactTable& importedContacts() const { return m_imported; }
    /// Adds the chosen contacts to the selected group as one undo step.
    void importContacts(const ContactTable& contacts);

    [[nodiscard]] static QString noCardMessage();
    [[nodiscard]] static QString noCsvContactMessage();
    [[nodiscard]] static QString saveFailedMessage();
    /// The alert of a failed export: its message text and its informative text with the error's code.
    [[nodiscard]] static QString exportFailedTitle();
    [[nodiscard]] static QString exportFailedMessage(qint64 code);

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
    /// Writes a file on a worker thread; it replaces the old file only when the task ends without
    /// having been cancelled, on the main thread, and then `committed` runs.
    using FileWriter = std::function<DocumentError(QSaveFile& file, QPromise<void>& promise)>;
    DocumentTask* startWriting(const QString& path, const FileWriter& write,
                               const std::function<void()>& committed = {});
    void scheduleAutosave();

    ContactCollection m_collection;
    UndoRegistry m_registry;
    Type m_type = Type::VCard;
    QString m_filePath;
    QByteArray m_encoding;
    QString m_readWarning;
    QString m_readWarningDetails;
    ContactTable m_imported;
    QTimer m_autosaveTimer;
    DocumentTask* m_autosaveTask = nullptr;
    int m_groupChanges = 0; ///< counts changes of groups, so an autosave knows whether it saw them all
    bool m_addressBookDirty = false;
    bool m_exporting = false;
    bool m_editState = true;
};

} // namespace Quillary
