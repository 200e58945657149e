// Columns of the contacts table: view types, adding, removing and moving columns with "Name" kept
// first, the owner's columns menu, widths and display toggles kept in the settings.

#include "TableTestDocument.h"
#include "documents/Preferences.h"
#include "model/FieldIdentifiers.h"
#include "table/ContactsTableModel.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using Quillary::Test::TableTestDocument;

namespace {

const QString RowsFile = QStringLiteral("rows.vcf");
const QString NameColumn = QStringLiteral("Name");

QStringList withName(const QStringList& columns)
{
    return QStringList{NameColumn} + columns;
}

} // namespace

class TestTableColumns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void viewTypeColumns()
    {
        // The table shows the columns its view type lists; an unknown name stands for the first one.
        const ViewTypeDict& dict = ViewTypes::documentViewTypes();
        for (const QString& viewType : dict.names() + QStringList{QStringLiteral("Nothing")}) {
            const TableTestDocument doc(RowsFile, {}, nullptr, viewType);
            const QStringList columns = dict.columns(dict.contains(viewType) ? viewType : dict.names().first());
            QCOMPARE(doc.controller.tableIdentfiers(), columns);
            QCOMPARE(doc.controller.model()->columnCount(), columns.size());
        }
    }

    void replaceColumns()
    {
        TableTestDocument doc(RowsFile);
        QSignalSpy changed(&doc.controller, &ContactsViewController::columnsChanged);
        doc.controller.updateColumnsInTableView(
            {QStringLiteral("Label"), Field::Phone, NameColumn, Field::Note, Field::Phone});
        QCOMPARE(doc.controller.tableIdentfiers(), withName({Field::Phone, Field::Note}));
        QCOMPARE(changed.count(), 1);
        doc.controller.updateColumnsInTableView({});
        QCOMPARE(doc.controller.tableIdentfiers(), withName({}));
    }

    void addColumnGoesRightOfName()
    {
        TableTestDocument doc(RowsFile, {Field::Email, Field::Phone});
        QSignalSpy changed(&doc.controller, &ContactsViewController::columnsChanged);

        doc.controller.addColumn(Field::Note);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({Field::Note, Field::Email, Field::Phone}));
        doc.controller.addColumn(Field::ZIP);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({Field::ZIP, Field::Note, Field::Email, Field::Phone}));
        QCOMPARE(changed.count(), 2);

        // Shown already, or the name itself: nothing moves.
        doc.controller.addColumn(Field::Email);
        doc.controller.addColumn(NameColumn);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({Field::ZIP, Field::Note, Field::Email, Field::Phone}));
        QCOMPARE(changed.count(), 2);

        // The new column shows after the next reload.
        doc.controller.updateTable();
        const int row = doc.firstRowOf(QStringLiteral("doe"));
        QCOMPARE(doc.controller.cell(row, 1).text, QStringLiteral("62701"));
    }

    void deleteColumn()
    {
        TableTestDocument doc(RowsFile, {Field::Email, Field::Phone});
        QSignalSpy changed(&doc.controller, &ContactsViewController::columnsChanged);

        doc.controller.deleteColumn(Field::Email);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({Field::Phone}));
        doc.controller.deleteColumn(NameColumn);
        doc.controller.deleteColumn(Field::Note);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({Field::Phone}));
        QCOMPARE(changed.count(), 1);
    }

    void shouldReorderColumn_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("findBarVisible");
        QTest::addColumn<bool>("allowed");

        QTest::newRow("between other columns") << 1 << 3 << false << true;
        QTest::newRow("back again") << 3 << 1 << false << true;
        QTest::newRow("onto the name") << 2 << 0 << false << false;
        QTest::newRow("the name itself") << 0 << 2 << false << false;
        QTest::newRow("while the find bar is open") << 1 << 3 << true << false;
    }

    void shouldReorderColumn()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, findBarVisible);
        QFETCH(bool, allowed);

        TableTestDocument doc(RowsFile, {}, nullptr, ViewTypeName::AddressDetail);
        doc.controller.setFindBarVisible(findBarVisible);
        QCOMPARE(doc.controller.shouldReorderColumn(from, to), allowed);

        const QStringList before = doc.controller.tableIdentfiers();
        doc.controller.tableViewColumnDidMove(from, to);
        if (allowed) {
            QStringList moved = before;
            moved.move(from, to);
            QCOMPARE(doc.controller.tableIdentfiers(), moved);
        } else {
            QCOMPARE(doc.controller.tableIdentfiers(), before);
        }
        QCOMPARE(doc.controller.tableIdentfiers().first(), NameColumn);
    }

    void columnMoveRecordedInViewType()
    {
        Preferences preferences(settingsFile("move"));
        TableTestDocument doc(RowsFile, {}, &preferences, ViewTypeName::AddressDetail);

        doc.controller.tableViewColumnDidMove(5, 1);
        const QStringList moved = withName({Field::Country, Field::ZIP, Field::State, Field::City, Field::Street});
        QCOMPARE(doc.controller.tableIdentfiers(), moved);
        QCOMPARE(doc.controller.viewTypeDict().columns(ViewTypeName::AddressDetail), moved);
        QCOMPARE(preferences.viewTypeDict(ViewTypes::documentViewTypes()).columns(ViewTypeName::AddressDetail), moved);
        // The other view types stay as they were.
        QCOMPARE(preferences.viewTypeDict(ViewTypes::documentViewTypes()).columns(ViewTypeName::Email),
                 withName({Field::Email}));
    }

    void columnsMenuToggles()
    {
        Preferences preferences(settingsFile("toggle"));
        TableTestDocument doc(RowsFile, {}, &preferences, ViewTypeName::Email);
        doc.controller.setSelectedIndexes({doc.firstRowOf(QStringLiteral("clark"))});

        doc.controller.toggleColumn(Field::Phone);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({Field::Phone, Field::Email}));
        QCOMPARE(doc.controller.viewTypeDict().columns(ViewTypeName::Email), withName({Field::Phone, Field::Email}));
        QCOMPARE(preferences.viewTypeDict(ViewTypes::documentViewTypes()).columns(ViewTypeName::Email),
                 withName({Field::Phone, Field::Email}));
        // The table reloaded with the new column and kept the contact selected: every row of it.
        QCOMPARE(doc.controller.uniqueIdsOfSelectedContacts(), QStringList(2, QStringLiteral("clark")));
        QCOMPARE(doc.columnTexts(Field::Phone).at(doc.controller.selectedIndexes().at(1)), QStringLiteral("555-0201"));

        doc.controller.toggleColumn(Field::Email);
        doc.controller.toggleColumn(Field::Phone);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({}));
        QCOMPARE(doc.controller.viewTypeDict().columns(ViewTypeName::Email), withName({}));

        // The name column is not the menu's to take away.
        doc.controller.toggleColumn(NameColumn);
        QCOMPARE(doc.controller.tableIdentfiers(), withName({}));
        QCOMPARE(doc.controller.viewTypeDict().columns(ViewTypeName::Email), withName({}));
    }

    void columnWidthsKeptAndPersisted()
    {
        Preferences preferences(settingsFile("widths"));
        {
            TableTestDocument doc(RowsFile, {Field::Email}, &preferences);
            QCOMPARE(doc.controller.columnWidth(Field::Email), 140.0);
            doc.controller.tableViewColumnDidResize(Field::Email, 212.5);
            doc.controller.tableViewColumnDidResize(NameColumn, 180);
            QCOMPARE(doc.controller.columnWidth(Field::Email), 212.5);
            // Kept while the column is away and back.
            doc.controller.deleteColumn(Field::Email);
            doc.controller.addColumn(Field::Email);
            QCOMPARE(doc.controller.columnWidth(Field::Email), 212.5);
            // Columns have a minimum width.
            doc.controller.tableViewColumnDidResize(Field::Note, 20);
            QCOMPARE(doc.controller.columnWidth(Field::Note), 80.0);
        }
        const auto stored = preferences.columnWidthDictionary();
        QVERIFY(stored);
        QCOMPARE(stored->value(Field::Email), 212.5);
        QCOMPARE(stored->value(NameColumn), 180.0);

        // The next start uses them.
        Preferences again(settingsFile("widths"));
        TableTestDocument doc(RowsFile, {Field::Email}, &again);
        QCOMPARE(doc.controller.columnWidth(Field::Email), 212.5);
        QCOMPARE(doc.controller.columnWidth(NameColumn), 180.0);
        QCOMPARE(doc.controller.columnWidth(Field::Phone), 140.0);
    }

    void viewTypeSwitchKeepsSelectedContact()
    {
        Preferences preferences(settingsFile("switch"));
        TableTestDocument doc(RowsFile, {}, &preferences, ViewTypeName::Phone);
        // The second phone row of a contact.
        const int row = doc.rowShowing(Field::Phone, QStringLiteral("555-0201"));
        QVERIFY(row > 0);
        doc.controller.setSelectedIndexes({row});

        doc.controller.viewTypePopupSelected(ViewTypeName::AddressDetail);
        QCOMPARE(doc.controller.selectedViewType(), ViewTypeName::AddressDetail);
        QCOMPARE(doc.controller.tableIdentfiers().at(1), Field::ZIP);
        QCOMPARE(doc.controller.selectedIndexes(), QList<int>{doc.firstRowOf(QStringLiteral("clark"))});
        QCOMPARE(preferences.selectedViewType(ViewTypes::documentViewTypes()), ViewTypeName::AddressDetail);

        doc.controller.setSelectedIndexes({doc.rowShowing(Field::ZIP, QStringLiteral("62565"))});
        doc.controller.viewTypePopupSelected(ViewTypeName::Email);
        QCOMPARE(doc.controller.uniqueIdsOfSelectedContacts(), QStringList{QStringLiteral("doe")});

        // An unknown name changes nothing.
        doc.controller.viewTypePopupSelected(QStringLiteral("Nothing"));
        QCOMPARE(doc.controller.selectedViewType(), ViewTypeName::Email);
        QCOMPARE(preferences.selectedViewType(ViewTypes::documentViewTypes()), ViewTypeName::Email);
    }

    void displayTogglesPersisted()
    {
        Preferences preferences(settingsFile("toggles"));
        {
            TableTestDocument doc(RowsFile, {Field::Phone}, &preferences);
            QVERIFY(!doc.controller.showNameInAllRows());
            QVERIFY(!doc.controller.showCompanyInNameCell());
            doc.controller.toggleShowNameInAllRows();
            doc.controller.toggleShowCompany();
            QVERIFY(preferences.showNameInAllRows());
            QVERIFY(preferences.showCompanyInNameCell());
        }
        TableTestDocument doc(RowsFile, {Field::Phone}, &preferences);
        QVERIFY(doc.controller.showNameInAllRows());
        QVERIFY(doc.controller.showCompanyInNameCell());
        doc.controller.toggleShowNameInAllRows();
        QVERIFY(!preferences.showNameInAllRows());
    }

private:
    [[nodiscard]] QString settingsFile(const char* name) const
    {
        return m_dir.filePath(QString::fromLatin1(name) + QStringLiteral(".ini"));
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestTableColumns)
#include "tst_tablecolumns.moc"
