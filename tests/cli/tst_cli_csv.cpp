// quillary-cli convert, dump and stats with CSV files, run as a process.

#include "CliRunner.h"
#include "TestSupport.h"
#include "documents/ContactFileReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;

namespace {

using Run = Test::CliRun;

Run runCli(const QStringList& arguments)
{
    return Test::runCli(arguments);
}

QString data(const char* name)
{
    return Test::dataPath(QStringLiteral("csv/") + QString::fromLatin1(name));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList namesIn(const QByteArray& dump)
{
    QStringList names;
    for (const QJsonValue contact : QJsonDocument::fromJson(dump).object().value(u"contacts").toArray())
        names.append(contact.toObject().value(u"compositeName").toString());
    return names;
}

} // namespace

class TestCliCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void convertsVCardToCsvByExtension();
    void convertsCsvToVCard();
    void formatFromOption_data();
    void formatFromOption();
    void writesEveryRowWhenAsked();
    void dumpAndStatsReadCsv();
    void headerlessFileWarnsOnStandardError();
    void readsCsvInNamedEncoding();
    void csvWithoutContactsFails();

private:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void TestCliCsv::convertsVCardToCsvByExtension()
{
    const Run run = runCli({QStringLiteral("convert"), data("roundtrip.vcf"), QStringLiteral("-o"), path("out.csv")});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    const QByteArray csv = readFile(path("out.csv"));
    QVERIFY(csv.startsWith("Name,Home Phone,Work Phone,"));
    QCOMPARE(ContactFileReader::read(path("out.csv")).contacts.size(), 4);
    QVERIFY(csv.contains("John Smith,,,+1 555 0100,"));
    QVERIFY(csv.contains(QStringLiteral("株式会社山田製作所").toUtf8()));
}

void TestCliCsv::convertsCsvToVCard()
{
    const Run run = runCli({QStringLiteral("convert"), data("thunderbird.csv"), QStringLiteral("-o"), path("out.vcf")});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(run.err.isEmpty());
    const ContactFileReader::Result read = ContactFileReader::read(path("out.vcf"));
    QVERIFY2(read.ok(), qPrintable(read.errorString));
    QCOMPARE(read.contacts.size(), 2);
    const PersonDsc& alice = *read.contacts.first()->person;
    QCOMPARE(alice.compositeName(), QStringLiteral("Alice Martin"));
    QCOMPARE(alice.stringValueForIdentifier(Field::Note), QStringLiteral("Prefers e-mail.\nVegetarian, no nuts."));
    QCOMPARE(alice.emailValues().size(), 2);
}

void TestCliCsv::formatFromOption_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("begin");
    QTest::newRow("csv") << QStringLiteral("csv") << QByteArray("Name,Home Phone,");
    QTest::newRow("vcard") << QStringLiteral("vcard") << QByteArray("BEGIN:VCARD\r\n");
    QTest::newRow("VCF") << QStringLiteral("VCF") << QByteArray("BEGIN:VCARD\r\n");
}

void TestCliCsv::formatFromOption()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, begin);
    const Run run = runCli({QStringLiteral("convert"), data("google.csv"), QStringLiteral("--to"), format,
                            QStringLiteral("-o"), path("out.txt")});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(readFile(path("out.txt")).startsWith(begin));

    const Run bad = runCli({QStringLiteral("convert"), data("google.csv"), QStringLiteral("--to"),
                            QStringLiteral("xls"), QStringLiteral("-o"), path("bad.txt")});
    QCOMPARE(bad.exitCode, 2);
    QVERIFY(!QFile::exists(path("bad.txt")));
}

void TestCliCsv::writesEveryRowWhenAsked()
{
    const Run run = runCli({QStringLiteral("convert"), data("outlook.csv"), QStringLiteral("--all-rows"),
                            QStringLiteral("-o"), path("rows.csv")});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    // John Smith has four phones, Jane Roe one; a note of several lines stays in its quoted field.
    const QByteArray csv = readFile(path("rows.csv"));
    QCOMPARE(ContactFileReader::read(path("rows.csv")).contacts.size(), 4 + 1);
    QVERIFY(csv.contains("\nJohn Smith,,,+1 (206) 555-0103,"));
}

void TestCliCsv::dumpAndStatsReadCsv()
{
    const Run dump = runCli({QStringLiteral("dump"), data("outlook.csv")});
    QVERIFY2(dump.exitCode == 0, dump.err.constData());
    QCOMPARE(namesIn(dump.out), QStringList({"John Smith", "Jane Roe"}));

    const Run stats = runCli({QStringLiteral("stats"), data("outlook.csv")});
    QVERIFY2(stats.exitCode == 0, stats.err.constData());
    QCOMPARE(stats.out, QByteArray("contacts=2 groups=0 phones=5 emails=0 addresses=2\n"));
}

void TestCliCsv::headerlessFileWarnsOnStandardError()
{
    QVERIFY(writeFile(path("plain.csv"), "Jane Doe,555-0100,jane@example.com\nJohn Roe,555-0101\n"));
    const Run run = runCli({QStringLiteral("stats"), path("plain.csv")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("contacts=2 groups=0 phones=2 emails=1 addresses=0\n"));
    QCOMPARE(run.err,
             QByteArray("warning: Can't find header line in the file. Read as the following order: Name, "
                        "Phone, Email, ZIP, State, City, Street\n"));
}

void TestCliCsv::readsCsvInNamedEncoding()
{
    const Run run = runCli(
        {QStringLiteral("dump"), QStringLiteral("--encoding"), QStringLiteral("Shift_JIS"), data("shift_jis.csv")});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(namesIn(run.out), QStringList({"髙橋 一郎", "佐藤 花子"}));

    // Strictly in the wrong encoding, the file is refused.
    const Run strict =
        runCli({QStringLiteral("dump"), QStringLiteral("--encoding"), QStringLiteral("UTF-8"), data("shift_jis.csv")});
    QCOMPARE(strict.exitCode, 1);
}

void TestCliCsv::csvWithoutContactsFails()
{
    QVERIFY(writeFile(path("empty.csv"), "Name,Phone\r\n"));
    const Run run = runCli({QStringLiteral("convert"), path("empty.csv"), QStringLiteral("-o"), path("empty.vcf")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("Please make sure the file is a valid CSV file, or text encoding.\n"));
    QVERIFY(!QFile::exists(path("empty.vcf")));
}

QTEST_GUILESS_MAIN(TestCliCsv)
#include "tst_cli_csv.moc"
