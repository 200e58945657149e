#include "TestSupport.h"
#include "documents/ContactDocument.h"
#include "documents/ContactFileReader.h"
#include "find/FindMenus.h"
#include "find/FindPanelModel.h"
#include "find/TextMatcher.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Quillary::SearchMode)

namespace {

/// "0,2 6,2": ranges as a text, for comparisons that show what was found.
QString rangesText(const FindRanges& ranges)
{
    QStringList parts;
    for (const FindRange& range : ranges)
        parts.append(u"%1,%2"_s.arg(range.location).arg(range.length));
    return parts.join(u' ');
}

/// "Name/FirstName Note/": each record's item and sub-item.
QString recordsText(const FindRecords& records)
{
    QStringList parts;
    for (const FindRecordPtr& record : records)
        parts.append(record->item + u'/' + record->subItem);
    return parts.join(u' ');
}

/// The text a field of a contact stores: what is written to a file, not only what is shown.
QString storedText(const PersonDsc& person, const QString& field)
{
    const FieldId id = FieldIdentifiers::fieldId(field);
    if (id == FieldId::FirstName || id == FieldId::LastName)
        return person.nameParts().part(field);
    if (id == FieldId::PhoneticFirstName)
        return person.phoneticNameValue().firstName;
    if (FieldIdentifiers::addressIdentifiers().contains(field))
        return person.addressValues().value(0).address.part(field);
    if (id == FieldId::SocialNetwork || id == FieldId::InstantMessage)
        return person.labeledValuesForIdentifier(field).value(0).username();
    if (FieldIdentifiers::labeledField(id))
        return person.labeledValuesForIdentifier(field).value(0).value;
    return person.stringValueForIdentifier(field);
}

/// The find panel over a file of tests/data/find, in edit mode.
struct FindFixture
{
    FindFixture(const QString& text, SearchMode mode = SearchMode::CaseInsensitive, const QStringList& items = {},
                const QString& file = u"findmerge.vcf"_s)
    {
        const DocumentError error = document.read(Test::dataPath(u"find/" + file));
        Q_ASSERT(!error.isError());
        panel.setContacts(document.collection().contactTable);
        panel.setDelegate(&document.undoRegistry());
        panel.setSelectedItems(items);
        panel.setUp();
        panel.setEditState(true);
        panel.setSearchMode(mode);
        panel.searchTextEntered(text);
    }
    [[nodiscard]] const PersonDsc& person(int index) const
    {
        return *document.collection().contactTable.at(index)->person;
    }

    ContactDocument document;
    FindPanelModel panel;
};

} // namespace

class TestFindPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ranges_data()
    {
        Test::addColumns<SearchMode, QString, QString, QString, int>("mode", "search", "text", "expected", "status");
        const auto ok = int(TextMatcher::Status::Ok);
        const QString anna = u"Anna Banana"_s;
        QTest::newRow("insensitive") << SearchMode::CaseInsensitive << "an" << anna << "0,2 6,2 8,2" << ok;
        QTest::newRow("sensitive") << SearchMode::CaseSensitive << "an" << anna << "6,2 8,2" << ok;
        QTest::newRow("regex") << SearchMode::Regex << "n+" << anna << "1,2 7,1 9,1" << ok;
        QTest::newRow("empty match stops the scan") << SearchMode::Regex << "x*" << anna << "0,0" << ok;
        QTest::newRow("no search text") << SearchMode::CaseInsensitive << "" << anna << ""
                                        << int(TextMatcher::Status::Empty);
        QTest::newRow("invalid pattern") << SearchMode::Regex << "(an" << anna << ""
                                         << int(TextMatcher::Status::InvalidPattern);
        QTest::newRow("catastrophic backtracking") << SearchMode::Regex << "(a+)+$" << QString(10000, u'a') + u'b' << ""
                                                   << int(TextMatcher::Status::TooComplex);
    }
    void ranges()
    {
        QFETCH(SearchMode, mode);
        QFETCH(QString, search);
        QFETCH(QString, text);
        TextMatcher matcher(search, mode);
        QTEST(rangesText(matcher.ranges(text)), "expected");
        QFETCH(int, status);
        QCOMPARE(int(matcher.status()), status);
        QCOMPARE(matcher.errorString().isEmpty(), matcher.isUsable() || search.isEmpty());
    }

    void replacedAll_data()
    {
        Test::addColumns<SearchMode, QString, QString, QString>("mode", "search", "replacement", "expected");
        const auto row = [](const char* name, SearchMode mode, const char* search, const char* by, const char* out) {
            QTest::newRow(name) << mode << QString::fromUtf8(search) << QString::fromUtf8(by) << QString::fromUtf8(out);
        };
        row("every case", SearchMode::CaseInsensitive, "anna", "Ann", "Ann Ann Ann@example.com");
        row("exact case", SearchMode::CaseSensitive, "anna", "Ann", "Anna ANNA Ann@example.com");
        row("groups", SearchMode::Regex, "(\\w+)@(\\w+)", "\\2 at \\1\\\\", "Anna ANNA example at anna\\.com");
        row("empty match", SearchMode::Regex, "^", "> ", "> Anna ANNA anna@example.com");
    }
    void replacedAll()
    {
        QFETCH(SearchMode, mode);
        QFETCH(QString, search);
        TextMatcher matcher(search, mode);
        QFETCH(QString, replacement);
        QTEST(matcher.replacedAll(u"Anna ANNA anna@example.com"_s, replacement), "expected");
    }

    void searchFilters_data()
    {
        Test::addColumns<QStringList, QStringList, QStringList, QString>("items", "subItems", "labels", "expected");
        const QStringList all{u"All"_s};
        QTest::newRow("everything") << all << all << all
                                    << "Name/FirstName Note/ Email/ Address/City Address/Street Name/LastName Email/";
        QTest::newRow("label home: no names, notes or work e-mails")
            << all << all << QStringList{"home"} << "Email/ Address/City Address/Street";
        QTest::newRow("sub-item City: addresses only") << all << QStringList{"City"} << all << "Address/City";
        QTest::newRow("item City") << QStringList{"City"} << all << all << "Address/City";
        QTest::newRow("phones only") << QStringList{"Phone"} << all << all << "";
    }
    void searchFilters()
    {
        FindFixture fixture(u"anna"_s);
        QFETCH(QStringList, items);
        fixture.panel.setSelectedItems(items);
        QFETCH(QStringList, subItems);
        fixture.panel.setSelectedSubItems(subItems);
        QFETCH(QStringList, labels);
        fixture.panel.setSelectedLabels(labels);
        fixture.panel.updateTable();
        QTEST(recordsText(fixture.panel.searchResults()), "expected");
    }

    void menuChoices_data()
    {
        Test::addColumns<QStringList, QString, QStringList, QString>("selection", "chosen", "expected", "title");
        const QStringList all{"All"};
        QTest::newRow("an entry replaces All") << all << "Name" << QStringList{"Name"} << "Items - Name";
        QTest::newRow("another entry is added")
            << QStringList{"Name"} << "Phone" << QStringList{"Name", "Phone"} << "Items - Name + Phone";
        QTest::newRow("a chosen entry goes when others stay")
            << QStringList{"Name", "Phone"} << "Name" << QStringList{"Phone"} << "Items - Phone";
        QTest::newRow("the last entry stays")
            << QStringList{"Phone"} << "Phone" << QStringList{"Phone"} << "Items - Phone";
        QTest::newRow("All takes back everything") << QStringList{"Name", "Phone"} << "All" << all << "Items - All";
    }
    void menuChoices()
    {
        QFETCH(QStringList, selection);
        QFETCH(QString, chosen);
        const QStringList chosenSelection = FindMenus::choose(selection, chosen);
        QTEST(chosenSelection, "expected");
        QTEST(FindMenus::summaryTitle(FindMenus::Menu::Items, chosenSelection), "title");
        QCOMPARE(FindMenus::summaryTitle(FindMenus::Menu::Labels, {"home", "work"}), u"Labels - home+work"_s);
    }

    void replaceAllReachesWhatEveryFieldStores_data()
    {
        Test::addColumns<QString, QString>("field", "expected");
        const auto row = [](const char* name, const char* field, const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(field) << QString::fromUtf8(expected);
        };
        row("first name", "FirstName", "Q");
        row("last name", "LastName", "Qd");
        row("phonetic name", "PhoneticFirstName", "Qdo");
        row("string field", "Job Title", "Qologist");
        row("URL", "URL", "http://Q.example");
        row("address part", "City", "Qtown");
        row("related name", "Relationship", "Qmother");
        row("profile user name", "Social Network", "Qsocial");
        row("instant-message user name", "Instant Message", "Q.im");
    }
    void replaceAllReachesWhatEveryFieldStores()
    {
        FindFixture fixture(u"zed"_s, SearchMode::CaseInsensitive, {}, u"everyfield.vcf"_s);
        QCOMPARE(fixture.panel.replaceAll(u"Q"_s), 10);
        // What was replaced must be what the file gets, not only what the panel shows.
        QTemporaryDir dir;
        const QString path = dir.filePath(u"saved.vcf"_s);
        QVERIFY(!fixture.document.save(path).isError());
        const ContactFileReader::Result saved = ContactFileReader::read(path);
        QVERIFY(saved.ok());
        QFETCH(QString, field);
        QTEST(storedText(*saved.contacts.first()->person, field), "expected");
    }

    void replaceAllReplacesWhatWasFoundAsOneStep()
    {
        FindFixture fixture(u"anna"_s);
        QUndoStack& documentStack = *fixture.document.undoStack();
        QCOMPARE(fixture.panel.replaceAll(u"Ann"_s), 7);
        QCOMPARE(fixture.person(0).nameValue().firstName, u"Ann"_s);
        QCOMPARE(fixture.person(0).addressValues().first().address.city(), u"Annville"_s);
        QCOMPARE(fixture.person(1).nameValue().lastName, u"Ann"_s);
        QCOMPARE(fixture.person(1).emailValues().first().value, u"Ann@Example.COM"_s);
        QCOMPARE(documentStack.count(), 1);
        QCOMPARE(fixture.panel.selectedRow(), FindPanelModel::None);

        // The panel's undo puts back rows and contacts; the owner's undo takes the whole step back too.
        fixture.panel.undoStack()->undo();
        QCOMPARE(fixture.panel.searchResults().first()->value, u"Anna"_s);
        QCOMPARE(fixture.person(1).emailValues().first().value, u"ANNA@Example.COM"_s);
        fixture.panel.undoStack()->redo();
        documentStack.undo();
        QCOMPARE(fixture.person(0).stringValueForIdentifier(Field::Note), u"Anna Banana"_s);
        QCOMPARE(fixture.person(1).nameValue().lastName, u"ANNA"_s);
    }

    void stepAndReplaceMoveThroughOccurrences()
    {
        FindFixture fixture(u"an"_s, SearchMode::CaseInsensitive, {Field::Note});
        FindPanelModel& panel = fixture.panel;
        QCOMPARE(rangesText(panel.searchResults().first()->ranges), u"0,2 6,2 8,2"_s);
        panel.stepNext();
        panel.stepNext();
        QCOMPARE(panel.selectedRangeIndex(), 2);
        panel.stepNext(); // past the last occurrence of the last row: back to the first
        QCOMPARE(panel.selectedRangeIndex(), 0);
        panel.stepPrevious();
        QCOMPARE(panel.selectedRangeIndex(), 2);
        panel.stepNext();

        QVERIFY(panel.replace(u"X"_s));
        QCOMPARE(fixture.person(0).stringValueForIdentifier(Field::Note), u"Xna Banana"_s);
        QCOMPARE(rangesText(panel.searchResults().first()->ranges), u"5,2 7,2"_s);
        QCOMPARE(panel.selectedRangeIndex(), 0); // the next occurrence, none skipped
        QVERIFY(panel.replace(u"X"_s));
        QVERIFY(panel.replace(u"X"_s));
        QCOMPARE(fixture.person(0).stringValueForIdentifier(Field::Note), u"Xna BXXa"_s);
        panel.undoStack()->undo();
        QCOMPARE(fixture.person(0).stringValueForIdentifier(Field::Note), u"Xna BXana"_s);
    }

    void sortingKeepsTheCurrentRecord()
    {
        FindFixture fixture(u"anna"_s);
        FindPanelModel& panel = fixture.panel;
        panel.selectRow(2);
        const FindRecordPtr current = panel.searchResults().at(2);
        panel.sort(FindPanelModel::ItemColumn, Qt::DescendingOrder);
        QCOMPARE(recordsText(panel.searchResults()),
                 u"Note/ Name/FirstName Name/LastName Email/ Email/ Address/City Address/Street"_s);
        QCOMPARE(panel.searchResults().at(panel.selectedRow()), current);
    }

    void datesAreEditedNotReplaced()
    {
        FindFixture fixture(u"1980"_s);
        FindPanelModel& panel = fixture.panel;
        QCOMPARE(recordsText(panel.searchResults()), u"Birthday/"_s);
        QVERIFY(!panel.canReplace());
        QCOMPARE(panel.replaceAll(u"1999"_s), 0);
        QVERIFY(panel.setDateValue(0, DateComponents{1981, 6, 1}));
        QCOMPARE(fixture.person(0).birthdayValue().value, (DateComponents{1981, 6, 1}));
        panel.undoStack()->undo();
        QCOMPARE(fixture.person(0).birthdayValue().value, (DateComponents{1980, 5, 17}));
        panel.setEditState(false);
        QVERIFY(!panel.setDateValue(0, DateComponents{1981, 6, 1}));
    }
};

QTEST_GUILESS_MAIN(TestFindPanel)
#include "tst_findpanel.moc"
