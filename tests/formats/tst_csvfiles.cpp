// CSV files as other programs write them, in several encodings, and a vCard file carried through CSV
// and back. csv/NAME.csv is read and compared with csv/NAME.json (what quillary-cli dump prints,
// identities masked as "*", with the reading's warning); QUILLARY_UPDATE_GOLDEN=1 rewrites them.
// The files are made by tests/data/csv/generate.py.

#include "TestSupport.h"
#include "documents/ContactFileReader.h"
#include "formats/ContactJson.h"
#include "formats/ZQVCard.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Quillary;

namespace {

/// What was read, as quillary-cli dump prints it; identities are made at reading time.
QJsonObject dumpOf(const ContactFileReader::Result& read)
{
    QJsonObject document = ContactJson::document(read.contacts, read.groupTable);
    QJsonArray contacts;
    for (const QJsonValue value : document.value(u"contacts").toArray()) {
        QJsonObject contact = value.toObject();
        contact.insert(QStringLiteral("uniqueId"), QStringLiteral("*"));
        contacts.append(contact);
    }
    document.insert(QStringLiteral("contacts"), contacts);
    document.insert(QStringLiteral("warning"), read.warning);
    return document;
}

/// Everything of a contact that a line of the CSV layout carries. Labels other than home and work
/// all go to the "Other" columns.
QJsonObject carriedFields(const ContactEntry& entry)
{
    const PersonDsc& person = *entry.person;
    const auto labelClass = [](const QString& label) {
        const QString lower = label.toLower();
        return lower == u"home" || lower == u"work" ? lower : QStringLiteral("other");
    };
    const auto firstOf = [&](LabeledValueSpan list) {
        if (list.isEmpty())
            return QJsonValue();
        return QJsonValue(labelClass(list.first().label) + u'=' + list.first().stringValue());
    };
    QJsonObject fields{
        {QStringLiteral("compositeName"), person.compositeName()},
        {QStringLiteral("showAsPerson"), person.showAsPerson()},
        {Field::FirstName, person.nameValue().firstName},
        {Field::LastName, person.nameValue().lastName},
        {Field::Phone, firstOf(person.phoneValues())},
        {Field::Email, firstOf(person.emailValues())},
        {Field::Birthday, person.birthdayValue().value.toIsoString()},
    };
    for (const QString* identifier :
         {&Field::Title, &Field::Company, &Field::Department, &Field::JobTitle, &Field::Nickname, &Field::Note})
        fields.insert(*identifier, person.stringValueForIdentifier(*identifier));
    if (!person.addressValues().isEmpty()) {
        const LabeledValue& address = person.addressValues().first();
        fields.insert(Field::Address,
                      QJsonArray{labelClass(address.label), address.address.street(), address.address.city(),
                                 address.address.state(), address.address.zip()});
    }
    if (!person.snsValues().isEmpty()) {
        const LabeledValue& profile = person.snsValues().first();
        fields.insert(Field::SocialNetwork, QString(profile.label + u'=' + profile.username()));
    }
    return fields;
}

QJsonArray carriedFields(const ContactTable& contacts)
{
    QJsonArray result;
    for (const ContactEntryPtr& contact : contacts)
        result.append(carriedFields(*contact));
    return result;
}

} // namespace

class TestCsvFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsFilesOfOtherPrograms_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"google", "outlook", "thunderbird"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void readsFilesOfOtherPrograms()
    {
        QFETCH(QString, name);
        const QString path = Test::dataPath(QStringLiteral("csv/") + name + QStringLiteral(".csv"));
        const ContactFileReader::Result read = ContactFileReader::read(path);
        QVERIFY2(read.ok(), qPrintable(read.errorString));
        QCOMPARE(read.groupTable.size(), 1); // the top entry alone
        const QByteArray dump = QJsonDocument(dumpOf(read)).toJson(QJsonDocument::Indented);
        const QString jsonPath = path.chopped(4) + QStringLiteral(".json");
        if (qEnvironmentVariableIntValue("QUILLARY_UPDATE_GOLDEN") == 1) {
            QFile golden(jsonPath);
            QVERIFY(golden.open(QIODevice::WriteOnly));
            golden.write(dump);
        }
        {
            const QString difference =
                Test::firstDifferentLine(dump, Test::readData(QStringLiteral("csv/") + name + QStringLiteral(".json")));
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }
    }

    void readsEncodedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QByteArray>("detected");
        QTest::newRow("Shift_JIS with Windows characters")
            << QStringLiteral("shift_jis.csv") << QByteArray("Shift_JIS") << QByteArray("windows-31j");
        QTest::newRow("UTF-16 with a byte-order mark")
            << QStringLiteral("utf-16le-bom.csv") << QByteArray("UTF-16") << QByteArray("UTF-16LE");
        QTest::newRow("Windows-1252") << QStringLiteral("windows-1252.csv") << QByteArray("windows-1252")
                                      << QByteArray("windows-1252");
    }

    void readsEncodedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, encoding);
        QFETCH(QByteArray, detected);
        const QByteArray bytes = Test::readData(QStringLiteral("csv/") + name);
        const ContactFileReader::Result expected =
            ContactFileReader::readCsvBytes(Test::readData(QStringLiteral("csv/") + name + QStringLiteral(".utf8")));
        QVERIFY2(expected.ok(), qPrintable(expected.errorString));
        QCOMPARE(expected.contacts.size(), 2);

        const ContactFileReader::Result automatic = ContactFileReader::readCsvBytes(bytes, "auto");
        QVERIFY2(automatic.ok(), qPrintable(automatic.errorString));
        QCOMPARE(automatic.encoding.toLower(), detected.toLower());
        QCOMPARE(dumpOf(automatic), dumpOf(expected));

        const ContactFileReader::Result named = ContactFileReader::readCsvBytes(bytes, encoding);
        QVERIFY2(named.ok(), qPrintable(named.errorString));
        QCOMPARE(dumpOf(named), dumpOf(expected));

        // A file is read as CSV by its extension.
        const ContactFileReader::Result file = ContactFileReader::read(Test::dataPath(QStringLiteral("csv/") + name));
        QCOMPARE(dumpOf(file), dumpOf(expected));
    }

    void legacyCharactersSurvive()
    {
        const ContactFileReader::Result japanese =
            ContactFileReader::read(Test::dataPath(QStringLiteral("csv/shift_jis.csv")));
        QVERIFY2(japanese.ok(), qPrintable(japanese.errorString));
        const PersonDsc& takahashi = *japanese.contacts.first()->person;
        QCOMPARE(takahashi.compositeName(), QStringLiteral("髙橋 一郎"));
        QCOMPARE(takahashi.stringValueForIdentifier(Field::Company), QStringLiteral("㈱山田製作所"));
        QCOMPARE(takahashi.addressValues().first().address.street(), QStringLiteral("丸の内①丁目２番３号"));

        const ContactFileReader::Result western =
            ContactFileReader::read(Test::dataPath(QStringLiteral("csv/windows-1252.csv")), "windows-1252");
        QVERIFY2(western.ok(), qPrintable(western.errorString));
        QCOMPARE(western.contacts.first()->person->stringValueForIdentifier(Field::Note),
                 QStringLiteral("Rückruf erwünscht – Angebot über 1.250 € für die Geräte."));
        QCOMPARE(western.contacts.at(1)->person->stringValueForIdentifier(Field::Note),
                 QStringLiteral("Le gusta el “café” con leche"));
    }

    void vCardThroughCsvKeepsCarriedFields()
    {
        const ContactTable original = ZQVCard().contactsFromVCards(Test::readData(QStringLiteral("csv/roundtrip.vcf")));
        QCOMPARE(original.size(), 4);

        const QByteArray csv = ZQVCard::csvFromSubContacts(original);
        const ContactFileReader::Result fromCsv = ContactFileReader::readCsvBytes(csv);
        QVERIFY2(fromCsv.ok(), qPrintable(fromCsv.errorString));
        QVERIFY(fromCsv.warning.isEmpty());
        QCOMPARE(carriedFields(fromCsv.contacts), carriedFields(original));

        const QByteArray cards =
            ZQVCard().vCardsFromContacts(fromCsv.contacts, {WriteOption::Note}, fromCsv.groupTable);
        const ContactTable back = ZQVCard().contactsFromVCards(cards);
        QCOMPARE(carriedFields(back), carriedFields(original));
        // Written again, the CSV is the same.
        QCOMPARE(ZQVCard::csvFromSubContacts(back), csv);
    }

    void fileWithoutContactsIsAnError()
    {
        const ContactFileReader::Result read = ContactFileReader::readCsvBytes("Name,Phone\r\n\r\n");
        QVERIFY(!read.ok());
        QCOMPARE(read.errorString, QStringLiteral("Please make sure the file is a valid CSV file, or text encoding."));
        const ContactFileReader::Result invalid = ContactFileReader::readCsvBytes("Name\nJos\xE9\n", "UTF-8");
        QVERIFY(!invalid.ok());
    }
};

QTEST_GUILESS_MAIN(TestCsvFiles)
#include "tst_csvfiles.moc"
