// Reading CSV: records and quoting, header detection, what each column type does, and the
// contacts made from the lines.

#include "formats/CsvRecordReader.h"
#include "formats/ZQVCard.h"
#include "model/addressbook/VCardCodec.h"

#include <QTest>

using namespace Quillary;

using Records = QList<QStringList>;

namespace {

Records recordsOf(const QString& text, const QList<bool>& repeating = {})
{
    CsvRecordReader reader(text);
    Records records;
    QStringList fields;
    while (reader.readRecord(fields, repeating))
        records.append(fields);
    return records;
}

CsvReadResult read(const QString& text)
{
    return ZQVCard().contactsFromCSV(text);
}

/// The one contact of a file with this header and data line.
ContactEntryPtr onlyContact(const QString& header, const QString& line)
{
    const CsvReadResult result = read(header + u'\n' + line + u'\n');
    if (result.contacts.size() != 1) {
        qWarning() << "expected one contact, got" << result.contacts.size();
        return {};
    }
    return result.contacts.first();
}

QStringList valuesOf(LabeledValueSpan list)
{
    QStringList values;
    for (const LabeledValue& value : list)
        values.append(value.label + u'=' + value.stringValue());
    return values;
}

} // namespace

class TestCsvReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Field detection
    void writtenHeaderMapsBackToItsFields()
    {
        for (const CsvColumn& column : CsvWriter::columns()) {
            const CsvColumnDescriptor descriptor = CsvFieldDetection::columnDescriptor(column.header);
            QString type = column.type;
            if (type == Field::CompositeName)
                type = Field::Name;
            else if (type == Field::Address || type == Field::Name)
                type = column.subField;
            QCOMPARE(descriptor.fieldName, column.header);
            QCOMPARE(descriptor.type, type);
            QCOMPARE(descriptor.label, column.label);
        }
    }

    void descriptorOfColumn_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("label");
        // The headers this program writes are covered by writtenHeaderMapsBackToItsFields; here other
        // programs' spellings, and which word wins where a header holds two.
        const auto row = [](const char* header, const QString& type, const char* label = "") {
            QTest::newRow(header) << QString::fromUtf8(header) << type << QString::fromUtf8(label);
        };
        const QString unknown = QStringLiteral("Unknown");
        const QString social = QStringLiteral("Social Network");
        row("Nickname", Field::Nickname); // before Name
        row("Display Name", Field::Name);
        row("Job Title", Field::JobTitle); // before Title
        row("Notes", Field::Note);
        row("Mobile Phone", Field::Phone, "Mobile");
        row("Business Email", Field::Email, "Work");
        row("Company Main Phone", Field::Phone, "Other"); // Phone before Company
        row("home work phone", Field::Phone, "Home");
        row("Home ZipCode", Field::ZIP, "Home");
        row("city", Field::City, "Other");
        row("City ZIP", Field::ZIP, "Other");
        row("Work City", Field::City, "Work");
        row("E-mail Address", unknown);
        row("Fax", unknown);
        row("Phone 1 - Type", unknown); // the label of another column
        row("linkedin profile", social, "linkedin");
        row("SinaWeibo", social, "sinaweibo");
    }

    void descriptorOfColumn()
    {
        QFETCH(QString, header);
        QFETCH(QString, type);
        QFETCH(QString, label);
        QCOMPARE(CsvFieldDetection::columnDescriptor(header), (CsvColumnDescriptor{header, type, label}));
    }

    // Records
    void records_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Records>("records");
        QTest::newRow("plain") << QStringLiteral("a,b\nc,d") << Records{{"a", "b"}, {"c", "d"}};
        QTest::newRow("empty fields and trailing comma") << QStringLiteral(",a,,\n") << Records{{"", "a", "", ""}};
        QTest::newRow("quoted fields with commas after commas")
            << QStringLiteral("x,\"Smith, John\",\"1, 2\"") << Records{{"x", "Smith, John", "1, 2"}};
        QTest::newRow("first field quoted") << QStringLiteral("\"Smith, John\",1") << Records{{"Smith, John", "1"}};
        QTest::newRow("doubled quote is one quote")
            << QStringLiteral("a,\"say \"\"hi\"\"\",b") << Records{{"a", "say \"hi\"", "b"}};
        QTest::newRow("quote inside a field stays") << QStringLiteral("5\" floppy,b") << Records{{"5\" floppy", "b"}};
        QTest::newRow("text after closing quote joins") << QStringLiteral("\"ab\"cd,e") << Records{{"abcd", "e"}};
        QTest::newRow("unclosed quote takes the rest of its line")
            << QStringLiteral("a,\"b,c\nd,e") << Records{{"a", "b,c"}, {"d", "e"}};
        QTest::newRow("line breaks inside quotes")
            << QStringLiteral("a,\"one\r\ntwo\rthree\nfour\"\nb") << Records{{"a", "one\ntwo\nthree\nfour"}, {"b"}};
        QTest::newRow("CR LF is one break") << QStringLiteral("a\r\nb\r\n") << Records{{"a"}, {"b"}};
        QTest::newRow("CR alone") << QStringLiteral("a\rb") << Records{{"a"}, {"b"}};
        QTest::newRow("LF CR leaves an empty line") << QStringLiteral("a\n\rb") << Records{{"a"}, {""}, {"b"}};
        QTest::newRow("Unicode line separator") << QStringLiteral("a\u2028b") << Records{{"a"}, {"b"}};
        QTest::newRow("doubled quote at the end of the text") << QStringLiteral("\"ab\"\"") << Records{{"ab\""}};
    }

    void records()
    {
        QFETCH(QString, text);
        QFETCH(Records, records);
        QCOMPARE(recordsOf(text), records);
        // Columns whose texts are shared read the same.
        QCOMPARE(recordsOf(text, QList<bool>(4, true)), records);
    }

    void repeatedColumnsShareTheirTexts()
    {
        const Records records = recordsOf(QStringLiteral("Springfield,1 Main St\nSpringfield,1 Main St\n"), {true});
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.at(0), records.at(1));
        QCOMPARE(records.at(0).at(0).constData(), records.at(1).at(0).constData());
        QVERIFY(records.at(0).at(1).constData() != records.at(1).at(1).constData());
    }

    // Header
    void headerLine_data()
    {
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<bool>("isHeader");
        QTest::newRow("Name") << QStringLiteral("Name,Phone") << true;
        QTest::newRow("quoted Name") << QStringLiteral("\"Name\",\"Phone\"") << true;
        QTest::newRow("Name with spaces") << QStringLiteral(" Name ,Phone") << true;
        QTest::newRow("another written header") << QStringLiteral("First Name,Last Name") << true;
        QTest::newRow("Title as mail programs begin") << QStringLiteral("Title,First Name") << true;
        QTest::newRow("lower case") << QStringLiteral("name,phone") << true;
        QTest::newRow("data") << QStringLiteral("Jane Doe,555-0100") << false;
        QTest::newRow("Name in a longer text") << QStringLiteral("Names,Phone") << false;
    }

    void headerLine()
    {
        QFETCH(QString, firstLine);
        QFETCH(bool, isHeader);
        const CsvReadResult result = read(firstLine + QStringLiteral("\nBob,555\n"));
        QCOMPARE(result.warning.isEmpty(), isHeader);
        QCOMPARE(result.contacts.size(), isHeader ? 1 : 2);
    }

    void withoutHeaderAssumesDefaultColumns()
    {
        const CsvReadResult result = read(
            QStringLiteral("Jane Doe,555-0100,jane@example.com,62701,IL,Springfield,1 Main St,beyond the defaults\n"));
        QCOMPARE(result.warning, QStringLiteral("Can't find header line in the file."));
        QCOMPARE(result.informativeText,
                 QStringLiteral("Read as the following order: Name, Phone, Email, ZIP, State, City, Street"));
        QCOMPARE(result.contacts.size(), 1);
        const PersonDsc& person = *result.contacts.first()->person;
        QCOMPARE(person.compositeName(), QStringLiteral("Jane Doe"));
        QCOMPARE(valuesOf(person.phoneValues()), QStringList{"other=555-0100"});
        QCOMPARE(valuesOf(person.emailValues()), QStringList{"other=jane@example.com"});
        QCOMPARE(person.addressValues().size(), 1);
        const PostalAddress& address = person.addressValues().first().address;
        QCOMPARE(address.zip(), QStringLiteral("62701"));
        QCOMPARE(address.state(), QStringLiteral("IL"));
        QCOMPARE(address.city(), QStringLiteral("Springfield"));
        QCOMPARE(address.street(), QStringLiteral("1 Main St"));
        QCOMPARE(person.stringValueForIdentifier(Field::Note), QString());
    }

    void blankLinesAndShortLinesAreSkipped()
    {
        const CsvReadResult result = read(QStringLiteral("\r\n\nName,Phone\r\nA\r\n\r\nBo,1\r\n\nCy,2\r\nD"));
        QVERIFY(result.warning.isEmpty());
        QStringList names;
        for (const ContactEntryPtr& contact : result.contacts)
            names.append(contact->person->compositeName());
        QCOMPARE(names, QStringList({"Bo", "Cy"}));
        QVERIFY(read(QStringLiteral("\n\r\n")).contacts.isEmpty());
        QVERIFY(read(QString()).contacts.isEmpty());
    }

    void fieldsBeyondColumnsAreIgnored()
    {
        const CsvReadResult result = read(QStringLiteral("Name,Home Phone\nAl,1,extra,more\nBe\u00e1\n"));
        QCOMPARE(result.contacts.size(), 2);
        QCOMPARE(valuesOf(result.contacts.at(0)->person->phoneValues()), QStringList{"home=1"});
        QCOMPARE(result.contacts.at(1)->person->compositeName(), QStringLiteral("Be\u00e1"));
        QVERIFY(result.contacts.at(1)->person->phoneValues().isEmpty());
    }

    // Values
    void createContactGathersValues()
    {
        CsvRawContact raw;
        ZQVCard::createContact(raw, QStringLiteral("555-0100"), Field::Phone, QStringLiteral("Home"));
        ZQVCard::createContact(raw, QStringLiteral("555-0101"), Field::Phone, QStringLiteral("Work"));
        ZQVCard::createContact(raw, QString(), Field::Phone, QStringLiteral("Other"));
        ZQVCard::createContact(raw, QStringLiteral("Acme"), Field::Company, {});
        ZQVCard::createContact(raw, QStringLiteral("dropped"), QStringLiteral("Unknown"), {});
        ZQVCard::createContact(raw, QStringLiteral("Johnny"), Field::Nickname, {});
        QCOMPARE(raw.phones.size(), 2);
        QCOMPARE(raw.phones.at(1).label, QStringLiteral("Work"));
        QCOMPARE(raw.phones.at(1).labelIndex, 1);
        QCOMPARE(raw.company, QStringLiteral("Acme"));
        QCOMPARE(raw.nickname, QStringLiteral("Johnny"));
        CsvRawContact expected = raw;
        ZQVCard::createContact(raw, QStringLiteral("x"), QString(), {});
        QCOMPARE(raw, expected);
    }

    void nameColumns_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("compositeName");
        QTest::addColumn<bool>("showAsPerson");
        QTest::newRow("parts") << QStringLiteral("First Name,Last Name") << QStringLiteral("John,Smith")
                               << QStringLiteral("John") << QStringLiteral("Smith") << QStringLiteral("John Smith")
                               << true;
        QTest::newRow("whole name alone stands in for the first name")
            << QStringLiteral("Name,Phone") << QStringLiteral("John Smith,1") << QStringLiteral("John Smith")
            << QString() << QStringLiteral("John Smith") << true;
        QTest::newRow("parts win over the whole name")
            << QStringLiteral("Name,First Name,Last Name") << QStringLiteral("J. S.,John,Smith")
            << QStringLiteral("John") << QStringLiteral("Smith") << QStringLiteral("John Smith") << true;
        QTest::newRow("first name column wins over later ones")
            << QStringLiteral("Name,First Name,Phonetic First Name,Given Name")
            << QStringLiteral("Taro Yamada,Taro,Tarou,T.") << QStringLiteral("Taro") << QString()
            << QStringLiteral("Taro") << true;
        QTest::newRow("whole name column wins over later ones")
            << QStringLiteral("Name,Given Name,Organization Name") << QStringLiteral("Jane Roe,Jane,Acme")
            << QStringLiteral("Jane Roe") << QString() << QStringLiteral("Jane Roe") << true;
        QTest::newRow("name that is the company is a company")
            << QStringLiteral("Name,Company") << QStringLiteral("Acme,Acme") << QString() << QString()
            << QStringLiteral("Acme") << false;
        QTest::newRow("company without a name is a company")
            << QStringLiteral("Name,Company") << QStringLiteral(",Acme") << QString() << QString()
            << QStringLiteral("Acme") << false;
        QTest::newRow("a person of a company") << QStringLiteral("Name,Company") << QStringLiteral("Jane,Acme")
                                               << QStringLiteral("Jane") << QString() << QStringLiteral("Jane") << true;
    }

    void nameColumns()
    {
        QFETCH(QString, header);
        QFETCH(QString, line);
        QFETCH(QString, firstName);
        QFETCH(QString, lastName);
        QFETCH(QString, compositeName);
        QFETCH(bool, showAsPerson);
        const ContactEntryPtr contact = onlyContact(header, line);
        QVERIFY(contact);
        const NameValue name = contact->person->nameValue();
        QCOMPARE(name.firstName, firstName);
        QCOMPARE(name.lastName, lastName);
        QCOMPARE(contact->person->compositeName(), compositeName);
        QCOMPARE(contact->compositeName, compositeName);
        QCOMPARE(contact->person->showAsPerson(), showAsPerson);
    }

    void addressPartsOfOneLabelMakeOneAddress()
    {
        const ContactEntryPtr contact = onlyContact(QStringLiteral("Name,Home ZIP,Home City,Work ZIP,Home Street"),
                                                    QStringLiteral("Al,62701,Springfield,10001,\"1 Main St\""));
        QVERIFY(contact);
        const LabeledValueSpan addresses = contact->person->addressValues();
        QCOMPARE(addresses.size(), 2);
        QCOMPARE(addresses.at(0).label, QStringLiteral("home"));
        QCOMPARE(addresses.at(0).address.zip(), QStringLiteral("62701"));
        QCOMPARE(addresses.at(0).address.city(), QStringLiteral("Springfield"));
        QCOMPARE(addresses.at(0).address.street(), QStringLiteral("1 Main St"));
        QVERIFY(!addresses.at(0).stringValue().isEmpty());
        QCOMPARE(addresses.at(1).label, QStringLiteral("work"));
        QCOMPARE(addresses.at(1).address.zip(), QStringLiteral("10001"));
        QCOMPARE(addresses.at(1).labelIndex, 1);
    }

    void columnsOfOneLabelKeepEveryValue()
    {
        const ContactEntryPtr contact =
            onlyContact(QStringLiteral("Name,Home Phone,Home Phone 2,Mobile Phone,Primary Email,Secondary Email"),
                        QStringLiteral("Al,1,2,3,a@example.com,b@example.com"));
        QVERIFY(contact);
        QCOMPARE(valuesOf(contact->person->phoneValues()), QStringList({"home=1", "home=2", "mobile=3"}));
        QCOMPARE(valuesOf(contact->person->emailValues()), QStringList({"other=a@example.com", "other=b@example.com"}));
    }

    void socialNetworks()
    {
        const ContactEntryPtr contact =
            onlyContact(QStringLiteral("Name,Facebook,SinaWeibo,Facebook"), QStringLiteral("Al,al.fb,alweibo,al.fb2"));
        QVERIFY(contact);
        const LabeledValueSpan profiles = contact->person->snsValues();
        QCOMPARE(profiles.size(), 2);
        QCOMPARE(profiles.at(0).label, QStringLiteral("facebook"));
        QCOMPARE(profiles.at(0).service(), QStringLiteral("facebook"));
        QCOMPARE(profiles.at(0).username(), QStringLiteral("al.fb2"));
        QCOMPARE(profiles.at(0).stringValue(), QStringLiteral("al.fb2"));
        QCOMPARE(profiles.at(1).label, QStringLiteral("sinaweibo"));
        QCOMPARE(profiles.at(1).username(), QStringLiteral("alweibo"));
    }

    void backslashesAreText()
    {
        // Only quotes are syntax: a line break is written inside a quoted field.
        const ContactEntryPtr contact = onlyContact(QStringLiteral("Name,Note,Home Street"),
                                                    QStringLiteral("Al,C:\\temp\\new folder,\"1 Main\nApt 2\""));
        QVERIFY(contact);
        QCOMPARE(contact->person->stringValueForIdentifier(Field::Note), QStringLiteral("C:\\temp\\new folder"));
        QCOMPARE(contact->person->addressValues().first().address.street(), QStringLiteral("1 Main\nApt 2"));
    }

    void birthdayDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("date");
        QTest::newRow("dots") << QStringLiteral("2020.01.31") << QStringLiteral("2020-01-31");
        QTest::newRow("as written, with its weekday")
            << QStringLiteral("1980.05.17(Sat)") << QStringLiteral("1980-05-17");
        QTest::newRow("weekday after a space") << QStringLiteral("1980.05.17 Sat") << QStringLiteral("1980-05-17");
        QTest::newRow("Japanese weekday") << QStringLiteral("1980.05.17(土)") << QStringLiteral("1980-05-17");
        QTest::newRow("without a year, as written") << QStringLiteral("05.17") << QStringLiteral("--05-17");
        QTest::newRow("ISO") << QStringLiteral("1980-05-17") << QStringLiteral("1980-05-17");
        QTest::newRow("ISO without a year") << QStringLiteral("--05-17") << QStringLiteral("--05-17");
        QTest::newRow("slashes") << QStringLiteral("1980/5/7") << QStringLiteral("1980-05-07");
        QTest::newRow("no such day") << QStringLiteral("2021.02.29") << QString();
        QTest::newRow("month first") << QStringLiteral("5/17/1980") << QString();
        QTest::newRow("mixed separators") << QStringLiteral("1980.05-17") << QString();
        QTest::newRow("words") << QStringLiteral("next Tuesday") << QString();
    }

    void birthdayDates()
    {
        QFETCH(QString, text);
        QFETCH(QString, date);
        QCOMPARE(CsvReader::dateFromText(text).toIsoString(), date);
    }

    void unreadableBirthdayKeepsItsText()
    {
        const ContactEntryPtr contact = onlyContact(QStringLiteral("Name,Birthday"), QStringLiteral("Al,5/17/1980"));
        QVERIFY(contact);
        const BirthdayValue birthday = contact->person->birthdayValue();
        QVERIFY(!birthday.hasValue());
        QCOMPARE(birthday.stringValue, QStringLiteral("5/17/1980"));
        const ContactEntryPtr readable = onlyContact(QStringLiteral("Name,Birthday"), QStringLiteral("Al,2020.01.31"));
        QVERIFY(readable);
        QCOMPARE(readable->person->birthdayValue().value, (DateComponents{2020, 1, 31}));
    }

    // Entries
    void entryKeys()
    {
        const CsvReadResult result =
            read(QStringLiteral("Name,Home Phone\nJane Roe,555-0100\nJane Roe,555-0100\n,,\n"));
        QCOMPARE(result.contacts.size(), 3);
        const ContactEntry& entry = *result.contacts.first();
        QCOMPARE(entry.uniqueId, entry.person->uniqueId());
        QVERIFY(!entry.uniqueId.isEmpty());
        QCOMPARE(entry.remote, GroupText::LocalAccount);
        QVERIFY(entry.groupUniqueIds.isEmpty());
        QCOMPARE(entry.compositeName, QStringLiteral("Jane Roe"));
        QVERIFY(!entry.person->isBound());
        // Identities differ even for equal lines.
        QVERIFY(result.contacts.at(1)->uniqueId != entry.uniqueId);
        // The card text is the contact's own, written when first asked for.
        QVERIFY(!entry.vCardString.isEmpty());
        const std::optional<AddressBook::Person> card = AddressBook::VCardCodec::readPerson(entry.vCardString.utf8());
        QVERIFY(card);
        QCOMPARE(card->uniqueId(), entry.uniqueId);
        QVERIFY(entry.vCardString.toString().contains(QStringLiteral("TEL;TYPE=HOME")));
        QCOMPARE(result.contacts.at(2)->compositeName, NoNameText);
    }
};

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csvreader.moc"
