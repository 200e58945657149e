#include "CliRunner.h"
#include "TestSupport.h"

#include "documents/ContactFileReader.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;

class TestCliFind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void find_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("labels and items")
            << QStringList{"--text", "ANNA", "--items", "Email,Address", "--labels", "home"} << 0
            << QByteArray("Anna Smith\tEmail\t\thome\tanna@example.com\n"
                          "Anna Smith\tAddress\tCity\thome\tAnnaville\n"
                          "Anna Smith\tAddress\tStreet\thome\t1 Anna Street\n");
        QTest::newRow("case-sensitive regex") << QStringList{"--text", "^A.*a$", "--mode", "regex"} << 0
                                              << QByteArray("Anna Smith\tName\tFirstName\t\tAnna\n"
                                                            "Anna Smith\tNote\t\t\tAnna Banana\n");
        QTest::newRow("invalid pattern") << QStringList{"--text", "(", "--mode", "regex"} << 1 << QByteArray();
        QTest::newRow("unknown item") << QStringList{"--text", "a", "--items", "Fax"} << 2 << QByteArray();
    }
    void find()
    {
        QFETCH(QStringList, options);
        const Test::CliRun run =
            Test::runCli(QStringList{"find", Test::dataPath(QStringLiteral("find/findmerge.vcf"))} + options);
        QTEST(run.exitCode, "exitCode");
        QTEST(run.out, "out");
    }

    void replaceWritesTheFile()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.vcf"));
        const Test::CliRun run = Test::runCli({"find", Test::dataPath(QStringLiteral("find/findmerge.vcf")), "--text",
                                               "(\\w+)@", "--mode", "regex", "--replace", "\\1.x@", "-o", output});
        QCOMPARE(run.out, QByteArray("records=2 replaced=2\n"));
        const ContactFileReader::Result written = ContactFileReader::read(output);
        QCOMPARE(written.contacts.size(), 5);
        QCOMPARE(written.contacts.at(1)->person->emailValues().first().value, QStringLiteral("ANNA.x@Example.COM"));
    }

    void duplicatesListsGroups()
    {
        const Test::CliRun run = Test::runCli({"duplicates", Test::dataPath(QStringLiteral("find/findmerge.vcf"))});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.split('\n').first(),
                 QByteArray("1\t2\temail anna@example.com; phone +81 90-1111-2222; name Anna Smith"));
        QVERIFY(run.out.startsWith("1\t2\t") && run.out.contains("\n3\t4\tname "));
    }
};

QTEST_GUILESS_MAIN(TestCliFind)
#include "tst_cli_find.moc"
