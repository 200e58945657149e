// Rows of the contacts table: one row per value position of a contact, continuation rows, the label
// filter, group membership, line counts, the summary row and the selection kept across reloads.

#include "TableTestDocument.h"
#include "formats/ZQVCard.h"
#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "table/TableRows.h"

#include <QSignalSpy>
#include <QTest>

using namespace Quillary;
using Quillary::Test::TableTestDocument;

namespace {

const QString RowsFile = QStringLiteral("rows.vcf");

} // namespace

class TestTableRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { LabelTable::resetCustomLabels(); }

    void rowsOfOneContact_data()
    {
        QTest::addColumn<QString>("uniqueId");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("rows");

        const QStringList all{QStringLiteral("All")};
        const QStringList phoneAndEmail{Field::Phone, Field::Email};
        QTest::newRow("no values: one row") << "able" << phoneAndEmail << all << 1;
        QTest::newRow("three phones, one e-mail") << "brown" << phoneAndEmail << all << 3;
        QTest::newRow("columns without lists") << "doe" << QStringList{Field::Note, Field::Company} << all << 1;
        QTest::newRow("address parts read the addresses") << "doe" << QStringList{Field::ZIP} << all << 2;
        QTest::newRow("name and label columns add nothing")
            << "brown" << QStringList{QStringLiteral("Name"), QStringLiteral("Label")} << all << 1;
        QTest::newRow("filter passes no value") << "evans" << QStringList{Field::Phone} << QStringList{"home"} << 1;
        QTest::newRow("filter passes the last value")
            << "brown" << QStringList{Field::Phone} << QStringList{"mobile"} << 1;
        QTest::newRow("filter: row n holds the n-th passing value of each column")
            << "evans" << phoneAndEmail << QStringList{"work"} << 1;
        QTest::newRow("empty filter passes everything") << "brown" << QStringList{Field::Phone} << QStringList{} << 3;
    }

    void rowsOfOneContact()
    {
        QFETCH(QString, uniqueId);
        QFETCH(QStringList, columns);
        QFETCH(QStringList, labels);
        QFETCH(int, rows);

        TableTestDocument doc(RowsFile);
        QVERIFY(doc.readOk);
        SubContactTable table;
        const ContactEntryPtr contact = doc.contact(uniqueId);
        QVERIFY(contact);
        TableRows::createSubContactsFromContact(contact, columns, labels, table);
        QCOMPARE(table.size(), rows);
        for (int i = 0; i < rows; ++i) {
            QCOMPARE(table.at(i).index, i);
            QCOMPARE(table.at(i).uniqueId(), uniqueId);
        }
    }

    void continuationRows_data()
    {
        QTest::addColumn<bool>("showNameInAllRows");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("name on the first row") << false << QStringList{"Bob Brown", "", ""};
        QTest::newRow("name in all rows") << true << QStringList{"Bob Brown", "Bob Brown", "Bob Brown"};
    }

    void continuationRows()
    {
        QFETCH(bool, showNameInAllRows);
        QFETCH(QStringList, names);

        TableTestDocument doc(RowsFile, {Field::Phone, Field::Email});
        if (showNameInAllRows)
            doc.controller.toggleShowNameInAllRows();
        const int first = doc.firstRowOf(QStringLiteral("brown"));
        QVERIFY(first > 0);
        QCOMPARE(doc.rowIds().count(QStringLiteral("brown")), 3);
        QCOMPARE(doc.rowIds().mid(first, 3), QStringList(3, QStringLiteral("brown")));

        QCOMPARE(doc.columnTexts(QStringLiteral("Name")).mid(first, 3), names);
        QCOMPARE(doc.columnTexts(Field::Phone).mid(first, 3), (QStringList{"555-0103", "555-0101", "555-0102"}));
        QCOMPARE(doc.columnTexts(Field::Email).mid(first, 3), (QStringList{"bob@example.org", "", ""}));
        const SubContactTable& rows = doc.controller.subContactTable();
        QVERIFY(!rows.at(first).notFirstRow);
        QVERIFY(rows.at(first + 1).notFirstRow);
        QVERIFY(rows.at(first + 2).notFirstRow);
        QVERIFY(!rows.at(first + 3).notFirstRow);
        // The continuation rows carry no single-valued field.
        QCOMPARE(doc.controller.cell(first + 1, doc.columnOf(QStringLiteral("Name"))).showsImage, false);
    }

    void namesOfRowsApartFromTheirContact_data()
    {
        QTest::addColumn<QString>("sortKey");
        QTest::addColumn<bool>("showNameInAllRows");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("dimmed");

        // By label, Bob's mobile comes right after Doe's home phone: without a name it reads as his.
        QTest::newRow("below another contact") << "Phone label" << false << "555-0102"
                                               << "Bob Brown" << true;
        QTest::newRow("below its own contact") << "Phone" << false << "555-0102"
                                               << "" << true;
        QTest::newRow("name in all rows") << "Phone" << true << "555-0102"
                                          << "Bob Brown" << false;
    }

    void namesOfRowsApartFromTheirContact()
    {
        QFETCH(QString, sortKey);
        QFETCH(bool, showNameInAllRows);
        QFETCH(QString, phone);
        QFETCH(QString, name);
        QFETCH(bool, dimmed);

        TableTestDocument doc(RowsFile, {Field::Phone});
        if (showNameInAllRows)
            doc.controller.toggleShowNameInAllRows();
        doc.controller.sortDescriptorsDidChange({sortKey, true});
        const int row = doc.rowShowing(Field::Phone, phone);
        QVERIFY(row > 0 && doc.controller.subContactTable().at(row).index > 0);
        const CellContent cell = doc.controller.cell(row, 0);
        QCOMPARE(cell.text, name);
        QCOMPARE(cell.dimmed, dimmed);
    }

    void labelFilterKeepsFirstRow()
    {
        TableTestDocument doc(RowsFile, {Field::Phone});
        doc.collection().selectedLabels = {QStringLiteral("home")};
        doc.controller.updateTable();

        QCOMPARE(doc.rowIds().count(QStringLiteral("evans")), 1);
        const int row = doc.firstRowOf(QStringLiteral("evans"));
        const CellContent phone = doc.controller.cell(row, doc.columnOf(Field::Phone));
        QCOMPARE(phone.cellTemplate, CellContent::Template::PopupAndText);
        QCOMPARE(phone.text, QString());
        QVERIFY(!phone.hasValue);
        QVERIFY(!phone.editable);
        // The home phone of the contact whose first phone is at work shows on its first row: no blank
        // row stands for the phone the filter hides.
        const int brown = doc.firstRowOf(QStringLiteral("brown"));
        QCOMPARE(doc.columnTexts(Field::Phone).at(brown), QStringLiteral("555-0101"));
        QCOMPARE(doc.rowIds().count(QStringLiteral("brown")), 1);
        // Copied or exported, the row carries the value it shows.
        const CsvRow line = TableRows::csvRow(doc.controller.subContactTable().at(brown), {QStringLiteral("home")});
        QCOMPARE(ZQVCard::csvStringFromContact(line, {Field::Phone}, QStringLiteral(", ")),
                 QStringLiteral("home:555-0101"));
    }

    void manyValuesUnderAFilter()
    {
        TableTestDocument doc(RowsFile);
        QVERIFY(doc.readOk);
        const ContactEntryPtr contact = doc.contact(QStringLiteral("able"));
        QVERIFY(contact);
        LabeledValue phone;
        for (int i = 0; i < 40; ++i) {
            phone.label = i % 2 ? QStringLiteral("home") : QStringLiteral("work");
            phone.value = QString::number(i);
            contact->person->addLabeledValue(phone, Field::Phone);
        }
        const QStringList home{QStringLiteral("home")};
        SubContactTable table;
        TableRows::createSubContactsFromContact(contact, {Field::Phone}, home, table);
        QCOMPARE(table.size(), 20);
        // Row n shows the n-th home phone, and no e-mail: the contact has none.
        for (int i = 0; i < 20; ++i) {
            const LabeledValue* shown = TableRows::rowValue(table.at(i), LabeledField::Phone, home);
            QVERIFY(shown);
            QCOMPARE(shown->stringValue(), QString::number(2 * i + 1));
            QVERIFY(!TableRows::rowValue(table.at(i), LabeledField::Email, home));
        }
    }

    void labelsMetAreCollected()
    {
        TableTestDocument doc(RowsFile, {Field::Phone});
        // Met while building the rows, even where the filter hides the value.
        doc.collection().selectedLabels = {QStringLiteral("home")};
        doc.controller.updateTable();
        QVERIFY(LabelTable::customLabelsForIdentifier(Field::Phone)
                    .value_or(QStringList())
                    .contains(QStringLiteral("Beach house")));
        QVERIFY(!LabelTable::customLabelsForIdentifier(Field::Phone)
                     .value_or(QStringList())
                     .contains(QStringLiteral("work")));
    }

    void groupRows_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("removedFromGroup");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QStringList>("contacts");

        QTest::newRow("all contacts") << "All Contacts"
                                      << ""
                                      << "" << QStringList{"acme", "able", "brown", "clark", "doe", "evans"};
        QTest::newRow("members only") << "Work"
                                      << ""
                                      << "" << QStringList{"brown", "clark"};
        QTest::newRow("removed from the group") << "Work"
                                                << "brown"
                                                << "" << QStringList{"clark"};
        QTest::newRow("removed from another group stays") << "Friends"
                                                          << "clark"
                                                          << "" << QStringList{"able", "brown"};
        QTest::newRow("deleted hidden in the group") << "Friends"
                                                     << ""
                                                     << "able" << QStringList{"brown"};
        QTest::newRow("deleted hidden in all contacts")
            << "All Contacts"
            << ""
            << "brown" << QStringList{"acme", "able", "clark", "doe", "evans"};
    }

    void groupRows()
    {
        QFETCH(QString, group);
        QFETCH(QString, removedFromGroup);
        QFETCH(QString, deleted);
        QFETCH(QStringList, contacts);

        TableTestDocument doc(RowsFile, {Field::Company});
        const GroupEntryPtr entry = doc.groupNamed(group);
        QVERIFY(entry);
        if (!removedFromGroup.isEmpty())
            doc.contact(removedFromGroup)
                ->removedGroupUniqueIds.append(doc.groupNamed(QStringLiteral("Work"))->uniqueId);
        if (!deleted.isEmpty())
            doc.contact(deleted)->deleted = true;
        doc.collection().selectedGroupDict = entry;
        doc.controller.updateTable();
        QCOMPARE(doc.rowIds(), contacts);
        QCOMPARE(doc.controller.rowCount(), contacts.size() + 1);
    }

    void summaryRow_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QString>("summary");

        QTest::newRow("all contacts") << "" << 10 << "All Contacts: total 6 contacts";
        QTest::newRow("group") << "Work" << 6 << "Work: total 2 contacts";
        QTest::newRow("group without members") << "empty group" << 1 << "Empty: total 0 contacts";
        QTest::newRow("no contacts: no summary row") << "no contacts" << 0 << "";
        QTest::newRow("no selected group") << "no group" << 0 << "";
    }

    void summaryRow()
    {
        QFETCH(QString, setup);
        QFETCH(int, rowCount);
        QFETCH(QString, summary);

        TableTestDocument doc(RowsFile, {Field::Phone});
        ContactCollection& collection = doc.collection();
        if (setup == u"empty group") {
            auto group = std::make_shared<GroupEntry>();
            group->groupName = QStringLiteral("Empty");
            group->groupId = group->groupName;
            group->uniqueId = QStringLiteral("empty-group");
            collection.groupTable.append(group);
            collection.selectedGroupDict = group;
        } else if (setup == u"no contacts") {
            collection.contactTable.clear();
        } else if (setup == u"no group") {
            collection.selectedGroupDict.reset();
        } else if (!setup.isEmpty()) {
            collection.selectedGroupDict = doc.groupNamed(setup);
        }
        doc.controller.updateTable();
        QCOMPARE(doc.controller.rowCount(), rowCount);
        if (rowCount > 0) {
            QVERIFY(doc.controller.isSummaryRow(rowCount - 1));
            QCOMPARE(doc.controller.summaryText(), summary);
            QCOMPARE(doc.controller.cell(rowCount - 1, 0).cellTemplate, CellContent::Template::None);
        }
    }

    void selectionIsNeverEmpty()
    {
        TableTestDocument doc(RowsFile, {Field::Phone});
        // Opened with its first row selected, so that Export has a contact to work on.
        QCOMPARE(doc.controller.selectedIndexes(), QList<int>{0});
        doc.controller.setSelectedIndexes({2});
        // Neither the summary row nor nothing (a Ctrl-click on the selected row) is selected instead.
        const int summary = doc.controller.rowCount() - 1;
        for (const QList<int>& rows : {QList<int>{summary}, QList<int>{}}) {
            doc.controller.setSelectedIndexes(rows);
            QCOMPARE(doc.controller.selectedIndexes(), QList<int>{2});
        }
        doc.controller.setSelectedIndexes({summary, 0, summary - 1});
        QCOMPARE(doc.controller.selectedIndexes(), (QList<int>{0, summary - 1}));
    }

    void rowLines_data()
    {
        QTest::addColumn<QString>("uniqueId");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<bool>("showCompany");
        QTest::addColumn<int>("lines");

        QTest::newRow("one line") << "brown" << QStringList{Field::Phone} << false << 1;
        QTest::newRow("company line") << "brown" << QStringList{Field::Phone} << true << 2;
        QTest::newRow("ten-line note measured last") << "doe" << QStringList{Field::Phone, Field::Note} << false << 5;
        QTest::newRow("ten-line note not shown") << "doe" << QStringList{Field::Phone} << false << 1;
        QTest::newRow("note with the company line") << "doe" << QStringList{Field::Note} << true << 5;
    }

    void rowLines()
    {
        QFETCH(QString, uniqueId);
        QFETCH(QStringList, columns);
        QFETCH(bool, showCompany);
        QFETCH(int, lines);

        TableTestDocument doc(RowsFile, columns);
        if (showCompany)
            doc.controller.toggleShowCompany();
        QCOMPARE(doc.controller.numLines(doc.firstRowOf(uniqueId)), lines);
    }

    void selectedValueFollowsResort_data()
    {
        QTest::addColumn<QString>("selectedPhone");
        QTest::addColumn<QString>("sortKey");
        QTest::addColumn<bool>("ascending");

        QTest::newRow("second phone, by phone") << "555-0101"
                                                << "Phone" << true;
        QTest::newRow("third phone, by phone") << "555-0102"
                                               << "Phone" << true;
        QTest::newRow("second phone, by name descending") << "555-0101"
                                                          << "compositeName" << false;
    }

    void selectedValueFollowsResort()
    {
        QFETCH(QString, selectedPhone);
        QFETCH(QString, sortKey);
        QFETCH(bool, ascending);

        TableTestDocument doc(RowsFile, {Field::Phone, Field::Email});
        const int before = doc.rowShowing(Field::Phone, selectedPhone);
        QVERIFY(before > 0);
        doc.controller.setSelectedIndexes({before});

        doc.controller.sortDescriptorsDidChange({sortKey, ascending});
        QCOMPARE(doc.controller.selectedIndexes().size(), 1);
        const int after = doc.controller.selectedIndexes().first();
        QCOMPARE(doc.controller.cell(after, doc.columnOf(Field::Phone)).text, selectedPhone);
        QCOMPARE(doc.controller.uniqueIdOfSelectedContact(), QStringLiteral("brown"));
        // The rows are sorted, not the contact's own values: a save writes them as they were read.
        QCOMPARE(doc.contact(QStringLiteral("brown"))->person->phoneValues().first().value, QStringLiteral("555-0103"));

        // And back again.
        doc.controller.sortDescriptorsDidChange({QStringLiteral("compositeName"), true});
        QCOMPARE(doc.controller.selectedIndexes().size(), 1);
        QCOMPARE(doc.controller.cell(doc.controller.selectedIndexes().first(), doc.columnOf(Field::Phone)).text,
                 selectedPhone);
    }

    void selectByUniqueIds()
    {
        TableTestDocument doc(RowsFile, {Field::Phone});
        const QList<int> brownRows{2, 3, 4}; // after "Acme Inc." and "Alice Able"
        QCOMPARE(doc.rowIds().mid(2, 3), QStringList(3, QStringLiteral("brown")));

        QSignalSpy scrolled(&doc.controller, &ContactsViewController::scrollToRow);
        doc.controller.updateTableThenSelectByUniquId(QStringLiteral("clark"));
        QCOMPARE(doc.controller.selectedIndexes(), QList<int>{doc.firstRowOf(QStringLiteral("clark"))});
        QCOMPARE(scrolled.count(), 1);
        QCOMPARE(scrolled.first().first().toInt(), doc.firstRowOf(QStringLiteral("clark")));

        // An empty id keeps the contacts selected before.
        doc.controller.setSelectedIndexes({2});
        doc.controller.updateTableThenSelectByUniquId(QString());
        QCOMPARE(doc.controller.selectedIndexes(), brownRows);
        doc.controller.setSelectedIndexes({2});
        doc.controller.updateTableThenSelectByUniquId(QStringLiteral("nobody"));
        QCOMPARE(doc.controller.selectedIndexes(), brownRows);

        doc.controller.updateTableThenSelectByUniquIds({QStringLiteral("doe"), QStringLiteral("brown")});
        QCOMPARE(doc.controller.selectedIndexes(), brownRows + QList<int>{doc.firstRowOf(QStringLiteral("doe"))});

        doc.controller.updateTableForContact(doc.contact(QStringLiteral("brown")));
        QCOMPARE(doc.controller.selectedIndexes(), QList<int>{2});
    }

    void displayChangesKeepSelection()
    {
        // Toggles reload the same rows: what was selected stays selected (the table never shows an
        // empty selection while it has rows).
        TableTestDocument doc(RowsFile, {Field::Phone});
        QSignalSpy scrolled(&doc.controller, &ContactsViewController::scrollToRow);
        doc.controller.setSelectedIndexes({3, 5});
        doc.controller.toggleShowNameInAllRows();
        QCOMPARE(doc.controller.selectedIndexes(), (QList<int>{3, 5}));
        doc.controller.toggleShowCompany();
        QCOMPARE(doc.controller.selectedIndexes(), (QList<int>{3, 5}));
        doc.controller.updateTableForContact({});
        QCOMPARE(doc.controller.selectedIndexes(), (QList<int>{3, 5}));
        QCOMPARE(scrolled.count(), 0); // the view stays where it is
        doc.controller.setEditState(true);
        QCOMPARE(doc.controller.selectedIndexes(), (QList<int>{3, 5}));
        doc.controller.setSearchString(QStringLiteral("Bob"));
        QCOMPARE(doc.controller.selectedIndexes(), (QList<int>{3, 5}));
        doc.controller.setSelectedLabels({QStringLiteral("home")});
        QCOMPARE(doc.controller.uniqueIdsOfSelectedContacts(), (QStringList{"brown", "clark"}));

        // A contact no longer shown leaves the rows as they were.
        doc.controller.setSelectedIndexes({1});
        const ContactEntryPtr gone = doc.contact(QStringLiteral("evans"));
        gone->deleted = true;
        doc.controller.updateTableForContact(gone);
        QCOMPARE(doc.controller.selectedIndexes(), QList<int>{1});
    }

    void selectionOfContacts()
    {
        TableTestDocument doc(RowsFile, {Field::Phone});
        QCOMPARE(doc.controller.uniqueIdOfSelectedContact(), QStringLiteral("acme"));
        QCOMPARE(doc.controller.uniqueIdsOfSelectedContacts(), QStringList{"acme"});

        doc.controller.setSelectedIndexes({3, 0, 1});
        QCOMPARE(doc.controller.uniqueIdsOfSelectedContacts(), (QStringList{"acme", "able", "brown"}));
        doc.controller.setSelectedIndexes({4, 2});
        QCOMPARE(doc.controller.uniqueIdsOfSelectedContacts(), (QStringList{"brown", "brown"}));
        doc.controller.setSelectedIndexes({3, 0, 1});
        QCOMPARE(doc.controller.uniqueIdOfSelectedContact(), QStringLiteral("acme"));
        QCOMPARE(doc.controller.selectedContacts(),
                 (ContactTable{doc.contact("acme"), doc.contact("able"), doc.contact("brown")}));
    }

    void contactsForIndexes()
    {
        TableTestDocument doc(RowsFile, {Field::Phone});
        const int clark = doc.firstRowOf(QStringLiteral("clark"));
        const int able = doc.firstRowOf(QStringLiteral("able"));
        doc.contact(QStringLiteral("clark"))->deleted = true;

        // Distinct, not deleted, in row order whatever the order asked in.
        QCOMPARE(doc.controller.contactsForIndexes({3, clark, able, 1, 2, 99, -1}),
                 (ContactTable{doc.contact("able"), doc.contact("brown")}));
        QVERIFY(doc.controller.contactsForIndexes({}).isEmpty());
    }

    void selectedContactsWithClickedRow_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QStringList>("contacts");

        // Rows by name: acme, able, brown ×3, clark ×2, doe, evans.
        QTest::newRow("selection alone") << QList<int>{3} << -1 << QStringList{"brown"};
        QTest::newRow("clicked row joins, table order") << QList<int>{3} << 1 << QStringList{"able", "brown"};
        QTest::newRow("clicked row of a selected contact") << QList<int>{2, 5} << 4 << QStringList{"brown", "clark"};
        // Nothing selected leaves the first row selected.
        QTest::newRow("clicked row and the first") << QList<int>{} << 8 << QStringList{"acme", "evans"};
        QTest::newRow("nothing clicked") << QList<int>{} << -1 << QStringList{"acme"};
        QTest::newRow("summary row clicked") << QList<int>{} << 9 << QStringList{"acme"};
    }

    void selectedContactsWithClickedRow()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, clicked);
        QFETCH(QStringList, contacts);

        TableTestDocument doc(RowsFile, {Field::Phone});
        QCOMPARE(doc.rowIds(),
                 (QStringList{"acme", "able", "brown", "brown", "brown", "clark", "clark", "doe", "evans"}));
        doc.controller.setSelectedIndexes(selected);
        QStringList ids;
        for (const ContactEntryPtr& contact : doc.controller.selectedContactsWithClickedRowIndex(clicked))
            ids.append(contact->uniqueId);
        QCOMPARE(ids, contacts);
    }
};

QTEST_GUILESS_MAIN(TestTableRows)
#include "tst_tablerows.moc"
