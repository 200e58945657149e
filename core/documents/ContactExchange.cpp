#include "ContactExchange.h"

#include "ContactDocument.h"
#include "ContactFileReader.h"
#include "DocumentWriting.h"
#include "UndoRegistry.h"

#include "support/CoreTr.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Quillary {

using namespace DocumentWriting;

ContactExchange::ContactExchange(ContactCollection& collection, QObject* taskParent)
    : m_collection(collection), m_taskParent(taskParent)
{ }

QString ContactExchange::exportFailedTitle()
{
    return Tr::tr("Can't save the file");
}

QString ContactExchange::exportFailedMessage(qint64 code)
{
    // The misspelling is the established text of this alert.
    return Tr::tr("Something error happned in saving operation. %1").arg(code);
}

DocumentTask* ContactExchange::finishedClearsExporting(DocumentTask* task)
{
    QObject::connect(task, &DocumentTask::finished, m_taskParent, [this] { m_exporting = false; });
    return task;
}

DocumentError ContactExchange::exportAsVCard(const QString& path, const ContactTable& contacts) const
{
    QSaveFile file(path);
    const DocumentError error = writeContacts(file, exportableContacts(contacts), m_collection.groupTable, {}, {});
    return error.isError() ? error : commit(file);
}

DocumentTask* ContactExchange::startExportAsVCard(const QString& path, const ContactTable& contacts)
{
    m_exporting = true;
    const WritingSnapshot snapshot = snapshotForWriting(exportableContacts(contacts), m_collection.groupTable);
    DocumentTask* task = startWriting(
        path,
        [snapshot](QSaveFile& file, QPromise<void>& promise) {
            return writeContacts(file, snapshot.contacts, snapshot.groups,
                                 progressOf(promise, snapshot.contacts.size(), false),
                                 [&promise] { return promise.isCanceled(); });
        },
        {}, m_taskParent);
    return finishedClearsExporting(task);
}

DocumentTask* ContactExchange::startExportAsCsv(const QString& path, const ContactTable& contacts)
{
    // One line per contact, however many rows of it were chosen.
    CsvRows rows;
    for (const ContactEntryPtr& contact : exportableContacts(contacts))
        rows.append({contact, 0});
    return startExportRowsAsCsv(path, rows);
}

DocumentTask* ContactExchange::startExportRowsAsCsv(const QString& path, const CsvRows& rows)
{
    m_exporting = true;
    // The worker writes from copies; each row goes with the copy of its contact.
    ContactTable contacts;
    for (const CsvRow& row : rows)
        contacts.append(row.contact);
    const ContactTable originals = exportableContacts(contacts);
    const ContactTable copies = snapshotForWriting(originals, {}).contacts;
    QHash<const ContactEntry*, ContactEntryPtr> copyOf;
    for (qsizetype i = 0; i < originals.size(); ++i)
        copyOf.insert(originals.at(i).get(), copies.at(i));
    CsvRows written;
    for (const CsvRow& row : rows) {
        if (const ContactEntryPtr copy = copyOf.value(row.contact.get()))
            written.append({copy, row.index, row.positions});
    }
    DocumentTask* task = startWriting(
        path, [written](QSaveFile& file, QPromise<void>& promise) { return writeCsv(file, written, promise); }, {},
        m_taskParent);
    return finishedClearsExporting(task);
}

DocumentTask* ContactExchange::startImportFromVCard(const QString& path, QByteArrayView encoding)
{
    m_exporting = true;
    m_imported.clear();
    auto imported = std::make_shared<ContactTable>();
    const qsizetype size = QFileInfo(path).size();
    const QByteArray encodingName = encoding.toByteArray();
    auto* task = new DocumentTask(
        Tr::tr("Reading: %1").arg(QFileInfo(path).fileName()),
        [imported, path, encodingName, size](QPromise<void>& promise) {
            ContactFileReader::Result result =
                ContactFileReader::read(path, encodingName, progressOf(promise, size, true));
            if (result.failure == ContactFileReader::Result::Failure::NoContact)
                return DocumentError::application(DocumentError::FileReadCorruptFile,
                                                  Tr::tr("Please make sure the file is vCard 2.1/3.0 file."));
            if (!result.ok())
                return DocumentError::application(DocumentError::FileReadNoSuchFile, result.errorString);
            // The groups of the other file mean nothing here: imported contacts join the selected group.
            for (const ContactEntryPtr& contact : std::as_const(result.contacts))
                contact->groupUniqueIds.clear();
            *imported = std::move(result.contacts);
            return DocumentError();
        },
        [this, imported] {
            m_imported = std::move(*imported);
            return DocumentError();
        },
        m_taskParent);
    return finishedClearsExporting(task);
}

void ContactExchange::importContacts(UndoRegistry& registry, const ContactTable& contacts)
{
    // A contact imported from a copy of this very file would share its card's UID with the contact
    // already here.
    for (const ContactEntryPtr& contact : contacts) {
        contact->vCardString.clear();
        contact->groupUniqueIds.clear();
    }
    m_collection.giveTakenUniqueIdsNewOnes(contacts);
    registry.undoAddContacts(contacts, m_collection.selectedGroupDict);
}

} // namespace Quillary
