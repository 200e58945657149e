#include "ContactDocument.h"

#include "ContactFileReader.h"
#include "formats/ZQVCard.h"
#include "model/addressbook/Records.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>

Q_LOGGING_CATEGORY(lcDocument, "quillary.core.documents")

namespace Quillary {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Core)
};

constexpr int DefaultAutosaveDelay = 3000;

GroupEntryPtr makeTopGroup(const ContactTable& contacts)
{
    auto top = std::make_shared<GroupEntry>();
    top->top = true;
    top->groupName = Tr::tr("All Contacts");
    top->groupId = GroupText::AllContacts;
    top->uniqueId = GroupText::AllUniqueId;
    top->remote = GroupText::VCardAccount;
    top->containerName = GroupText::VCardAccount;
    top->contactTable = contacts;
    return top;
}

/// Writes contacts as a vCard stream into a save file, the cards as they are made. Nothing replaces
/// the old file here: the caller commits the save file once all went well.
DocumentError writeContacts(QSaveFile& file, const ContactTable& contacts, const GroupTable& groupTable,
                            const ZQVCard::ProgressHandler& progress, const std::function<bool()>& cancelled)
{
    if (!file.open(QIODevice::WriteOnly))
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    const qint64 written =
        ZQVCard().writeVCards(file, contacts, {WriteOption::Note, WriteOption::Photo}, groupTable, progress);
    const bool stopped = cancelled && cancelled();
    if (written <= 0 || stopped) {
        file.cancelWriting();
        if (stopped)
            return DocumentError::application(DocumentError::UserCancelled, QString());
        if (written == 0)
            return DocumentError::application(DocumentError::SaveProducedNothing, ContactDocument::saveFailedMessage());
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    }
    return {};
}

/// Writes table rows as CSV into a save file, a batch of lines at a time so that the export can
/// report progress and stop. The caller commits.
DocumentError writeCsv(QSaveFile& file, const CsvRows& rows, QPromise<void>& promise)
{
    constexpr qsizetype Batch = 2000;
    if (!file.open(QIODevice::WriteOnly))
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    // Every batch comes with the header line; only the first one is kept.
    const QByteArray header = CsvWriter::headerLine().toUtf8();
    bool written = file.write(header) == header.size();
    for (qsizetype start = 0; written && start < rows.size() && !promise.isCanceled(); start += Batch) {
        const QByteArray lines = CsvWriter::csvFromSubContacts(rows.mid(start, Batch)).sliced(header.size());
        written = file.write(lines) == lines.size();
        promise.setProgressValue(int(qMin(rows.size(), start + Batch) * 100 / rows.size()));
    }
    if (promise.isCanceled() || !written) {
        file.cancelWriting();
        return promise.isCanceled() ? DocumentError::application(DocumentError::UserCancelled, QString())
                                    : DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    }
    return {};
}

DocumentError commit(QSaveFile& file)
{
    if (!file.commit())
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    return {};
}

/// What an export writes: each contact once, deleted ones left out.
ContactTable exportableContacts(const ContactTable& contacts)
{
    ContactTable result;
    result.reserve(contacts.size());
    QSet<const ContactEntry*> seen;
    for (const ContactEntryPtr& contact : contacts) {
        if (contact && !contact->deleted && !seen.contains(contact.get())) {
            seen.insert(contact.get());
            result.append(contact);
        }
    }
    return result;
}

/// Contacts and groups as they are now, for writing on a worker thread while the document goes on
/// being read and edited: the worker gets descriptors and records of its own, sharing their texts.
struct WritingSnapshot
{
    ContactTable contacts;
    GroupTable groups;
};

WritingSnapshot snapshotForWriting(const ContactTable& contacts, const GroupTable& groupTable)
{
    WritingSnapshot snapshot;
    snapshot.contacts.reserve(contacts.size());
    for (const ContactEntryPtr& contact : contacts) {
        auto copy = std::make_shared<ContactEntry>(*contact);
        if (contact->person)
            copy->person = std::make_shared<PersonDsc>(contact->person->independentCopy());
        snapshot.contacts.append(std::move(copy));
    }
    snapshot.groups.reserve(groupTable.size());
    for (const GroupEntryPtr& group : groupTable) {
        auto copy = std::make_shared<GroupEntry>(*group);
        copy->contactTable.clear();
        snapshot.groups.append(std::move(copy));
    }
    return snapshot;
}

/// Progress of a conversion as a percentage of its length.
ZQVCard::ProgressHandler progressOf(QPromise<void>& promise, qsizetype total, bool stoppable)
{
    return [&promise, total, stoppable](bool& stop, qsizetype position) {
        if (total > 0)
            promise.setProgressValue(int(qMin<qsizetype>(100, position * 100 / total)));
        if (stoppable && promise.isCanceled())
            stop = true;
    };
}

} // namespace

struct ContactDocument::ReadOutcome
{
    Type type = Type::VCard;
    QString path;
    ContactTable contacts;
    GroupTable groupTable;
    QByteArray encoding;
    QString warning;
    QString warningDetails;
};

ContactDocument::ContactDocument(QObject* parent) : QObject(parent), m_registry(m_collection)
{
    m_collection.groupTable = {makeTopGroup({})};
    m_collection.selectedGroupDict = m_collection.groupTable.first();
    connect(undoStack(), &QUndoStack::cleanChanged, this, [this] { Q_EMIT modificationChanged(isModified()); });
    connect(&m_registry, &UndoRegistry::contactsChanged, this, &ContactDocument::scheduleAutosave);
    m_autosaveTimer.setSingleShot(true);
    m_autosaveTimer.setInterval(DefaultAutosaveDelay);
    connect(&m_autosaveTimer, &QTimer::timeout, this, &ContactDocument::autosaveInBackground);
}

ContactDocument::~ContactDocument()
{
    // Work still running reads the contacts: it must end before they go.
    qDeleteAll(findChildren<DocumentTask*>(Qt::FindDirectChildrenOnly));
    // The undo stack is cleared as it is destroyed, after the autosave timer; nothing here may hear it.
    m_registry.disconnect(this);
    undoStack()->disconnect(this);
}

ContactDocument::Type ContactDocument::typeForPath(const QString& path)
{
    return QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0 ? Type::Csv : Type::VCard;
}

QString ContactDocument::displayName() const
{
    return m_filePath.isEmpty() ? Tr::tr("Untitled") : QFileInfo(m_filePath).fileName();
}

QString ContactDocument::noCardMessage()
{
    return ContactFileReader::noCardMessage();
}

QString ContactDocument::noCsvContactMessage()
{
    return Tr::tr("Please make sure the file is a valid CSV file, or text encoding.");
}

QString ContactDocument::saveFailedMessage()
{
    return Tr::tr("Something error happened in saving operation.");
}

QString ContactDocument::exportFailedTitle()
{
    return Tr::tr("Can't save the file");
}

QString ContactDocument::exportFailedMessage(qint64 code)
{
    // The misspelling is the established text of this alert.
    return Tr::tr("Something error happned in saving operation. %1").arg(code);
}

bool ContactDocument::isModified() const
{
    return !m_registry.undoStack()->isClean() || m_addressBookDirty;
}

void ContactDocument::setAddressBookDirty(bool dirty)
{
    if (dirty)
        ++m_groupChanges;
    if (m_addressBookDirty == dirty)
        return;
    m_addressBookDirty = dirty;
    Q_EMIT modificationChanged(isModified());
    if (dirty)
        scheduleAutosave();
}

void ContactDocument::setEditState(bool on)
{
    on = on && !isCsv();
    if (m_editState == on)
        return;
    m_editState = on;
    Q_EMIT editStateChanged(on);
}

// Reading ---------------------------------------------------------------------------------------

DocumentError ContactDocument::readInto(ReadOutcome& outcome, const QString& path, QByteArrayView encoding,
                                        const ZQVCard::ProgressHandler& progress) const
{
    outcome.type = typeForPath(path);
    outcome.path = path;
    ContactFileReader::Result result = ContactFileReader::read(path, encoding, progress);
    using Failure = ContactFileReader::Result::Failure;
    switch (result.failure) {
    case Failure::None:
        break;
    case Failure::Open:
        return DocumentError::application(DocumentError::FileReadNoSuchFile, result.errorString);
    case Failure::Decode:
        return DocumentError::application(DocumentError::FileReadInapplicableEncoding, result.errorString);
    case Failure::NoContact:
        return DocumentError::application(DocumentError::FileReadCorruptFile,
                                          outcome.type == Type::Csv ? noCsvContactMessage() : noCardMessage());
    }
    outcome.contacts = std::move(result.contacts);
    outcome.encoding = result.encoding;
    outcome.warning = result.warning;
    outcome.warningDetails = result.informativeText;
    outcome.groupTable = outcome.type == Type::Csv || result.groupTable.isEmpty()
        ? GroupTable{makeTopGroup(outcome.contacts)}
        : std::move(result.groupTable);
    return {};
}

DocumentError ContactDocument::adopt(ReadOutcome& outcome)
{
    m_collection.contactTable = std::move(outcome.contacts);
    m_collection.groupTable = std::move(outcome.groupTable);
    m_collection.selectedGroupDict = m_collection.groupTable.first();
    m_collection.selectedLabels = {QStringLiteral("All")};
    m_collection.defaultAccount = GroupText::VCardAccount;
    m_type = outcome.type;
    m_filePath = outcome.path;
    m_encoding = outcome.encoding;
    m_readWarning = outcome.warning;
    m_readWarningDetails = outcome.warningDetails;
    undoStack()->clear();
    undoStack()->setClean();
    m_addressBookDirty = false;
    if (isCsv())
        setEditState(false);
    Q_EMIT reloaded();
    Q_EMIT modificationChanged(false);
    return {};
}

DocumentError ContactDocument::read(const QString& path, QByteArrayView encoding)
{
    ReadOutcome outcome;
    const DocumentError error = readInto(outcome, path, encoding, {});
    return error.isError() ? error : adopt(outcome);
}

bool ContactDocument::wantsBackgroundRead(const QString& path)
{
    return QFileInfo(path).size() >= BackgroundReadThreshold;
}

DocumentTask* ContactDocument::startRead(const QString& path, QByteArrayView encoding)
{
    auto outcome = std::make_shared<ReadOutcome>();
    const qsizetype size = QFileInfo(path).size();
    const QByteArray encodingName = encoding.toByteArray();
    return new DocumentTask(
        Tr::tr("Reading: %1").arg(QFileInfo(path).fileName()),
        [this, outcome, path, encodingName, size](QPromise<void>& promise) {
            return readInto(*outcome, path, encodingName, progressOf(promise, size, true));
        },
        [this, outcome] { return adopt(*outcome); }, this);
}

DocumentError ContactDocument::revert()
{
    if (m_filePath.isEmpty())
        return DocumentError::application(DocumentError::FileReadNoSuchFile, Tr::tr("The document has no file."));
    const QString groupId = m_collection.selectedGroupDict ? m_collection.selectedGroupDict->groupId : QString();
    const QStringList selected =
        view() && !m_collection.contactTable.isEmpty() ? view()->uniqueIdsOfSelectedContacts() : QStringList();
    const DocumentError error = read(m_filePath, m_encoding.isEmpty() ? QByteArrayView("auto") : m_encoding);
    if (error.isError())
        return error;
    for (const GroupEntryPtr& group : std::as_const(m_collection.groupTable)) {
        if (group->groupId == groupId)
            m_collection.selectedGroupDict = group;
    }
    if (view()) {
        if (selected.isEmpty())
            view()->updateTable();
        else
            view()->updateTableThenSelectByUniquIds(selected);
    }
    return {};
}

// Writing ---------------------------------------------------------------------------------------

QByteArray ContactDocument::dataOfType(DocumentError* error, const ZQVCard::ProgressHandler& progress) const
{
    QByteArray data;
    if (!isCsv()) {
        data = ZQVCard().vCardsFromContacts(m_collection.liveContacts(), {WriteOption::Note, WriteOption::Photo},
                                            m_collection.groupTable, progress);
    }
    if (data.isEmpty() && error)
        *error = DocumentError::application(DocumentError::SaveProducedNothing, saveFailedMessage());
    return data;
}

DocumentError ContactDocument::save(const QString& path)
{
    const QString target = path.isEmpty() ? m_filePath : path;
    if (isCsv())
        return DocumentError::application(DocumentError::SaveProducedNothing, saveFailedMessage());
    waitForAutosave();
    QSaveFile file(target);
    DocumentError error = writeContacts(file, m_collection.liveContacts(), m_collection.groupTable, {}, {});
    if (!error.isError())
        error = commit(file);
    if (error.isError())
        return error;
    didSave(target);
    return {};
}

void ContactDocument::didSave(const QString& path)
{
    m_filePath = path;
    m_encoding = QByteArrayLiteral("UTF-8");
    undoStack()->setClean();
    setAddressBookDirty(false);
}

DocumentTask* ContactDocument::startWriting(const QString& path, const FileWriter& write,
                                            const std::function<void()>& committed)
{
    // The worker only borrows the save file; the task's completion owns it, and with it goes the
    // unfinished file of a task that failed or was cancelled.
    auto file = std::make_shared<QSaveFile>(path);
    const std::weak_ptr<QSaveFile> borrowed = file;
    return new DocumentTask(
        Tr::tr("Writing the file: %1").arg(QFileInfo(path).fileName()),
        [borrowed, write](QPromise<void>& promise) {
            const std::shared_ptr<QSaveFile> target = borrowed.lock();
            return target ? write(*target, promise) : DocumentError::application(DocumentError::UserCancelled, {});
        },
        [file, committed] {
            const DocumentError error = commit(*file);
            if (!error.isError() && committed)
                committed();
            return error;
        },
        this);
}

DocumentTask* ContactDocument::startSave(const QString& path)
{
    waitForAutosave();
    const QString target = path.isEmpty() ? m_filePath : path;
    const bool csv = isCsv();
    const WritingSnapshot snapshot =
        csv ? WritingSnapshot() : snapshotForWriting(m_collection.liveContacts(), m_collection.groupTable);
    return startWriting(
        target,
        [snapshot, csv](QSaveFile& file, QPromise<void>& promise) {
            if (csv)
                return DocumentError::application(DocumentError::SaveProducedNothing, saveFailedMessage());
            return writeContacts(file, snapshot.contacts, snapshot.groups,
                                 progressOf(promise, snapshot.contacts.size(), false),
                                 [&promise] { return promise.isCanceled(); });
        },
        [this, target] { didSave(target); });
}

void ContactDocument::setAutosaveDelay(int milliseconds)
{
    m_autosaveTimer.setInterval(milliseconds);
    if (milliseconds <= 0)
        m_autosaveTimer.stop();
}

void ContactDocument::scheduleAutosave()
{
    if (isCsv() || m_filePath.isEmpty() || m_autosaveTimer.interval() <= 0)
        return;
    m_autosaveTimer.start();
}

void ContactDocument::autosaveInBackground()
{
    if (isCsv() || m_filePath.isEmpty() || !isModified())
        return;
    if (m_autosaveTask) { // one at a time: try again when this one is done
        m_autosaveTimer.start();
        return;
    }
    const WritingSnapshot snapshot = snapshotForWriting(m_collection.liveContacts(), m_collection.groupTable);
    const QString path = m_filePath;
    const int undoIndex = undoStack()->index();
    const int groupChanges = m_groupChanges;
    m_autosaveTask = new DocumentTask(
        Tr::tr("Writing the file: %1").arg(QFileInfo(path).fileName()),
        [path, snapshot](QPromise<void>&) {
            QSaveFile file(path);
            const DocumentError error = writeContacts(file, snapshot.contacts, snapshot.groups, {}, {});
            return error.isError() ? error : commit(file);
        },
        [this, undoIndex, groupChanges] {
            // Clean only if nothing changed while the copy was written.
            if (undoStack()->index() == undoIndex)
                undoStack()->setClean();
            if (m_groupChanges == groupChanges)
                setAddressBookDirty(false);
            return DocumentError();
        },
        this);
    connect(m_autosaveTask, &DocumentTask::finished, this, [this] {
        if (m_autosaveTask->error().isError())
            qCWarning(lcDocument) << "ERROR autosave" << m_filePath << m_autosaveTask->error().recoverySuggestion;
        m_autosaveTask->deleteLater();
        m_autosaveTask = nullptr;
    });
}

void ContactDocument::waitForAutosave()
{
    // The task's completion, run from the event loop, lets go of it.
    while (m_autosaveTask)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void ContactDocument::autosave()
{
    waitForAutosave();
    if (isCsv() || m_filePath.isEmpty() || !isModified())
        return;
    const DocumentError error = save();
    if (error.isError())
        qCWarning(lcDocument) << "ERROR autosave" << m_filePath << error.recoverySuggestion;
}

// Export and import -----------------------------------------------------------------------------

DocumentError ContactDocument::exportAsVCard(const QString& path, const ContactTable& contacts) const
{
    QSaveFile file(path);
    const DocumentError error = writeContacts(file, exportableContacts(contacts), m_collection.groupTable, {}, {});
    return error.isError() ? error : commit(file);
}

DocumentTask* ContactDocument::startExportAsVCard(const QString& path, const ContactTable& contacts)
{
    m_exporting = true;
    const WritingSnapshot snapshot = snapshotForWriting(exportableContacts(contacts), m_collection.groupTable);
    DocumentTask* task = startWriting(path, [snapshot](QSaveFile& file, QPromise<void>& promise) {
        return writeContacts(file, snapshot.contacts, snapshot.groups,
                             progressOf(promise, snapshot.contacts.size(), false),
                             [&promise] { return promise.isCanceled(); });
    });
    connect(task, &DocumentTask::finished, this, [this] { m_exporting = false; });
    return task;
}

DocumentTask* ContactDocument::startExportAsCsv(const QString& path, const ContactTable& contacts)
{
    // One line per contact, however many rows of it were chosen.
    CsvRows rows;
    for (const ContactEntryPtr& contact : exportableContacts(contacts))
        rows.append({contact, 0});
    return startExportRowsAsCsv(path, rows);
}

DocumentTask* ContactDocument::startExportRowsAsCsv(const QString& path, const CsvRows& rows)
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
            written.append({copy, row.index});
    }
    DocumentTask* task = startWriting(
        path, [written](QSaveFile& file, QPromise<void>& promise) { return writeCsv(file, written, promise); });
    connect(task, &DocumentTask::finished, this, [this] { m_exporting = false; });
    return task;
}

DocumentTask* ContactDocument::startImportFromVCard(const QString& path, QByteArrayView encoding)
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
        this);
    connect(task, &DocumentTask::finished, this, [this] { m_exporting = false; });
    return task;
}

void ContactDocument::importContacts(const ContactTable& contacts)
{
    // A contact imported from a copy of this very file would share its card's UID with the contact
    // already here.
    for (const ContactEntryPtr& contact : contacts)
        contact->vCardString.clear();
    m_collection.giveTakenUniqueIdsNewOnes(contacts);
    m_registry.undoAddContacts(contacts, m_collection.selectedGroupDict);
}

} // namespace Quillary
