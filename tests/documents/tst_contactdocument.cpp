#include "FakeContactTableView.h"
#include "documents/ContactDocument.h"
#include "documents/DocumentGroups.h"
#include "formats/CsvWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/resource.h>

using namespace Quillary;
using Quillary::Test::FakeContactTableView;

namespace {

QByteArray card(const QString& uid, const QString& first, const QString& last, const QString& categories = {})
{
    QString text = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%1\r\nN:%3;%2;;;\r\nFN:%2 %3\r\n"
                                  "TEL;type=CELL:+1 555 01%4\r\n")
                       .arg(uid, first, last, uid.right(2));
    if (!categories.isEmpty())
        text += QStringLiteral("CATEGORIES:") + categories + QStringLiteral("\r\n");
    text += QStringLiteral("END:VCARD\r\n");
    return text.toUtf8();
}

/// Three contacts: Ann in Friends and Work, Bob in Friends, Cy in no group.
QByteArray sampleCards()
{
    return card(QStringLiteral("U-01"), QStringLiteral("Ann"), QStringLiteral("Able"), QStringLiteral("Friends,Work"))
        + card(QStringLiteral("U-02"), QStringLiteral("Bob"), QStringLiteral("Baker"), QStringLiteral("Friends"))
        + card(QStringLiteral("U-03"), QStringLiteral("Cy"), QStringLiteral("Cole"));
}

/// `count` contacts without groups, for work that should last a few progress reports.
QByteArray manyCards(int count)
{
    QByteArray cards;
    for (int i = 0; i < count; ++i)
        cards += card(QStringLiteral("M-%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("Name%1").arg(i),
                      QStringLiteral("Family"));
    return cards;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The CATEGORIES line of the card with a given UID in a written stream; "-" when the card has none.
QByteArray categoriesOf(const QByteArray& stream, const QByteArray& uid)
{
    const qsizetype at = stream.indexOf(QByteArray("UID:" + uid));
    if (at < 0)
        return {};
    const qsizetype begin = stream.lastIndexOf("BEGIN:VCARD", at);
    const QByteArray cardText = stream.mid(begin, stream.indexOf("END:VCARD", at) - begin);
    for (const QByteArray& line : cardText.split('\n')) {
        if (line.startsWith("CATEGORIES:"))
            return line.mid(11).trimmed();
    }
    return "-";
}

GroupEntryPtr groupById(const ContactCollection& collection, const QString& groupId)
{
    for (const GroupEntryPtr& group : collection.groupTable) {
        if (group->groupId == groupId)
            return group;
    }
    return {};
}

/// Lowers the largest file this process may write, so that a write runs out of room part way,
/// as on a full disk. Root is bound by it too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

private:
    rlimit m_old{};
};

/// Cancels a task as soon as it first reports progress: from the main thread, before it has ended.
void cancelOnFirstProgress(DocumentTask* task)
{
    QObject::connect(task, &DocumentTask::progressChanged, task, [task] { task->cancel(); });
}

} // namespace

class TestContactDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    // Reading
    void readVCard();
    void readFailures_data();
    void readFailures();
    void csvDocumentIsReadOnly();
    void backgroundRead();
    void cancelledReadChangesNothing();
    void closingWhileWorkRuns();
    void manyTasksAtOnce();
    void revertKeepsGroupAndSelection();
    void revertToGroupThatIsGone();

    // Saving
    void saveLeavesOutDeletedContactsAndRemovedGroups();
    void saveWithEveryContactDeleted();
    void failedSaveKeepsFile_data();
    void failedSaveKeepsFile();
    void cancelledSaveKeepsFile();
    void editedMarkFollowsUndoStack();
    void autosaveAfterEdits();
    void csvNeverAutosaves();

    // Export and import
    void exportAsCsv();
    void exportAsCsvFailure();
    void exportAsVCard();
    void cancelledExportWritesNothing_data();
    void cancelledExportWritesNothing();
    void importIntoSelectedGroup();
    void importOfFileWithoutCards();
    void importOfContactsAlreadyThere();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    /// A document read from the sample cards, with a fake table view.
    void openSample(ContactDocument& document, FakeContactTableView& view, const QString& name = QStringLiteral("a.vcf"));

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestContactDocument::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestContactDocument::openSample(ContactDocument& document, FakeContactTableView& view, const QString& name)
{
    writeFile(path(name), sampleCards());
    const DocumentError error = document.read(path(name));
    QVERIFY2(!error.isError(), qPrintable(error.recoverySuggestion));
    // Tests that want autosaving turn it on; a slow run must not save behind the others' backs.
    document.setAutosaveDelay(0);
    document.setView(&view);
    view.rows = document.collection().contactTable;
}

void TestContactDocument::readVCard()
{
    ContactDocument document;
    QSignalSpy reloaded(&document, &ContactDocument::reloaded);
    FakeContactTableView view;
    openSample(document, view);
    const ContactCollection& collection = document.collection();

    QCOMPARE(collection.contactTable.size(), 3);
    QCOMPARE(reloaded.count(), 1);
    QStringList groupIds;
    for (const GroupEntryPtr& group : collection.groupTable)
        groupIds.append(group->groupId);
    QCOMPARE(groupIds, (QStringList{GroupText::AllContacts, QStringLiteral("Friends"), QStringLiteral("Work")}));
    QCOMPARE(collection.selectedGroupDict, collection.topGroup());
    QCOMPARE(collection.selectedLabels, QStringList{QStringLiteral("All")});
    const GroupEntryPtr friends = groupById(collection, QStringLiteral("Friends"));
    QCOMPARE(collection.contact(QStringLiteral("U-02"))->groupUniqueIds, QStringList{friends->uniqueId});
    QVERIFY(collection.contact(QStringLiteral("U-03"))->groupUniqueIds.isEmpty());
    QVERIFY(!document.isModified());
    QVERIFY(!document.isCsv());
    QCOMPARE(document.encoding(), QByteArray("UTF-8"));
    QCOMPARE(document.displayName(), QStringLiteral("a.vcf"));
}

void TestContactDocument::readFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    const QString noCard = QStringLiteral("Please make sure the file is vCard 2.1/3.0 file, or text encoding.");
    const QString noCsv = QStringLiteral("Please make sure the file is a valid CSV file, or text encoding.");
    QTest::newRow("vCard file without a card") << "notes.vcf" << QByteArray("just some text\n") << 259 << noCard;
    QTest::newRow("empty vCard file") << "empty.vcf" << QByteArray() << 259 << noCard;
    QTest::newRow("empty card") << "blank.vcf" << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n") << 259
                                << noCard;
    QTest::newRow("empty CSV file") << "empty.csv" << QByteArray() << 259 << noCsv;
    QTest::newRow("missing file") << "" << QByteArray() << int(DocumentError::FileReadNoSuchFile) << QString();
}

void TestContactDocument::readFailures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    QFETCH(QString, message);

    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    const QString target = name.isEmpty() ? path(QStringLiteral("missing.vcf")) : path(name);
    if (!name.isEmpty())
        writeFile(target, content);

    const DocumentError error = document.read(target);
    QCOMPARE(error.domain, QStringLiteral("Application"));
    QCOMPARE(error.code, code);
    if (!message.isEmpty())
        QCOMPARE(error.recoverySuggestion, message);
    else
        QVERIFY(!error.recoverySuggestion.isEmpty());
    // The document keeps what it had.
    QCOMPARE(document.filePath(), path(QStringLiteral("a.vcf")));
    QCOMPARE(document.collection().contactTable.size(), 3);
    QVERIFY(!document.isCsv());
}

void TestContactDocument::csvDocumentIsReadOnly()
{
    writeFile(path(QStringLiteral("list.csv")), "First Name,Last Name,Email\nAnn,Able,ann@example.org\n");
    ContactDocument document;
    QVERIFY(!document.read(path(QStringLiteral("list.csv"))).isError());
    QVERIFY(document.isCsv());
    QVERIFY(document.isInViewingMode());
    QCOMPARE(document.collection().contactTable.size(), 1);
    QCOMPARE(document.collection().groupTable.size(), 1);
    QVERIFY(!document.editState());
    document.forceEditMode();
    QVERIFY(!document.editState());

    DocumentError error;
    QVERIFY(document.dataOfType(&error).isEmpty());
    QCOMPARE(error.code, 512);
    QCOMPARE(document.save().code, 512);
    QCOMPARE(readFile(path(QStringLiteral("list.csv"))), QByteArray("First Name,Last Name,Email\nAnn,Able,ann@example.org\n"));
}

void TestContactDocument::backgroundRead()
{
    writeFile(path(QStringLiteral("big.vcf")), manyCards(3000));
    QVERIFY(ContactDocument::wantsBackgroundRead(path(QStringLiteral("big.vcf"))));
    QVERIFY(!ContactDocument::wantsBackgroundRead(path(QStringLiteral("missing.vcf"))));
    ContactDocument document;
    DocumentTask* task = document.startRead(path(QStringLiteral("big.vcf")));
    QCOMPARE(task->message(), QStringLiteral("Reading: big.vcf"));
    task->waitForFinished();
    QVERIFY(!task->error().isError());
    QCOMPARE(task->progress(), 100);
    QCOMPARE(document.collection().contactTable.size(), 3000);
    QCOMPARE(document.filePath(), path(QStringLiteral("big.vcf")));
}

void TestContactDocument::cancelledReadChangesNothing()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("edited"), Field::Note,
                                                           document.collection().contactTable.first()));
    writeFile(path(QStringLiteral("big.vcf")), manyCards(20000));
    QSignalSpy reloaded(&document, &ContactDocument::reloaded);

    DocumentTask* task = document.startRead(path(QStringLiteral("big.vcf")));
    cancelOnFirstProgress(task);
    task->waitForFinished();
    QVERIFY(task->isCancelled());
    QVERIFY(task->error().isCancellation());
    QCOMPARE(reloaded.count(), 0);
    QCOMPARE(document.filePath(), path(QStringLiteral("a.vcf")));
    QCOMPARE(document.collection().contactTable.size(), 3);
    QCOMPARE(document.undoStack()->count(), 1);
    QVERIFY(document.isModified());
}

void TestContactDocument::closingWhileWorkRuns()
{
    // A document closed in the middle of a read or a save: the work ends first, nothing is written,
    // and the undo steps go without the document hearing of it.
    writeFile(path(QStringLiteral("big.vcf")), manyCards(20000));
    const QByteArray original = readFile(path(QStringLiteral("big.vcf")));
    {
        ContactDocument document;
        QVERIFY(!document.read(path(QStringLiteral("big.vcf"))).isError());
        document.setAutosaveDelay(1);
        QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("edited"), Field::Note,
                                                               document.collection().contactTable.first()));
        document.startRead(path(QStringLiteral("big.vcf")));
        document.startSave();
    }
    QCOMPARE(readFile(path(QStringLiteral("big.vcf"))), original);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 1);
}

void TestContactDocument::manyTasksAtOnce()
{
    // More documents at work than the machine has cores: each task must still end.
    writeFile(path(QStringLiteral("big.vcf")), manyCards(3000));
    ContactDocument source;
    QVERIFY(!source.read(path(QStringLiteral("big.vcf"))).isError());
    std::vector<std::unique_ptr<ContactDocument>> documents;
    QList<DocumentTask*> tasks;
    for (int i = 0; i <= QThread::idealThreadCount(); ++i) {
        documents.push_back(std::make_unique<ContactDocument>());
        tasks.append(documents.back()->startRead(path(QStringLiteral("big.vcf"))));
        tasks.append(source.startExportAsVCard(path(QStringLiteral("out%1.vcf").arg(i)),
                                               source.collection().contactTable));
    }
    for (DocumentTask* task : std::as_const(tasks))
        task->waitForFinished();
    for (DocumentTask* task : std::as_const(tasks))
        QVERIFY(!task->error().isError());
    for (const auto& document : documents)
        QCOMPARE(document->collection().contactTable.size(), 3000);
}

void TestContactDocument::revertKeepsGroupAndSelection()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    ContactCollection& collection = document.collection();
    collection.selectedGroupDict = groupById(collection, QStringLiteral("Friends"));
    view.selection = {QStringLiteral("U-02"), QStringLiteral("U-01")};
    const ContactEntryPtr ann = collection.contact(QStringLiteral("U-01"));
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("edited"), Field::Note, ann));
    document.setAddressBookDirty(true);
    view.calls.clear();

    QVERIFY(!document.revert().isError());
    QCOMPARE(collection.selectedGroupDict->groupId, QStringLiteral("Friends"));
    QVERIFY(collection.groupTable.contains(collection.selectedGroupDict));
    QCOMPARE(view.calls.last(), QStringLiteral("updateTableThenSelectByUniquIds U-02,U-01"));
    QVERIFY(collection.contact(QStringLiteral("U-01"))->person->stringValueForIdentifier(Field::Note).isEmpty());
    QVERIFY(!document.isModified());
    QVERIFY(!document.addressBookDirty());
    QVERIFY(!document.undoStack()->canUndo());
}

void TestContactDocument::revertToGroupThatIsGone()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    document.collection().selectedGroupDict = groupById(document.collection(), QStringLiteral("Work"));
    writeFile(path(QStringLiteral("a.vcf")), card(QStringLiteral("U-09"), QStringLiteral("Di"), QStringLiteral("Dunn")));
    view.calls.clear();

    QVERIFY(!document.revert().isError());
    QCOMPARE(document.collection().selectedGroupDict, document.collection().topGroup());
    QCOMPARE(view.calls, QStringList{QStringLiteral("updateTable")});
}

void TestContactDocument::saveLeavesOutDeletedContactsAndRemovedGroups()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    ContactCollection& collection = document.collection();
    const GroupEntryPtr friends = groupById(collection, QStringLiteral("Friends"));
    UndoRegistry& registry = document.undoRegistry();
    registry.undoDeleteContacts({collection.contact(QStringLiteral("U-02"))}, collection.topGroup(), true, false);
    registry.undoDeleteContacts({collection.contact(QStringLiteral("U-01"))}, friends, true, true);

    QVERIFY(!document.save().isError());
    const QByteArray written = readFile(path(QStringLiteral("a.vcf")));
    QVERIFY(!written.contains("UID:U-02"));
    QCOMPARE(written.count("BEGIN:VCARD"), 2);
    QCOMPARE(categoriesOf(written, "U-01"), QByteArray("Work"));
    QCOMPARE(categoriesOf(written, "U-03"), QByteArray("-"));
    QVERIFY(!document.isModified());
}

void TestContactDocument::saveWithEveryContactDeleted()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    const QByteArray original = readFile(path(QStringLiteral("a.vcf")));
    document.undoRegistry().undoDeleteContacts(document.collection().contactTable, document.collection().topGroup(),
                                               true, false);
    const DocumentError error = document.save();
    QCOMPARE(error.domain, QStringLiteral("Application"));
    QCOMPARE(error.code, 512);
    QCOMPARE(error.recoverySuggestion, QStringLiteral("Something error happened in saving operation."));
    QCOMPARE(readFile(path(QStringLiteral("a.vcf"))), original);
    QVERIFY(document.isModified());

    DocumentTask* task = document.startSave();
    task->waitForFinished();
    QCOMPARE(task->error().code, 512);
    QCOMPARE(readFile(path(QStringLiteral("a.vcf"))), original);
}

void TestContactDocument::failedSaveKeepsFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("background");
    for (const bool background : {false, true}) {
        const char* how = background ? "on a worker thread" : "at once";
        QTest::addRow("target is a directory, %s", how) << "dir.vcf" << background;
        QTest::addRow("parent is a file, %s", how) << "plain.txt/a.vcf" << background;
        QTest::addRow("disk full part way, %s", how) << "" << background;
    }
}

void TestContactDocument::failedSaveKeepsFile()
{
    QFETCH(QString, target);
    QFETCH(bool, background);
    ContactDocument document;
    FakeContactTableView view;
    writeFile(path(QStringLiteral("a.vcf")), manyCards(400));
    QVERIFY(!document.read(path(QStringLiteral("a.vcf"))).isError());
    document.setAutosaveDelay(0);
    const QByteArray original = readFile(path(QStringLiteral("a.vcf")));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("dir.vcf")));
    writeFile(path(QStringLiteral("plain.txt")), "plain");
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("edited"), Field::Note,
                                                           document.collection().contactTable.first()));

    DocumentError error;
    {
        // Room for the start of the file only.
        std::optional<FileSizeLimit> limit;
        if (target.isEmpty())
            limit.emplace(rlim_t(4096));
        const QString savePath = target.isEmpty() ? QString() : path(target);
        if (background) {
            DocumentTask* task = document.startSave(savePath);
            task->waitForFinished();
            error = task->error();
        } else {
            error = document.save(savePath);
        }
    }
    QVERIFY(error.isError());
    QCOMPARE(error.code, int(DocumentError::FileWriteUnknown));
    QCOMPARE(readFile(path(QStringLiteral("a.vcf"))), original);
    QVERIFY(QFileInfo(path(QStringLiteral("dir.vcf"))).isDir());
    QCOMPARE(readFile(path(QStringLiteral("plain.txt"))), QByteArray("plain"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 3);
    QVERIFY(document.isModified());
    QCOMPARE(document.filePath(), path(QStringLiteral("a.vcf")));
}

void TestContactDocument::cancelledSaveKeepsFile()
{
    ContactDocument document;
    writeFile(path(QStringLiteral("a.vcf")), manyCards(2000));
    QVERIFY(!document.read(path(QStringLiteral("a.vcf"))).isError());
    document.setAutosaveDelay(0);
    const QByteArray original = readFile(path(QStringLiteral("a.vcf")));
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("edited"), Field::Note,
                                                           document.collection().contactTable.first()));
    DocumentTask* task = document.startSave();
    QCOMPARE(task->message(), QStringLiteral("Writing the file: a.vcf"));
    cancelOnFirstProgress(task);
    task->waitForFinished();
    QVERIFY(task->error().isCancellation());
    QCOMPARE(readFile(path(QStringLiteral("a.vcf"))), original);
    QVERIFY(document.isModified());
}

void TestContactDocument::editedMarkFollowsUndoStack()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    QSignalSpy changed(&document, &ContactDocument::modificationChanged);
    const ContactEntryPtr ann = document.collection().contact(QStringLiteral("U-01"));
    UndoRegistry& registry = document.undoRegistry();

    QVERIFY(registry.undoReplaceStringValue(QStringLiteral("one"), Field::Note, ann));
    QVERIFY(document.isModified());
    QCOMPARE(changed.last().first().toBool(), true);
    document.undoStack()->undo();
    QVERIFY(!document.isModified());
    QCOMPARE(changed.last().first().toBool(), false);

    // A group change has no undo step; it marks the document on its own.
    document.setAddressBookDirty(true);
    QVERIFY(document.isModified());
    QCOMPARE(changed.last().first().toBool(), true);
    QVERIFY(!document.save().isError());
    QVERIFY(!document.isModified());
    QVERIFY(!document.addressBookDirty());
    QCOMPARE(changed.last().first().toBool(), false);

    // Undoing past the save marks the document again.
    QVERIFY(registry.undoReplaceStringValue(QStringLiteral("two"), Field::Note, ann));
    QVERIFY(!document.save().isError());
    document.undoStack()->undo();
    QVERIFY(document.isModified());
    document.undoStack()->redo();
    QVERIFY(!document.isModified());
}

void TestContactDocument::autosaveAfterEdits()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    document.setAutosaveDelay(1);
    const ContactEntryPtr cy = document.collection().contact(QStringLiteral("U-03"));
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("Autosaved note"), Field::Note, cy));
    QTRY_VERIFY(!document.isModified());
    QVERIFY(readFile(path(QStringLiteral("a.vcf"))).contains("NOTE:Autosaved note"));

    // A new group alone is written too.
    DocumentGroups::addGroup(document.collection());
    document.setAddressBookDirty(true);
    QTRY_VERIFY(!document.isModified());

    // Autosave off: edits stay unwritten.
    document.setAutosaveDelay(0);
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("Kept in memory"), Field::Note, cy));
    QCoreApplication::processEvents();
    QVERIFY(document.isModified());
    QVERIFY(!readFile(path(QStringLiteral("a.vcf"))).contains("Kept in memory"));
}

void TestContactDocument::csvNeverAutosaves()
{
    const QByteArray csv = "First Name,Last Name,Note\nAnn,Able,hello\n";
    writeFile(path(QStringLiteral("list.csv")), csv);
    ContactDocument document;
    QVERIFY(!document.read(path(QStringLiteral("list.csv"))).isError());
    document.setAutosaveDelay(1);
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("changed"), Field::Note,
                                                           document.collection().contactTable.first()));
    QTest::qWait(20);
    document.autosave();
    QVERIFY(document.isModified());
    QCOMPARE(readFile(path(QStringLiteral("list.csv"))), csv);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 1);
}

void TestContactDocument::exportAsCsv()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    const ContactTable& contacts = document.collection().contactTable;
    document.undoRegistry().undoDeleteContacts({contacts.at(2)}, document.collection().topGroup(), true, false);

    // Two rows of Ann, Bob once, and Cy, who is deleted.
    DocumentTask* task = document.startExportAsCsv(path(QStringLiteral("out.csv")),
                                                   {contacts.at(0), contacts.at(0), contacts.at(1), contacts.at(2)});
    QVERIFY(document.isExporting());
    QCOMPARE(task->message(), QStringLiteral("Writing the file: out.csv"));
    task->waitForFinished();
    QVERIFY(!task->error().isError());
    QVERIFY(!document.isExporting());
    const QByteArray written = readFile(path(QStringLiteral("out.csv")));
    QCOMPARE(written, CsvWriter::csvFromSubContacts(ContactTable{contacts.at(0), contacts.at(1)}));
    QCOMPARE(written.count('\n'), 3);
    QVERIFY(written.contains("Ann"));
    QVERIFY(!written.contains("Cole"));
}

void TestContactDocument::exportAsCsvFailure()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    writeFile(path(QStringLiteral("plain.txt")), "plain");
    DocumentTask* task =
        document.startExportAsCsv(path(QStringLiteral("plain.txt/out.csv")), document.collection().contactTable);
    task->waitForFinished();
    QCOMPARE(task->error().code, int(DocumentError::FileWriteUnknown));
    QVERIFY(!document.isExporting());
    QCOMPARE(ContactDocument::exportFailedTitle(), QStringLiteral("Can't save the file"));
    QCOMPARE(ContactDocument::exportFailedMessage(task->error().code),
             QStringLiteral("Something error happned in saving operation. 513"));
    QVERIFY(!document.isModified());
}

void TestContactDocument::exportAsVCard()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    const ContactTable& contacts = document.collection().contactTable;
    DocumentTask* task = document.startExportAsVCard(path(QStringLiteral("out.vcf")), {contacts.at(1), contacts.at(1)});
    task->waitForFinished();
    QVERIFY(!task->error().isError());
    const QByteArray written = readFile(path(QStringLiteral("out.vcf")));
    QCOMPARE(written.count("BEGIN:VCARD"), 1);
    QCOMPARE(categoriesOf(written, "U-02"), QByteArray("Friends"));
}

void TestContactDocument::cancelledExportWritesNothing_data()
{
    QTest::addColumn<bool>("csv");
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("CSV, new file") << true << false;
    QTest::newRow("CSV, over a file") << true << true;
    QTest::newRow("vCard, new file") << false << false;
    QTest::newRow("vCard, over a file") << false << true;
}

void TestContactDocument::cancelledExportWritesNothing()
{
    QFETCH(bool, csv);
    QFETCH(bool, fileExists);
    writeFile(path(QStringLiteral("a.vcf")), manyCards(5000));
    ContactDocument document;
    QVERIFY(!document.read(path(QStringLiteral("a.vcf"))).isError());
    const QString target = path(csv ? QStringLiteral("out.csv") : QStringLiteral("out.vcf"));
    if (fileExists)
        writeFile(target, "previous export");

    const ContactTable& contacts = document.collection().contactTable;
    DocumentTask* task = csv ? document.startExportAsCsv(target, contacts) : document.startExportAsVCard(target, contacts);
    cancelOnFirstProgress(task);
    task->waitForFinished();
    QVERIFY(task->error().isCancellation());
    QVERIFY(!document.isExporting());
    if (fileExists)
        QCOMPARE(readFile(target), QByteArray("previous export"));
    else
        QVERIFY(!QFile::exists(target));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), fileExists ? 2 : 1);
}

void TestContactDocument::importIntoSelectedGroup()
{
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    writeFile(path(QStringLiteral("more.vcf")),
              card(QStringLiteral("I-01"), QStringLiteral("Eve"), QStringLiteral("East"))
                  + card(QStringLiteral("I-02"), QStringLiteral("Fay"), QStringLiteral("Fox"), QStringLiteral("Work"))
                  + card(QStringLiteral("I-03"), QStringLiteral("Gus"), QStringLiteral("Gray")));
    ContactCollection& collection = document.collection();
    const GroupEntryPtr friends = groupById(collection, QStringLiteral("Friends"));
    collection.selectedGroupDict = friends;

    DocumentTask* task = document.startImportFromVCard(path(QStringLiteral("more.vcf")));
    QVERIFY(document.isExporting());
    task->waitForFinished();
    QVERIFY(!task->error().isError());
    QVERIFY(!document.isExporting());
    QCOMPARE(document.importedContacts().size(), 3);
    QCOMPARE(collection.contactTable.size(), 3);

    // Fay's category of her old file does not come along: imported contacts join the selected group.
    const ContactTable chosen{document.importedContacts().at(0), document.importedContacts().at(1)};
    document.importContacts(chosen);
    QCOMPARE(document.undoStack()->count(), 1);
    QVERIFY(document.isModified());
    QCOMPARE(collection.liveContacts().size(), 5);
    QVERIFY(!collection.contactTable.contains(document.importedContacts().at(2)));
    for (const ContactEntryPtr& contact : chosen) {
        QVERIFY(collection.contactTable.contains(contact));
        QCOMPARE(contact->groupUniqueIds, QStringList{friends->uniqueId});
        QCOMPARE(contact->remote, GroupText::VCardAccount);
        QVERIFY(contact->vCardString.isEmpty());
    }
    QCOMPARE(view.calls.last(), QStringLiteral("updateTableThenSelectByUniquId I-01"));

    document.undoStack()->undo();
    QCOMPARE(collection.liveContacts().size(), 3);
    QVERIFY(!document.isModified());
}

void TestContactDocument::importOfFileWithoutCards()
{
    ContactDocument document;
    writeFile(path(QStringLiteral("none.vcf")), "no cards here\n");
    DocumentTask* task = document.startImportFromVCard(path(QStringLiteral("none.vcf")));
    task->waitForFinished();
    QCOMPARE(task->error().recoverySuggestion, QStringLiteral("Please make sure the file is vCard 2.1/3.0 file."));
    QVERIFY(document.importedContacts().isEmpty());
    QVERIFY(!document.isExporting());
}

void TestContactDocument::importOfContactsAlreadyThere()
{
    // Importing a file into itself: the copies are new contacts, each with an identity of its own.
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    DocumentTask* task = document.startImportFromVCard(path(QStringLiteral("a.vcf")));
    task->waitForFinished();
    document.importContacts(document.importedContacts());
    const ContactTable& contacts = document.collection().contactTable;
    QCOMPARE(contacts.size(), 6);
    QSet<QString> ids;
    for (const ContactEntryPtr& contact : contacts) {
        QCOMPARE(contact->person->uniqueId(), contact->uniqueId);
        ids.insert(contact->uniqueId);
    }
    QCOMPARE(ids.size(), 6);
    QCOMPARE(document.collection().contact(QStringLiteral("U-01")), contacts.first());
}

QTEST_GUILESS_MAIN(TestContactDocument)
#include "tst_contactdocument.moc"
