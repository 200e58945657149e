// The CSV writers: the 32-column file layout, where each labelled value goes, how values are
// quoted and escaped, and the pasteboard line writer. csv/writer.vcf written as CSV is compared with
// csv/writer.vcf.csv; QUILLARY_UPDATE_GOLDEN=1 rewrites it.

#include "TestSupport.h"
#include "formats/ZQVCard.h"

#include <QFile>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

LabeledValue labeled(const QString& label, const QString& value)
{
    LabeledValue entry;
    entry.label = label;
    entry.value = value;
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
    void goldenFile()
    {
        // Contacts with a value in every column: each label of a phone, e-mail and address, the social
        // profiles with a column and one without, a name of a middle name alone, the single-valued fields
        // on the first row only, and more values of a list than of any other (URLs take no column).
        const ContactTable contacts = ZQVCard().contactsFromVCards(Test::readData(u"csv/writer.vcf"_s));
        const CsvRows rows = CsvWriter::rowsOfContacts(contacts);
        const QByteArray csv = ZQVCard::csvFromSubContacts(rows);
        if (qEnvironmentVariableIntValue("QUILLARY_UPDATE_GOLDEN") == 1) {
            QFile golden(Test::dataPath(u"csv/writer.vcf.csv"_s));
            QVERIFY(golden.open(QIODevice::WriteOnly));
            golden.write(csv);
        }
        const QString difference = Test::firstDifferentLine(csv, Test::readData(u"csv/writer.vcf.csv"_s));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        // A table of contacts gives the first row of each.
        CsvRows firstRows;
        std::copy_if(rows.cbegin(), rows.cend(), std::back_inserter(firstRows),
                     [](const CsvRow& row) { return row.index == 0; });
        QCOMPARE(ZQVCard::csvFromSubContacts(contacts), ZQVCard::csvFromSubContacts(firstRows));
    }

    void noRowsGiveTheHeaderAlone()
    {
        QCOMPARE(ZQVCard::csvFromSubContacts(CsvRows()), CsvWriter::headerLine().toUtf8());
        QCOMPARE(ZQVCard::csvFromSubContacts(ContactTable()), CsvWriter::headerLine().toUtf8());
    }

    void encodesValues_data()
    {
        Test::addColumns<QString, QByteArray>("value", "written");
        QTest::newRow("plain") << u"Acme"_s << QByteArray("Acme");
        QTest::newRow("comma quoted") << u"Smith, John"_s << QByteArray("\"Smith, John\"");
        QTest::newRow("quote without comma unchanged") << u"5\" floppy"_s << QByteArray("5\" floppy");
        QTest::newRow("quotes doubled inside quotes") << u"a, \"b\""_s << QByteArray("\"a, \"\"b\"\"\"");
        QTest::newRow("leading quote quoted") << u"\"Ace\" Corp"_s << QByteArray("\"\"\"Ace\"\" Corp\"");
        QTest::newRow("LF quoted") << u"line 1\nline 2"_s << QByteArray("\"line 1\nline 2\"");
        QTest::newRow("tab kept") << u"a\tb"_s << QByteArray("a\tb");
        QTest::newRow("backslashes kept") << u"C:\\temp\\new"_s << QByteArray("C:\\temp\\new");
        QTest::newRow("CR kept, quoted") << u"a\rb"_s << QByteArray("\"a\rb\"");
        QTest::newRow("line separator quoted") << u"a\u2028b"_s << QByteArray("\"a\u2028b\"");
        QTest::newRow("UTF-8") << u"㈱髙橋"_s << u"㈱髙橋"_s.toUtf8();
    }
    void encodesValues()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, written);
        const ContactEntryPtr contact = newContact();
        contact->person->setStringValue(value, Field::Company);
        QCOMPARE(firstLine(contact), lineWithValueInColumn(22, written));
    }

    // The line writer
    void lineOfFields_data()
    {
        Test::addColumns<QStringList, QString, int, QString, QString>("identifiers", "separator", "index", "note",
                                                                      "line");
        const QString comma = u", "_s;
        const QString tab = u"\t"_s;
        QTest::newRow("name with a space quoted, phone with its label")
            << QStringList{Field::Name, Field::Phone} << comma << 0 << QString() << u"\"Jane Doe\", Home:123"_s;
        QTest::newRow("phone with a space quoted with its label")
            << QStringList{Field::Phone} << comma << 1 << QString() << u"\"Work:555 0100\""_s;
        QTest::newRow("every value with index -1")
            << QStringList{Field::Phone} << comma << -1 << QString() << u"Home:123, \"Work:555 0100\""_s;
        QTest::newRow("tab separated") << QStringList{Field::Name, Field::Email, Field::Company} << tab << 0
                                       << QString() << u"\"Jane Doe\"\thome:jane@example.com\tAcme"_s;
        QTest::newRow("single-valued fields empty after the first row")
            << QStringList{Field::Company, Field::Phone} << tab << 1 << QString() << u"\t\"Work:555 0100\""_s;
        QTest::newRow("no value at the index")
            << QStringList{Field::Email, Field::Name} << tab << 1 << QString() << u"\t\"Jane Doe\""_s;
        QTest::newRow("address parts are empty")
            << QStringList{Field::ZIP, Field::City, Field::Name} << tab << 0 << QString() << u"\t\t\"Jane Doe\""_s;
        QTest::newRow("note in quotes") << QStringList{Field::Note} << tab << 0 << u"Hello"_s << u"\"Hello\""_s;
        QTest::newRow("note with a space in two pairs of quotes")
            << QStringList{Field::Note} << tab << 0 << u"Hello there"_s << u"\"\"Hello there\"\""_s;
        QTest::newRow("note on one line") << QStringList{Field::Note} << tab << 0 << u"a\nb\tc"_s << u"\"a\\nb\\tc\""_s;
    }
    void lineOfFields()
    {
        QFETCH(QStringList, identifiers);
        QFETCH(QString, separator);
        QFETCH(int, index);
        QFETCH(QString, note);
        const ContactEntryPtr contact = newContact(u"Jane"_s, u"Doe"_s);
        PersonDsc& person = *contact->person;
        person.addLabeledValue(labeled(u"Home"_s, u"123"_s), Field::Phone);
        person.addLabeledValue(labeled(u"Work"_s, u"555 0100"_s), Field::Phone);
        person.addLabeledValue(labeled(u"home"_s, u"jane@example.com"_s), Field::Email);
        person.setStringValue(u"Acme"_s, Field::Company);
        person.setStringValue(note, Field::Note);
        QTEST(ZQVCard::csvStringFromContact({contact, index}, identifiers, separator), "line");
    }
};

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "tst_csvwriter.moc"
