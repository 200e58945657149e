// Sorting the contacts table: the sort options, the order of rows (empty values
// last both ways, dates as dates, text without regard to case, stable), and the sort choices the
// table keeps and stores.

#include "TableTestDocument.h"
#include "documents/Preferences.h"
#include "model/FieldIdentifiers.h"
#include "table/RowSorter.h"
#include "table/SortKeys.h"

#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace Quillary;
using Quillary::Test::TableTestDocument;

namespace {

const QString SortingFile = QStringLiteral("sorting.vcf");
/// One column of each sorted field: every contact of the file then has a single row.
const QStringList SortColumns{Field::Phone, Field::Email,      Field::Dates,
                              Field::City,  Field::Department, Field::Birthday};

RowSorter::SortValue text(const char* value)
{
    return {RowSorter::SortValue::Kind::Text, QString::fromUtf8(value), 0};
}

RowSorter::SortValue date(quint32 yyyymmdd)
{
    return {RowSorter::SortValue::Kind::Date, {}, yyyymmdd};
}

/// A detached contact with only a note.
ContactEntryPtr contactWithNote(const QString& note, int number)
{
    auto person = std::make_shared<PersonDsc>();
    person->setStringValue(note, Field::Note);
    ContactEntryPtr entry = ContactEntry::make(person);
    entry->uniqueId = QString::number(number);
    return entry;
}

} // namespace

class TestTableSorting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void sortOptionsAgreeWithTheKeyMap()
    {
        // Every key a column's menu offers sorts by that column's field (or by the address the part
        // belongs to), and the built-in choice is among them.
        const SortOptionsDict dict = SortKeys::aSortOptionsDict();
        for (auto it = dict.cbegin(); it != dict.cend(); ++it) {
            QVERIFY2(it->items.contains(it->selected), qPrintable(it.key()));
            for (const QString& key : it->items) {
                const QString identifier = SortKeys::separateSortKeyIntoIdentifierAndKey(key).first;
                QVERIFY2(identifier == it.key() || identifier == Field::Address, qPrintable(it.key() + u": " + key));
            }
        }
        QCOMPARE(dict.value(QStringLiteral("Name")).selected, QStringLiteral("compositeName"));
    }

    void sortOptionsStoredChoices()
    {
        const QVariantMap stored{{QStringLiteral("Name"), QStringLiteral("LastName")},
                                 {QStringLiteral("Email"), QStringLiteral("Email domain")},
                                 // Not among the column's keys: the built-in choice stays.
                                 {QStringLiteral("Phone"), QStringLiteral("Email domain")}};
        const SortOptionsDict dict = SortKeys::aSortOptionsDict(stored);
        QCOMPARE(dict.value(QStringLiteral("Name")).selected, QStringLiteral("LastName"));
        QCOMPARE(dict.value(QStringLiteral("Email")).selected, QStringLiteral("Email domain"));
        QCOMPARE(dict.value(QStringLiteral("Phone")).selected, QStringLiteral("Phone"));
        // Identifiers without a stored choice keep theirs.
        QCOMPARE(dict.value(QStringLiteral("Address")).selected, QStringLiteral("Address"));

        // The controller starts from the stored choices.
        Preferences preferences(m_dir.filePath(QStringLiteral("choices.ini")));
        preferences.setValue(Preferences::Key::SortOptionsDefault, stored);
        TableTestDocument doc(SortingFile, {Field::Email}, &preferences);
        QCOMPARE(doc.controller.sortKeyForColumn(QStringLiteral("Name")), QStringLiteral("LastName"));
        QCOMPARE(doc.controller.sortKeyForColumn(QStringLiteral("Email")), QStringLiteral("Email domain"));
        QCOMPARE(doc.controller.sortKeyForColumn(QStringLiteral("Phone")), QStringLiteral("Phone"));
        QCOMPARE(doc.controller.sortKeyForColumn(QStringLiteral("Label")), QStringLiteral("Label"));
    }

    void compareValues_data()
    {
        using Value = RowSorter::SortValue;
        QTest::addColumn<Value>("a");
        QTest::addColumn<Value>("b");
        QTest::addColumn<int>("ascending");
        QTest::addColumn<int>("descending");

        QTest::newRow("text") << text("apple") << text("banana") << -1 << 1;
        QTest::newRow("text ignoring case") << text("Apple") << text("apple") << 0 << 0;
        QTest::newRow("case does not order") << text("apple") << text("BANANA") << -1 << 1;
        QTest::newRow("plain, not by locale") << text("Zebra") << text("\xc3\xa4pfel") << -1 << 1;
        QTest::newRow("empty after text") << Value{} << text("a") << 1 << 1;
        QTest::newRow("text before empty") << text("a") << Value{} << -1 << -1;
        QTest::newRow("both empty") << Value{} << Value{} << 0 << 0;
        QTest::newRow("dates") << date(19900201) << date(19851231) << 1 << -1;
        QTest::newRow("no year before any year") << date(1224) << date(19851231) << -1 << 1;
        QTest::newRow("no date after a date") << Value{} << date(19900201) << 1 << 1;
    }

    void compareValues()
    {
        QFETCH(RowSorter::SortValue, a);
        QFETCH(RowSorter::SortValue, b);
        QFETCH(int, ascending);
        QFETCH(int, descending);

        QCOMPARE(RowSorter::compare(a, b, true), ascending);
        QCOMPARE(RowSorter::compare(a, b, false), descending);
    }

    void compareDateComponents_data()
    {
        using Date = std::optional<DateComponents>;
        QTest::addColumn<Date>("a");
        QTest::addColumn<Date>("b");
        QTest::addColumn<int>("ascending");
        QTest::addColumn<int>("descending");

        const Date early = DateComponents{1985, 12, 31};
        const Date late = DateComponents{1990, 2, 1};
        const Date noYear = DateComponents{0, 12, 24};
        QTest::newRow("earlier first") << early << late << -1 << 1;
        QTest::newRow("same day") << early << early << 0 << 0;
        QTest::newRow("no year is earliest") << noYear << early << -1 << 1;
        QTest::newRow("none last") << Date() << early << 1 << 1;
        QTest::newRow("none last, other side") << late << Date() << -1 << -1;
        QTest::newRow("both none") << Date() << Date() << 0 << 0;
    }

    void compareDateComponents()
    {
        QFETCH(std::optional<DateComponents>, a);
        QFETCH(std::optional<DateComponents>, b);
        QFETCH(int, ascending);
        QFETCH(int, descending);

        QCOMPARE(RowSorter::compareDateComponents(a, b, true), ascending);
        QCOMPARE(RowSorter::compareDateComponents(a, b, false), descending);
    }

    void rowOrder_data()
    {
        QTest::addColumn<QString>("sortKey");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("order");

        const QStringList all{QStringLiteral("All")};
        // File order: ann, ben, cid, dot, zenith.
        QTest::newRow("name ignores case")
            << "compositeName" << true << all << QStringList{"ann", "ben", "cid", "dot", "zenith"};
        QTest::newRow("first name; a company by its name")
            << "FirstName" << true << all << QStringList{"ann", "ben", "cid", "dot", "zenith"};
        QTest::newRow("last name; a company by its name")
            << "LastName" << true << all << QStringList{"dot", "cid", "ben", "ann", "zenith"};
        QTest::newRow("phone, empty last")
            << "Phone" << true << all << QStringList{"cid", "zenith", "ann", "ben", "dot"};
        QTest::newRow("phone descending, empty last")
            << "Phone" << false << all << QStringList{"ann", "zenith", "cid", "ben", "dot"};
        QTest::newRow("phone, filtered out sorts as empty")
            << "Phone" << true << QStringList{"work"} << QStringList{"cid", "zenith", "ann", "ben", "dot"};
        QTest::newRow("phone label") << "Phone label" << true << all
                                     << QStringList{"ann", "cid", "zenith", "ben", "dot"};
        QTest::newRow("email domain, none last")
            << "Email domain" << true << all << QStringList{"ben", "zenith", "ann", "cid", "dot"};
        QTest::newRow("email domain descending")
            << "Email domain" << false << all << QStringList{"ann", "zenith", "ben", "cid", "dot"};
        QTest::newRow("birthday as dates")
            << "Birthday" << true << all << QStringList{"ben", "cid", "ann", "dot", "zenith"};
        QTest::newRow("birthday descending")
            << "Birthday" << false << all << QStringList{"ann", "cid", "ben", "dot", "zenith"};
        QTest::newRow("dates by date") << "Dates" << true << all << QStringList{"cid", "ben", "ann", "dot", "zenith"};
        QTest::newRow("dates by label") << "Dates label" << true << all
                                        << QStringList{"ann", "cid", "ben", "dot", "zenith"};
        QTest::newRow("address part") << "City" << true << all << QStringList{"cid", "ann", "ben", "dot", "zenith"};
        QTest::newRow("equal values keep their order")
            << "Department" << true << all << QStringList{"zenith", "ann", "ben", "cid", "dot"};
        QTest::newRow("equal values keep their order descending")
            << "Department" << false << all << QStringList{"ann", "ben", "cid", "zenith", "dot"};
        QTest::newRow("unknown key: string value")
            << "Company" << false << all << QStringList{"zenith", "ann", "ben", "cid", "dot"};
    }

    void rowOrder()
    {
        QFETCH(QString, sortKey);
        QFETCH(bool, ascending);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, order);

        TableTestDocument doc(SortingFile, SortColumns);
        QVERIFY(doc.readOk);
        doc.collection().selectedLabels = labels;
        doc.controller.sortDescriptorsDidChange({sortKey, ascending});
        QCOMPARE(doc.rowIds(), order);
        // A second sort from the sorted order gives the same rows: nothing is left over from the first.
        doc.controller.updateTable();
        QCOMPARE(doc.rowIds(), order);
    }

    void sortValueKinds()
    {
        TableTestDocument doc(SortingFile, SortColumns);
        const SubContactRow& ben = doc.controller.subContactTable().at(doc.firstRowOf(QStringLiteral("ben")));
        const QStringList all{QStringLiteral("All")};
        using Kind = RowSorter::SortValue::Kind;

        const RowSorter::SortValue birthday =
            RowSorter::sortValue(ben, Field::Birthday, QStringLiteral("stringValue"), all);
        QCOMPARE(birthday.kind, Kind::Date);
        QCOMPARE(birthday.date, 1224u);
        QCOMPARE(RowSorter::sortValue(ben, Field::Dates, QStringLiteral("stringValue"), all).kind, Kind::Date);
        const RowSorter::SortValue label = RowSorter::sortValue(ben, Field::Dates, QStringLiteral("label"), all);
        QCOMPARE(label.kind, Kind::Text);
        QCOMPARE(label.text, QStringLiteral("other"));
        QCOMPARE(RowSorter::sortValue(ben, Field::Phone, QStringLiteral("stringValue"), all).kind, Kind::None);
        QCOMPARE(RowSorter::sortValue(ben, Field::Email, QStringLiteral("stringValue"), {QStringLiteral("home")}).kind,
                 Kind::None);
    }

    void ranksAgreeWithComparator_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("maxPieces");
        QTest::addColumn<int>("repeatFrom");
        // Few distinct texts, each looked up; then texts that rarely repeat, so that the sort stops
        // looking them up, with the same texts (some in upper case) coming again after that.
        QTest::newRow("common texts") << 400 << 6 << 400;
        QTest::newRow("rare repeats") << 7000 << 9 << 5000;
    }

    void ranksAgreeWithComparator()
    {
        // The sort orders rows by ranks of their distinct texts; it must give the order the comparator
        // gives, on texts that share long beginnings, differ in case only, or leave the basic plane.
        QFETCH(int, count);
        QFETCH(int, maxPieces);
        QFETCH(int, repeatFrom);
        const QStringList pieces{
            QStringLiteral("a"),          QStringLiteral("A"),          QStringLiteral("b"),
            QStringLiteral("\u00e9"),     QStringLiteral("\u00c9"),     QStringLiteral("\u00df"),
            QStringLiteral("\u0130"),     QStringLiteral(" "),          QStringLiteral("9"),
            QStringLiteral("\uff21"),     QStringLiteral("\U0001F600"), QStringLiteral("\U00010400"),
            QStringLiteral("\U00010428"), QStringLiteral("longprefix"), QString()};
        QRandomGenerator random(20240607);
        ContactCollection collection;
        QStringList notes;
        for (int i = 0; i < count; ++i) {
            QString note;
            if (i >= repeatFrom) {
                const QString& earlier = notes.at(i - repeatFrom);
                note = i % 2 ? earlier.toUpper() : QString(earlier.constData(), earlier.size());
            } else {
                const int length = int(random.bounded(maxPieces));
                for (int j = 0; j < length; ++j)
                    note += pieces.at(random.bounded(int(pieces.size())));
            }
            notes.append(note);
            collection.contactTable.append(contactWithNote(note, i));
        }
        for (const bool ascending : {true, false}) {
            SubContactTable rows;
            for (const ContactEntryPtr& contact : std::as_const(collection.contactTable))
                TableRows::createSubContactsFromContact(contact, {Field::Note}, {QStringLiteral("All")}, rows);
            SubContactTable expected = rows;
            const auto value = [](const SubContactRow& row) {
                return RowSorter::sortValue(row, Field::Note, QStringLiteral("stringValue"), {QStringLiteral("All")});
            };
            std::stable_sort(expected.begin(), expected.end(), [&](const SubContactRow& a, const SubContactRow& b) {
                return RowSorter::compare(value(a), value(b), ascending) < 0;
            });
            RowSorter::sortSubContactTable(rows, SortDescriptor{Field::Note, ascending}, {QStringLiteral("All")});
            QCOMPARE(rows.size(), expected.size());
            for (qsizetype i = 0; i < rows.size(); ++i)
                QVERIFY2(rows.at(i).contact == expected.at(i).contact,
                         qPrintable(QStringLiteral("row %1: %2 where %3 belongs")
                                        .arg(i)
                                        .arg(rows.at(i).person().stringValueForIdentifier(Field::Note),
                                             expected.at(i).person().stringValueForIdentifier(Field::Note))));
        }
    }

    void sortDescriptorPersisted()
    {
        Preferences preferences(m_dir.filePath(QStringLiteral("persisted.ini")));
        {
            TableTestDocument doc(SortingFile, SortColumns, &preferences);
            QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(QStringLiteral("compositeName"), true));
            QVERIFY(!preferences.lastSortDescriptor());
            doc.controller.sortDescriptorsDidChange({QStringLiteral("Email domain"), false});
            QCOMPARE(preferences.lastSortDescriptor(), SortDescriptor(QStringLiteral("Email domain"), false));
            QCOMPARE(preferences.value(Preferences::Key::LastSortDict).toMap(),
                     (QVariantMap{{QStringLiteral("key"), QStringLiteral("Email domain")},
                                  {QStringLiteral("ascending"), false}}));
        }
        {
            // Without contacts a change is not stored.
            TableTestDocument doc(SortingFile, SortColumns, &preferences);
            doc.collection().contactTable.clear();
            doc.controller.sortDescriptorsDidChange({QStringLiteral("Phone"), true});
            QCOMPARE(preferences.lastSortDescriptor(), SortDescriptor(QStringLiteral("Email domain"), false));
        }
    }

    void storedSortDescriptorRestored_data()
    {
        QTest::addColumn<QString>("storedKey");
        QTest::addColumn<QString>("viewType");
        QTest::addColumn<QString>("restoredKey");
        QTest::addColumn<bool>("restoredAscending");

        QTest::newRow("column shown") << "Email domain"
                                      << "Email"
                                      << "Email domain" << false;
        QTest::newRow("column not shown") << "Email domain"
                                          << "Phone"
                                          << "compositeName" << true;
        QTest::newRow("name keys always") << "LastName"
                                          << "Phone"
                                          << "LastName" << false;
        QTest::newRow("address part by its field") << "ZIP"
                                                   << "Address"
                                                   << "ZIP" << false;
    }

    void storedSortDescriptorRestored()
    {
        QFETCH(QString, storedKey);
        QFETCH(QString, viewType);
        QFETCH(QString, restoredKey);
        QFETCH(bool, restoredAscending);

        Preferences preferences(
            m_dir.filePath(QStringLiteral("restored-%1.ini").arg(QString::fromUtf8(QTest::currentDataTag()))));
        preferences.setLastSortDescriptor({storedKey, false});
        TableTestDocument doc(SortingFile, {}, &preferences, viewType);
        QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(restoredKey, restoredAscending));
    }

    void sortChoices()
    {
        Preferences preferences(m_dir.filePath(QStringLiteral("choices-menu.ini")));
        TableTestDocument doc(SortingFile, {Field::Email, Field::ZIP}, &preferences);
        doc.controller.sortDescriptorsDidChange({QStringLiteral("compositeName"), false});

        // A key of a shown column sorts at once, keeping the direction.
        doc.controller.sortOptionsSelected(Field::Email, QStringLiteral("Email domain"));
        QCOMPARE(doc.controller.sortKeyForColumn(Field::Email), QStringLiteral("Email domain"));
        QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(QStringLiteral("Email domain"), false));
        QCOMPARE(doc.rowIds(), (QStringList{"ann", "zenith", "ben", "cid", "dot"}));
        QCOMPARE(preferences.lastSortDescriptor(), SortDescriptor(QStringLiteral("Email domain"), false));

        // A key chosen for a column that is not shown still sorts the rows.
        doc.controller.sortOptionsSelected(Field::Phone, QStringLiteral("Phone label"));
        QCOMPARE(doc.controller.sortKeyForColumn(Field::Phone), QStringLiteral("Phone label"));
        QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(QStringLiteral("Phone label"), false));
        QCOMPARE(doc.rowIds(), (QStringList{"cid", "zenith", "ann", "ben", "dot"}));

        // Keys a column does not offer, and columns without a header menu, are ignored.
        doc.controller.sortOptionsSelected(Field::Email, QStringLiteral("Phone"));
        QCOMPARE(doc.controller.sortKeyForColumn(Field::Email), QStringLiteral("Email domain"));
        doc.controller.sortOptionsSelected(Field::ZIP, Field::ZIP);
        QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(QStringLiteral("Phone label"), false));

        // The owner's pop-up also reaches "ZIP".
        doc.controller.sortOptionsSelectForIdentifier(Field::ZIP, Field::ZIP);
        QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(Field::ZIP, false));
        doc.controller.sortOptionsSelectForIdentifier(Field::Name, QStringLiteral("LastName"));
        QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(QStringLiteral("LastName"), false));
        QCOMPARE(doc.rowIds(), (QStringList{"zenith", "ann", "ben", "cid", "dot"}));
        doc.controller.sortOptionsSelectForIdentifier(Field::Company, Field::Company);
        QCOMPARE(doc.controller.sortDescriptor(), SortDescriptor(QStringLiteral("LastName"), false));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestTableSorting)
#include "tst_tablesorting.moc"
