// quillary-cli print, run as a process, its PDF read back with poppler's tools.

#include "CliRunner.h"
#include "TestSupport.h"

#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = Quillary::Test::CliRun;

Run runProgram(const QString& program, const QStringList& arguments, bool withoutDisplay = false)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (withoutDisplay) {
        // As from cron or over ssh: no display, and a platform that would need one.
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
    return Quillary::Test::runProgram(program, arguments, environment);
}

Run runPrint(const QStringList& arguments, bool withoutDisplay = false)
{
    return runProgram(QStringLiteral(QUILLARY_CLI), QStringList{QStringLiteral("print")} + arguments, withoutDisplay);
}

QString contactsFile()
{
    return Quillary::Test::dataPath(QStringLiteral("cli/print-contacts.vcf"));
}

} // namespace

class TestCliPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printsAddressList_data();
    void printsAddressList();
    void refusesBadArguments_data();
    void refusesBadArguments();

private:
    QString m_pdfinfo;
    QString m_pdftotext;
};

void TestCliPrint::initTestCase()
{
    m_pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    m_pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (m_pdfinfo.isEmpty() || m_pdftotext.isEmpty())
        QSKIP("poppler-utils (pdfinfo, pdftotext) is not installed");
}

void TestCliPrint::printsAddressList_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<int>("pages");
    QTest::newRow("defaults: A4, phones, e-mails and addresses") << QStringList() << "595 x 842 pts"
                                                                 << QStringList{"Jane Doe",
                                                                                "Phone: work: +1 555 0100",
                                                                                "mobile: +1 555 0199",
                                                                                "Email: home: jane@example.com",
                                                                                "Address: home: 1 Main St",
                                                                                "山田",
                                                                                "太郎",
                                                                                "090-1234-5678",
                                                                                "John Smith",
                                                                                "+44 20 7946 0958"}
                                                                 << QStringList{"Note:"} << 1;
    QTest::newRow("Letter, notes before e-mails")
        << QStringList{"--paper", "Letter", "--items", "note, email"} << "612 x 792 pts"
        << QStringList{"Note: Met at the conference.", "Prefers e-mail.", "Email: work: taro@example.jp"}
        << QStringList{"Phone:", "Address:"} << 1;
    QTest::newRow("envelopes on DL, the second contact as sender")
        << QStringList{"--style", "envelope", "--sender", "2"} << "624 x 312 pts"
        << QStringList{"Jane Doe", "1 Main St", "Springfield IL 62701", "John Smith"} << QStringList{"Phone:"} << 3;
    QTest::newRow("postcards") << QStringList{"--style", "hagaki"} << "284 x 419 pts" << QStringList{"様"}
                               << QStringList{"Phone:"} << 3;
}

void TestCliPrint::printsAddressList()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, pageSize);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(int, pages);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("contacts.pdf"));
    const Run run = runPrint(QStringList{contactsFile(), QStringLiteral("-o"), pdf} + arguments, true);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(run.out, QStringLiteral("3 contacts on %1 page%2\n").arg(pages).arg(pages == 1 ? u"" : u"s").toUtf8());

    const QString info = QString::fromUtf8(runProgram(m_pdfinfo, {pdf}).out);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
    QVERIFY2(info.contains(pageSize), qPrintable(info));
    // poppler may name a CJK glyph by its Kangxi radical and a ligature by its own character.
    const QString text =
        QString::fromUtf8(runProgram(m_pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out)
            .normalized(QString::NormalizationForm_KC);
    for (const QString& expected : std::as_const(present))
        QVERIFY2(text.contains(expected), qPrintable(expected + u" in:\n" + text));
    for (const QString& unexpected : std::as_const(absent))
        QVERIFY2(!text.contains(unexpected), qPrintable(unexpected + u" in:\n" + text));
    if (arguments.contains(QStringLiteral("--items")))
        QVERIFY(text.indexOf(QStringLiteral("Note:")) < text.indexOf(QStringLiteral("Email:")));
}

void TestCliPrint::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    const QString file = contactsFile();
    const QString out = QDir::temp().filePath(QStringLiteral("never-written.pdf"));
    QTest::newRow("no output") << QStringList{file} << 2 << QByteArray("Missing -o OUT.pdf");
    QTest::newRow("unknown paper") << QStringList{file, "-o", out, "--paper", "A3"} << 2
                                   << QByteArray("expected one of A4, Letter");
    QTest::newRow("unknown item") << QStringList{file, "-o", out, "--items", "Phone,Fax"} << 2
                                  << QByteArray("Unknown item Fax; expected some of Address, Email");
    QTest::newRow("missing file") << QStringList{file + ".missing", "-o", out} << 1 << QByteArray("couldn't be opened");
    QTest::newRow("unknown style") << QStringList{file, "-o", out, "--style", "poster"} << 2
                                   << QByteArray("Unknown style poster");
    QTest::newRow("sender past the end") << QStringList{file, "-o", out, "--sender", "4"} << 2
                                         << QByteArray("--sender expects a contact number from 1 to 3");
    QTest::newRow("unwritable output") << QStringList{file, "-o", "/nonexistent-folder/out.pdf"} << 1
                                       << QByteArray("Couldn't write /nonexistent-folder/out.pdf");
}

void TestCliPrint::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    const Run run = runPrint(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFile::exists(QDir::temp().filePath(QStringLiteral("never-written.pdf"))));
}

QTEST_GUILESS_MAIN(TestCliPrint)
#include "tst_cli_print.moc"
