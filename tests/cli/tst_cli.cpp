// quillary-cli run as a process: what each command writes, and how it refuses what it cannot do.
// In the arguments of the tables, "@" stands for tests/data and "%" for a folder of the test's own.

#include "CliRunner.h"
#include "TestSupport.h"
#include "documents/ContactFileReader.h"
#include "model/NormalizePhoneNumber.h"
#include "output/QRCodeImage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using Run = Test::CliRun;

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

QString expand(const QString& argument)
{
    if (argument.startsWith(u'@'))
        return Test::dataPath(argument.mid(1));
    if (argument.startsWith(u'%'))
        return scratch().filePath(argument.mid(1));
    return argument;
}

Run cli(const QStringList& arguments, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QStringList expanded;
    for (const QString& argument : arguments)
        expanded.append(expand(argument));
    return Test::runCli(expanded, environment);
}

QByteArray readFile(const QString& path)
{
    QFile file(expand(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(expand(path));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QJsonObject dump(const QStringList& arguments)
{
    const Run run = cli(QStringList{QStringLiteral("dump")} + arguments);
    return run.exitCode == 0 ? QJsonDocument::fromJson(run.out).object() : QJsonObject();
}

QStringList namesIn(const QJsonObject& dump)
{
    QStringList names;
    for (const QJsonValue contact : dump.value(u"contacts").toArray())
        names.append(contact.toObject().value(u"compositeName").toString());
    return names;
}

/// Lines of cells separated by "|" in the test table, by tabs in the output.
QByteArray table(std::initializer_list<const char*> lines)
{
    QByteArray text;
    for (const char* line : lines)
        text += QByteArray(line).replace('|', '\t') + '\n';
    return text;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(scratch().isValid());
        writeFile(QStringLiteral("%empty.vcf"), "no card here\nBEGIN:VCARD\nEND:VCARD\n");
        writeFile(QStringLiteral("%empty.csv"), "Name,Phone\r\n");
        writeFile(QStringLiteral("%plain.csv"), "Jane Doe,555-0100,jane@example.com\nJohn Roe,555-0101\n");
        writeFile(QStringLiteral("%latin1.vcf"),
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\xFCller;J\xF6rg;;;\r\nEND:VCARD\r\n");
    }

    void output_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");

        const auto row = [](const char* name, const QStringList& arguments, const QByteArray& out,
                            const QByteArray& err = {}) { QTest::newRow(name) << arguments << out << err; };
        const QByteArray total = "All Contacts: total 6 contacts";
        row("stats, iCloud style", {"stats", "@vcard/icloud-30.vcf"},
            "contacts=3 groups=3 phones=10 emails=3 addresses=4\n");
        row("stats, Japanese phone", {"stats", "@vcard/japanese-phone-21.vcf"},
            "contacts=2 groups=2 phones=4 emails=1 addresses=1\n");
        row("stats, malformed", {"stats", "@vcard/malformed.vcf"},
            "contacts=6 groups=0 phones=5 emails=2 addresses=0\n");
        row("stats, CSV", {"stats", "@csv/outlook.csv"}, "contacts=2 groups=0 phones=5 emails=0 addresses=2\n");
        row("stats, CSV without header", {"stats", "%plain.csv"}, "contacts=2 groups=0 phones=2 emails=1 addresses=0\n",
            "warning: Can't find header line in the file. Read as the following order: Name, Phone, Email, ZIP, State, "
            "City, Street\n");

        // The table's rows, sorting, filters and cells have tests of their own; here the command's output.
        row("table, default view by name", {"table", "@table/rows.vcf"},
            table({"Name|Email", "Acme Inc.|info@acme.example", "Alice Able|", "Bob Brown|bob@example.org",
                   "Carol Clark|", "Dan Doe|", "Erin Evans|erin@example.org", "|erin@work.example", total}));
        // Each contact's phones are sorted too, so its rows stay together; no phone goes last.
        row("table by phone", {"table", "--view", "Phone", "--sort", "Phone", "@table/rows.vcf"},
            table({"Name|Phone", "Bob Brown|555-0101", "|555-0102", "|555-0103", "Carol Clark|555-0200", "|555-0201",
                   "Dan Doe|555-0300", "Erin Evans|555-0400", "Alice Able|", "Acme Inc.|", total}));
        row("table, group, name in all rows",
            {"table", "--view", "Phone", "--group", "Work", "--show-name-in-all-rows", "@table/rows.vcf"},
            table({"Name|Phone", "Bob Brown|555-0103", "Bob Brown|555-0101", "Bob Brown|555-0102",
                   "Carol Clark|555-0200", "Carol Clark|555-0201", "Work: total 2 contacts"}));
        row("table, address parts, descending",
            {"table", "--view", "Address Detail", "--sort", "City", "--descending", "@table/rows.vcf"},
            table({"Name|ZIP|State|City|Street|Country", "Dan Doe|62701|IL|Springfield|1 Main St|USA",
                   "|62565|IL|Shelbyville|9 Side Rd|USA", "Alice Able|||||", "Bob Brown|||||", "Carol Clark|||||",
                   "Acme Inc.|||||", "Erin Evans|||||", total}));

        row("qr vCard by default: first phone, e-mail and address", {"qr", "@cli/qr-contacts.vcf", "--payload"},
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jane Doe\r\nN:Doe;Jane;;;\r\nEMAIL;type=home:jane@example.com\r\n"
            "TEL;type=work:+1 555 0100\r\nADR;type=home:;;1 Main St;Springfield;IL;62701;USA\r\nEND:VCARD\r\n");
        row("qr ticks: second phone only, the URL, the organisation",
            {"qr", "@cli/qr-contacts.vcf", "--payload", "--tick", "phone:2,url:1", "--org"},
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jane Doe\r\nN:Doe;Jane;;;\r\nEMAIL;type=home:jane@example.com\r\n"
            "TEL:+1 555 0199\r\nADR;type=home:;;1 Main St;Springfield;IL;62701;USA\r\nURL:http://example.com\r\n"
            "ORG:Acme;R&D\r\nEND:VCARD\r\n");
        row("qr docomo of the second contact",
            {"qr", "@cli/qr-contacts.vcf", "--payload", "--contact", "2", "--format", "docomo"},
            QStringLiteral("MECARD:N:太郎 山田;SOUND:ヤマダ タロウ;TEL:090-1234-5678;").toUtf8());
    }

    void output()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        const Run run = cli(arguments);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(run.out, out);
        QCOMPARE(run.err, err);
    }

    void refuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message"); // a part of what standard error says

        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            const QByteArray& message = {}) {
            QTest::newRow(name) << arguments << exitCode << message;
        };
        row("no command", {}, 2);
        row("unknown command", {"frobnicate"}, 2, "Unknown command: frobnicate");
        row("no file", {"dump"}, 2);
        row("two files", {"stats", "a.vcf", "b.vcf"}, 2);
        row("unknown option", {"dump", "--bogus", "x"}, 2);
        row("unknown encoding", {"dump", "--encoding", "klingon", "@vcard/google-30.vcf"}, 2);
        row("convert without output", {"convert", "@vcard/google-30.vcf"}, 2);
        row("convert to an unknown format", {"convert", "@csv/google.csv", "--to", "xls", "-o", "%bad.txt"}, 2);
        row("unknown view type", {"table", "--view", "Nothing", "@table/rows.vcf"}, 2, "Unknown view type Nothing");
        row("unknown group", {"table", "--group", "Nobody", "@table/rows.vcf"}, 2, "No group named Nobody");
        row("unknown phone layout",
            {"normalize-phones", "@cli/phones.vcf", "--layout", "(1) 2", "-o", "%never-written.vcf"}, 2);
        row("qr without output", {"qr", "@cli/qr-contacts.vcf"}, 2, "Missing -o");
        row("qr in an unknown format", {"qr", "@cli/qr-contacts.vcf", "--payload", "--format", "Fax"}, 2,
            "expected one of vCard, docomo, au, SoftBank, Phone, Email, URL");
        row("qr of contact 0", {"qr", "@cli/qr-contacts.vcf", "--payload", "--contact", "0"}, 2, "from 1");
        row("qr ticking past the rows", {"qr", "@cli/qr-contacts.vcf", "--payload", "--tick", "phone:9"}, 2,
            "there is no phone:9");
        row("qr of a contact past the end", {"qr", "@cli/qr-contacts.vcf", "--payload", "--contact", "3"}, 1,
            "The file has 2 contacts");
        row("qr of a URL the contact lacks", {"qr", "@cli/qr-contacts.vcf", "--payload", "--format", "URL"}, 1,
            "nothing to encode as URL");
        row("print without output", {"print", "@cli/print-contacts.vcf"}, 2, "Missing -o OUT.pdf");
        row("print on unknown paper", {"print", "@cli/print-contacts.vcf", "-o", "%never.pdf", "--paper", "A3"}, 2,
            "expected one of A4, Letter");
        row("print in an unknown style", {"print", "@cli/print-contacts.vcf", "-o", "%never.pdf", "--style", "poster"},
            2, "Unknown style poster");
        row("print with a sender past the end",
            {"print", "@cli/print-contacts.vcf", "-o", "%never.pdf", "--sender", "4"}, 2,
            "--sender expects a contact number from 1 to 3");
        row("print an unknown item", {"print", "@cli/print-contacts.vcf", "-o", "%never.pdf", "--items", "Phone,Fax"},
            2, "Unknown item Fax; expected some of Address, Email");

        const QByteArray noCard = "Please make sure the file is vCard 2.1/3.0 file, or text encoding.";
        row("dump a file without cards", {"dump", "%empty.vcf"}, 1, noCard);
        row("stats of a file without cards", {"stats", "%empty.vcf"}, 1, noCard);
        row("table of a file without cards", {"table", "%empty.vcf"}, 1, noCard);
        row("convert a CSV file without contacts", {"convert", "%empty.csv", "-o", "%empty.vcf.out"}, 1,
            "Please make sure the file is a valid CSV file, or text encoding.");
        row("a file that is not there", {"dump", "/nonexistent/contacts.vcf"}, 1, "/nonexistent/contacts.vcf");
        row("qr of a file that is not there", {"qr", "@cli/qr-contacts.vcf.missing", "--payload"}, 1,
            "couldn't be opened");
        row("print a file that is not there", {"print", "@cli/print-contacts.vcf.missing", "-o", "%never.pdf"}, 1,
            "couldn't be opened");
        row("print to an unwritable place", {"print", "@cli/print-contacts.vcf", "-o", "/nonexistent-folder/out.pdf"},
            1, "Couldn't write /nonexistent-folder/out.pdf");
        // Strictly as UTF-8 the bytes are not text: the error names where.
        row("Latin-1 read as UTF-8", {"dump", "--encoding", "UTF-8", "%latin1.vcf"}, 1, "offset 29");
        row("Shift_JIS CSV read as UTF-8", {"dump", "--encoding", "UTF-8", "@csv/shift_jis.csv"}, 1);
    }

    void refuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), run.err.constData());
        if (!arguments.isEmpty() && !arguments.contains(u"frobnicate"_qs))
            QVERIFY(run.out.isEmpty());
        // Nothing is written where the command was refused.
        const qsizetype output = arguments.indexOf(QStringLiteral("-o"));
        if (output >= 0)
            QVERIFY(!QFile::exists(expand(arguments.value(output + 1))));
    }

    void dumpsContactsAndGroups()
    {
        const QJsonObject icloud = dump({QStringLiteral("@vcard/icloud-30.vcf")});
        const QJsonArray contacts = icloud.value(u"contacts").toArray();
        QCOMPARE(contacts.size(), 3);
        const QJsonObject first = contacts.first().toObject();
        QCOMPARE(first.value(u"uniqueId").toString(), QStringLiteral("8C5A1E2B-1111-4A3C-9D0E-0123456789AB"));
        QCOMPARE(first.value(u"Birthday").toString(), QStringLiteral("--02-29"));
        QCOMPARE(first.value(u"Phone").toArray().first().toObject().value(u"label").toString(),
                 QStringLiteral("mobile"));
        QCOMPARE(first.value(u"photoBytes").toInt(), 534);
        const QJsonArray groups = icloud.value(u"groups").toArray();
        QCOMPARE(groups.size(), 3);
        QCOMPARE(groups.at(1).toObject().value(u"GroupName").toString(), QStringLiteral("Work, Research"));
        QCOMPARE(groups.at(1).toObject().value(u"members").toArray().size(), 2);

        QCOMPARE(namesIn(dump({QStringLiteral("@csv/outlook.csv")})), QStringList({"John Smith", "Jane Roe"}));
    }

    void readsInAChosenEncoding()
    {
        QVERIFY(QJsonDocument(dump({"--encoding", "ISO-8859-1", "%latin1.vcf"})).toJson().contains("Müller"));
        QCOMPARE(namesIn(dump({"--encoding", "Shift_JIS", "@csv/shift_jis.csv"})),
                 QStringList({"髙橋 一郎", "佐藤 花子"}));
    }

    void convertsVCardAsADocumentSaves()
    {
        const Run run = cli({"convert", "@vcard/icloud-30.vcf", "-o", "%out.vcf"});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        // Group ids carry the time of reading; everything else reads back the same.
        const QJsonObject again = dump({QStringLiteral("%out.vcf")});
        const QJsonObject original = dump({QStringLiteral("@vcard/icloud-30.vcf")});
        QCOMPARE(again.value(u"contacts"), original.value(u"contacts"));
        QCOMPARE(again.value(u"groups").toArray().size(), original.value(u"groups").toArray().size());
    }

    void convertsBetweenVCardAndCsv()
    {
        // By the extensions.
        Run run = cli({"convert", "@csv/roundtrip.vcf", "-o", "%out.csv"});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QByteArray csv = readFile(QStringLiteral("%out.csv"));
        QVERIFY(csv.startsWith("Name,Home Phone,Work Phone,"));
        QCOMPARE(ContactFileReader::read(expand(QStringLiteral("%out.csv"))).contacts.size(), 4);
        QVERIFY(csv.contains("John Smith,,,+1 555 0100,"));
        QVERIFY(csv.contains(QStringLiteral("株式会社山田製作所").toUtf8()));

        run = cli({"convert", "@csv/thunderbird.csv", "-o", "%out.vcf"});
        QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.err.constData());
        const ContactFileReader::Result read = ContactFileReader::read(expand(QStringLiteral("%out.vcf")));
        QVERIFY2(read.ok(), qPrintable(read.errorString));
        QCOMPARE(read.contacts.size(), 2);
        const PersonDsc& alice = *read.contacts.first()->person;
        QCOMPARE(alice.compositeName(), QStringLiteral("Alice Martin"));
        QCOMPARE(alice.stringValueForIdentifier(Field::Note), QStringLiteral("Prefers e-mail.\nVegetarian, no nuts."));
        QCOMPARE(alice.emailValues().size(), 2);

        // By the option, whatever the extension says.
        for (const QString& format : {u"csv"_qs, u"vcard"_qs, u"VCF"_qs}) {
            QVERIFY(cli({"convert", "@csv/google.csv", "--to", format, "-o", "%out.txt"}).exitCode == 0);
            QVERIFY(readFile(QStringLiteral("%out.txt")).startsWith(format == u"csv" ? "Name," : "BEGIN:VCARD\r\n"));
        }

        // Every row: John Smith has four phones, Jane Roe one; a note of several lines stays in its field.
        QCOMPARE(cli({"convert", "@csv/outlook.csv", "--all-rows", "-o", "%rows.csv"}).exitCode, 0);
        QCOMPARE(ContactFileReader::read(expand(QStringLiteral("%rows.csv"))).contacts.size(), 4 + 1);
        QVERIFY(readFile(QStringLiteral("%rows.csv")).contains("\nJohn Smith,,,+1 (206) 555-0103,"));
    }

    void normalizesPhones_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("firstContact");
        QTest::addColumn<QStringList>("secondContact");
        QTest::addColumn<QByteArray>("summary");

        // Numbers that cannot be rewritten without losing digits ("03.1234.5678") and numbers of four
        // digits are kept as they are.
        QTest::newRow("four plus four") << PhoneLayout::FourPlusFour
                                        << QStringList{"(03) 1234-5678", "+81 (3) 1234-5678 x12", "1234"}
                                        << QStringList{"(03) 1234-5678", "03.1234.5678"}
                                        << QByteArray("phones=5 changed=3\n");
        QTest::newRow("pairs") << PhoneLayout::QuadTwo
                               << QStringList{"(03) 12 34 56 78", "+81 (3) 12 34 56 78 x12", "1234"}
                               << QStringList{"(03) 12 34 56 78", "03.1234.5678"} << QByteArray("phones=5 changed=4\n");
    }

    void normalizesPhones()
    {
        QFETCH(QString, layout);
        QFETCH(QStringList, firstContact);
        QFETCH(QStringList, secondContact);
        QFETCH(QByteArray, summary);

        const Run run = cli({"normalize-phones", "@cli/phones.vcf", "--layout", layout, "-o", "%phones.vcf"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, summary);
        const ContactFileReader::Result original = ContactFileReader::read(expand(QStringLiteral("@cli/phones.vcf")));
        const ContactFileReader::Result written = ContactFileReader::read(expand(QStringLiteral("%phones.vcf")));
        QVERIFY2(written.ok(), qPrintable(written.errorString));
        QCOMPARE(written.contacts.size(), 2);
        const QList<QStringList> expected{firstContact, secondContact};
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const LabeledValueList phones = written.contacts.at(i)->person->phoneValues().toList();
            const LabeledValueList before = original.contacts.at(i)->person->phoneValues().toList();
            QCOMPARE(phones.size(), expected.at(i).size());
            for (qsizetype at = 0; at < phones.size(); ++at) {
                QCOMPARE(phones.at(at).value, expected.at(i).at(at));
                QCOMPARE(phones.at(at).label, before.at(at).label);
            }
        }
        // The rest of the card travels along.
        QCOMPARE(written.contacts.at(1)->person->stringValueForIdentifier(Field::Note),
                 QStringLiteral("Phones in two layouts"));
    }

    void writesQrImageOfPayload()
    {
        const Run run = cli({"qr", "@cli/qr-contacts.vcf", "--contact", "2", "-o", "%code.png"});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QVERIFY(run.out.isEmpty());
        const Run payload = cli({"qr", "@cli/qr-contacts.vcf", "--contact", "2", "--payload"});
        const QImage expected = QRCodeImage::render(QString::fromUtf8(payload.out));
        QVERIFY(!expected.isNull());
        QCOMPARE(QImage(expand(QStringLiteral("%code.png")), "PNG").convertToFormat(expected.format()), expected);
    }

    void printsAddressList_data()
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

    void printsAddressList()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, pageSize);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(int, pages);
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            QSKIP("poppler-utils (pdfinfo, pdftotext) is not installed");

        // As from cron or over ssh: no display, and a platform that would need one.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const QString pdf = expand(QStringLiteral("%contacts.pdf"));
        const Run run = cli(QStringList{"print", "@cli/print-contacts.vcf", "-o", pdf} + arguments, environment);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(run.out, QStringLiteral("3 contacts on %1 page%2\n").arg(pages).arg(pages == 1 ? u"" : u"s").toUtf8());
        const QString info = QString::fromUtf8(Test::runProgram(pdfinfo, {pdf}).out);
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
        QVERIFY2(info.contains(pageSize), qPrintable(info));
        // poppler may name a CJK glyph by its Kangxi radical and a ligature by its own character.
        const QString text = QString::fromUtf8(Test::runProgram(pdftotext, {QStringLiteral("-layout"), pdf, "-"}).out)
                                 .normalized(QString::NormalizationForm_KC);
        for (const QString& expected : std::as_const(present))
            QVERIFY2(text.contains(expected), qPrintable(expected + u" in:\n" + text));
        for (const QString& unexpected : std::as_const(absent))
            QVERIFY2(!text.contains(unexpected), qPrintable(unexpected + u" in:\n" + text));
        if (arguments.contains(QStringLiteral("--items")))
            QVERIFY(text.indexOf(QStringLiteral("Note:")) < text.indexOf(QStringLiteral("Email:")));
    }

    void writeFailuresSayWhy_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("vCard") << QStringList{"convert", "@vcard/icloud-30.vcf", "-o", "%full.vcf"};
        QTest::newRow("CSV") << QStringList{"convert", "@vcard/icloud-30.vcf", "-o", "%full.csv"};
        QTest::newRow("normalized phones")
            << QStringList{"normalize-phones", "@vcard/icloud-30.vcf", "--layout", "(12) 3456-7890", "-o", "%full.vcf"};
        QTest::newRow("print") << QStringList{"print", "@cli/print-contacts.vcf", "-o", "%full.pdf"};
    }

    void writeFailuresSayWhy()
    {
        // A file size limit stands in for a full disk: the disk takes part of a write, then refuses.
        QFETCH(QStringList, arguments);
        const QString target = arguments.last();
        writeFile(target, "the old file");
        QStringList command{QStringLiteral("-c"), QStringLiteral("ulimit -f 1 && exec \"$0\" \"$@\""),
                            QStringLiteral(QUILLARY_CLI)};
        for (const QString& argument : std::as_const(arguments))
            command.append(expand(argument));
        const Run run = Test::runProgram(QStringLiteral("/bin/sh"), command);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("File too large"), run.err.constData());
        QCOMPARE(readFile(target), QByteArray("the old file"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
