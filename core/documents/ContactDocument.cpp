#include "ContactDocument.h"

#include "ContactFileReader.h"
#include "formats/ZQVCard.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

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

/// Writes contacts as a vCard stream to a file so that the old file stays as it was unless
/// everything was written. The cards go to the file as they are made.
DocumentError writeContacts(const QString& path, const ContactTable& contacts, const GroupTable& groupTable,
                            const ZQVCard::ProgressHandler& progress, const std::function<bool()>& cancelled)
{
    QSaveFile file(path);
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
            return DocumentError::application(DocumentError::SaveProducedNothing,
                                              ContactDocument::saveFailedMessage());
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    }
    if (!file.commit())
        return DocumentError::application(DocumentError::FileWriteUnknown, file.errorString());
    return {};
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
    connect(&m_autosaveTimer, &QTimer::timeout, this, &ContactDocument::autosave);
}

ContactDocument::~ContactDocument() = default;

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

bool ContactDocument::isModified() const
{
    return !m_registry.undoStack()->isClean() || m_addressBookDirty;
}

void ContactDocument::setAddressBookDirty(bool dirty)
{
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
    const QStringList selected = view() && !m_collection.contactTable.isEmpty() ? view()->uniqueIdsOfSelectedContacts()
                                                                                : QStringList();
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
    const DocumentError error = writeContacts(target, m_collection.liveContacts(), m_collection.groupTable, {}, {});
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

DocumentTask* ContactDocument::startSave(const QString& path)
{
    const QString target = path.isEmpty() ? m_filePath : path;
    const ContactTable contacts = m_collection.liveContacts();
    const bool csv = isCsv();
    return new DocumentTask(
        Tr::tr("Writing the file: %1").arg(QFileInfo(target).fileName()),
        [this, target, contacts, csv](QPromise<void>& promise) {
            if (csv)
                return DocumentError::application(DocumentError::SaveProducedNothing, saveFailedMessage());
            return writeContacts(target, contacts, m_collection.groupTable,
                                 progressOf(promise, contacts.size(), false),
                                 [&promise] { return promise.isCanceled(); });
        },
        [this, target] {
            didSave(target);
            return DocumentError();
        },
        this);
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

void ContactDocument::autosave()
{
    if (isCsv() || m_filePath.isEmpty() || !isModified())
        return;
    const DocumentError error = save();
    if (error.isError())
        qCWarning(lcDocument) << "ERROR autosave" << m_filePath << error.recoverySuggestion;
}

// Export and import -----------------------------------------------------------------------------

namespace {

ContactTable withoutDeleted(const ContactTable& contacts)
{
    ContactTable live;
    for (const ContactEntryPtr& contact : contacts) {
        if (!contact->deleted)
            live.append(contact);
    }
    return live;
}

} // namespace

DocumentError ContactDocument::exportAsVCard(const QString& path, const ContactTable& contacts) const
{
    return writeContacts(path, withoutDeleted(contacts), m_collection.groupTable, {}, {});
}

DocumentTask* ContactDocument::startExportAsVCard(const QString& path, const ContactTable& contacts)
{
    m_exporting = true;
    const ContactTable live = withoutDeleted(contacts);
    auto* task = new DocumentTask(
        Tr::tr("Writing the file: %1").arg(QFileInfo(path).fileName()),
        [this, path, live](QPromise<void>& promise) {
            return writeContacts(path, live, m_collection.groupTable, progressOf(promise, live.size(), false),
                                 [&promise] { return promise.isCanceled(); });
        },
        {}, this);
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
            ContactFileReader::Result result = ContactFileReader::read(path, encodingName, progressOf(promise, size, true));
            if (result.failure == ContactFileReader::Result::Failure::NoContact)
                return DocumentError::application(DocumentError::FileReadCorruptFile,
                                                  Tr::tr("Please make sure the file is vCard 2.1/3.0 file."));
            if (!result.ok())
                return DocumentError::application(DocumentError::FileReadNoSuchFile, result.errorString);
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
    for (const ContactEntryPtr& contact : contacts)
        contact->vCardString.clear();
    m_registry.undoAddContacts(contacts, m_collection.selectedGroupDict);
}

} // namespace Quillary
