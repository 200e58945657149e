// The rows kept between reloads: after every kind of change, the kept rows are the rows a rebuild
// from scratch gives, in the same order.

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "model/addressbook/Records.h"
#include "table/Pieces_p.h"
#include "table/RowSorter.h"
#include "table/SortKeys.h"
#include "table/SortedRows.h"

#include <QRandomGenerator>
#include <QSemaphore>
#include <QTest>

#include <numeric>

using namespace Quillary;

namespace {

const QStringList Columns{Field::Phone, Field::Email, Field::City, Field::Dates};

/// Few distinct texts, in several cases, some empty, so that ties and empty values are common.
QString pick(QRandomGenerator& random, const QStringList& texts)
{
    return texts.at(random.bounded(int(texts.size())));
}

LabeledValue randomValue(QRandomGenerator& random, LabeledField field)
{
    static const QStringList labels{QStringLiteral("home"), QStringLiteral("work"), QStringLiteral("mobile"),
                                    QStringLiteral("boat")};
    static const QStringList texts{QStringLiteral("+1 555 0100"),
                                   QStringLiteral("+1 555 0101"),
                                   QStringLiteral("a@x.org"),
                                   QStringLiteral("B@y.org"),
                                   QStringLiteral("b@Y.org"),
                                   QStringLiteral("longer text that shares a prefix 1"),
                                   QStringLiteral("longer text that shares a prefix 2"),
                                   QString()};
    LabeledValue value = LabeledValue::withText(pick(random, labels), pick(random, texts));
    if (field == LabeledField::Address)
        value.address.setCity(pick(random, texts));
    if (field == LabeledField::Dates)
        value.date =
            DateComponents::fromNumbers(1990 + random.bounded(3), 1 + random.bounded(2), 1 + random.bounded(2));
    return value;
}

void randomize(QRandomGenerator& random, PersonDsc& person)
{
    for (const LabeledField field :
         {LabeledField::Phone, LabeledField::Email, LabeledField::Address, LabeledField::Dates}) {
        LabeledValueList values;
        for (int i = random.bounded(4); i > 0; --i)
            values.append(randomValue(random, field));
        person.replaceLabeledValue(values, FieldIdentifiers::identifier(field));
    }
    // A character can be cut between a last and a first name that are sorted joined.
    static const QStringList names{QStringLiteral("Ann"),
                                   QStringLiteral("ann"),
                                   QStringLiteral("Bo"),
                                   QString(),
                                   QStringLiteral("x") + QChar(0xD801),
                                   QChar(0xDC00) + QStringLiteral("y"),
                                   QChar(0xDC28) + QStringLiteral("y")};
    person.setValue(pick(random, names), Field::FirstName);
    person.setValue(pick(random, names), Field::LastName);
    person.setValue(pick(random, names), Field::PhoneticLastName);
    person.setStringValue(pick(random, names), Field::Company);
    if (random.bounded(2))
        person.setBirthdayValue(BirthdayValue{DateComponents::fromNumbers(0, 1 + random.bounded(2), 1), {}});
}

ContactEntryPtr randomContact(QRandomGenerator& random, const QString& group, bool bound = false)
{
    auto entry = ContactEntry::make(bound ? std::make_shared<PersonDsc>(std::make_shared<AddressBook::Person>())
                                          : std::make_shared<PersonDsc>());
    randomize(random, *entry->person);
    if (random.bounded(3) == 0)
        entry->groupUniqueIds = {group};
    return entry;
}

/// The rows built afresh and sorted stably by the comparator, the way the table is specified.
SubContactTable rebuilt(const ContactCollection& collection, const std::optional<SortDescriptor>& sort)
{
    SubContactTable rows = TableRows::updateSubContactTable(collection, Columns, sort);
    if (sort) {
        const auto [identifier, valueKey] = SortKeys::separateSortKeyIntoIdentifierAndKey(sort->key);
        QList<RowSorter::SortValue> values;
        for (const SubContactRow& row : std::as_const(rows))
            values.append(RowSorter::sortValue(row, identifier, valueKey, collection.selectedLabels));
        QList<qsizetype> order(rows.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return RowSorter::compare(values.at(a), values.at(b), sort->ascending) < 0;
        });
        SubContactTable sorted;
        for (const qsizetype row : std::as_const(order))
            sorted.append(rows.at(row));
        rows = sorted;
    }
    TableRows::markContinuationRows(rows);
    return rows;
}

/// A collection of the contacts with its top group selected.
ContactCollection collectionOf(const ContactTable& contacts)
{
    ContactCollection collection;
    auto top = std::make_shared<GroupEntry>();
    top->top = true;
    collection.groupTable = {top};
    collection.selectedGroupDict = top;
    collection.selectedLabels = {LabelText::All};
    collection.contactTable = contacts;
    return collection;
}

QString difference(const SubContactTable& kept, const SubContactTable& expected, const QStringList& labels)
{
    if (kept.size() != expected.size())
        return QStringLiteral("%1 rows instead of %2").arg(kept.size()).arg(expected.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const SubContactRow& row = kept.at(i);
        const SubContactRow& other = expected.at(i);
        if (row.contact != other.contact || row.index != other.index || row.notFirstRow != other.notFirstRow
            || row.orderedField != other.orderedField || row.orderedPosition != other.orderedPosition)
            return QStringLiteral("row %1 differs").arg(i);
        // The same value of every field, the one the rebuilt row shows.
        for (int field = 0; field < LabeledFieldCount; ++field) {
            if (TableRows::valuePosition(row, LabeledField(field), labels)
                != TableRows::valuePosition(other, LabeledField(field), labels))
                return QStringLiteral("row %1 shows another value of field %2").arg(i).arg(field);
        }
    }
    return {};
}

} // namespace

class TestSortedRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keptRowsAreRebuiltRows_data();
    void keptRowsAreRebuiltRows();
    void foldedOrderAgreesWithComparator_data();
    void foldedOrderAgreesWithComparator();
    void everyPieceRunsOnce_data();
    void everyPieceRunsOnce();
};

void TestSortedRows::keptRowsAreRebuiltRows_data()
{
    QTest::addColumn<QString>("sortKey");
    QTest::addColumn<QString>("otherKey"); // sorted by in between, then back
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("bound"); // contacts of records, which only the calling thread reads
    for (const char* key : {"compositeName", "FirstName", "LastName", "Phone", "Email domain", "Email username", "City",
                            "ZIP", "Dates", "Dates label", "Birthday", "Company", "Phone label", "Phonetic LastName"}) {
        const QString sortKey = QString::fromLatin1(key);
        QTest::newRow(key) << sortKey << (sortKey == u"Phone" ? QStringLiteral("Email") : QStringLiteral("Phone"))
                           << 300 << false;
    }
    // Enough contacts that their values are read, sorted and made into rows in pieces at once.
    QTest::newRow("Phone, in pieces") << QStringLiteral("Phone") << QStringLiteral("LastName") << 9000 << false;
    QTest::newRow("bound, in pieces") << QStringLiteral("City") << QStringLiteral("compositeName") << 5000 << true;
}

void TestSortedRows::keptRowsAreRebuiltRows()
{
    QFETCH(QString, sortKey);
    QFETCH(QString, otherKey);
    QFETCH(int, count);
    QFETCH(bool, bound);
    QRandomGenerator random(42);
    const QString groupId = QStringLiteral("G-1");
    ContactTable contacts;
    for (int i = 0; i < count; ++i)
        contacts.append(randomContact(random, groupId, bound));
    ContactCollection collection = collectionOf(contacts);
    const GroupEntryPtr top = collection.groupTable.first();
    auto group = std::make_shared<GroupEntry>();
    group->uniqueId = groupId;
    collection.groupTable.append(group);

    SortedRows kept;
    LabelTable::resetCustomLabels();
    TableRows::LabelCollector met;
    std::optional<SortDescriptor> sort = SortDescriptor{sortKey, true};
    // Each step changes something; then the kept rows must be the rebuilt ones, sorted up and down.
    const QList<std::pair<const char*, std::function<void()>>> steps{
        {"first build", [] {}},
        {"a few contacts edited",
         [&] {
             for (int i = 0; i < 5; ++i)
                 randomize(random, *collection.contactTable.at(random.bounded(count))->person);
         }},
        {"many contacts edited",
         [&] {
             for (int i = 0; i < count / 3; ++i)
                 randomize(random, *collection.contactTable.at(random.bounded(count))->person);
         }},
        {"a contact deleted, one removed from the table",
         [&] {
             collection.contactTable.at(7)->deleted = true;
             collection.contactTable.removeAt(11);
         }},
        {"contacts added",
         [&] {
             for (int i = 0; i < 3; ++i)
                 collection.contactTable.append(randomContact(random, groupId, bound));
         }},
        {"a group chosen", [&] { collection.selectedGroupDict = group; }},
        {"a contact of many phones",
         [&] {
             LabeledValueList phones;
             for (int i = 0; i < 40; ++i)
                 phones.append(randomValue(random, LabeledField::Phone));
             collection.contactTable.at(5)->person->replaceLabeledValue(phones, Field::Phone);
         }},
        {"a label filter", [&] { collection.selectedLabels = {QStringLiteral("work")}; }},
        {"every label, the top group",
         [&] {
             collection.selectedLabels = {LabelText::All};
             collection.selectedGroupDict = top;
         }},
        {"sorted by another key", [&] { sort->key = otherKey; }},
        {"back to the key after an edit",
         [&] {
             randomize(random, *collection.contactTable.at(3)->person);
             sort->key = sortKey;
         }},
        {"not sorted", [&] { sort.reset(); }},
    };
    for (const auto& [name, change] : steps) {
        change();
        for (const bool ascending : {true, false}) {
            if (sort)
                sort->ascending = ascending;
            const QString diff = difference(kept.update(collection, Columns, sort, &met), rebuilt(collection, sort),
                                            collection.selectedLabels);
            QVERIFY2(diff.isEmpty(),
                     qPrintable(QStringLiteral("%1, %2: %3")
                                    .arg(QLatin1StringView(name))
                                    .arg(ascending ? u"ascending" : u"descending")
                                    .arg(diff)));
        }
    }
    QVERIFY(kept.keptSortKeys().contains(otherKey));
    // The custom label met in the contacts is offered for them.
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone), QStringList{QStringLiteral("boat")});
}

void TestSortedRows::foldedOrderAgreesWithComparator_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("maxPieces");
    QTest::addColumn<int>("repeatFrom");
    // Few distinct texts; then many, with the same texts (some in upper case) coming again later.
    QTest::newRow("common texts") << 400 << 6 << 400;
    QTest::newRow("rare repeats") << 7000 << 9 << 5000;
}

void TestSortedRows::foldedOrderAgreesWithComparator()
{
    // The rows are sorted by case-folded units, eight at a time; that must give the order the
    // comparator gives, on texts that share long beginnings, differ in case only, or leave the
    // basic plane.
    QFETCH(int, count);
    QFETCH(int, maxPieces);
    QFETCH(int, repeatFrom);
    const QStringList pieces{QStringLiteral("a"),          QStringLiteral("A"),          QStringLiteral("b"),
                             QStringLiteral("\u00e9"),     QStringLiteral("\u00c9"),     QStringLiteral("\u00df"),
                             QStringLiteral("\u0130"),     QStringLiteral(" "),          QStringLiteral("9"),
                             QStringLiteral("\uff21"),     QStringLiteral("\U0001F600"), QStringLiteral("\U00010400"),
                             QStringLiteral("\U00010428"), QStringLiteral("longprefix"), QString()};
    QRandomGenerator random(20240607);
    ContactTable contacts;
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
        auto person = std::make_shared<PersonDsc>();
        person->setStringValue(note, Field::Note);
        contacts.append(ContactEntry::make(person));
    }
    SortedRows kept;
    const ContactCollection collection = collectionOf(contacts);
    for (const bool ascending : {true, false}) {
        const SortDescriptor sort{Field::Note, ascending};
        const QString diff =
            difference(kept.update(collection, Columns, sort), rebuilt(collection, sort), collection.selectedLabels);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
}

void TestSortedRows::everyPieceRunsOnce_data()
{
    QTest::addColumn<int>("busyThreads"); // of the pool, held by other work meanwhile
    QTest::newRow("threads free") << 0;
    QTest::newRow("every thread busy") << QThreadPool::globalInstance()->maxThreadCount();
}

void TestSortedRows::everyPieceRunsOnce()
{
    // The calling thread takes what no other thread has started: busy threads delay nothing.
    QFETCH(int, busyThreads);
    QSemaphore started;
    QSemaphore release;
    for (int i = 0; i < busyThreads; ++i)
        QThreadPool::globalInstance()->start([&] {
            started.release();
            release.acquire();
        });
    started.acquire(busyThreads);
    std::vector<std::atomic<int>> runs(16);
    Pieces::run(runs.size(), [&](size_t piece) { ++runs[piece]; });
    release.release(busyThreads);
    QThreadPool::globalInstance()->waitForDone();
    for (const std::atomic<int>& count : runs)
        QCOMPARE(count.load(), 1);
}

QTEST_GUILESS_MAIN(TestSortedRows)
#include "tst_sortedrows.moc"
