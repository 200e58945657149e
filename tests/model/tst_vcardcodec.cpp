// The per-card vCard conversion: how each property, parameter, escape and encoding of vCard 2.1,
// 3.0 and 4.0 reaches the contact, how labels map, and that what is written reads back the same.

#include "PersonDscSamples.h"
#include "TestSupport.h"
#include "formats/ContactJson.h"
#include "formats/ZQVCard.h"
#include "model/addressbook/VCardCodec.h"
#include "model/addressbook/VCardContentLine_p.h"
#include "support/RepeatedTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<PersonDsc> readCard(const QByteArray& body, const QByteArray& version = "3.0")
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + body + "END:VCARD\r\n";
    return ZQVCard().personFromVCard(card);
}

/// A field of the contact as `quillary-cli dump` shows it, as compact JSON text.
QByteArray field(const PersonDsc& person, const QString& key)
{
    ContactEntry entry;
    entry.person = std::make_shared<PersonDsc>(person);
    const QJsonValue value = ContactJson::contact(entry).value(key);
    if (value.isString())
        return value.toString().toUtf8();
    if (value.isBool())
        return value.toBool() ? "true" : "false";
    if (value.isNull())
        return "null";
    return QJsonDocument(value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject()))
        .toJson(QJsonDocument::Compact);
}

/// The text of a contact that `sharesTextsThatRepeat` looks at.
QString repeatingText(const PersonDsc& person, const QString& which)
{
    if (which == u"first name")
        return person.nameParts().firstName;
    if (which == u"city")
        return person.addressValues().value(0).address.city();
    if (which == u"label")
        return person.phoneValues().value(0).label;
    if (which == u"service")
        return person.snsValues().value(0).service();
    return person.stringValueForIdentifier(which);
}

} // namespace

class TestVCardCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsProperties_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("2.1 comma is text") << QByteArray("2.1") << QByteArray("N:A\r\nORG:Soylent, Ltd.\r\n")
                                           << "Company" << QByteArray("Soylent, Ltd.");
        QTest::newRow("2.1 only semicolon escapes") << QByteArray("2.1") << QByteArray("N:A\r\nTITLE:a\\b\\;c\\,d\r\n")
                                                    << "Job Title" << QByteArray("a\\b;c\\,d");
        QTest::newRow("3.0 text escapes") << QByteArray("3.0") << QByteArray("N:A\r\nNOTE:a\\nb\\Nc\\,d\\;e\\\\f\r\n")
                                          << "Note" << QByteArray("a\nb\nc,d;e\\f");
        QTest::newRow("3.0 unknown escape and a last backslash")
            << QByteArray("3.0") << QByteArray("N:A\r\nNOTE:a\\xb\\\r\n") << "Note" << QByteArray("a\\xb\\");
        QTest::newRow("2.1 backslash before an escaped semicolon")
            << QByteArray("2.1") << QByteArray("N:A\r\nTITLE:a\\\\;b\\\r\n") << "Job Title" << QByteArray("a\\;b\\");
        QTest::newRow("2.1 soft break after a quoted parameter holding a colon")
            << QByteArray("2.1") << QByteArray("N:A\r\nNOTE;X-A=\"a:b\";ENCODING=QUOTED-PRINTABLE:ab=\r\n cd\r\n")
            << "Note" << QByteArray("ab cd");
        QTest::newRow("3.0 structured split at unescaped semicolons")
            << QByteArray("3.0") << QByteArray("N:Doe\\;Smith;Jo\\,Ann;;;\r\n") << "Name"
            << QByteArray(R"({"FirstName":"Jo,Ann","LastName":"Doe;Smith","MiddleName":"","PreviousFamilyName":""})");
        QTest::newRow("2.1 structured with escaped semicolon")
            << QByteArray("2.1") << QByteArray("ORG:Gringotts\\; Bank;Vaults\r\nN:A\r\n") << "Department"
            << QByteArray("Vaults");
        QTest::newRow("Shift-JIS 0x5C is not a backslash")
            << QByteArray("2.1") << QByteArray("N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=95=5C;=95=5C;;;\r\n")
            << "Name" << QByteArray(R"({"FirstName":"表","LastName":"表","MiddleName":"","PreviousFamilyName":""})");
        QTest::newRow("MS932 characters") << QByteArray("2.1")
                                          << QByteArray("N:A\r\nNOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:"
                                                        "=FB=FC=87=40=87=8A\r\n")
                                          << "Note" << QByteArray("\xE9\xAB\x99\xE2\x91\xA0\xE3\x88\xB1"); // 髙①㈱
        QTest::newRow("quoted-printable soft breaks")
            << QByteArray("2.1")
            << QByteArray("N:A\r\nNOTE;ENCODING=QUOTED-PRINTABLE:ab=\r\ncd=\r\n"
                          "ef=0D=0Agh\r\n")
            << "Note" << QByteArray("abcdef\ngh");
        QTest::newRow("quoted-printable soft break before a space")
            << QByteArray("2.1")
            << QByteArray(
                   "N:A\r\nNOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:bring=\r\n snacks=0D=0A=\r\n\t=95=5C\r\n")
            << "Note" << QByteArray("bring snacks\n\t表");
        QTest::newRow("quoted-printable without charset, UTF-8")
            << QByteArray("2.1") << QByteArray("N;ENCODING=QUOTED-PRINTABLE:M=C3=BCller\r\n") << "compositeName"
            << QByteArray("Müller");
        QTest::newRow("quoted-printable without charset, in the charset the card declares")
            << QByteArray("2.1")
            << QByteArray("N;ENCODING=QUOTED-PRINTABLE:=8D=B2=93=A1\r\nORG;CHARSET=SHIFT_JIS:A\r\n") << "compositeName"
            << QByteArray("佐藤");
        QTest::newRow("quoted-printable without charset, not Shift-JIS")
            << QByteArray("2.1") << QByteArray("N;ENCODING=QUOTED-PRINTABLE:Dupont;Fran=E7ois\r\n") << "compositeName"
            << QByteArray("François Dupont");
        QTest::newRow("ISO-8859-1 charset")
            << QByteArray("2.1") << QByteArray("N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=F6rg\r\n")
            << "compositeName" << QByteArray("Jörg");
        QTest::newRow("folding with space and tab")
            << QByteArray("3.0") << QByteArray("N:A\r\nNOTE:one\r\n  two\r\n\tthree\r\n") << "Note"
            << QByteArray("one twothree");
        QTest::newRow("LF line ends") << QByteArray("3.0") << QByteArray("N:Line;Feed\nTEL:1\nTEL:2\n") << "Phone"
                                      << QByteArray(
                                             R"([{"label":"No label","value":"1"},{"label":"No label","value":"2"}])");
        QTest::newRow("group and custom label")
            << QByteArray("3.0") << QByteArray("N:A\r\nitem1.TEL:1\r\nITEM1.X-ABLABEL:Boat\r\n") << "Phone"
            << QByteArray(R"([{"label":"Boat","value":"1"}])");
        QTest::newRow("tel URI") << QByteArray("4.0") << QByteArray("N:A\r\nTEL;VALUE=uri;TYPE=cell:tel:+1-555\r\n")
                                 << "Phone" << QByteArray(R"([{"label":"mobile","value":"+1-555"}])");
        QTest::newRow("birthday") << QByteArray("3.0") << QByteArray("N:A\r\nBDAY:1980-05-17\r\n") << "Birthday"
                                  << QByteArray("1980-05-17");
        QTest::newRow("birthday basic form")
            << QByteArray("2.1") << QByteArray("N:A\r\nBDAY:19800517\r\n") << "Birthday" << QByteArray("1980-05-17");
        QTest::newRow("birthday with time") << QByteArray("3.0") << QByteArray("N:A\r\nBDAY:1980-05-17T08:00:00Z\r\n")
                                            << "Birthday" << QByteArray("1980-05-17");
        QTest::newRow("birthday without year")
            << QByteArray("4.0") << QByteArray("N:A\r\nBDAY:--0517\r\n") << "Birthday" << QByteArray("--05-17");
        QTest::newRow("birthday with omitted year")
            << QByteArray("3.0") << QByteArray("N:A\r\nBDAY;X-APPLE-OMIT-YEAR=1604:1604-05-17\r\n") << "Birthday"
            << QByteArray("--05-17");
        QTest::newRow("invalid birthday")
            << QByteArray("3.0") << QByteArray("N:A\r\nBDAY:1980-13-45\r\n") << "Birthday" << QByteArray("null");
        QTest::newRow("anniversary") << QByteArray("4.0") << QByteArray("N:A\r\nANNIVERSARY:20090808\r\n") << "Dates"
                                     << QByteArray(R"([{"label":"anniversary","value":"2009-08-08"}])");
        QTest::newRow("phonetic name from SOUND")
            << QByteArray("2.1") << QByteArray("N:A\r\nSOUND;X-IRMC-N:Yamada;Taro;;;\r\n") << "Phonetic Name"
            << QByteArray(R"({"FirstName":"Taro","LastName":"Yamada","MiddleName":""})");
        QTest::newRow("X-PHONETIC beats SOUND")
            << QByteArray("2.1")
            << QByteArray("N:A\r\nX-PHONETIC-LAST-NAME:yamada\r\nSOUND;X-IRMC-N:Yamada;Taro;;;\r\n") << "Phonetic Name"
            << QByteArray(R"({"FirstName":"Taro","LastName":"yamada","MiddleName":""})");
        QTest::newRow("IMPP with service parameter")
            << QByteArray("3.0") << QByteArray("N:A\r\nIMPP;X-SERVICE-TYPE=skype;TYPE=work:skype:joe\r\n")
            << "Instant Message" << QByteArray(R"([{"label":"work","service":"Skype","username":"joe"}])");
        QTest::newRow("IMPP service from scheme")
            << QByteArray("4.0") << QByteArray("N:A\r\nIMPP:xmpp:joe@example.org\r\n") << "Instant Message"
            << QByteArray(R"([{"label":"No label","service":"Jabber","username":"joe@example.org"}])");
        QTest::newRow("service property")
            << QByteArray("3.0") << QByteArray("N:A\r\nX-ICQ;TYPE=HOME:12345\r\n") << "Instant Message"
            << QByteArray(R"([{"label":"home","service":"ICQ","username":"12345"}])");
        QTest::newRow("social profile user from address")
            << QByteArray("3.0") << QByteArray("N:A\r\nX-SOCIALPROFILE;type=facebook:https://facebook.example/joe/\r\n")
            << "Social Network" << QByteArray(R"([{"label":"facebook","username":"joe"}])");
        QTest::newRow("address with country code and street lines")
            << QByteArray("3.0")
            << QByteArray(
                   "N:A\r\nitem2.ADR;TYPE=WORK:PO Box 7;Apt 4;1 Main St;Town;ST;12345;Land\r\nitem2.X-ABADR:de\r\n")
            << "Address"
            << QByteArray(
                   R"([{"City":"Town","Country":"Land","CountryCode":"de","State":"ST","Street":"1 Main St\nApt 4\nPO Box 7","ZIP":"12345","label":"work"}])");
        QTest::newRow("maiden name and show-as company")
            << QByteArray("3.0")
            << QByteArray("N:Doe;Jane;;;\r\nX-MAIDENNAME:Roe\r\nORG:Acme\r\nX-ABShowAs:COMPANY\r\n") << "compositeName"
            << QByteArray("Acme");
        QTest::newRow("photo in a data URI")
            << QByteArray("4.0") << QByteArray("N:A\r\nPHOTO:data:image/gif;base64,R0lGODlhAQABAAAAACw=\r\n")
            << "photoBytes" << QByteArray();
        QTest::newRow("unique id from urn") << QByteArray("4.0") << QByteArray("N:A\r\nUID:urn:uuid:abc-123\r\n")
                                            << "uniqueId" << QByteArray("abc-123");
        QTest::newRow("unknown properties ignored")
            << QByteArray("3.0") << QByteArray("N:A\r\nX-FOO;BAR=\"a:b;c\":x\r\nGEO:1;2\r\nTEL:5\r\n") << "Phone"
            << QByteArray(R"([{"label":"No label","value":"5"}])");
    }

    void readsProperties()
    {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, body);
        QFETCH(QString, key);
        QFETCH(QByteArray, expected);
        const auto person = readCard(body, version);
        QVERIFY(person);
        if (key == u"uniqueId") {
            QCOMPARE(person->uniqueId().toUtf8(), expected);
            return;
        }
        if (key == u"photoBytes") {
            QVERIFY(!person->photoData().isEmpty());
            return;
        }
        QCOMPARE(field(*person, key), expected);
    }

    void decodesPhotosInEveryLayout_data()
    {
        // The encoded text of bytes 0, 1, 2 ... of each length, laid out as files write it.
        Test::addColumns<int, QByteArray>("length", "layout");
        for (const int length : {1, 2, 3, 5, 6, 7, 11, 12, 13, 47, 48, 49}) {
            for (const char* layout : {"plain", "unpadded", "spaced", "folded", "trailing space"})
                QTest::addRow("%d bytes, %s", length, layout) << length << QByteArray(layout);
        }
    }
    void decodesPhotosInEveryLayout()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, layout);
        QByteArray bytes(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i)
            bytes[i] = char(i * 37 + 11);
        QByteArray text = bytes.toBase64();
        if (layout == "unpadded") {
            while (text.endsWith('='))
                text.chop(1);
        } else if (layout == "spaced") {
            for (qsizetype at = text.size() - 1; at > 0; at -= 5)
                text.insert(at, ' ');
        } else if (layout == "folded") {
            for (qsizetype at = (text.size() - 1) / 7 * 7; at > 0; at -= 7)
                text.insert(at, "\r\n ");
        } else if (layout == "trailing space") {
            text += "  ";
        }
        const auto person = readCard("N:A\r\nPHOTO;ENCODING=b;TYPE=JPEG:" + text + "\r\n");
        QVERIFY(person);
        QCOMPARE(person->photoData(), bytes);
    }

    void mapsTypesToLabels_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("label");

        QTest::newRow("cell") << QByteArray("TEL;TYPE=CELL:1") << "mobile";
        QTest::newRow("iphone beats cell") << QByteArray("TEL;type=IPHONE;type=CELL;type=VOICE:1") << "iPhone";
        QTest::newRow("comma list") << QByteArray("TEL;TYPE=\"home,fax\":1") << "home fax";
        QTest::newRow("bare 2.1 types") << QByteArray("TEL;WORK;FAX:1") << "work fax";
        QTest::newRow("fax alone") << QByteArray("TEL;FAX:1") << "work fax";
        QTest::newRow("main") << QByteArray("TEL;TYPE=MAIN:1") << "main";
        QTest::newRow("pager") << QByteArray("TEL;TYPE=pager:1") << "pager";
        QTest::newRow("home voice pref") << QByteArray("TEL;TYPE=HOME;TYPE=VOICE;PREF=1:1") << "home";
        QTest::newRow("other") << QByteArray("TEL;TYPE=OTHER:1") << "other";
        QTest::newRow("no type") << QByteArray("TEL;TYPE=VOICE:1") << "No label";
        QTest::newRow("label beats types")
            << QByteArray("item1.TEL;TYPE=CELL:1\r\nitem1.X-ABLabel:_$!<Mobile>!$_") << "mobile";
        QTest::newRow("stored custom label") << QByteArray("item1.TEL:1\r\nitem1.X-ABLabel:_$!<Boat>!$_") << "Boat";
    }

    void mapsTypesToLabels()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, label);
        const auto person = readCard("N:A\r\n" + line + "\r\n");
        QVERIFY(person);
        QCOMPARE(person->phoneValues().size(), 1);
        QCOMPARE(person->phoneValues().first().label, label);
    }

    void namesCardsWithoutAName_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("compositeName");
        QTest::addColumn<bool>("showAsPerson");

        QTest::newRow("organisation") << QByteArray("N:;;;;\r\nFN:Acme\r\nORG:Acme\r\n") << "Acme" << false;
        QTest::newRow("organisation without formatted name") << QByteArray("ORG:Acme;Sales\r\n") << "Acme" << false;
        QTest::newRow("formatted name only") << QByteArray("N:;;;;\r\nFN:Prince\r\n") << "Prince" << true;
        QTest::newRow("person at an organisation") << QByteArray("FN:Jo Bloggs\r\nORG:Acme\r\n") << "Jo Bloggs" << true;
        QTest::newRow("kind org") << QByteArray("KIND:org\r\nFN:Acme\r\nORG:Acme\r\n") << "Acme" << false;
        QTest::newRow("name wins") << QByteArray("N:Doe;Jo;;;\r\nFN:Whatever\r\nORG:Acme\r\n") << "Jo Doe" << true;
    }

    void namesCardsWithoutAName()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, compositeName);
        QFETCH(bool, showAsPerson);
        const auto person = readCard(body);
        QVERIFY(person);
        QCOMPARE(person->compositeName(), compositeName);
        QCOMPARE(person->showAsPerson(), showAsPerson);
    }

    void refusesCardsWithoutContent_data()
    {
        QTest::addColumn<QByteArray>("card");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no begin") << QByteArray("N:A\r\nEND:VCARD\r\n");
        QTest::newRow("nothing inside") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n");
        QTest::newRow("only unknown lines") << QByteArray("BEGIN:VCARD\r\nX-FOO:1\r\nUID:x\r\nEND:VCARD\r\n");
        QTest::newRow("binary") << QByteArray("BEGIN:VCARD\r\n\x01\x02\xff\xfe\x00\r\nEND:VCARD", 24);
    }

    void refusesCardsWithoutContent()
    {
        QFETCH(QByteArray, card);
        QVERIFY(!ZQVCard().personFromVCard(card));
    }

    void keepsTheFormattedNameUntilTheNameChanges_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("nothing edited") << "" << QByteArray("FN:Dr. Anna Maria Kowalski PhD");
        QTest::newRow("another field edited") << "note" << QByteArray("FN:Dr. Anna Maria Kowalski PhD");
        QTest::newRow("first name edited") << "first name" << QByteArray("FN:Anne Maria Kowalski");
        QTest::newRow("shown as a company") << "company" << QByteArray("FN:Acme");
    }

    void keepsTheFormattedNameUntilTheNameChanges()
    {
        QFETCH(QString, edit);
        QFETCH(QByteArray, line);
        const auto person = readCard("N:Kowalski;Anna;Maria;Dr.;PhD\r\nFN:Dr. Anna Maria Kowalski PhD\r\nORG:Acme\r\n");
        QVERIFY(person);
        NameValue name = person->nameValue();
        if (edit == u"first name")
            name.firstName = QStringLiteral("Anne");
        name.showAsPerson = edit != u"company";
        person->setValue(name, Field::Name);
        if (edit == u"note")
            person->setStringValue(QStringLiteral("Met in Kraków"), Field::Note);
        ContactEntry entry;
        entry.person = std::make_shared<PersonDsc>(person->duplicate());
        const QByteArray card = ZQVCard::vCardFromContact(entry, {}, {});
        QVERIFY2(card.contains(QByteArray("\r\n" + line + "\r\n")), card.constData());
    }

    void unfoldedLinesStayWhereTheyWereMade_data()
    {
        QTest::addColumn<qsizetype>("blockSize");
        QTest::newRow("blocks smaller than a line") << qsizetype(1);
        QTest::newRow("a few lines to a block") << qsizetype(16);
        QTest::newRow("one block") << qsizetype(4096);
    }

    void unfoldedLinesStayWhereTheyWereMade()
    {
        // Lines are continued, cut and begun; views of every line made stay valid to the end.
        QFETCH(qsizetype, blockSize);
        AddressBook::VCard::UnfoldedLines unfolded(blockSize);
        QList<QByteArrayView> lines;
        QList<QByteArray> expected;
        for (int n = 0; n < 20; ++n) {
            const QByteArray start = "line" + QByteArray::number(n) + ":";
            QByteArrayView line = unfolded.join(start, "a");
            for (int i = 0; i < n; ++i)
                line = unfolded.join(line, QByteArray(i + 1, char('b' + i % 20)));
            QByteArray want = start + "a";
            for (int i = 0; i < n; ++i)
                want += QByteArray(i + 1, char('b' + i % 20));
            if (n % 3 == 0) { // a quoted-printable soft break: the last octet goes
                line = unfolded.join(line.chopped(1), "=");
                want.chop(1);
                want += "=";
            }
            QCOMPARE(line, want);
            lines.append(line);
            expected.append(want);
        }
        QCOMPARE(unfolded.join({}, {}).size(), 0);
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(lines.at(i), expected.at(i));
    }

    void keepsParameterTextThatLooksLikeSyntax_data()
    {
        QTest::addColumn<QString>("username");
        QTest::newRow("colon and semicolon") << u"x:y;z"_s;
        QTest::newRow("an encoding ending in a soft break") << u"a;ENCODING=QUOTED-PRINTABLE:=41="_s;
        // Folded, its second piece ends in "=" after the words: read as a soft break, the card was lost.
        QTest::newRow("folded") << u"linked;n.ex.soylent.exCHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=8A=94=8E=AE"
                                   "=89=EF=8E=D0=83T=83=93=83v=83=8B;=89c=8B=C6=95="_s;
    }

    void keepsParameterTextThatLooksLikeSyntax()
    {
        // A user name is written as a quoted parameter; read back, it is the same text.
        QFETCH(QString, username);
        PersonDsc person;
        person.addLabeledValue(snsValue(u"twitter"_s, username, {}), Field::SocialNetwork);
        ContactEntry entry;
        entry.person = std::make_shared<PersonDsc>(person);
        const QByteArray card = ZQVCard::vCardFromContact(entry, {}, {});
        const auto reread = ZQVCard().personFromVCard(card);
        QVERIFY2(reread, card.constData());
        QCOMPARE(reread->snsValues().size(), 1);
        QCOMPARE(reread->snsValues().first().username(), username);
    }

    void foldsAnyBytes_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("as long as a line") << QByteArray(75, 'a');
        QTest::newRow("one octet longer") << QByteArray(76, 'a');
        QTest::newRow("a photo") << QByteArray(5000, 'Q');
        QTest::newRow("three-octet characters") << QString(100, u'表').toUtf8();
        // Octets that only ever continue a character: every piece is as long as it can be.
        QTest::newRow("continuation octets only") << QByteArray(300, char(0x80));
        QTest::newRow("continuation octets after a lead") << "x" + QByteArray(300, char(0xBF));
    }

    void foldsAnyBytes()
    {
        QFETCH(QByteArray, line);
        QByteArray out = "before";
        AddressBook::VCardCodec::appendFolded(out, line);
        QVERIFY(out.startsWith("before"));
        QVERIFY(out.endsWith("\r\n"));
        const QByteArray folded = out.sliced(6, out.size() - 8);
        for (const QByteArray& piece : folded.split('\n'))
            QVERIFY(piece.chopped(piece.endsWith('\r') ? 1 : 0).size() <= 75);
        QCOMPARE(QByteArray(folded).replace("\r\n ", ""), line);
    }

    void writesFoldedLinesWithinWholeCharacters()
    {
        PersonDsc person;
        person.setStringValue(QString(60, u'表') + QStringLiteral("abc") + QString(40, QChar(0x00E9)), Field::Note);
        NameValue name;
        name.firstName = QString(100, u'x');
        name.lastName = QStringLiteral("😀").repeated(30);
        person.setValue(name, Field::Name);
        ContactEntry entry;
        entry.person = std::make_shared<PersonDsc>(person);
        const QByteArray card = ZQVCard::vCardFromContact(entry, {WriteOption::Note}, {});
        QVERIFY(card.endsWith("END:VCARD\r\n"));
        const QList<QByteArray> lines = card.split('\n');
        for (const QByteArray& line : lines) {
            const QByteArray content = line.endsWith('\r') ? line.chopped(1) : line;
            QVERIFY2(content.size() <= 75, content.constData());
            QVERIFY2(QString::fromUtf8(content).toUtf8() == content, "a line splits a character");
        }
        QVERIFY(!card.contains("\n\r") && !card.contains("\r\r"));
        const auto reread = ZQVCard().personFromVCard(card);
        QVERIFY(reread);
        QCOMPARE(reread->stringValueForIdentifier(Field::Note), person.stringValueForIdentifier(Field::Note));
        QCOMPARE(reread->nameValue().lastName, name.lastName);
    }

    void roundTripsEveryField()
    {
        PersonDsc person;
        NameValue name;
        name.firstName = QStringLiteral("Ann, \"Annie\"");
        name.middleName = QStringLiteral("B;C");
        name.lastName = QStringLiteral("Back\\slash");
        name.previousFamilyName = QStringLiteral("Maiden");
        person.setValue(name, Field::Name);
        person.setValue(PhoneticNameValue{QStringLiteral("あん"), QStringLiteral("び"), QStringLiteral("ばっく"), {}},
                        Field::PhoneticName);
        const QStringList strings = {QStringLiteral("Co, Inc."),
                                     QStringLiteral("Dept; A"),
                                     QStringLiteral("Boss"),
                                     QStringLiteral("Nick"),
                                     QStringLiteral("Dr."),
                                     QStringLiteral("III"),
                                     QStringLiteral("Line 1\nLine 2\r\nLine 3\\")};
        for (int i = 0; i < StringFieldCount; ++i)
            person.setStringValue(strings.at(i), FieldIdentifiers::identifier(StringField(i)));
        LabeledValue phone;
        for (const QString& label : {QStringLiteral("home"), QStringLiteral("work fax"), QStringLiteral("iPhone"),
                                     QStringLiteral("Boat, Dock"), QStringLiteral("No label")}) {
            phone.label = label;
            phone.value = QStringLiteral("+1 (555) 0100;ext=") + label;
            person.addLabeledValue(phone, Field::Phone);
        }
        const auto labelled = [](const QString& label, const QString& value) {
            LabeledValue result;
            result.label = label;
            result.value = value;
            return result;
        };
        const LabeledValue email = labelled(QStringLiteral("School"), QStringLiteral("a@b.example"));
        person.addLabeledValue(email, Field::Email);
        LabeledValue address;
        address.label = QStringLiteral("work");
        address.address.setStreet(QStringLiteral("1 Main St\nFloor 2"));
        address.address.setCity(QStringLiteral("Zürich"));
        address.address.setZip(QStringLiteral("8001"));
        address.address.setCountry(QStringLiteral("Switzerland"));
        address.address.setCountryCode(QStringLiteral("ch"));
        person.addLabeledValue(address, Field::Address);
        person.addLabeledValue(labelled(QStringLiteral("home page"), QStringLiteral("https://a.example/?q=1,2")),
                               Field::URL);
        person.addLabeledValue(labelled(QStringLiteral("Godmother"), QStringLiteral("Eve")), Field::Relationship);
        person.addLabeledValue(labelled(QStringLiteral("twitter"), QStringLiteral("ann_b")), Field::SocialNetwork);
        LabeledValue im;
        im.label = QStringLiteral("work");
        im.setService(QStringLiteral("Skype"));
        im.setUsername(QStringLiteral("ann.b"));
        person.addLabeledValue(im, Field::InstantMessage);
        LabeledValue date;
        date.label = QStringLiteral("Wedding");
        date.date = {2001, 2, 3};
        person.addLabeledValue(date, Field::Dates);
        person.setBirthdayValue(BirthdayValue{{0, 2, 29}, {}});

        ContactEntry entry;
        entry.person = std::make_shared<PersonDsc>(person);
        const QByteArray card = ZQVCard::vCardFromContact(entry, {WriteOption::Note}, {});
        const auto reread = ZQVCard().personFromVCard(card);
        QVERIFY(reread);
        ContactEntry rereadEntry;
        rereadEntry.person = reread;
        QJsonObject expected = ContactJson::contact(entry);
        QJsonObject actual = ContactJson::contact(rereadEntry);
        // Line breaks of a note come back as LF.
        expected.insert(Field::Note, QStringLiteral("Line 1\nLine 2\nLine 3\\"));
        QCOMPARE(QJsonDocument(actual).toJson(), QJsonDocument(expected).toJson());
    }

    void survivesDamagedInput()
    {
        // Every card that reading can make of mutilated real cards is a contact or nothing.
        const QByteArray base =
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=95=5C;=91=BE=98Y;;;\r\n"
            "item1.TEL;TYPE=\"home,fax\":1\r\nitem1.X-ABLabel:x\r\nADR;HOME:;;a\\;b;c;d;e;f\r\n"
            "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n  "
            "/9j/4AAQSkZJRgABAQEASABIAAA=\r\n\r\nNOTE:a\\nb=\r\n\tc\r\nEND:VCARD\r\n";
        QRandomGenerator random(20240601);
        for (int round = 0; round < 3000; ++round) {
            QByteArray card = base;
            const int edits = 1 + int(random.bounded(8));
            for (int i = 0; i < edits && !card.isEmpty(); ++i) {
                const qsizetype at = random.bounded(card.size());
                switch (random.bounded(4)) {
                case 0:
                    card[at] = char(random.bounded(256));
                    break;
                case 1:
                    card.remove(at, random.bounded(20));
                    break;
                case 2:
                    card.insert(at, QByteArray(int(random.bounded(5)), "\r\n;:=\\\""[random.bounded(7)]));
                    break;
                default:
                    card.truncate(at);
                    break;
                }
            }
            const ContactTable contacts = ZQVCard().contactsFromVCards(card);
            QVERIFY(contacts.size() <= 2);
            for (const ContactEntryPtr& contact : contacts)
                QVERIFY(!ZQVCard::vCardFromContact(*contact, {WriteOption::Note, WriteOption::Photo}, {}).isEmpty());
        }
    }

    void sharesTextsThatRepeat_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("which");
        QTest::newRow("given name") << "N:Sato;Hanako;;;"_ba << u"first name"_s;
        QTest::newRow("escaped given name") << R"(N:Sato;Ha\,nako;;;)"_ba << u"first name"_s;
        QTest::newRow("company") << "ORG:Acme Corp;"_ba << Field::Company;
        QTest::newRow("job title") << "TITLE:Manager"_ba << Field::JobTitle;
        QTest::newRow("city") << "ADR;TYPE=HOME:;;1 Main St;Springfield;IL;62701;USA"_ba << u"city"_s;
        QTest::newRow("custom label") << "item1.TEL:5\r\nitem1.X-ABLabel:School"_ba << u"label"_s;
        QTest::newRow("service") << "X-SOCIALPROFILE;TYPE=mastodon:https://example.net/@a"_ba << u"service"_s;
    }

    void sharesTextsThatRepeat()
    {
        // Two cards read one after the other hold one copy of a text they both have.
        QFETCH(QByteArray, line);
        QFETCH(QString, which);
        const QByteArray body = line + "\r\n";
        const auto first = readCard(body);
        const auto second = readCard(body);
        QVERIFY(first && second);
        const QString a = repeatingText(*first, which), b = repeatingText(*second, which);
        QVERIFY(!a.isEmpty());
        QCOMPARE(a, b);
        QCOMPARE(a.constData(), b.constData());
    }

    void repeatedTextsStayFew()
    {
        // Any number of different texts: each comes back equal, and the table holds a bounded number.
        RepeatedTexts& table = RepeatedTexts::local();
        for (int i = 0; i < 3 * RepeatedTexts::Capacity + 5; ++i) {
            const QString text = u"text "_s + QString::number(i);
            QCOMPARE(table.shared(QStringView(text)), text);
            QVERIFY(table.size() <= RepeatedTexts::Capacity);
        }
        const QString longText(RepeatedTexts::LongestShared + 1, u'x');
        const qsizetype held = table.size();
        QCOMPARE(table.shared(longText), longText);
        QCOMPARE(table.size(), held);
        QCOMPARE(table.shared(QString()), QString());
    }

    void readsGiganticLinesInProportion()
    {
        const QByteArray note(8 << 20, 'n');
        const QByteArray stream = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Big\r\nNOTE:" + note + "\r\nEND:VCARD\r\n"
            + "BEGIN:VCARD\r\nN:Small\r\nTEL:" + QByteArray(1 << 20, '5') + "\r\nEND:VCARD\r\n";
        const ContactTable contacts = ZQVCard().contactsFromVCards(stream);
        QCOMPARE(contacts.size(), 2);
        QCOMPARE(contacts.first()->person->stringValueForIdentifier(Field::Note).size(), note.size());
        QCOMPARE(contacts.last()->person->phoneValues().first().value.size(), 1 << 20);
    }
};

QTEST_GUILESS_MAIN(TestVCardCodec)
#include "tst_vcardcodec.moc"
