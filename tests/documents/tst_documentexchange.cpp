#include "DocumentTestFiles.h"
#include "TestSupport.h"
#include "formats/CsvWriter.h"

#include <QThread>

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;

/// Work of a document on worker threads: exports, imports, and tasks that run side by side or
/// outlive their document.
class TestDocumentExchange : public DocumentTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void exportAsCsv()
    {
        auto& [document, view] = sample();
        const ContactTable& contacts = document.collection().contactTable;
        document.undoRegistry().undoDeleteContacts({contacts.at(2)}, document.collection().topGroup(), true, false);

        // Two rows of Ann, Bob once, and Cy, who is deleted.
        DocumentTask* task = document.startExportAsCsv(
            path(u"out.csv"_s), {contacts.at(0), contacts.at(0), contacts.at(1), contacts.at(2)});
        QVERIFY(document.isExporting());
        QCOMPARE(task->message(), u"Writing the file: out.csv"_s);
        task->waitForFinished();
        QVERIFY(!task->error().isError());
        QVERIFY(!document.isExporting());
        const QByteArray written = readFile(path(u"out.csv"_s));
        QCOMPARE(written, CsvWriter::csvFromSubContacts(ContactTable{contacts.at(0), contacts.at(1)}));
        QCOMPARE(written.count('\n'), 3);
        QVERIFY(written.contains("Ann"));
        QVERIFY(!written.contains("Cole"));

        // A row of the table goes out with the value it shows: none here, as a label filter hides the phone.
        CsvRow filtered{contacts.at(1), 0, std::array<int, LabeledFieldCount>{}};
        filtered.positions->fill(-1);
        task = document.startExportRowsAsCsv(path(u"row.csv"_s), {filtered});
        task->waitForFinished();
        QVERIFY(!readFile(path(u"row.csv"_s)).contains("555"));
    }

    void exportAsCsvFailure()
    {
        auto& [document, view] = sample();
        writeFile(path(u"plain.txt"_s), "plain");
        DocumentTask* task =
            document.startExportAsCsv(path(u"plain.txt/out.csv"_s), document.collection().contactTable);
        task->waitForFinished();
        QCOMPARE(task->error().code, int(DocumentError::FileWriteUnknown));
        QVERIFY(!document.isExporting());
        QCOMPARE(ContactExchange::exportFailedTitle(), u"Can't save the file"_s);
        QCOMPARE(ContactExchange::exportFailedMessage(task->error().code),
                 u"Something error happned in saving operation. 513"_s);
        QVERIFY(!document.isModified());
    }

    void exportAsVCard()
    {
        auto& [document, view] = sample();
        const ContactTable& contacts = document.collection().contactTable;
        DocumentTask* task = document.startExportAsVCard(path(u"out.vcf"_s), {contacts.at(1), contacts.at(1)});
        task->waitForFinished();
        QVERIFY(!task->error().isError());
        const QByteArray written = readFile(path(u"out.vcf"_s));
        QCOMPARE(written.count("BEGIN:VCARD"), 1);
        QCOMPARE(categoriesOf(written, "U-02"), QByteArray("Friends"));
    }

    void cancelledExportWritesNothing_data()
    {
        Test::addColumns<bool, bool>("csv", "fileExists");
        QTest::newRow("CSV, new file") << true << false;
        QTest::newRow("CSV, over a file") << true << true;
        QTest::newRow("vCard, new file") << false << false;
        QTest::newRow("vCard, over a file") << false << true;
    }
    void cancelledExportWritesNothing()
    {
        QFETCH(bool, csv);
        QFETCH(bool, fileExists);
        writeFile(path(u"a.vcf"_s), manyCards(5000));
        ContactDocument document;
        QVERIFY(!document.read(path(u"a.vcf"_s)).isError());
        const QString target = path(csv ? u"out.csv"_s : u"out.vcf"_s);
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
        QCOMPARE(folder().entryList(QDir::Files).size(), fileExists ? 2 : 1);
    }

    void importIntoSelectedGroup()
    {
        auto& [document, view] = sample();
        writeFile(path(u"more.vcf"_s),
                  card(u"I-01"_s, u"Eve"_s, u"East"_s) + card(u"I-02"_s, u"Fay"_s, u"Fox"_s, u"Work"_s)
                      + card(u"I-03"_s, u"Gus"_s, u"Gray"_s));
        ContactCollection& collection = document.collection();
        const GroupEntryPtr friends = groupById(collection, u"Friends"_s);
        collection.selectedGroupDict = friends;

        DocumentTask* task = document.startImportFromVCard(path(u"more.vcf"_s));
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
        QCOMPARE(view.calls.last(), u"updateTableThenSelectByUniquId I-01"_s);

        document.undoStack()->undo();
        QCOMPARE(collection.liveContacts().size(), 3);
        QVERIFY(!document.isModified());
    }

    void importOfFileWithoutCards()
    {
        ContactDocument document;
        writeFile(path(u"none.vcf"_s), "no cards here\n");
        DocumentTask* task = document.startImportFromVCard(path(u"none.vcf"_s));
        task->waitForFinished();
        QCOMPARE(task->error().recoverySuggestion, u"Please make sure the file is vCard 2.1/3.0 file."_s);
        QVERIFY(document.importedContacts().isEmpty());
        QVERIFY(!document.isExporting());
    }

    void importOfContactsAlreadyThere()
    {
        // Importing a file into itself: the copies are new contacts, each with an identity of its own.
        auto& [document, view] = sample();
        DocumentTask* task = document.startImportFromVCard(path(u"a.vcf"_s));
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
        QCOMPARE(document.collection().contact(u"U-01"_s), contacts.first());
    }

    void closingWhileWorkRuns()
    {
        // A document closed in the middle of a read or a save: the work ends first, nothing is written,
        // and the undo steps go without the document hearing of it.
        writeFile(path(u"big.vcf"_s), manyCards(20000));
        const QByteArray original = readFile(path(u"big.vcf"_s));
        {
            ContactDocument document;
            QVERIFY(!document.read(path(u"big.vcf"_s)).isError());
            document.setAutosaveDelay(1);
            QVERIFY(document.undoRegistry().undoReplaceStringValue(u"edited"_s, Field::Note,
                                                                   document.collection().contactTable.first()));
            document.startRead(path(u"big.vcf"_s));
            document.startSave();
        }
        QCOMPARE(readFile(path(u"big.vcf"_s)), original);
        QCOMPARE(folder().entryList(QDir::Files).size(), 1);
    }

    void manyTasksAtOnce()
    {
        // More documents at work than the machine has cores: each task must still end.
        writeFile(path(u"big.vcf"_s), manyCards(3000));
        ContactDocument source;
        QVERIFY(!source.read(path(u"big.vcf"_s)).isError());
        std::vector<std::unique_ptr<ContactDocument>> documents;
        QList<DocumentTask*> tasks;
        for (int i = 0; i <= QThread::idealThreadCount(); ++i) {
            documents.push_back(std::make_unique<ContactDocument>());
            tasks.append(documents.back()->startRead(path(u"big.vcf"_s)));
            tasks.append(source.startExportAsVCard(path(u"out%1.vcf"_s.arg(i)), source.collection().contactTable));
        }
        for (DocumentTask* task : std::as_const(tasks))
            task->waitForFinished();
        for (DocumentTask* task : std::as_const(tasks))
            QVERIFY(!task->error().isError());
        for (const auto& document : documents)
            QCOMPARE(document->collection().contactTable.size(), 3000);
    }
};

QTEST_GUILESS_MAIN(TestDocumentExchange)
#include "tst_documentexchange.moc"
