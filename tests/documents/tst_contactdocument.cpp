#include "DocumentTestFiles.h"
#include "documents/DocumentGroups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Quillary;
using namespace Quillary::Test;

namespace {

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
    void editsDuringAnAutosaveStayUnsaved();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    /// A document read from the sample cards, with a fake table view.
    void openSample(ContactDocument& document, FakeContactTableView& view,
                    const QString& name = QStringLiteral("a.vcf"));

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestContactDocument::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestContactDocument::openSample(ContactDocument& document, FakeContactTableView& view, const QString& name)
{
    Test::openSample(document, view, path(name));
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
    QCOMPARE(collection.groupTable.size(), 3);
    QCOMPARE(collection.selectedGroupDict, collection.topGroup());
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
    // Nor is an edited CSV document ever written back by itself.
    document.setAutosaveDelay(1);
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("changed"), Field::Note,
                                                           document.collection().contactTable.first()));
    QTest::qWait(20);
    document.autosave();
    QVERIFY(document.isModified());
    QCOMPARE(readFile(path(QStringLiteral("list.csv"))),
             QByteArray("First Name,Last Name,Email\nAnn,Able,ann@example.org\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 1);
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
    writeFile(path(QStringLiteral("a.vcf")),
              card(QStringLiteral("U-09"), QStringLiteral("Di"), QStringLiteral("Dunn")));
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

void TestContactDocument::editsDuringAnAutosaveStayUnsaved()
{
    // An autosave writes a copy on a worker thread; an edit made meanwhile is not marked saved.
    ContactDocument document;
    FakeContactTableView view;
    openSample(document, view);
    document.setAutosaveDelay(0);
    const ContactEntryPtr cy = document.collection().contact(QStringLiteral("U-03"));
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("First"), Field::Note, cy));
    document.autosaveInBackground();
    QVERIFY(document.isAutosaving());
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("Second"), Field::Note, cy));
    QTRY_VERIFY(!document.isAutosaving());
    QVERIFY(document.isModified());
    QVERIFY(readFile(path(QStringLiteral("a.vcf"))).contains("NOTE:First"));
    document.autosave();
    QVERIFY(!document.isModified());
    QVERIFY(readFile(path(QStringLiteral("a.vcf"))).contains("NOTE:Second"));

    // A save made while an autosave writes lets it end first: the older copy never lands after it.
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("Third"), Field::Note, cy));
    document.autosaveInBackground();
    QVERIFY(document.isAutosaving());
    QVERIFY(document.undoRegistry().undoReplaceStringValue(QStringLiteral("Fourth"), Field::Note, cy));
    QVERIFY(!document.save().isError());
    QVERIFY(!document.isAutosaving());
    QVERIFY(!document.isModified());
    QTest::qWait(20);
    QVERIFY(readFile(path(QStringLiteral("a.vcf"))).contains("NOTE:Fourth"));
}

QTEST_GUILESS_MAIN(TestContactDocument)
#include "tst_contactdocument.moc"
