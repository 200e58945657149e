// The contacts table as an item model: consistent through reloads, column changes and sorts, and
// what its roles say about each cell.

#include "TableTestDocument.h"
#include "model/FieldIdentifiers.h"
#include "table/ContactsTableModel.h"
#include "table/TableCells.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Quillary;
using Quillary::Test::TableTestDocument;
using Role = ContactsTableModel::Role;

namespace {

const QString RowsFile = QStringLiteral("rows.vcf");

using Template = CellContent::Template;

QModelIndex cellOf(const TableTestDocument& doc, int row, const QString& identifier)
{
    return doc.controller.model()->index(row, doc.columnOf(identifier));
}

} // namespace

class TestContactsTableModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void consistentThroughChanges()
    {
        TableTestDocument doc(RowsFile, {Field::Phone, Field::Email});
        ContactsTableModel* model = doc.controller.model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        ContactsViewController& controller = doc.controller;

        controller.updateTable();
        controller.sortDescriptorsDidChange({QStringLiteral("Phone"), false});
        controller.addColumn(Field::Note);
        controller.updateTable();
        controller.deleteColumn(Field::Email);
        controller.tableViewColumnDidMove(2, 1);
        controller.viewTypePopupSelected(ViewTypeName::AddressDetail);
        controller.setSelectedLabels({QStringLiteral("home")});
        controller.toggleShowCompany();
        controller.setEditState(true);
        controller.setSearchString(QStringLiteral("5"));
        controller.collection().selectedGroupDict = doc.groupNamed(QStringLiteral("Work"));
        controller.updateTable();
        controller.updateColumnsInTableView({});
        controller.updateTable();
        controller.collection().selectedGroupDict.reset();
        controller.updateTable();
        QCOMPARE(model->rowCount(), 0);
        controller.collection().selectedGroupDict = controller.collection().topGroup();
        controller.updateTable();
        QCOMPARE(model->rowCount(), 7);
        QCOMPARE(model->columnCount(), 1);
    }

    void rowCountChangesOnlyWithReset_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("rowsAfter");

        QTest::newRow("contacts removed") << "clear contacts" << 0;
        QTest::newRow("group unselected") << "no group" << 0;
        QTest::newRow("contacts added to an empty table") << "refill" << 10;
    }

    void rowCountChangesOnlyWithReset()
    {
        QFETCH(QString, change);
        QFETCH(int, rowsAfter);

        TableTestDocument doc(RowsFile, {Field::Phone});
        ContactCollection& collection = doc.collection();
        const ContactTable contacts = collection.contactTable;
        if (change == u"refill") {
            collection.contactTable.clear();
            doc.controller.updateTable();
        }
        ContactsTableModel* model = doc.controller.model();
        const int before = model->rowCount();
        int atAboutToReset = -1;
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [&] { atAboutToReset = model->rowCount(); });

        // The owner changes its data; the model answers as before until the table reloads.
        if (change == u"clear contacts")
            collection.contactTable.clear();
        else if (change == u"no group")
            collection.selectedGroupDict.reset();
        else
            collection.contactTable = contacts;
        QCOMPARE(model->rowCount(), before);
        doc.controller.updateTable();
        QCOMPARE(atAboutToReset, before);
        QCOMPARE(model->rowCount(), rowsAfter);
    }

    void cellRoles_data()
    {
        QTest::addColumn<QString>("uniqueId");
        QTest::addColumn<int>("rowOfContact");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("cellTemplate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");

        const auto row = [](const char* name, const char* id, int rowOfContact, const QString& column, Template kind,
                            const char* text, const char* label) {
            QTest::newRow(name) << QString::fromLatin1(id) << rowOfContact << column << int(kind)
                                << QString::fromUtf8(text) << QString::fromUtf8(label);
        };
        row("name", "brown", 0, QStringLiteral("Name"), Template::Name, "Bob Brown", "");
        row("phone", "brown", 0, Field::Phone, Template::PopupAndText, "555-0103", "work");
        row("phone, custom label", "clark", 1, Field::Phone, Template::PopupAndText, "555-0201", "Beach house");
        row("note", "doe", 0, Field::Note, Template::TextCell,
            "one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten", "");
        row("note, continuation: no view", "brown", 2, Field::Note, Template::None, "", "");
    }

    void cellRoles()
    {
        QFETCH(QString, uniqueId);
        QFETCH(int, rowOfContact);
        QFETCH(QString, column);
        QFETCH(int, cellTemplate);
        QFETCH(QString, text);
        QFETCH(QString, label);

        TableTestDocument doc(RowsFile, {Field::Phone, Field::City, Field::Note, Field::Company});
        const int row = doc.firstRowOf(uniqueId) + rowOfContact;
        QCOMPARE(doc.rowIds().at(row), uniqueId);
        const QModelIndex index = cellOf(doc, row, column);
        QVERIFY(index.isValid());
        QCOMPARE(index.data(Role::CellTemplateRole).toInt(), cellTemplate);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), text);
        QCOMPARE(index.data(Role::LabelRole).toString(), label);
        QCOMPARE(index.data(Role::UniqueIdRole).toString(), uniqueId);
        QCOMPARE(index.data(Role::ValueIndexRole).toInt(), rowOfContact);
        QCOMPARE(index.data(Role::NotFirstRowRole).toBool(), rowOfContact > 0);
        QCOMPARE(index.data(Role::IdentifierRole).toString(), column);
        QVERIFY(!index.data(Role::SummaryRole).toBool());
    }

    void nameCell_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("uniqueId");
        QTest::addColumn<bool>("showCompany");
        QTest::addColumn<int>("cellTemplate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("detail");

        const QString rows = RowsFile;
        const int name = int(Template::Name);
        const int detail = int(Template::DetailCell);
        QTest::newRow("person") << rows << "brown" << false << name << "Bob Brown"
                                << "";
        QTest::newRow("company line") << rows << "able" << true << detail << "Alice Able"
                                      << "Able Works";
        QTest::newRow("company shown as company") << rows << "acme" << false << name << "Acme Inc."
                                                  << "";
        QTest::newRow("company line of a company") << rows << "acme" << true << detail << "Acme Inc."
                                                   << "No name";
        QTest::newRow("no name") << "nameless.vcf"
                                 << "nameless" << false << name << "No name"
                                 << "";
    }

    void nameCell()
    {
        QFETCH(QString, file);
        QFETCH(QString, uniqueId);
        QFETCH(bool, showCompany);
        QFETCH(int, cellTemplate);
        QFETCH(QString, text);
        QFETCH(QString, detail);

        TableTestDocument doc(file, {Field::Phone});
        if (showCompany)
            doc.controller.toggleShowCompany();
        const QModelIndex index = cellOf(doc, doc.firstRowOf(uniqueId), QStringLiteral("Name"));
        QCOMPARE(index.data(Role::CellTemplateRole).toInt(), cellTemplate);
        QCOMPARE(index.data().toString(), text);
        QCOMPARE(index.data(Role::DetailTextRole).toString(), detail);
        // One line in the bold font, or two lines in the table font.
        QCOMPARE(index.data(Role::BoldRole).toBool(), detail.isEmpty());
        QVERIFY(index.data(Role::ShowsImageRole).toBool());
    }

    void editableInEditModeOnly_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("editable");

        QTest::newRow("phone") << Field::Phone << true;
        QTest::newRow("e-mail") << Field::Email << true;
        QTest::newRow("address: edited in its editor") << Field::Address << false;
        QTest::newRow("name") << QStringLiteral("Name") << false;
    }

    void editableInEditModeOnly()
    {
        QFETCH(QString, column);
        QFETCH(bool, editable);

        TableTestDocument doc(RowsFile, {Field::Phone, Field::Email, Field::Address, Field::Note});
        const int row = doc.firstRowOf(QStringLiteral("doe"));
        const QModelIndex index = cellOf(doc, row, column);
        QVERIFY(!index.data(Role::EditableRole).toBool());
        QVERIFY(!(index.flags() & Qt::ItemIsEditable));
        QVERIFY(index.flags() & Qt::ItemIsSelectable);

        doc.controller.setEditState(true);
        const QModelIndex again = cellOf(doc, row, column);
        if (column == Field::Email) {
            // A cell without a value has nothing to edit in place.
            QVERIFY(!again.data(Role::EditableRole).toBool());
            const QModelIndex withValue = cellOf(doc, doc.firstRowOf(QStringLiteral("brown")), column);
            QCOMPARE(withValue.data(Role::EditableRole).toBool(), editable);
            QCOMPARE(bool(withValue.flags() & Qt::ItemIsEditable), editable);
            return;
        }
        QCOMPARE(again.data(Role::EditableRole).toBool(), editable);
        QCOMPARE(bool(again.flags() & Qt::ItemIsEditable), editable);
        if (column == Field::Phone) {
            // In edit mode the label pop-up offers every label of the field.
            const QStringList labels = again.data(Role::LabelsRole).toStringList();
            QVERIFY(labels.size() > 1);
            QVERIFY(labels.contains(QStringLiteral("home")));
        }
    }

    void summaryRow()
    {
        TableTestDocument doc(RowsFile, {Field::Phone, Field::Email});
        ContactsTableModel* model = doc.controller.model();
        const int last = model->rowCount() - 1;
        QCOMPARE(last, doc.controller.subContactTable().size());

        QVERIFY(model->index(last, 0).data(Role::SummaryRole).toBool());
        QVERIFY(!model->index(last - 1, 0).data(Role::SummaryRole).toBool());
        QCOMPARE(model->index(last, 0).data().toString(), QStringLiteral("All Contacts: total 6 contacts"));
        QCOMPARE(model->index(last, 1).data(), QVariant());
        QCOMPARE(model->index(last, 0).data(Role::NumLinesRole).toInt(), 1);
        QCOMPARE(model->index(last, 0).data(Role::UniqueIdRole), QVariant());
        QCOMPARE(model->index(last, 0).flags(), Qt::ItemFlags(Qt::ItemIsEnabled));
    }

    void headers()
    {
        TableTestDocument doc(RowsFile, {Field::Phone, Field::JobTitle});
        ContactsTableModel* model = doc.controller.model();
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Name"));
        QCOMPARE(model->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Job Title"));
        QCOMPARE(model->headerData(2, Qt::Horizontal, Role::IdentifierRole).toString(), Field::JobTitle);
        QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::DisplayRole), QVariant());
        QCOMPARE(model->headerData(0, Qt::Vertical, Qt::DisplayRole), QVariant());
    }

    void highlightRanges_data()
    {
        using Ranges = QList<std::pair<int, int>>;
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<Ranges>("ranges");

        const auto row = [](const char* name, const char* text, const char* search, const Ranges& ranges) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(search) << ranges;
        };
        row("every occurrence", "Bob Brown", "B", {{0, 1}, {4, 1}});
        row("case-sensitive", "Bob Brown", "b", {{2, 1}});
        row("no overlaps", "aaaa", "aaa", {{0, 3}});
        row("back to back", "aaaa", "aa", {{0, 2}, {2, 2}});
        row("none", "Bob", "x", {});
        row("empty search", "Bob", "", {});
        row("empty text", "", "a", {});
    }

    void highlightRanges()
    {
        using Ranges = QList<std::pair<int, int>>;
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(Ranges, ranges);

        QCOMPARE(TableCells::highlightRanges(text, search), ranges);
    }
};

QTEST_GUILESS_MAIN(TestContactsTableModel)
#include "tst_contactstablemodel.moc"
