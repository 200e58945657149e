#include "DocumentTestFiles.h"
#include "formats/CsvWriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThread>

using namespace Quillary;
using namespace Quillary::Test;

/// Work of a document on worker threads: exports, imports, and tasks that run side by side or
/// outlive their document.
class TestDocumentExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void exportAsCsv();
    void exportAsCsvFailure();
    void exportAsVCard();
    void cancelledExportWritesNothing_data();
    void cancelledExportWritesNothing();

    void importIntoSelectedGroup();
    void importOfFileWithoutCards();
    void importOfContactsAlreadyThere();

    void closingWhileWorkRuns();
    void manyTasksAtOnce();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    void openSample(ContactDocument& document, FakeContactTableView& view)
    {
        Test::openSample(document, view, path(QStringLiteral("a.vcf")));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDocumentExchange::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestDocumentExchange::exportAsCsv()
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

void TestDocumentExchange::exportAsCsvFailure()
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
    QCOMPARE(ContactExchange::exportFailedTitle(), QStringLiteral("Can't save the file"));
    QCOMPARE(ContactExchange::exportFailedMessage(task->error().code),
             QStringLiteral("Something error happned in saving operation. 513"));
    QVERIFY(!document.isModified());
}

void TestDocumentExchange::exportAsVCard()
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

void TestDocumentExchange::cancelledExportWritesNothing_data()
{
    QTest::addColumn<bool>("csv");
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("CSV, new file") << true << false;
    QTest::newRow("CSV, over a file") << true << true;
    QTest::newRow("vCard, new file") << false << false;
    QTest::newRow("vCard, over a file") << false << true;
}

void TestDocumentExchange::cancelledExportWritesNothing()
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
    DocumentTask* task =
        csv ? document.startExportAsCsv(target, contacts) : document.startExportAsVCard(target, contacts);
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

void TestDocumentExchange::importIntoSelectedGroup()
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

void TestDocumentExchange::importOfFileWithoutCards()
{
    ContactDocument document;
    writeFile(path(QStringLiteral("none.vcf")), "no cards here\n");
    DocumentTask* task = document.startImportFromVCard(path(QStringLiteral("none.vcf")));
    task->waitForFinished();
    QCOMPARE(task->error().recoverySuggestion, QStringLiteral("Please make sure the file is vCard 2.1/3.0 file."));
    QVERIFY(document.importedContacts().isEmpty());
    QVERIFY(!document.isExporting());
}

void TestDocumentExchange::importOfContactsAlreadyThere()
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

void TestDocumentExchange::closingWhileWorkRuns()
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

void TestDocumentExchange::manyTasksAtOnce()
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
        tasks.append(
            source.startExportAsVCard(path(QStringLiteral("out%1.vcf").arg(i)), source.collection().contactTable));
    }
    for (DocumentTask* task : std::as_const(tasks))
        task->waitForFinished();
    for (DocumentTask* task : std::as_const(tasks))
        QVERIFY(!task->error().isError());
    for (const auto& document : documents)
        QCOMPARE(document->collection().contactTable.size(), 3000);
}

QTEST_GUILESS_MAIN(TestDocumentExchange)
#include "tst_documentexchange.moc"
