#pragma once

#include "ContactCollection.h"
#include "DocumentError.h"
#include "formats/CsvWriter.h"

#include <QObject>

namespace Quillary {

class DocumentTask;
class UndoRegistry;

/// The exports and the import of an owner's contacts: the selected contacts written as vCard or
/// CSV, and the contacts of a vCard file read to be chosen and added. The work runs as DocumentTasks
/// on a worker thread, from copies of the contacts; one export or import runs at a time.
class ContactExchange final
{
public:
    /// The tasks are children of `taskParent`, the owner.
    ContactExchange(ContactCollection& collection, QObject* taskParent);

    [[nodiscard]] bool isExporting() const { return m_exporting; }
    void setExporting(bool exporting) { m_exporting = exporting; }

    /// Writes contacts as vCard (with notes, photos and groups), atomically, at once.
    DocumentError exportAsVCard(const QString& path, const ContactTable& contacts) const;
    /// The same on a worker thread.
    DocumentTask* startExportAsVCard(const QString& path, const ContactTable& contacts);
    /// Writes contacts as CSV, one line each with the first value of every multi-valued field,
    /// atomically, on a worker thread. A cancelled export writes nothing.
    DocumentTask* startExportAsCsv(const QString& path, const ContactTable& contacts);
    /// Writes table rows as CSV (one line per row), atomically, on a worker thread.
    DocumentTask* startExportRowsAsCsv(const QString& path, const CsvRows& rows);
    /// Reads the contacts of a vCard file to import; `importedContacts()` holds them when it ends.
    DocumentTask* startImportFromVCard(const QString& path, QByteArrayView encoding = "auto");
    [[nodiscard]] const ContactTable& importedContacts() const { return m_imported; }
    /// Adds the chosen contacts to the selected group as one undo step. They keep no card text and no
    /// groups of the file they came from, and a unique id already taken is replaced.
    void importContacts(UndoRegistry& registry, const ContactTable& contacts);

    /// The alert of a failed export: its message text and its informative text with the error's code.
    [[nodiscard]] static QString exportFailedTitle();
    [[nodiscard]] static QString exportFailedMessage(qint64 code);

private:
    DocumentTask* finishedClearsExporting(DocumentTask* task);

    ContactCollection& m_collection;
    QObject* m_taskParent;
    ContactTable m_imported;
    bool m_exporting = false;
};

} // namespace Quillary
