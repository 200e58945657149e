// The find bar's core: the table laid out as one text, locations mapped back to rows, finding,
// the bar's forms, and replacing through the undo registry.

#include "TestSupport.h"
#include "documents/ContactDocument.h"
#include "table/ContactsViewController.h"
#include "table/TableTextFinder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Quillary;
using Action = TableTextFinder::Action;

namespace {

/// tests/data/table/find-contacts.vcf in a table of the given columns, in edit mode. Rows: Ann Lee
/// (phones 123 and 456), Bob Stone (company "Lee & Co", bob@lee.example), Leeward Ltd (a company).
struct FindFixture
{
    explicit FindFixture(const QStringList& columns)
    {
        const QString path = dir.filePath(QStringLiteral("find.vcf"));
        QFile::copy(Test::dataPath(QStringLiteral("table/find-contacts.vcf")), path);
        document.setAutosaveDelay(0);
        readOk = !document.read(path).isError();
        document.setView(&controller);
        controller.updateColumnsInTableView(columns);
        controller.setEditState(true);
        controller.updateTable();
    }
    ~FindFixture() { document.setView(nullptr); }
    Q_DISABLE_COPY_MOVE(FindFixture)

    [[nodiscard]] QString rowText(int row)
    {
        finder.text().stringLength();
        const TextRange range = finder.text().rowRange(row);
        return finder.text().text().mid(range.location, range.length);
    }
    [[nodiscard]] PersonDsc& person(const QString& name) const
    {
        for (const ContactEntryPtr& contact : document.collection().contactTable) {
            if (contact->person->compositeName() == name)
                return *contact->person;
        }
        qFatal("no contact %s", qPrintable(name));
    }

    QTemporaryDir dir;
    ContactDocument document;
    ContactsViewController controller{document.collection(), &document.undoRegistry(), nullptr};
    TableTextFinder finder{controller};
    bool readOk = false;
};

} // namespace

class TestFindBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ContactDefaults::setShared({32, QStringLiteral("US")}); }
    void rowText_data();
    void rowText();
    void everyLocationFindsItsRow();
    void stepsThroughMatches();
    void matchAtTheEndOfASubFieldLeavesItsNewline();
    void replacesThroughTheUndoRegistry_data();
    void replacesThroughTheUndoRegistry();
    void datesOpenTheirEditorInstead();
    void barForms_data();
    void barForms();
};

void TestFindBar::rowText_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    const QStringList phone{QStringLiteral("Phone")};
    QTest::newRow("first name first: 12 characters") << phone << 0 << QStringLiteral("Ann\nLee\n123\n");
    QTest::newRow("second row of a contact") << phone << 1 << QStringLiteral("\n\n456\n");
    QTest::newRow("a company") << phone << 3 << QStringLiteral("Leeward Ltd\n555\n");
    QTest::newRow("string, labelled and date fields")
        << QStringList{QStringLiteral("Company"), QStringLiteral("Email"), QStringLiteral("Birthday")} << 1
        << QStringLiteral("Bob\nStone\nLee & Co\nbob@lee.example\n\n");
    QTest::newRow("an address part") << QStringList{QStringLiteral("ZIP")} << 1
                                     << QStringLiteral("Bob\nStone\n11111\n");
}

void TestFindBar::rowText()
{
    QFETCH(QStringList, columns);
    QFETCH(int, row);
    QFETCH(QString, text);
    FindFixture fixture(columns);
    QVERIFY(fixture.readOk);
    QCOMPARE(fixture.rowText(row), text);
}

void TestFindBar::everyLocationFindsItsRow()
{
    FindFixture fixture({QStringLiteral("Phone"), QStringLiteral("Email"), QStringLiteral("Address")});
    FindBarText& text = fixture.finder.text();
    const qsizetype total = text.stringLength();
    const int rows = int(fixture.controller.subContactTable().size());
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
    QCOMPARE(text.stringAtIndex(4, &effective), QStringLiteral("Lee\n"));
    QCOMPARE(effective, (TextRange{4, 4}));
}

void TestFindBar::stepsThroughMatches()
{
    FindFixture fixture({QStringLiteral("Phone"), QStringLiteral("Email")});
    TableTextFinder& finder = fixture.finder;
    finder.performAction(Action::ShowFindInterface);
    finder.setSearchText(QStringLiteral("lee"));
    QCOMPARE(finder.matchCount(), 3);
    QVERIFY(finder.findNext());
    QCOMPARE(finder.countText(), QStringLiteral("1 of 3"));
    QCOMPARE(fixture.controller.currentMatch(), (CellMatch{0, 0, 4, 3})); // "Lee" of "Ann Lee"
    QCOMPARE(fixture.controller.selectedIndexes(), QList<int>{0});
    finder.findNext();
    QCOMPARE(fixture.controller.currentMatch(), (CellMatch{2, 2, 4, 3})); // bob@lee.example
    finder.findNext();
    QCOMPARE(fixture.controller.currentMatch(), (CellMatch{3, 0, 0, 3})); // Leeward Ltd
    finder.findNext();
    QCOMPARE(finder.countText(), QStringLiteral("1 of 3")); // round the end
    finder.findPrevious();
    QCOMPARE(finder.countText(), QStringLiteral("3 of 3"));
    QCOMPARE(fixture.controller.highlights(3, 0, QStringLiteral("Leeward Ltd")), (QList<TextHighlight>{{0, 3, true}}));
    finder.setCaseSensitive(true);
    QCOMPARE(finder.matchCount(), 1);
    finder.setSearchText(QStringLiteral("nowhere"));
    QVERIFY(!finder.findNext());
    QCOMPARE(finder.countText(), QStringLiteral("Not found"));
}

void TestFindBar::matchAtTheEndOfASubFieldLeavesItsNewline()
{
    FindFixture fixture({QStringLiteral("Phone")});
    fixture.finder.selectTextInRange({4, 4}); // "Lee\n"
    QCOMPARE(fixture.controller.currentMatch(), (CellMatch{0, 0, 4, 3}));
}

void TestFindBar::replacesThroughTheUndoRegistry_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<bool>("editState");
    QTest::addColumn<QStringList>("lastNames"); // Ann's last name, Bob's e-mail, the company
    QTest::addColumn<int>("steps");
    QTest::newRow("the current match") << false << true << QStringList{"Li", "bob@lee.example", "Leeward Ltd"} << 1;
    QTest::newRow("every match, one step") << true << true << QStringList{"Li", "bob@Li.example", "Liward Ltd"} << 1;
    QTest::newRow("locked") << true << false << QStringList{"Lee", "bob@lee.example", "Leeward Ltd"} << 0;
}

void TestFindBar::replacesThroughTheUndoRegistry()
{
    QFETCH(bool, all);
    QFETCH(bool, editState);
    QFETCH(QStringList, lastNames);
    QFETCH(int, steps);
    FindFixture fixture({QStringLiteral("Phone"), QStringLiteral("Email")});
    fixture.controller.setEditState(editState);
    TableTextFinder& finder = fixture.finder;
    finder.setSearchText(QStringLiteral("lee"));
    finder.findNext();
    if (all)
        finder.replaceAll(QStringLiteral("Li"));
    else
        finder.replace(QStringLiteral("Li"));
    const auto current = [&] {
        return QStringList{fixture.person(QStringLiteral("Ann ") + lastNames.at(0)).nameValue().lastName,
                           fixture.person(QStringLiteral("Bob Stone")).emailValues().first().value,
                           fixture.person(lastNames.at(2)).stringValueForIdentifier(Field::Company)};
    };
    QCOMPARE(current(), lastNames);
    QCOMPARE(fixture.document.undoStack()->count(), steps);
    fixture.document.undoStack()->undo();
    QCOMPARE(fixture.person(QStringLiteral("Ann Lee")).nameValue().lastName, QStringLiteral("Lee"));
    QCOMPARE(fixture.person(QStringLiteral("Leeward Ltd")).stringValueForIdentifier(Field::Company),
             QStringLiteral("Leeward Ltd"));
}

void TestFindBar::datesOpenTheirEditorInstead()
{
    FindFixture fixture({QStringLiteral("Birthday")});
    QSignalSpy editors(&fixture.finder, &TableTextFinder::editorRequested);
    fixture.finder.setSearchText(QStringLiteral("1980"));
    QVERIFY(fixture.finder.findNext());
    QVERIFY(!fixture.finder.replace(QStringLiteral("1990")));
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors.first(), (QVariantList{0, 1}));
    QCOMPARE(fixture.document.undoStack()->count(), 0);
    QCOMPARE(fixture.finder.replaceAll(QStringLiteral("1990")), 0);
}

void TestFindBar::barForms_data()
{
    QTest::addColumn<QString>("commands"); // F: "Find…", R: "Find and Replace…", N: "Find Next"
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("replace");
    QTest::newRow("find") << "F" << true << false;
    QTest::newRow("find toggles") << "FF" << false << false;
    QTest::newRow("find, then replace") << "FR" << true << true;
    QTest::newRow("replace toggles") << "RR" << false << false;
    QTest::newRow("replace, then find") << "RF" << true << false;
    QTest::newRow("stepping keeps the form") << "FNR" << true << true;
    QTest::newRow("next shows the bar") << "N" << true << false;
}

void TestFindBar::barForms()
{
    QFETCH(QString, commands);
    QFETCH(bool, visible);
    QFETCH(bool, replace);
    FindFixture fixture({QStringLiteral("Phone")});
    TableTextFinder& finder = fixture.finder;
    TableTextFinder::setFindPasteboard(QStringLiteral("Lee"));
    for (const QChar command : commands) {
        if (command == u'N')
            finder.performAction(Action::NextMatch);
        else
            finder.performAction(command == u'F' ? finder.actionForFind() : finder.actionForFindAndReplace());
    }
    QCOMPARE(finder.isFindBarVisible(), visible);
    QCOMPARE(finder.isReplaceVisible(), replace);
    // The cells mark the find text only while the bar shows.
    QCOMPARE(fixture.controller.searchString(), visible ? QStringLiteral("Lee") : QString());
    QCOMPARE(fixture.controller.currentMatch().isValid(), visible && commands.contains(u'N'));
}

QTEST_GUILESS_MAIN(TestFindBar)
#include "tst_findbar.moc"
