// QR code payloads, the selection table they are built from, and the images they are rendered to.

#include "model/PersonDsc.h"
#include "output/QRCodeImage.h"
#include "output/QRCodePanelModel.h"
#include "output/QRCodePayload.h"
#include "output/QRCodeSelection.h"

#include <QAbstractItemModelTester>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;

namespace {

LabeledValue labeled(const QString& label, const QString& value)
{
    return LabeledValue::withText(label, value);
}

LabeledValue address(const QString& label, const QStringList& parts, const QString& shown)
{
    LabeledValue result;
    result.label = label;
    result.address.setStreet(parts.value(0));
    result.address.setCity(parts.value(1));
    result.address.setState(parts.value(2));
    result.address.setZip(parts.value(3));
    result.address.setCountry(parts.value(4));
    result.setStringValue(shown);
    return result;
}

void setName(PersonDsc& person, const QString& first, const QString& last, int ordering)
{
    NameValue name;
    name.firstName = first;
    name.lastName = last;
    name.nameOrdering = ordering;
    person.setValue(name, Field::Name);
}

void setPhonetic(PersonDsc& person, const QString& first, const QString& last)
{
    PhoneticNameValue phonetic;
    phonetic.firstName = first;
    phonetic.lastName = last;
    person.setValue(phonetic, Field::PhoneticName);
}

// Jane Doe: two of each labelled field that the payloads use, and all three organisation fields.
std::shared_ptr<PersonDsc> fullContact()
{
    auto person = std::make_shared<PersonDsc>();
    setName(*person, QStringLiteral("Jane"), QStringLiteral("Doe"), 1);
    setPhonetic(*person, QStringLiteral("Jayn"), QStringLiteral("Dough"));
    person->setLabeledValues(LabeledField::Phone,
                             {labeled(QStringLiteral("Work"), QStringLiteral("+1 555 0100")),
                              labeled(QStringLiteral("mobile"), QStringLiteral("+1 555 0199"))});
    person->setLabeledValues(LabeledField::Email,
                             {labeled(QStringLiteral("home"), QStringLiteral("jane@example.com")),
                              labeled(QStringLiteral("other"), QStringLiteral("jd@example.org"))});
    person->setLabeledValues(LabeledField::Address,
                             {address(QStringLiteral("Home"), {"1 Main St\nApt 2", "Springfield", "IL", "62701", "USA"},
                                      QStringLiteral("1 Main St\nApt 2\nSpringfield IL 62701\r\nUSA")),
                              address(QStringLiteral("other"), {"", "Paris", "", "", ""}, QStringLiteral("Paris"))});
    person->setLabeledValues(LabeledField::URL,
                             {labeled(QStringLiteral("home page"), QStringLiteral("example.com")),
                              labeled(QStringLiteral("WORK"), QStringLiteral("https://jane.example/a;b"))});
    person->setStringValue(QStringLiteral("Acme; Inc"), Field::Company);
    person->setStringValue(QStringLiteral("R&D"), Field::Department);
    person->setStringValue(QStringLiteral("Chief; Engineer"), Field::JobTitle);
    return person;
}

std::shared_ptr<PersonDsc> japaneseContact()
{
    auto person = std::make_shared<PersonDsc>();
    setName(*person, QStringLiteral("太郎"), QStringLiteral("山田"), 2);
    setPhonetic(*person, QStringLiteral("タロウ"), QStringLiteral("ヤマダ"));
    person->setLabeledValues(LabeledField::Phone, {labeled(QStringLiteral("携帯"), QStringLiteral("090-1234-5678"))});
    person->setLabeledValues(LabeledField::Email, {labeled(QStringLiteral("work"), QStringLiteral("taro@example.jp"))});
    person->setLabeledValues(LabeledField::Address,
                             {address(QStringLiteral("home"), {"千代田1-1", "千代田区", "東京都", "100-0001", "日本"},
                                      QStringLiteral("〒100-0001\n東京都千代田区千代田1-1"))});
    person->setStringValue(QStringLiteral("山田商事"), Field::Company);
    return person;
}

std::shared_ptr<PersonDsc> contact(const QString& fixture)
{
    if (fixture == u"full")
        return fullContact();
    if (fixture == u"japanese")
        return japaneseContact();
    auto person = std::make_shared<PersonDsc>();
    if (fixture == u"name with semicolon")
        setName(*person, QStringLiteral("A;B"), QStringLiteral("Smith"), 1);
    else if (fixture == u"line breaks") {
        // Values that would add a phone number of their own to the card a phone scans.
        setName(*person, QStringLiteral("Eve\nTEL:+1 555 0666"), QString(), 1);
        person->setLabeledValues(LabeledField::Phone,
                                 {labeled(QStringLiteral("mobile"), QStringLiteral("+1 555 0100\r\nTEL:+1 555 0666"))});
    } else if (fixture.startsWith(u"name:"))
        setName(*person, fixture.sliced(5), QString(), 1);
    return person;
}

// The panel's first ticks with the rows holding the given values ticked or unticked in turn.
QRCodeSelection selection(const PersonDsc& person, const QStringList& toggled)
{
    QRCodeSelection result(person);
    for (const QString& value : toggled) {
        qsizetype row = 0;
        while (row < result.size() && result.at(row).value != value)
            ++row;
        if (row == result.size())
            qFatal("no row holds %s", qPrintable(value));
        result.setSelected(row, !result.at(row).selected);
    }
    return result;
}

QString card(const QStringList& lines)
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n") + lines.join(QStringLiteral("\r\n"))
        + QStringLiteral("\r\nEND:VCARD\r\n");
}

const QString janeHeader = QStringLiteral("FN:Jane Doe\r\nN:Doe;Jane;;;\r\n"
                                          "X-PHONETIC-FIRST-NAME:Jayn\r\nX-PHONETIC-LAST-NAME:Dough");
const QString janeAddress = QStringLiteral("1 Main St Apt 2 Springfield IL 62701 USA");

} // namespace

class TestQRCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void selectionRows()
    {
        const QRCodeSelection rows(*fullContact());
        QStringList shown;
        QList<bool> ticks;
        for (const QRCodeRow& row : rows.rows()) {
            shown.append(row.displayText());
            ticks.append(row.selected);
        }
        QCOMPARE(shown,
                 QStringList({"Work: +1 555 0100", "mobile: +1 555 0199", "home: jane@example.com",
                              "other: jd@example.org", "Home: 1 Main St\nApt 2\nSpringfield IL 62701\r\nUSA",
                              "other: Paris", "home page: example.com", "WORK: https://jane.example/a;b", "Acme; Inc",
                              "R&D", "Chief; Engineer"}));
        QCOMPARE(ticks, QList<bool>({true, false, true, false, true, false, false, false, false, false, false}));
        QCOMPARE(rows.at(4).address.zip(), QStringLiteral("62701"));

        // Every kind of field has a row even without values; none of them starts ticked.
        const QRCodeSelection empty{PersonDsc()};
        QCOMPARE(empty.size(), 7);
        for (const QRCodeRow& row : empty.rows()) {
            QVERIFY(!row.selected);
            QCOMPARE(row.displayText(), QString());
        }
    }

    void enabledRows_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QList<FieldId>>("enabled");
        const QList<FieldId> labeled{FieldId::Phone, FieldId::Email, FieldId::Address};
        QTest::newRow("vCard: every row")
            << "vCard" << QList<FieldId>{FieldId::Phone,   FieldId::Email,      FieldId::Address, FieldId::URL,
                                         FieldId::Company, FieldId::Department, FieldId::JobTitle};
        QTest::newRow("au: no URL, no organisation") << "au" << labeled;
        QTest::newRow("Phone: phones only") << "Phone" << QList<FieldId>{FieldId::Phone};
        QTest::newRow("URL: URLs only") << "URL" << QList<FieldId>{FieldId::URL};
    }

    void enabledRows()
    {
        QFETCH(QString, format);
        QFETCH(QList<FieldId>, enabled);
        const QRCodeSelection rows(*fullContact());
        for (const QRCodeRow& row : rows.rows())
            QCOMPARE(row.isEnabled(*QRCodeFormats::fromTitle(format)), enabled.contains(row.type));
    }

    void payload_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("toggled");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char* name, const char* fixture, const char* format, const QStringList& toggled,
                            const QString& expected) {
            QTest::newRow(name) << QString::fromUtf8(fixture) << QString::fromUtf8(format) << toggled << expected;
        };
        const QString apt = QStringLiteral("ADR;type=Home:;;1 Main St Apt 2;Springfield;IL;62701;USA");
        row("vCard, first ticks", "full", "vCard", {},
            card({janeHeader, "EMAIL;type=home:jane@example.com", "TEL;type=Work:+1 555 0100", apt}));
        row("vCard, every row", "full", "vCard",
            {"+1 555 0199", "jd@example.org", "Paris", "example.com", "https://jane.example/a;b", "Acme; Inc", "R&D",
             "Chief; Engineer"},
            card({janeHeader, "EMAIL;type=home:jane@example.com", "EMAIL:jd@example.org", "TEL;type=Work:+1 555 0100",
                  "TEL:+1 555 0199", apt, "ADR:;;;Paris;;;", "URL:http://example.com",
                  "URL;type=WORK:https://jane.example/a;b", "ORG:Acme\\; Inc;R&D", "TITLE:Chief; Engineer"}));
        row("vCard, department alone starts ORG empty", "full", "vCard",
            {"+1 555 0100", "jane@example.com", "1 Main St\nApt 2\nSpringfield IL 62701\r\nUSA", "R&D"},
            card({janeHeader, "ORG:;R&D"}));
        row("vCard, no name", "empty", "vCard", {}, card({"FN:No name", "N:;;;;"}));
        row("vCard, semicolons in the name", "name with semicolon", "vCard", {},
            card({"FN:A\\;B Smith", "N:Smith;A\\;B;;;"}));

        row("docomo, first ticks", "full", "docomo", {},
            "MECARD:N:Jane Doe;SOUND:Jayn Dough;TEL:+1 555 0100;EMAIL:jane@example.com;ADR:" + janeAddress + ";");
        row("docomo, the last ticked phone wins", "full", "docomo", {"+1 555 0199", "jane@example.com", "Paris"},
            "MECARD:N:Jane Doe;SOUND:Jayn Dough;TEL:+1 555 0199;ADR:Paris;");
        row("docomo, name only", "name with semicolon", "docomo", {}, "MECARD:N:A\\;B Smith;");
        row("docomo, nothing", "empty", "docomo", {}, "MECARD:");
        row("vCard, line breaks escaped", "line breaks", "vCard", {},
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Eve\\nTEL:+1 555 0666\r\nN:;Eve\\nTEL:+1 555 0666;;;\r\n"
            "TEL:+1 555 0100\\nTEL:+1 555 0666\r\nEND:VCARD\r\n");
        row("docomo, line breaks as spaces", "line breaks", "docomo", {},
            "MECARD:N:Eve TEL:+1 555 0666;TEL:+1 555 0100 TEL:+1 555 0666;");
        row("au, line breaks as spaces", "line breaks", "au", {},
            "MEMORY:\nNAME1:Eve TEL:+1 555 0666\nTEL1:+1 555 0100 TEL:+1 555 0666\n");
        row("au, first ticks", "full", "au", {},
            "MEMORY:\nNAME1:Jane Doe\nNAME2:Jayn Dough\nTEL1:+1 555 0100\nMAIL1:jane@example.com\nADD:" + janeAddress
                + "\n");
        row("au, no escaping", "name with semicolon", "au", {}, "MEMORY:\nNAME1:A;B Smith\n");
        row("au, nothing", "empty", "au", {}, "MEMORY:\n");
        row("SoftBank, no address", "full", "SoftBank", {},
            "MEMORY:\nNAME1:Jane Doe\nNAME2:Jayn Dough\nTEL1:+1 555 0100\nMAIL1:jane@example.com\n");

        row("Phone", "full", "Phone", {}, "tel:+1 555 0100");
        row("Phone, none", "empty", "Phone", {}, "tel:");
        row("Email", "full", "Email", {"jd@example.org"}, "mailto:jd@example.org");
        row("Email, none", "empty", "Email", {}, "mailto:");
        row("URL, none ticked: nothing to encode", "full", "URL", {}, "");
        row("URL without a scheme", "full", "URL", {"example.com"}, "http://example.com");
        row("URL with a scheme", "full", "URL", {"https://jane.example/a;b"}, "https://jane.example/a;b");
        row("unknown format", "full", "Fax", {}, "");
    }

    void payload()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, format);
        QFETCH(QStringList, toggled);
        QFETCH(QString, expected);
        const auto person = contact(fixture);
        QCOMPARE(QRCodePayload::payload(format, *person, selection(*person, toggled)), expected);
    }

    void webAddress_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        // A text with a scheme stays; a host, with or without a port, gets "http://".
        const std::pair<const char*, const char*> rows[] = {
            {"example.com", "http://example.com"},
            {"https://example.com/x", "https://example.com/x"},
            {"HTTPS://EXAMPLE.COM", "HTTPS://EXAMPLE.COM"},
            {"mailto:jane@example.com", "mailto:jane@example.com"},
            {"tel:110", "tel:110"},
            {"svn+ssh://host/repo", "svn+ssh://host/repo"},
            {"example.com:8080/a:b", "http://example.com:8080/a:b"},
            {"www.example.com:81?q=1", "http://www.example.com:81?q=1"},
            {"localhost:3000", "http://localhost:3000"},
            {"192.168.0.1:8080", "http://192.168.0.1:8080"},
            {"[::1]:8080", "http://[::1]:8080"},
            {"example.com/a:b", "http://example.com/a:b"},
            {"x.y:abc", "x.y:abc"},
            {"exämple:80", "http://exämple:80"},
        };
        for (const auto& [url, expected] : rows)
            QTest::addRow("%s", url) << QString::fromUtf8(url) << QString::fromUtf8(expected);
    }

    void webAddress()
    {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(QRCodePayload::webAddress(url), expected);
    }

    void scaleFactor_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("factor");
        // Three pixels a module up to 48 modules, four up to 56, then five.
        for (const auto& [width, factor] : {std::pair{21, 3}, {48, 3}, {49, 4}, {56, 4}, {57, 5}, {177, 5}})
            QTest::addRow("%d modules", width) << width << factor;
    }

    void scaleFactor()
    {
        QFETCH(int, width);
        QFETCH(int, factor);
        QCOMPARE(QRCodeImage::scaleFactor(width), factor);
    }

    void imageKeepsModulesSharp()
    {
        for (int length : {10, 200, 400}) {
            const QString payload(length, u'x');
            const QImage modules = QRCodeImage::modules(payload);
            QVERIFY(!modules.isNull());
            QCOMPARE(modules.width(), modules.height());
            // The finder pattern's corner is dark.
            QCOMPARE(qGray(modules.pixel(0, 0)), 0);
            const int w = modules.width();
            const int f = QRCodeImage::scaleFactor(w);
            const QImage image = QRCodeImage::render(payload);
            QCOMPARE(image.size(), QSize((w + 2) * f, (w + 2) * f));
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const int mx = x / f - 1, my = y / f - 1;
                    const bool inside = mx >= 0 && my >= 0 && mx < w && my < w;
                    const int expected = inside ? qGray(modules.pixel(mx, my)) : 255;
                    if (qGray(image.pixel(x, y)) != expected)
                        QFAIL(qPrintable(QStringLiteral("pixel %1,%2 of a %3-module code").arg(x).arg(y).arg(w)));
                }
            }
        }
    }

    void tooLongPayloadGivesNoImage()
    {
        // Level L holds at most 2953 bytes.
        QVERIFY(!QRCodeImage::modules(QString(2953, u'a')).isNull());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ERROR QRcode_encodeData")));
        QVERIFY(QRCodeImage::render(QString(2954, u'a')).isNull());
        QVERIFY(QRCodeImage::render(QString()).isNull());
        QVERIFY(QRCodeImage::pngData(QImage()).isEmpty());
    }

    void pngRoundTrip()
    {
        const QImage image = QRCodeImage::render(QStringLiteral("tel:+1 555 0100"));
        const QByteArray png = QRCodeImage::pngData(image);
        QVERIFY(png.startsWith("\x89PNG"));
        QCOMPARE(QImage::fromData(png, "PNG").convertToFormat(image.format()), image);
    }

    void zbarDecodesPayload_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("toggled");
        const QStringList everything{"+1 555 0199", "jd@example.org", "example.com", "Acme; Inc",
                                     "R&D",         "Chief; Engineer"};
        for (const QString& format : QRCodeFormats::titles()) {
            QTest::addRow("%s", qPrintable(format))
                << "full" << format << (format == u"URL" ? QStringList{"example.com"} : QStringList());
            if (format != u"URL") // the Japanese contact has no URL to encode
                QTest::addRow("%s, Japanese", qPrintable(format)) << "japanese" << format << QStringList{"山田商事"};
        }
        QTest::newRow("vCard, every row") << "full"
                                          << "vCard" << everything;
        // Short texts that zbar's character-set guess gets wrong.
        QTest::newRow("docomo, 日本") << "name:日本"
                                      << "docomo" << QStringList();
        QTest::newRow("docomo, Müller") << "name:Müller"
                                        << "docomo" << QStringList();
    }

    // zbarimg 0.23.92 (Debian 12) guesses the character set of byte-mode data and converts it to UTF-8
    // even with --raw: "日本" comes back as "譌･譛ｬ" (read as Shift_JIS), "Müller" as "M羹ller". With
    // -Sbinary it prints the symbol's bytes as they are, without the newline it otherwise adds; --nodbus
    // keeps it from looking for a message bus.
    void zbarDecodesPayload()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, format);
        QFETCH(QStringList, toggled);
        const auto person = contact(fixture);
        const QString payload = QRCodePayload::payload(format, *person, selection(*person, toggled));

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("code.png"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QRCodeImage::pngData(QRCodeImage::render(payload)));
        file.close();

        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"),
                   {QStringLiteral("--nodbus"), QStringLiteral("--raw"), QStringLiteral("-q"),
                    QStringLiteral("-Sbinary"), path});
        QVERIFY2(zbar.waitForFinished(60000), qPrintable(zbar.errorString()));
        QVERIFY2(zbar.exitCode() == 0, zbar.readAllStandardError().constData());
        QCOMPARE(zbar.readAllStandardOutput(), payload.toUtf8());
    }

    void panelModel()
    {
        QRCodePanelModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy payloads(&model, &QRCodePanelModel::payloadChanged);

        auto entry = ContactEntry::make(fullContact());
        model.setContact(entry);
        QCOMPARE(model.rowCount(), 11);
        QCOMPARE(payloads.size(), 1);
        QVERIFY(model.payload().startsWith(u"BEGIN:VCARD"));
        QVERIFY(!model.image().isNull());
        QVERIFY(model.pngData().startsWith("\x89PNG"));
        QCOMPARE(model.index(0).data().toString(), QStringLiteral("Work: +1 555 0100"));
        QCOMPARE(model.index(0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);

        // Ticking the second phone makes it the one a phone payload carries.
        model.setFormat(QRCodeFormat::Phone);
        QCOMPARE(model.payload(), QStringLiteral("tel:+1 555 0100"));
        QVERIFY(model.setData(model.index(1), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(model.payload(), QStringLiteral("tel:+1 555 0199"));
        QCOMPARE(payloads.size(), 3);

        // Rows of other fields cannot be ticked in that format.
        QVERIFY(!(model.flags(model.index(2)) & Qt::ItemIsEnabled));
        QVERIFY(!model.setData(model.index(2), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(model.selection().at(2).selected);
        QCOMPARE(payloads.size(), 3);

        model.setContact(nullptr);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.payload(), QString());
        QVERIFY(model.image().isNull());
    }
};

QTEST_GUILESS_MAIN(TestQRCode)
#include "tst_qrcode.moc"
