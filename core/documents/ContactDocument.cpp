#include "ContactDocument.h"

#include "ContactFileReader.h"
#include "DocumentGroups.h"
#include "DocumentWriting.h"
#include "formats/ZQVCard.h"
#include "model/addressbook/Records.h"
#include "support/CoreTr.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>

Q_LOGGING_CATEGORY(lcDocument, "quillary.core.documents")

namespace Quillary {

using namespace DocumentWriting;

namespace {

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

QString ContactDocument::exportFileName(const QString& extension) const
{
    return QFileInfo(m_filePath.isEmpty() ? displayName() : m_filePath).completeBaseName() + u'.' + extension;
}

bool ContactDocument::canDeleteGroup() const
{
    return m_editState && m_collection.selectedGroupDict && !m_collection.selectedGroupDict->top;
}

GroupEntryPtr ContactDocument::addGroup()
{
    GroupEntryPtr group = DocumentGroups::addGroup(m_collection);
    setAddressBookDirty(true);
    return group;
}

bool ContactDocument::deleteGroup(const GroupEntryPtr& group)
{
    if (!DocumentGroups::deleteGroup(m_collection, group))
        return false;
    setAddressBookDirty(true);
    return true;
}

bool ContactDocument::renameGroup(const GroupEntryPtr& group, const QString& name)
{
    if (!DocumentGroups::renameGroup(group, name))
        return false;
    setAddressBookDirty(true);
    return true;
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
        [this, target] { didSave(target); }, this);
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

} // namespace Quillary
