// The find bar's core: the table laid out as one text, locations mapped back to rows, finding,
// the bar's forms, and replacing through the undo registry.

#include "CellEditingFixture.h"
#include "TestSupport.h"
#include "table/TableTextFinder.h"

#include <QSignalSpy>

using namespace Quillary;
using namespace Qt::StringLiterals;
using Action = TableTextFinder::Action;

namespace {

/// tests/data/table/find-contacts.vcf in a table of the given columns, in edit mode. Rows: Ann Lee
/// (phones 123 and 456), Bob Stone (company "Lee & Co", bob@lee.example), Leeward Ltd (a company).
struct FindFixture : Test::CellEditingFixture
{
    explicit FindFixture(const QStringList& columns) : CellEditingFixture(columns, u"find-contacts.vcf"_s) { }

    [[nodiscard]] QString rowText(int row)
    {
        finder.text().stringLength();
        const TextRange range = finder.text().rowRange(row);
        return finder.text().text().mid(range.location, range.length);
    }

    TableTextFinder finder{*controller};
};

} // namespace

class TestFindBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ContactDefaults::setShared({32, u"US"_s}); }
    void rowText_data()
    {
        Test::addColumns<QStringList, int, QString>("columns", "row", "text");
        const QStringList phone{u"Phone"_s};
        QTest::newRow("first name first: 12 characters") << phone << 0 << u"Ann\nLee\n123\n"_s;
        QTest::newRow("second row of a contact") << phone << 1 << u"\n\n456\n"_s;
        QTest::newRow("a company") << phone << 3 << u"Leeward Ltd\n555\n"_s;
        QTest::newRow("string, labelled and date fields") << QStringList{u"Company"_s, u"Email"_s, u"Birthday"_s} << 1
                                                          << u"Bob\nStone\nLee & Co\nbob@lee.example\n\n"_s;
        QTest::newRow("an address part") << QStringList{u"ZIP"_s} << 1 << u"Bob\nStone\n11111\n"_s;
    }
    void rowText()
    {
        QFETCH(QStringList, columns);
        QFETCH(int, row);
        FindFixture fixture(columns);
        QTEST(fixture.rowText(row), "text");
    }

    void everyLocationFindsItsRow()
    {
        FindFixture fixture({u"Phone"_s, u"Email"_s, u"Address"_s});
        FindBarText& text = fixture.finder.text();
        const qsizetype total = text.stringLength();
        const int rows = int(fixture.controller->subContactTable().size());
        QCOMPARE(text.laidOutRows(), rows);
        const auto expected = [&](qsizetype location) {
            for (int row = 0; row < rows; ++row) {
                if (text.rowRange(row).contains(location))
                    return row;
            }
            return location == total ? rows - 1 : -1;
        };
        // Forwards, backwards and jumping about, so that both the near look-up and the halving answer.
        QList<qsizetype> locations;
        for (qsizetype at = 0; at <= total; ++at)
            locations << at << total - at << (at * 7919) % (total + 1);
        for (const qsizetype location : std::as_const(locations))
            QCOMPARE(text.dictForLocation(location), expected(location));
        QCOMPARE(text.dictForLocation(total + 1), -1);
        TextRange effective;
        QCOMPARE(text.stringAtIndex(4, &effective), u"Lee\n"_s);
        QCOMPARE(effective, (TextRange{4, 4}));
    }

    void stepsThroughMatches()
    {
        FindFixture fixture({u"Phone"_s, u"Email"_s});
        TableTextFinder& finder = fixture.finder;
        finder.performAction(Action::ShowFindInterface);
        finder.setSearchText(u"lee"_s);
        QCOMPARE(finder.matchCount(), 3);
        QVERIFY(finder.findNext());
        QCOMPARE(finder.countText(), u"1 of 3"_s);
        QCOMPARE(fixture.controller->currentMatch(), (CellMatch{0, 0, 4, 3})); // "Lee" of "Ann Lee"
        QCOMPARE(fixture.controller->selectedIndexes(), QList<int>{0});
        finder.findNext();
        QCOMPARE(fixture.controller->currentMatch(), (CellMatch{2, 2, 4, 3})); // bob@lee.example
        finder.findNext();
        QCOMPARE(fixture.controller->currentMatch(), (CellMatch{3, 0, 0, 3})); // Leeward Ltd
        finder.findNext();
        QCOMPARE(finder.countText(), u"1 of 3"_s); // round the end
        finder.findPrevious();
        QCOMPARE(finder.countText(), u"3 of 3"_s);
        QCOMPARE(fixture.controller->highlights(3, 0, u"Leeward Ltd"_s), (QList<TextHighlight>{{0, 3, true}}));
        finder.setCaseSensitive(true);
        QCOMPARE(finder.matchCount(), 1);
        finder.setSearchText(u"nowhere"_s);
        QVERIFY(!finder.findNext());
        QCOMPARE(finder.countText(), u"Not found"_s);
    }

    void matchAtTheEndOfASubFieldLeavesItsNewline()
    {
        FindFixture fixture({u"Phone"_s});
        fixture.finder.selectTextInRange({4, 4}); // "Lee\n"
        QCOMPARE(fixture.controller->currentMatch(), (CellMatch{0, 0, 4, 3}));
    }

    void replacesThroughTheUndoRegistry_data()
    {
        // lastNames: Ann's last name, Bob's e-mail, the company
        Test::addColumns<bool, bool, QStringList, int>("all", "editState", "lastNames", "steps");
        QTest::newRow("the current match") << false << true << QStringList{"Li", "bob@lee.example", "Leeward Ltd"} << 1;
        QTest::newRow("every match, one step")
            << true << true << QStringList{"Li", "bob@Li.example", "Liward Ltd"} << 1;
        QTest::newRow("locked") << true << false << QStringList{"Lee", "bob@lee.example", "Leeward Ltd"} << 0;
    }
    void replacesThroughTheUndoRegistry()
    {
        QFETCH(bool, all);
        QFETCH(bool, editState);
        QFETCH(QStringList, lastNames);
        FindFixture fixture({u"Phone"_s, u"Email"_s});
        fixture.controller->setEditState(editState);
        TableTextFinder& finder = fixture.finder;
        finder.setSearchText(u"lee"_s);
        finder.findNext();
        if (all)
            finder.replaceAll(u"Li"_s);
        else
            finder.replace(u"Li"_s);
        const auto current = [&] {
            return QStringList{fixture.person(u"Ann "_s + lastNames.at(0)).nameValue().lastName,
                               fixture.person(u"Bob Stone"_s).emailValues().first().value,
                               fixture.person(lastNames.at(2)).stringValueForIdentifier(Field::Company)};
        };
        QCOMPARE(current(), lastNames);
        QTEST(fixture.document.undoStack()->count(), "steps");
        fixture.document.undoStack()->undo();
        QCOMPARE(fixture.person(u"Ann Lee"_s).nameValue().lastName, u"Lee"_s);
        QCOMPARE(fixture.person(u"Leeward Ltd"_s).stringValueForIdentifier(Field::Company), u"Leeward Ltd"_s);
    }

    void datesOpenTheirEditorInstead()
    {
        FindFixture fixture({u"Birthday"_s});
        QSignalSpy editors(&fixture.finder, &TableTextFinder::editorRequested);
        fixture.finder.setSearchText(u"1980"_s);
        QVERIFY(fixture.finder.findNext());
        QVERIFY(!fixture.finder.replace(u"1990"_s));
        QCOMPARE(editors.size(), 1);
        QCOMPARE(editors.first(), (QVariantList{0, 1}));
        QCOMPARE(fixture.document.undoStack()->count(), 0);
        QCOMPARE(fixture.finder.replaceAll(u"1990"_s), 0);
    }

    void barForms_data()
    {
        // commands: F: "Find…", R: "Find and Replace…", N: "Find Next"
        Test::addColumns<QString, bool, bool>("commands", "visible", "replace");
        QTest::newRow("find") << "F" << true << false;
        QTest::newRow("find toggles") << "FF" << false << false;
        QTest::newRow("find, then replace") << "FR" << true << true;
        QTest::newRow("replace toggles") << "RR" << false << false;
        QTest::newRow("replace, then find") << "RF" << true << false;
        QTest::newRow("stepping keeps the form") << "FNR" << true << true;
        QTest::newRow("next shows the bar") << "N" << true << false;
    }
    void barForms()
    {
        QFETCH(QString, commands);
        QFETCH(bool, visible);
        FindFixture fixture({u"Phone"_s});
        TableTextFinder& finder = fixture.finder;
        TableTextFinder::setFindPasteboard(u"Lee"_s);
        for (const QChar command : commands) {
            if (command == u'N')
                finder.performAction(Action::NextMatch);
            else
                finder.performAction(command == u'F' ? finder.actionForFind() : finder.actionForFindAndReplace());
        }
        QCOMPARE(finder.isFindBarVisible(), visible);
        QTEST(finder.isReplaceVisible(), "replace");
        // The cells mark the find text only while the bar shows.
        QCOMPARE(fixture.controller->searchString(), visible ? u"Lee"_s : QString());
        QCOMPARE(fixture.controller->currentMatch().isValid(), visible && commands.contains(u'N'));
    }
};

QTEST_GUILESS_MAIN(TestFindBar)
#include "tst_findbar.moc"
