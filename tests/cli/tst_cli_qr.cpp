// quillary-cli qr, run as a process.

#include "CliRunner.h"
#include "TestSupport.h"
#include "output/QRCodeImage.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = Quillary::Test::CliRun;

Run runQr(const QStringList& arguments)
{
    return Quillary::Test::runCli(QStringList{QStringLiteral("qr")} + arguments);
}

QString contactsFile()
{
    return Quillary::Test::dataPath(QStringLiteral("cli/qr-contacts.vcf"));
}

} // namespace

class TestCliQr : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void payload_data();
    void payload();
    void writesImageOfPayload();
    void refusesBadArguments_data();
    void refusesBadArguments();
};

void TestCliQr::payload_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("vCard by default, first phone, e-mail and address")
        << QStringList()
        << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jane Doe\r\nN:Doe;Jane;;;\r\n"
                      "EMAIL;type=home:jane@example.com\r\nTEL;type=work:+1 555 0100\r\n"
                      "ADR;type=home:;;1 Main St;Springfield;IL;62701;USA\r\nEND:VCARD\r\n");
    QTest::newRow("Phone") << QStringList{"--format", "Phone"} << QByteArray("tel:+1 555 0100");
    QTest::newRow("URL is not ticked at first") << QStringList{"--format", "URL"} << QByteArray("http:");
    QTest::newRow("docomo of the second contact")
        << QStringList{"--contact", "2", "--format", "docomo"}
        << QStringLiteral("MECARD:N:太郎 山田;SOUND:ヤマダ タロウ;TEL:090-1234-5678;").toUtf8();
    QTest::newRow("ticks: second phone only, the URL, the organisation")
        << QStringList{"--tick", "phone:2,url:1", "--org"}
        << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jane Doe\r\nN:Doe;Jane;;;\r\n"
                      "EMAIL;type=home:jane@example.com\r\nTEL:+1 555 0199\r\n"
                      "ADR;type=home:;;1 Main St;Springfield;IL;62701;USA\r\nURL:http://example.com\r\n"
                      "ORG:Acme;R&D\r\nEND:VCARD\r\n");
}

void TestCliQr::payload()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    const Run run = runQr(QStringList{contactsFile(), QStringLiteral("--payload")} + arguments);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(run.out, expected);
}

void TestCliQr::writesImageOfPayload()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("code.png"));
    const Run run =
        runQr({contactsFile(), QStringLiteral("--contact"), QStringLiteral("2"), QStringLiteral("-o"), path});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(run.out.isEmpty());

    const Run payload =
        runQr({contactsFile(), QStringLiteral("--contact"), QStringLiteral("2"), QStringLiteral("--payload")});
    const QImage expected = Quillary::QRCodeImage::render(QString::fromUtf8(payload.out));
    QVERIFY(!expected.isNull());
    QImage written(path, "PNG");
    QCOMPARE(written.convertToFormat(expected.format()), expected);
}

void TestCliQr::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    const QString file = contactsFile();
    QTest::newRow("no output") << QStringList{file} << 2 << QByteArray("Missing -o");
    QTest::newRow("unknown format") << QStringList{file, "--payload", "--format", "Fax"} << 2
                                    << QByteArray("expected one of vCard, docomo, au, SoftBank, Phone, Email, URL");
    QTest::newRow("contact 0") << QStringList{file, "--payload", "--contact", "0"} << 2 << QByteArray("from 1");
    QTest::newRow("contact past the end")
        << QStringList{file, "--payload", "--contact", "3"} << 1 << QByteArray("The file has 2 contacts");
    QTest::newRow("tick past the rows") << QStringList{file, "--payload", "--tick", "phone:9"} << 2
                                        << QByteArray("there is no phone:9");
    QTest::newRow("missing file") << QStringList{file + ".missing", "--payload"} << 1
                                  << QByteArray("couldn't be opened");
}

void TestCliQr::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    const Run run = runQr(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY(run.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestCliQr)
#include "tst_cli_qr.moc"
