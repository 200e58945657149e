// The CSV writers: the 32-column file layout, where each labelled value goes, how values are
// quoted and escaped, and the pasteboard line writer.

#include "formats/ZQVCard.h"

#include <QTest>

using namespace Quillary;

namespace {

LabeledValue labeled(const QString& label, const QString& value)
{
    LabeledValue entry;
    entry.label = label;
    entry.value = value;
    return entry;
}

LabeledValue address(const QString& label, const QString& street)
{
    LabeledValue entry;
    entry.label = label;
    entry.address.setZip(QStringLiteral("62701"));
    entry.address.setState(QStringLiteral("IL"));
    entry.address.setCity(QStringLiteral("Springfield"));
    entry.address.setStreet(street);
    return entry;
}

ContactEntryPtr newContact(const QString& first = {}, const QString& last = {})
{
    auto person = std::make_shared<PersonDsc>();
    if (!first.isEmpty() || !last.isEmpty()) {
        NameValue name;
        name.firstName = first;
        name.lastName = last;
        person->setValue(name, Field::Name);
    }
    return ContactEntry::make(person);
}

/// The records of a file after its header; a line break inside a quoted field is part of its record.
QList<QByteArray> dataLines(const QByteArray& file)
{
    QList<QByteArray> lines{QByteArray()};
    bool quoted = false;
    bool fieldStart = true;
    for (const char c : file) {
        // A quote opens a field that begins with it; in a quoted field a quote closes it, and a
        // second one right after reopens it ("" stands for one quote).
        if (c == '"' && (fieldStart || quoted || lines.last().endsWith('"')))
            quoted = !quoted;
        fieldStart = !quoted && (c == ',' || c == '\n');
        if (c == '\n' && !quoted)
            lines.append(QByteArray());
        else
            lines.last().append(c);
    }
    if (lines.last().isEmpty())
        lines.removeLast();
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

/// The fields of a written line whose values hold no commas.
QStringList fieldsOf(const QByteArray& line)
{
    return QString::fromUtf8(line).split(u',');
}

/// A line with `value` in column `column` (1-based) and every other field empty.
QByteArray lineWithValueInColumn(int column, const QByteArray& value)
{
    return QByteArray(column - 1, ',') + value + QByteArray(32 - column, ',');
}

QByteArray firstLine(const ContactEntryPtr& contact, int index = 0)
{
    const QList<QByteArray> lines = dataLines(ZQVCard::csvFromSubContacts(CsvRows{{contact, index}}));
    return lines.isEmpty() ? QByteArray() : lines.first();
}

} // namespace

class TestCsvWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The file writer
    void headerLine();
    void noRowsGiveTheHeaderAlone();
    void homeEmailAloneFillsOneColumn();
    void encodesValues_data();
    void encodesValues();
    void singleValuedFieldsOnlyOnFirstRow();
    void labelChoosesColumn_data();
    void labelChoosesColumn();
    void addressPartsGoToTheirLabelsColumns_data();
    void addressPartsGoToTheirLabelsColumns();
    void socialProfilesGoToTheirServicesColumn_data();
    void socialProfilesGoToTheirServicesColumn();
    void contactsGiveTheirFirstRows();
    void rowsOfContactsCoverTheLongestList();

    // The line writer
    void lineOfFields_data();
    void lineOfFields();
};

void TestCsvWriter::headerLine()
{
    QCOMPARE(CsvWriter::headerLine(),
             QStringLiteral("Name,Home Phone,Work Phone,Other Phone,Home Email,Work Email,Other Email,Home ZIP,"
                            "Home State,Home City,Home Street,Work ZIP,Work State,Work City,Work Street,Other ZIP,"
                            "Other State,Other City,Other Street,Birthday,Title,Company,Department,Job Title,"
                            "First Name,Last Name,Nickname,Note,Facebook,LinkedIn,Flickr,SinaWeibo\n"));
}

void TestCsvWriter::noRowsGiveTheHeaderAlone()
{
    QCOMPARE(ZQVCard::csvFromSubContacts(CsvRows()), CsvWriter::headerLine().toUtf8());
    QCOMPARE(ZQVCard::csvFromSubContacts(ContactTable()), CsvWriter::headerLine().toUtf8());
}

void TestCsvWriter::homeEmailAloneFillsOneColumn()
{
    // A name without first and last name (the middle name alone) leaves the name-part columns empty.
    const ContactEntryPtr contact = newContact();
    NameValue name;
    name.middleName = QStringLiteral("Jo");
    contact->person->setValue(name, Field::Name);
    contact->person->addLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("jo@example.com")), Field::Email);

    const QByteArray line = firstLine(contact);
    QCOMPARE(line.count(','), 31);
    const QStringList fields = fieldsOf(line);
    QCOMPARE(fields.at(0), QStringLiteral("Jo"));
    QCOMPARE(fields.at(4), QStringLiteral("jo@example.com"));
    QCOMPARE(fields.count(QString()), 30);
}

void TestCsvWriter::encodesValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << QStringLiteral("Acme") << QByteArray("Acme");
    QTest::newRow("comma quoted") << QStringLiteral("Smith, John") << QByteArray("\"Smith, John\"");
    QTest::newRow("quote without comma unchanged") << QStringLiteral("5\" floppy") << QByteArray("5\" floppy");
    QTest::newRow("quotes doubled inside quotes") << QStringLiteral("a, \"b\"") << QByteArray("\"a, \"\"b\"\"\"");
    QTest::newRow("leading quote quoted") << QStringLiteral("\"Ace\" Corp") << QByteArray("\"\"\"Ace\"\" Corp\"");
    QTest::newRow("LF quoted") << QStringLiteral("line 1\nline 2") << QByteArray("\"line 1\nline 2\"");
    QTest::newRow("tab kept") << QStringLiteral("a\tb") << QByteArray("a\tb");
    QTest::newRow("backslashes kept") << QStringLiteral("C:\\temp\\new") << QByteArray("C:\\temp\\new");
    QTest::newRow("CR kept, quoted") << QStringLiteral("a\rb") << QByteArray("\"a\rb\"");
    QTest::newRow("line separator quoted") << QStringLiteral("a\u2028b") << QByteArray("\"a\u2028b\"");
    QTest::newRow("UTF-8") << QStringLiteral("㈱髙橋") << QStringLiteral("㈱髙橋").toUtf8();
}

void TestCsvWriter::encodesValues()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, written);
    const ContactEntryPtr contact = newContact();
    contact->person->setStringValue(value, Field::Company);
    QCOMPARE(firstLine(contact), lineWithValueInColumn(22, written));
}

void TestCsvWriter::singleValuedFieldsOnlyOnFirstRow()
{
    const ContactEntryPtr contact = newContact(QStringLiteral("John"), QStringLiteral("Smith"));
    PersonDsc& person = *contact->person;
    person.setStringValue(QStringLiteral("Dr."), Field::Title);
    person.setStringValue(QStringLiteral("Acme"), Field::Company);
    person.setStringValue(QStringLiteral("R&D"), Field::Department);
    person.setStringValue(QStringLiteral("Chemist"), Field::JobTitle);
    person.setStringValue(QStringLiteral("Johnny"), Field::Nickname);
    person.setStringValue(QStringLiteral("Likes tea"), Field::Note);
    person.setBirthdayValue(BirthdayValue{{1980, 5, 17}, {}});
    person.addLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("555-0100")), Field::Phone);
    person.addLabeledValue(labeled(QStringLiteral("mobile"), QStringLiteral("555-0101")), Field::Phone);

    const QList<QByteArray> lines = dataLines(ZQVCard::csvFromSubContacts(CsvRows{{contact, 0}, {contact, 1}}));
    QCOMPARE(lines.size(), 2);
    const QStringList first = fieldsOf(lines.at(0));
    QCOMPARE(
        first,
        QStringList(
            {"John Smith", "555-0100", "",    "",        "",     "",      "",       "",          "", "",
             "",           "",         "",    "",        "",     "",      "",       "",          "", "1980.05.17(Sat)",
             "Dr.",        "Acme",     "R&D", "Chemist", "John", "Smith", "Johnny", "Likes tea", "", "",
             "",           ""}));
    // The name and its parts are on every row; the mobile phone is an "Other Phone".
    QCOMPARE(lines.at(1), QByteArray("John Smith,,,555-0101,,,,,,,,,,,,,,,,,,,,,John,Smith,,,,,,"));
}

void TestCsvWriter::labelChoosesColumn_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("column");
    QTest::newRow("home phone") << Field::Phone << QStringLiteral("home") << 2;
    QTest::newRow("Home phone as the header spells it") << Field::Phone << QStringLiteral("Home") << 2;
    QTest::newRow("work phone") << Field::Phone << QStringLiteral("work") << 3;
    QTest::newRow("other phone") << Field::Phone << QStringLiteral("other") << 4;
    QTest::newRow("mobile phone is another phone") << Field::Phone << QStringLiteral("mobile") << 4;
    QTest::newRow("home fax is not a home phone") << Field::Phone << QStringLiteral("home fax") << 4;
    QTest::newRow("phone without label") << Field::Phone << QStringLiteral("No label") << 4;
    QTest::newRow("home e-mail") << Field::Email << QStringLiteral("home") << 5;
    QTest::newRow("work e-mail") << Field::Email << QStringLiteral("work") << 6;
    QTest::newRow("custom e-mail label") << Field::Email << QStringLiteral("School") << 7;
}

void TestCsvWriter::labelChoosesColumn()
{
    QFETCH(QString, identifier);
    QFETCH(QString, label);
    QFETCH(int, column);
    const ContactEntryPtr contact = newContact();
    contact->person->addLabeledValue(labeled(label, QStringLiteral("v1")), identifier);
    QCOMPARE(firstLine(contact), lineWithValueInColumn(column, "v1"));
}

void TestCsvWriter::addressPartsGoToTheirLabelsColumns_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("zipColumn");
    QTest::newRow("home") << QStringLiteral("home") << 8;
    QTest::newRow("work") << QStringLiteral("work") << 12;
    QTest::newRow("other") << QStringLiteral("other") << 16;
    QTest::newRow("custom label") << QStringLiteral("Cottage") << 16;
}

void TestCsvWriter::addressPartsGoToTheirLabelsColumns()
{
    QFETCH(QString, label);
    QFETCH(int, zipColumn);
    const ContactEntryPtr contact = newContact();
    contact->person->addLabeledValue(address(label, QStringLiteral("1 Main St\nApt 2")), Field::Address);
    QCOMPARE(firstLine(contact),
             QByteArray(zipColumn - 1, ',') + "62701,IL,Springfield,\"1 Main St\nApt 2\""
                 + QByteArray(32 - zipColumn - 3, ','));
}

void TestCsvWriter::socialProfilesGoToTheirServicesColumn_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<int>("column");
    QTest::newRow("facebook") << QStringLiteral("facebook") << 29;
    QTest::newRow("Facebook") << QStringLiteral("Facebook") << 29;
    QTest::newRow("linkedin") << QStringLiteral("linkedin") << 30;
    QTest::newRow("flickr") << QStringLiteral("flickr") << 31;
    QTest::newRow("sinaweibo") << QStringLiteral("sinaweibo") << 32;
    QTest::newRow("twitter has no column") << QStringLiteral("twitter") << 0;
}

void TestCsvWriter::socialProfilesGoToTheirServicesColumn()
{
    QFETCH(QString, service);
    QFETCH(int, column);
    const ContactEntryPtr contact = newContact();
    contact->person->addLabeledValue(labeled(service, QStringLiteral("jdoe")), Field::SocialNetwork);
    QCOMPARE(firstLine(contact), column == 0 ? QByteArray(31, ',') : lineWithValueInColumn(column, "jdoe"));
}

void TestCsvWriter::contactsGiveTheirFirstRows()
{
    const ContactEntryPtr jane = newContact(QStringLiteral("Jane"), QStringLiteral("Doe"));
    jane->person->addLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("1")), Field::Phone);
    jane->person->addLabeledValue(labeled(QStringLiteral("work"), QStringLiteral("2")), Field::Phone);
    const ContactEntryPtr john = newContact(QStringLiteral("John"), QStringLiteral("Roe"));
    const QByteArray file = ZQVCard::csvFromSubContacts(ContactTable{jane, john});
    QCOMPARE(file, ZQVCard::csvFromSubContacts(CsvRows{{jane, 0}, {john, 0}}));
    QCOMPARE(dataLines(file).size(), 2);
    QVERIFY(file.endsWith('\n'));
}

void TestCsvWriter::rowsOfContactsCoverTheLongestList()
{
    const ContactEntryPtr many = newContact(QStringLiteral("Many"));
    for (const char* email : {"a@example.com", "b@example.com", "c@example.com"})
        many->person->addLabeledValue(labeled(QStringLiteral("home"), QString::fromLatin1(email)), Field::Email);
    many->person->addLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("1")), Field::Phone);
    // URLs have no column, so they add no rows.
    for (const char* url : {"http://a", "http://b", "http://c", "http://d"})
        many->person->addLabeledValue(labeled(QStringLiteral("home"), QString::fromLatin1(url)), Field::URL);
    const ContactEntryPtr none = newContact(QStringLiteral("None"));
    QCOMPARE(CsvWriter::rowsOfContacts({many, none}), CsvRows({{many, 0}, {many, 1}, {many, 2}, {none, 0}}));
}

void TestCsvWriter::lineOfFields_data()
{
    QTest::addColumn<QStringList>("identifiers");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("line");
    const QString comma = QStringLiteral(", ");
    const QString tab = QStringLiteral("\t");
    QTest::newRow("name with a space quoted, phone with its label")
        << QStringList{Field::Name, Field::Phone} << comma << 0 << QString()
        << QStringLiteral("\"Jane Doe\", Home:123");
    QTest::newRow("phone with a space quoted with its label")
        << QStringList{Field::Phone} << comma << 1 << QString() << QStringLiteral("\"Work:555 0100\"");
    QTest::newRow("every value with index -1")
        << QStringList{Field::Phone} << comma << -1 << QString() << QStringLiteral("Home:123, \"Work:555 0100\"");
    QTest::newRow("tab separated") << QStringList{Field::Name, Field::Email, Field::Company} << tab << 0 << QString()
                                   << QStringLiteral("\"Jane Doe\"\thome:jane@example.com\tAcme");
    QTest::newRow("single-valued fields empty after the first row")
        << QStringList{Field::Company, Field::Phone} << tab << 1 << QString() << QStringLiteral("\t\"Work:555 0100\"");
    QTest::newRow("no value at the index")
        << QStringList{Field::Email, Field::Name} << tab << 1 << QString() << QStringLiteral("\t\"Jane Doe\"");
    QTest::newRow("address parts are empty") << QStringList{Field::ZIP, Field::City, Field::Name} << tab << 0
                                             << QString() << QStringLiteral("\t\t\"Jane Doe\"");
    QTest::newRow("note in quotes") << QStringList{Field::Note} << tab << 0 << QStringLiteral("Hello")
                                    << QStringLiteral("\"Hello\"");
    QTest::newRow("note with a space in two pairs of quotes")
        << QStringList{Field::Note} << tab << 0 << QStringLiteral("Hello there")
        << QStringLiteral("\"\"Hello there\"\"");
    QTest::newRow("note on one line") << QStringList{Field::Note} << tab << 0 << QStringLiteral("a\nb\tc")
                                      << QStringLiteral("\"a\\nb\\tc\"");
}

void TestCsvWriter::lineOfFields()
{
    QFETCH(QStringList, identifiers);
    QFETCH(QString, separator);
    QFETCH(int, index);
    QFETCH(QString, note);
    QFETCH(QString, line);
    const ContactEntryPtr contact = newContact(QStringLiteral("Jane"), QStringLiteral("Doe"));
    PersonDsc& person = *contact->person;
    person.addLabeledValue(labeled(QStringLiteral("Home"), QStringLiteral("123")), Field::Phone);
    person.addLabeledValue(labeled(QStringLiteral("Work"), QStringLiteral("555 0100")), Field::Phone);
    person.addLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("jane@example.com")), Field::Email);
    person.setStringValue(QStringLiteral("Acme"), Field::Company);
    person.setStringValue(note, Field::Note);
    QCOMPARE(ZQVCard::csvStringFromContact({contact, index}, identifiers, separator), line);
}

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "tst_csvwriter.moc"
