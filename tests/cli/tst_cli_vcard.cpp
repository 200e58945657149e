// quillary-cli dump, stats and convert with vCard files: exit codes, messages, what is written.

#include "CliRunner.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;

namespace {

QString vcardData(const char* name)
{
    return Test::dataPath(QStringLiteral("vcard/") + QString::fromLatin1(name));
}

QString writeTemporary(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace

class TestCliVCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsContacts_data();
    void countsContacts();
    void dumpsContactsAndGroups();
    void refusesFilesWithoutCards();
    void reportsUnreadableFiles();
    void reportsUsageErrors_data();
    void reportsUsageErrors();
    void convertsAsADocumentSaves();
    void readsInAChosenEncoding();
    void writeFailuresSayWhy_data();
    void writeFailuresSayWhy();
};

void TestCliVCard::countsContacts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("iCloud style") << vcardData("icloud-30.vcf")
                                  << QByteArray("contacts=3 groups=3 phones=10 emails=3 addresses=4\n");
    QTest::newRow("Japanese phone") << vcardData("japanese-phone-21.vcf")
                                    << QByteArray("contacts=2 groups=2 phones=4 emails=1 addresses=1\n");
    QTest::newRow("malformed") << vcardData("malformed.vcf")
                               << QByteArray("contacts=6 groups=0 phones=5 emails=2 addresses=0\n");
}

void TestCliVCard::countsContacts()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, expected);
    const Test::CliRun run = Test::runCli({QStringLiteral("stats"), file});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
}

void TestCliVCard::dumpsContactsAndGroups()
{
    const Test::CliRun run = Test::runCli({QStringLiteral("dump"), vcardData("icloud-30.vcf")});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject dump = QJsonDocument::fromJson(run.out).object();
    const QJsonArray contacts = dump.value(u"contacts").toArray();
    QCOMPARE(contacts.size(), 3);
    const QJsonObject first = contacts.first().toObject();
    QCOMPARE(first.value(u"uniqueId").toString(), QStringLiteral("8C5A1E2B-1111-4A3C-9D0E-0123456789AB"));
    QCOMPARE(first.value(u"Birthday").toString(), QStringLiteral("--02-29"));
    QCOMPARE(first.value(u"Phone").toArray().first().toObject().value(u"label").toString(), QStringLiteral("mobile"));
    QCOMPARE(first.value(u"photoBytes").toInt(), 534);
    const QJsonArray groups = dump.value(u"groups").toArray();
    QCOMPARE(groups.size(), 3);
    QCOMPARE(groups.at(1).toObject().value(u"GroupName").toString(), QStringLiteral("Work, Research"));
    QCOMPARE(groups.at(1).toObject().value(u"members").toArray().size(), 2);
}

void TestCliVCard::refusesFilesWithoutCards()
{
    QTemporaryDir dir;
    const QString path = writeTemporary(dir, "empty.vcf", "no card here\nBEGIN:VCARD\nEND:VCARD\n");
    for (const char* command : {"dump", "stats", "table"}) {
        const Test::CliRun run = Test::runCli({QString::fromLatin1(command), path});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.trimmed(), QByteArray("Please make sure the file is vCard 2.1/3.0 file, or text encoding."));
    }
}

void TestCliVCard::reportsUnreadableFiles()
{
    const Test::CliRun run = Test::runCli({QStringLiteral("dump"), QStringLiteral("/nonexistent/contacts.vcf")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("/nonexistent/contacts.vcf"), run.err.constData());
}

void TestCliVCard::reportsUsageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")};
    QTest::newRow("no file") << QStringList{QStringLiteral("dump")};
    QTest::newRow("two files") << QStringList{QStringLiteral("stats"), QStringLiteral("a.vcf"),
                                              QStringLiteral("b.vcf")};
    QTest::newRow("convert without output") << QStringList{QStringLiteral("convert"), vcardData("google-30.vcf")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("dump"), QStringLiteral("--bogus"),
                                                   QStringLiteral("x")};
    QTest::newRow("unknown encoding") << QStringList{QStringLiteral("dump"), QStringLiteral("--encoding"),
                                                     QStringLiteral("klingon"), vcardData("google-30.vcf")};
}

void TestCliVCard::reportsUsageErrors()
{
    QFETCH(QStringList, arguments);
    QCOMPARE(Test::runCli(arguments).exitCode, 2);
}

void TestCliVCard::convertsAsADocumentSaves()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.vcf"));
    const Test::CliRun run =
        Test::runCli({QStringLiteral("convert"), vcardData("icloud-30.vcf"), QStringLiteral("-o"), out});
    QCOMPARE(run.exitCode, 0);
    const Test::CliRun again = Test::runCli({QStringLiteral("dump"), out});
    const Test::CliRun original = Test::runCli({QStringLiteral("dump"), vcardData("icloud-30.vcf")});
    // Group ids carry the time of reading; everything else reads back the same.
    QJsonObject a = QJsonDocument::fromJson(again.out).object();
    QJsonObject b = QJsonDocument::fromJson(original.out).object();
    QCOMPARE(a.value(u"contacts"), b.value(u"contacts"));
    QCOMPARE(a.value(u"groups").toArray().size(), b.value(u"groups").toArray().size());
}

void TestCliVCard::readsInAChosenEncoding()
{
    QTemporaryDir dir;
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\xFCller;J\xF6rg;;;\r\nEND:VCARD\r\n";
    const QString path = writeTemporary(dir, "latin1.vcf", card);
    const Test::CliRun latin1 =
        Test::runCli({QStringLiteral("dump"), QStringLiteral("--encoding"), QStringLiteral("ISO-8859-1"), path});
    QCOMPARE(latin1.exitCode, 0);
    QVERIFY(QString::fromUtf8(latin1.out).contains(QStringLiteral("Müller")));
    // Strictly as UTF-8 the bytes are not text: the error names where.
    const Test::CliRun utf8 =
        Test::runCli({QStringLiteral("dump"), QStringLiteral("--encoding"), QStringLiteral("UTF-8"), path});
    QCOMPARE(utf8.exitCode, 1);
    QVERIFY2(utf8.err.contains("offset 29"), utf8.err.constData());
}

void TestCliVCard::writeFailuresSayWhy_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");
    QTest::newRow("vCard") << QStringList{"convert"} << "out.vcf";
    QTest::newRow("CSV") << QStringList{"convert"} << "out.csv";
    QTest::newRow("normalized phones") << QStringList{"normalize-phones", "--layout", "(12) 3456-7890"} << "out.vcf";
    QTest::newRow("print") << QStringList{"print"} << "out.pdf";
}

void TestCliVCard::writeFailuresSayWhy()
{
    // A file size limit stands in for a full disk: the disk takes part of a write, then refuses.
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QTemporaryDir dir;
    const QString target = writeTemporary(dir, qPrintable(output), "the old file");
    QVERIFY(!target.isEmpty());
    const QStringList command = QStringList{QStringLiteral("-c"),
                                            QStringLiteral("ulimit -f 1 && exec \"$0\" \"$@\""),
                                            QStringLiteral(QUILLARY_CLI),
                                            arguments.first(),
                                            vcardData("icloud-30.vcf"),
                                            QStringLiteral("-o"),
                                            target}
        + arguments.mid(1);
    const Test::CliRun run = Test::runProgram(QStringLiteral("/bin/sh"), command);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("File too large"), run.err.constData());
    QFile old(target);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the old file"));
}

QTEST_GUILESS_MAIN(TestCliVCard)
#include "tst_cli_vcard.moc"
