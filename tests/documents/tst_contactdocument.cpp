#include "DocumentTestFiles.h"
#include "TestSupport.h"
#include "documents/DocumentGroups.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;

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

class TestContactDocument : public DocumentTestCase
{
    Q_OBJECT

private Q_SLOTS:
    // Reading
    void readVCard()
    {
        ContactDocument document;
        QSignalSpy reloaded(&document, &ContactDocument::reloaded);
        FakeContactTableView view;
        Test::openSample(document, view, path(u"a.vcf"_s));
        const ContactCollection& collection = document.collection();

        QCOMPARE(collection.contactTable.size(), 3);
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(collection.groupTable.size(), 3);
        QCOMPARE(collection.selectedGroupDict, collection.topGroup());
        const GroupEntryPtr friends = groupById(collection, u"Friends"_s);
        QCOMPARE(collection.contact(u"U-02"_s)->groupUniqueIds, QStringList{friends->uniqueId});
        QVERIFY(collection.contact(u"U-03"_s)->groupUniqueIds.isEmpty());
        QVERIFY(!document.isModified());
        QVERIFY(!document.isCsv());
        QCOMPARE(document.encoding(), QByteArray("UTF-8"));
        QCOMPARE(document.displayName(), u"a.vcf"_s);
    }

    void readFailures_data()
    {
        Test::addColumns<QString, QByteArray, int, QString>("name", "content", "code", "message");

        const QString noCard = u"Please make sure the file is vCard 2.1/3.0 file, or text encoding."_s;
        const QString noCsv = u"Please make sure the file is a valid CSV file, or text encoding."_s;
        QTest::newRow("vCard file without a card") << "notes.vcf" << QByteArray("just some text\n") << 259 << noCard;
        QTest::newRow("empty vCard file") << "empty.vcf" << QByteArray() << 259 << noCard;
        QTest::newRow("empty card") << "blank.vcf" << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n") << 259
                                    << noCard;
        QTest::newRow("empty CSV file") << "empty.csv" << QByteArray() << 259 << noCsv;
        QTest::newRow("missing file") << "" << QByteArray() << int(DocumentError::FileReadNoSuchFile) << QString();
    }
    void readFailures()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        QFETCH(QString, message);

        auto& [document, view] = sample();
        const QString target = name.isEmpty() ? path(u"missing.vcf"_s) : path(name);
        if (!name.isEmpty())
            writeFile(target, content);

        const DocumentError error = document.read(target);
        QCOMPARE(error.domain, u"Application"_s);
        QCOMPARE(error.code, code);
        if (!message.isEmpty())
            QCOMPARE(error.recoverySuggestion, message);
        else
            QVERIFY(!error.recoverySuggestion.isEmpty());
        // The document keeps what it had.
        QCOMPARE(document.filePath(), path(u"a.vcf"_s));
        QCOMPARE(document.collection().contactTable.size(), 3);
        QVERIFY(!document.isCsv());
    }

    void csvDocumentIsReadOnly()
    {
        writeFile(path(u"list.csv"_s), "First Name,Last Name,Email\nAnn,Able,ann@example.org\n");
        ContactDocument document;
        QVERIFY(!document.read(path(u"list.csv"_s)).isError());
        QVERIFY(document.isCsv());
        QVERIFY(document.isInViewingMode());
        QCOMPARE(document.collection().contactTable.size(), 1);
        QCOMPARE(document.collection().groupTable.size(), 1);
        QVERIFY(!document.editState());

        DocumentError error;
        QVERIFY(document.dataOfType(&error).isEmpty());
        QCOMPARE(error.code, 512);
        QCOMPARE(document.save().code, 512);
        // Nor is an edited CSV document ever written back by itself.
        document.setAutosaveDelay(1);
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"changed"_s, Field::Note,
                                                               document.collection().contactTable.first()));
        QTest::qWait(20);
        document.autosave();
        QVERIFY(document.isModified());
        QCOMPARE(readFile(path(u"list.csv"_s)), QByteArray("First Name,Last Name,Email\nAnn,Able,ann@example.org\n"));
        QCOMPARE(folder().entryList(QDir::Files).size(), 1);
    }

    void backgroundRead()
    {
        writeFile(path(u"big.vcf"_s), manyCards(3000));
        QVERIFY(ContactDocument::wantsBackgroundRead(path(u"big.vcf"_s)));
        QVERIFY(!ContactDocument::wantsBackgroundRead(path(u"missing.vcf"_s)));
        ContactDocument document;
        DocumentTask* task = document.startRead(path(u"big.vcf"_s));
        QCOMPARE(task->message(), u"Reading: big.vcf"_s);
        task->waitForFinished();
        QVERIFY(!task->error().isError());
        QCOMPARE(task->progress(), 100);
        QCOMPARE(document.collection().contactTable.size(), 3000);
        QCOMPARE(document.filePath(), path(u"big.vcf"_s));
    }

    void cancelledReadChangesNothing()
    {
        auto& [document, view] = sample();
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"edited"_s, Field::Note,
                                                               document.collection().contactTable.first()));
        writeFile(path(u"big.vcf"_s), manyCards(20000));
        QSignalSpy reloaded(&document, &ContactDocument::reloaded);

        DocumentTask* task = document.startRead(path(u"big.vcf"_s));
        cancelOnFirstProgress(task);
        task->waitForFinished();
        QVERIFY(task->isCancelled());
        QVERIFY(task->error().isCancellation());
        QCOMPARE(reloaded.count(), 0);
        QCOMPARE(document.filePath(), path(u"a.vcf"_s));
        QCOMPARE(document.collection().contactTable.size(), 3);
        QCOMPARE(document.undoStack()->count(), 1);
        QVERIFY(document.isModified());
    }

    void revertKeepsGroupAndSelection()
    {
        auto& [document, view] = sample();
        ContactCollection& collection = document.collection();
        collection.selectedGroupDict = groupById(collection, u"Friends"_s);
        view.selection = {u"U-02"_s, u"U-01"_s};
        const ContactEntryPtr ann = collection.contact(u"U-01"_s);
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"edited"_s, Field::Note, ann));
        document.setAddressBookDirty(true);
        view.calls.clear();

        QVERIFY(!document.revert().isError());
        QCOMPARE(collection.selectedGroupDict->groupId, u"Friends"_s);
        QVERIFY(collection.groupTable.contains(collection.selectedGroupDict));
        QCOMPARE(view.calls.last(), u"updateTableThenSelectByUniquIds U-02,U-01"_s);
        // The window test sees the edit and the undo step gone (tst_documentwindow revertToSaved).
        QVERIFY(collection.contact(u"U-01"_s)->person->stringValueForIdentifier(Field::Note).isEmpty());
        QVERIFY(!document.addressBookDirty());
    }

    void revertToGroupThatIsGone()
    {
        auto& [document, view] = sample();
        document.collection().selectedGroupDict = groupById(document.collection(), u"Work"_s);
        writeFile(path(u"a.vcf"_s), card(u"U-09"_s, u"Di"_s, u"Dunn"_s));
        view.calls.clear();

        QVERIFY(!document.revert().isError());
        QCOMPARE(document.collection().selectedGroupDict, document.collection().topGroup());
        QCOMPARE(view.calls, QStringList{u"updateTable"_s});
    }

    // Saving
    void saveLeavesOutDeletedContactsAndRemovedGroups()
    {
        auto& [document, view] = sample();
        ContactCollection& collection = document.collection();
        const GroupEntryPtr friends = groupById(collection, u"Friends"_s);
        UndoRegistry& registry = document.undoRegistry();
        registry.undoDeleteContacts({collection.contact(u"U-02"_s)}, collection.topGroup(), true, false);
        registry.undoDeleteContacts({collection.contact(u"U-01"_s)}, friends, true, true);

        QVERIFY(!document.save().isError());
        const QByteArray written = readFile(path(u"a.vcf"_s));
        QVERIFY(!written.contains("UID:U-02"));
        QCOMPARE(written.count("BEGIN:VCARD"), 2);
        QCOMPARE(categoriesOf(written, "U-01"), QByteArray("Work"));
        QCOMPARE(categoriesOf(written, "U-03"), QByteArray("-"));
        QVERIFY(!document.isModified());
    }

    void saveWithEveryContactDeleted()
    {
        auto& [document, view] = sample();
        const QByteArray original = readFile(path(u"a.vcf"_s));
        document.undoRegistry().undoDeleteContacts(document.collection().contactTable, document.collection().topGroup(),
                                                   true, false);
        const DocumentError error = document.save();
        QCOMPARE(error.domain, u"Application"_s);
        QCOMPARE(error.code, 512);
        QCOMPARE(error.recoverySuggestion, u"Something error happened in saving operation."_s);
        QCOMPARE(readFile(path(u"a.vcf"_s)), original);
        QVERIFY(document.isModified());

        DocumentTask* task = document.startSave();
        task->waitForFinished();
        QCOMPARE(task->error().code, 512);
        QCOMPARE(readFile(path(u"a.vcf"_s)), original);
    }

    void failedSaveKeepsFile_data()
    {
        Test::addColumns<QString, bool>("target", "background");
        for (const bool background : {false, true}) {
            const char* how = background ? "on a worker thread" : "at once";
            QTest::addRow("target is a directory, %s", how) << "dir.vcf" << background;
            QTest::addRow("parent is a file, %s", how) << "plain.txt/a.vcf" << background;
            QTest::addRow("disk full part way, %s", how) << "" << background;
        }
    }
    void failedSaveKeepsFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, background);
        ContactDocument document;
        FakeContactTableView view;
        writeFile(path(u"a.vcf"_s), manyCards(400));
        QVERIFY(!document.read(path(u"a.vcf"_s)).isError());
        document.setAutosaveDelay(0);
        const QByteArray original = readFile(path(u"a.vcf"_s));
        QVERIFY(folder().mkdir(u"dir.vcf"_s));
        writeFile(path(u"plain.txt"_s), "plain");
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"edited"_s, Field::Note,
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
        QCOMPARE(readFile(path(u"a.vcf"_s)), original);
        QVERIFY(QFileInfo(path(u"dir.vcf"_s)).isDir());
        QCOMPARE(readFile(path(u"plain.txt"_s)), QByteArray("plain"));
        QCOMPARE(folder().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 3);
        QVERIFY(document.isModified());
        QCOMPARE(document.filePath(), path(u"a.vcf"_s));
    }

    void cancelledSaveKeepsFile()
    {
        ContactDocument document;
        writeFile(path(u"a.vcf"_s), manyCards(2000));
        QVERIFY(!document.read(path(u"a.vcf"_s)).isError());
        document.setAutosaveDelay(0);
        const QByteArray original = readFile(path(u"a.vcf"_s));
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"edited"_s, Field::Note,
                                                               document.collection().contactTable.first()));
        DocumentTask* task = document.startSave();
        QCOMPARE(task->message(), u"Writing the file: a.vcf"_s);
        cancelOnFirstProgress(task);
        task->waitForFinished();
        QVERIFY(task->error().isCancellation());
        QCOMPARE(readFile(path(u"a.vcf"_s)), original);
        QVERIFY(document.isModified());
    }

    void editedMarkFollowsUndoStack()
    {
        auto& [document, view] = sample();
        QSignalSpy changed(&document, &ContactDocument::modificationChanged);
        const ContactEntryPtr ann = document.collection().contact(u"U-01"_s);
        UndoRegistry& registry = document.undoRegistry();

        QVERIFY(registry.undoReplaceStringValue(u"one"_s, Field::Note, ann));
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
        QVERIFY(registry.undoReplaceStringValue(u"two"_s, Field::Note, ann));
        QVERIFY(!document.save().isError());
        document.undoStack()->undo();
        QVERIFY(document.isModified());
        document.undoStack()->redo();
        QVERIFY(!document.isModified());
    }

    void autosaveAfterEdits()
    {
        auto& [document, view] = sample();
        document.setAutosaveDelay(1);
        const ContactEntryPtr cy = document.collection().contact(u"U-03"_s);
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"Autosaved note"_s, Field::Note, cy));
        QTRY_VERIFY(!document.isModified());
        QVERIFY(readFile(path(u"a.vcf"_s)).contains("NOTE:Autosaved note"));

        // A new group alone is written too.
        DocumentGroups::addGroup(document.collection());
        document.setAddressBookDirty(true);
        QTRY_VERIFY(!document.isModified());

        // Autosave off: edits stay unwritten.
        document.setAutosaveDelay(0);
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"Kept in memory"_s, Field::Note, cy));
        QCoreApplication::processEvents();
        QVERIFY(document.isModified());
        QVERIFY(!readFile(path(u"a.vcf"_s)).contains("Kept in memory"));
    }

    void editsDuringAnAutosaveStayUnsaved()
    {
        // An autosave writes a copy on a worker thread; an edit made meanwhile is not marked saved.
        auto& [document, view] = sample();
        document.setAutosaveDelay(0);
        const ContactEntryPtr cy = document.collection().contact(u"U-03"_s);
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"First"_s, Field::Note, cy));
        document.autosaveInBackground();
        QVERIFY(document.isAutosaving());
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"Second"_s, Field::Note, cy));
        QTRY_VERIFY(!document.isAutosaving());
        QVERIFY(document.isModified());
        QVERIFY(readFile(path(u"a.vcf"_s)).contains("NOTE:First"));
        document.autosave();
        QVERIFY(!document.isModified());
        QVERIFY(readFile(path(u"a.vcf"_s)).contains("NOTE:Second"));

        // A save made while an autosave writes lets it end first: the older copy never lands after it.
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"Third"_s, Field::Note, cy));
        document.autosaveInBackground();
        QVERIFY(document.isAutosaving());
        QVERIFY(document.undoRegistry().undoReplaceStringValue(u"Fourth"_s, Field::Note, cy));
        QVERIFY(!document.save().isError());
        QVERIFY(!document.isAutosaving());
        QVERIFY(!document.isModified());
        QTest::qWait(20);
        QVERIFY(readFile(path(u"a.vcf"_s)).contains("NOTE:Fourth"));
    }
};

QTEST_GUILESS_MAIN(TestContactDocument)
#include "tst_contactdocument.moc"
