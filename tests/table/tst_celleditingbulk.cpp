// The context menu of a cell, the replace panel and the bulk edits of the selected cells.

#include "CellEditingFixture.h"
#include "TestSupport.h"
#include "table/CellEdits.h"
#include "table/CellValues.h"
#include "table/ContextMenuModel.h"

#include <QTest>

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Quillary::ReplaceAlertPanelModel::Type)

namespace {

const QStringList bulkColumns{Field::Name,     Field::Phone,          Field::Email,         Field::Address,
                              Field::ZIP,      Field::InstantMessage, Field::SocialNetwork, Field::Dates,
                              Field::Birthday, Field::PhoneticName,   Field::Company};

const QString labeledText = QStringLiteral(
    "Open Edit Panel|-|Replace Label and Text|Delete Item|Add Item|-|Replace Text|Prepend Text|Append Text");

QList<int> rowsOf(const CellEditingFixture& f, const QStringList& names)
{
    QList<int> rows;
    for (const QString& name : names) {
        const bool second = name.endsWith(u"#1");
        rows.append(f.row(second ? name.chopped(2) : name, second ? 1 : 0));
    }
    return rows;
}

} // namespace

class TestCellEditingBulk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contextMenu_data()
    {
        Test::addColumns<QString, QString, QString>("name", "column", "items");

        QTest::newRow("name") << Alice << Field::Name
                              << "Show Contact Info|-|Delete Contact|Duplicate Contact|Export Contact as vCard|"
                                 "Show QRCode|-|Show Company in Name Cell|Show Name in all rows";
        QTest::newRow("phone") << Alice << Field::Phone << QString(u"Call Phone|"_qs + labeledText);
        QTest::newRow("no phone") << Carol << Field::Phone << "Open Edit Panel|Add Item";
        QTest::newRow("address") << Alice << Field::Address
                                 << "Open Map|Open Google Map|Open Address Panel|-|Add/Delete Address Item|"
                                    "Delete Item|Add Item";
        QTest::newRow("no zip") << Bob << Field::ZIP << "Add/Delete Address Item|Add Item";
        QTest::newRow("no dates") << Alice << Field::Dates << "Open Dates Panel|Add Item";
        QTest::newRow("phonetic name") << Alice << Field::PhoneticName << "Open Edit Panel|-|Clear Text";
        QTest::newRow("birthday") << Alice << Field::Birthday << "Open Calendar|Open Birthday Panel|-|Delete Item";
        QTest::newRow("company") << Alice << Field::Company << "Replace Text|Prepend Text|Append Text";
        QTest::newRow("no company") << Bob << Field::Company << "Replace Text";
        QTest::newRow("summary row") << QString() << Field::Phone << QString();
    }
    void contextMenu()
    {
        QFETCH(QString, name);
        QFETCH(QString, column);
        CellEditingFixture f(bulkColumns);
        const int row = name.isEmpty() ? int(f.controller->subContactTable().size()) : f.row(name);
        const QList<MenuItem> menu = f.editing->menuNeedsUpdate(row, f.column(column));
        QTEST(ContextMenuModel::keys(menu).join(u'|'), "items");
    }

    void contextMenuStates()
    {
        CellEditingFixture f(bulkColumns);
        auto item = [&](const QString& column, const char* key) {
            for (const MenuItem& entry : f.editing->menuNeedsUpdate(f.row(Alice), f.column(column))) {
                if (entry.key == QLatin1StringView(key))
                    return entry;
            }
            return MenuItem();
        };
        QCOMPARE(item(Field::Phone, MenuTitle::ReplaceText).action, MenuAction::ReplaceItem);
        QCOMPARE(item(Field::Phone, MenuTitle::DeleteItem).action, MenuAction::DeleteItem);
        QCOMPARE(item(Field::PhoneticName, MenuTitle::ClearText).action, MenuAction::DeleteItem);
        QCOMPARE(item(Field::Phone, MenuTitle::AddItem).action, MenuAction::InsertItem);
        QCOMPARE(item(Field::Phone, MenuTitle::CallPhone).action, MenuAction::CallPhone);
        QCOMPARE(item(Field::Address, MenuTitle::AddDeleteAddressItem).action, MenuAction::ShowPopover);
        QVERIFY(item(Field::Phone, MenuTitle::ReplaceText).enabled);
        QVERIFY(item(Field::Name, MenuTitle::DeleteContact).enabled);
        QVERIFY(!item(Field::Name, MenuTitle::ShowCompanyInNameCell).checked);

        // Viewing: edits are shown inactive, the rest stays active.
        f.controller->setEditState(false);
        f.controller->toggleShowCompany();
        QVERIFY(!item(Field::Phone, MenuTitle::ReplaceText).enabled);
        QVERIFY(!item(Field::Phone, MenuTitle::AddItem).enabled);
        QVERIFY(!item(Field::Name, MenuTitle::DeleteContact).enabled);
        QVERIFY(!item(Field::Name, MenuTitle::DuplicateContact).enabled);
        QVERIFY(item(Field::Name, MenuTitle::ExportContactAsVCard).enabled);
        QVERIFY(item(Field::Phone, MenuTitle::CallPhone).enabled);
        QVERIFY(item(Field::Phone, MenuTitle::OpenEditPanel).enabled);
        QVERIFY(item(Field::Name, MenuTitle::ShowCompanyInNameCell).checked);
        QVERIFY(!item(Field::Name, MenuTitle::ShowNameInAllRows).checked);
        // An inactive item does nothing even when performed.
        QVERIFY(!f.editing->performMenuItem(item(Field::Phone, MenuTitle::DeleteItem), f.row(Alice),
                                            f.column(Field::Phone)));
        QVERIFY(f.asked.isEmpty());
    }

    void replaceItem_data()
    {
        Test::addColumns<ReplaceAlertPanelModel::Type, QStringList, QStringList>("type", "aliceLabels", "bobLabels");

        QTest::newRow("replace text keeps labels")
            << ReplaceAlertPanelModel::Type::ReplaceText << QStringList{"home", "work"} << QStringList{"mobile"};
        QTest::newRow("replace label and text sets both")
            << ReplaceAlertPanelModel::Type::ReplaceLabelAndText << QStringList{"main", "main"} << QStringList{"main"};
    }
    void replaceItem()
    {
        QFETCH(ReplaceAlertPanelModel::Type, type);
        CellEditingFixture f(bulkColumns);
        f.select(rowsOf(f, {Alice, Alice + "#1", Carol})); // Carol has no phone: skipped
        f.panelText = u"000"_s;
        f.panelLabel = u"main"_s;
        const int steps = f.undoSteps();
        QVERIFY(f.editing->replaceItem(f.row(Bob), f.column(Field::Phone), type));
        // The panel starts from the clicked cell.
        QCOMPARE(f.panels.size(), 1);
        QCOMPARE(f.panels.first().replaceString(), u"333");
        QCOMPARE(f.panels.first().label(), u"mobile");
        QCOMPARE(f.panels.first().labelPopupEnabled(), type == ReplaceAlertPanelModel::Type::ReplaceLabelAndText);
        QVERIFY(f.panels.first().labels().contains(u"home"_qs));
        QCOMPARE(f.texts(Alice, LabeledField::Phone), (QStringList{"000", "000"}));
        QCOMPARE(f.texts(Bob, LabeledField::Phone), QStringList{"000"});
        QVERIFY(f.texts(Carol, LabeledField::Phone).isEmpty());
        QTEST(f.labels(Alice, LabeledField::Phone), "aliceLabels");
        QTEST(f.labels(Bob, LabeledField::Phone), "bobLabels");
        QCOMPARE(f.undoSteps(), steps + 1);
        QVERIFY(!f.editing->hasPendingEdit());
        // Addresses, dates and birthdays are not replaced as text.
        QVERIFY(!f.editing->replaceItem(f.row(Alice), f.column(Field::Birthday), type));
        QVERIFY(!f.editing->replaceItem(f.row(Alice), f.column(Field::Address), type));
        QCOMPARE(f.panels.size(), 1);
    }

    void prependAndAppend_data()
    {
        Test::addColumns<bool, QString, QString, QString, QString>("prepend", "column", "text", "alice", "carol");

        const auto row = [](const char* name, bool prepend, const QString& column, const char* text, const char* alice,
                            const char* carol) {
            QTest::newRow(name) << prepend << column << QString::fromUtf8(text) << QString::fromUtf8(alice)
                                << QString::fromUtf8(carol);
        };
        row("prepend to phones", true, Field::Phone, "+1 ", "+1 111", "");
        row("append to phones", false, Field::Phone, " ext", "111 ext", "");
        row("prepend to zip", true, Field::ZIP, "IL-", "IL-11111", "");
        row("append to company", false, Field::Company, " Inc.", "Acme Inc.", "Initech Inc.");
    }
    void prependAndAppend()
    {
        QFETCH(bool, prepend);
        QFETCH(QString, column);
        QFETCH(QString, text);
        CellEditingFixture f(bulkColumns);
        f.select(rowsOf(f, {Alice, Bob, Carol})); // Bob has neither address nor company: skipped
        f.panelText = text;
        const int col = f.column(column);
        QVERIFY(prepend ? f.editing->prependItem(f.row(Alice), col) : f.editing->appendItem(f.row(Alice), col));
        QCOMPARE(f.panels.first().replaceString(), QString()); // starts empty
        QVERIFY(f.panels.first().labels().isEmpty());
        QVERIFY(!f.panels.first().labelPopupEnabled());
        QTEST(CellValues::textAt(f.controller->subContactTable().at(f.row(Alice)), column, {"All"}), "alice");
        QTEST(CellValues::textAt(f.controller->subContactTable().at(f.row(Carol)), column, {"All"}), "carol");
        QVERIFY(f.person(Bob).addressValues().isEmpty());
        QVERIFY(f.person(Bob).stringValueForIdentifier(Field::Company).isEmpty());
    }

    void deleteItem_data()
    {
        // aliceAfter: Alice's texts of the field's values afterwards
        Test::addColumns<QStringList, QString, QStringList, QStringList>("selected", "column", "aliceAfter",
                                                                         "daveAfter");

        QTest::newRow("birthday") << QStringList{Alice, Bob, Dave} << Field::Birthday << QStringList() << QStringList();
        QTest::newRow("clear phonetic name")
            << QStringList{Alice} << Field::PhoneticName << QStringList() << QStringList();
        QTest::newRow("two phones of one contact")
            << QStringList{Alice, Alice + "#1", Dave} << Field::Phone << QStringList() << QStringList();
        QTest::newRow("its own phone only")
            << QStringList{Alice + "#1"} << Field::Phone << QStringList{"111"} << QStringList{"444"};
        QTest::newRow("address by a part") << QStringList{Alice} << Field::ZIP << QStringList() << QStringList();
        QTest::newRow("company") << QStringList{Alice} << Field::Company << QStringList() << QStringList();
    }
    void deleteItem()
    {
        QFETCH(QStringList, selected);
        QFETCH(QString, column);
        CellEditingFixture f(bulkColumns);
        const QList<int> rows = rowsOf(f, selected);
        f.select(rows);
        auto texts = [&](const QString& name) {
            const PersonDsc& person = f.person(name);
            if (const auto field = FieldIdentifiers::labeledField(TableCells::fieldOfColumn(column))) {
                QStringList result;
                for (const LabeledValue& value : person.labeledValues(*field))
                    result.append(value.stringValue());
                return result;
            }
            const QString text = person.stringValueForIdentifier(column, 0);
            return text.isEmpty() ? QStringList() : QStringList{text};
        };
        const QStringList aliceBefore = texts(Alice);
        const int steps = f.undoSteps();
        QVERIFY(f.editing->deleteItem(rows.last(), f.column(column)));
        QCOMPARE(f.asked.size(), 1);
        QTEST(texts(Alice), "aliceAfter");
        if (column == Field::Birthday || column == Field::Phone)
            QTEST(texts(Dave), "daveAfter");
        QCOMPARE(f.undoSteps(), steps + 1);
        // The rows' contacts stay selected.
        QVERIFY(f.controller->selectedIndexes().contains(f.row(Alice)));
        f.document.undoStack()->undo();
        QCOMPARE(texts(Alice), aliceBefore);
    }

    void cancelledCommandsChangeNothing()
    {
        CellEditingFixture f(bulkColumns);
        f.select(rowsOf(f, {Alice, Bob}));
        f.answer = false;
        f.panelAnswer = false;
        QVERIFY(!f.editing->deleteItem(f.row(Bob), f.column(Field::Phone)));
        QVERIFY(!f.editing->replaceItem(f.row(Bob), f.column(Field::Phone), ReplaceAlertPanelModel::Type::ReplaceText));
        QVERIFY(!f.editing->appendItem(f.row(Bob), f.column(Field::Phone)));
        QVERIFY(!f.editing->insertItem(f.row(Bob), f.column(Field::Phone)));
        QCOMPARE(f.undoSteps(), 0);
        QVERIFY(!f.editing->hasPendingEdit());
        QCOMPARE(f.texts(Bob, LabeledField::Phone), QStringList{"333"});
        // An unchanged replace registers nothing either.
        f.panelAnswer = true;
        f.panelText = u"333"_s;
        f.select(rowsOf(f, {Bob}));
        QVERIFY(!f.editing->replaceItem(f.row(Bob), f.column(Field::Phone), ReplaceAlertPanelModel::Type::ReplaceText));
        QCOMPARE(f.undoSteps(), 0);
    }

    void insertItemDefaults_data()
    {
        // text: of the new value
        Test::addColumns<QString, QString, QString>("column", "label", "text");

        const auto row = [](const char* name, const QString& column, const char* label, const char* text) {
            QTest::newRow(name) << column << QString::fromUtf8(label) << QString::fromUtf8(text);
        };
        row("address", Field::Address, "home", "123");
        row("instant message", Field::InstantMessage, "home", "AIM:new");
        row("social network", Field::SocialNetwork, "facebook", "new");
        row("dates", Field::Dates, "anniversary", "2024.03.01(Fri)");
    }
    void insertItemDefaults()
    {
        QFETCH(QString, column);
        QFETCH(QString, label);
        QFETCH(QString, text);
        CellEditingFixture f(bulkColumns);
        f.editing->setToday([] { return QDate(2024, 3, 1); });
        f.select(rowsOf(f, {Alice, Alice + "#1", Bob}));
        const int steps = f.undoSteps();
        QVERIFY(f.editing->insertItem(f.row(Carol), f.column(column)));
        const LabeledField field = *FieldIdentifiers::labeledField(column);
        for (const QString& name : {Bob, Carol}) {
            const LabeledValueSpan values = f.person(name).labeledValues(field);
            QCOMPARE(values.size(), 1);
            QCOMPARE(values.first().label, label);
            QVERIFY2(values.first().stringValue().contains(text), qPrintable(values.first().stringValue()));
        }
        // One new value per contact, however many of its rows are selected.
        QCOMPARE(f.person(Alice).labeledValues(field).size(), column == Field::Address ? 2 : 1);
        QCOMPARE(f.person(Dave).labeledValues(field).size(), 0);
        QCOMPARE(f.undoSteps(), steps + 1);
        QVERIFY(f.panels.isEmpty());
    }

    void insertItemEntered()
    {
        CellEditingFixture f(bulkColumns);
        f.editing->setToday([] { return QDate(2024, 3, 1); });
        // Birthdays: only contacts without one get today's date.
        f.select(rowsOf(f, {Alice, Bob}));
        QVERIFY(f.editing->insertItem(f.row(Bob), f.column(Field::Birthday)));
        QCOMPARE(f.person(Bob).birthdayValue().value, (DateComponents{2024, 3, 1}));
        QCOMPARE(f.person(Alice).birthdayValue().value, (DateComponents{1980, 5, 17}));

        // Typed fields: through the panel, which starts from the clicked cell's label.
        f.select(rowsOf(f, {Alice, Alice + "#1", Bob}));
        f.panelText = u"777"_s;
        QVERIFY(f.editing->insertItem(f.row(Alice, 1), f.column(Field::Phone)));
        QCOMPARE(f.panels.size(), 1);
        QCOMPARE(f.panels.first().type(), ReplaceAlertPanelModel::Type::InsertLabelAndText);
        QCOMPARE(f.panels.first().label(), u"work");
        QVERIFY(f.panels.first().labelPopupEnabled());
        QCOMPARE(f.panels.first().replaceString(), QString());
        QCOMPARE(f.texts(Alice, LabeledField::Phone), (QStringList{"111", "222", "777"}));
        QCOMPARE(f.labels(Alice, LabeledField::Phone).last(), u"work");
        QCOMPARE(f.texts(Bob, LabeledField::Phone), (QStringList{"333", "777"}));

        // An address part becomes a new address holding that part.
        f.select(rowsOf(f, {Bob}));
        f.panelText = u"99999"_s;
        f.panelLabel = u"work"_s;
        QVERIFY(f.editing->insertItem(f.row(Bob), f.column(Field::ZIP)));
        QCOMPARE(f.person(Bob).addressValues().size(), 1);
        QCOMPARE(f.person(Bob).addressValues().first().address.zip(), u"99999");
        QCOMPARE(f.person(Bob).addressValues().first().label, u"work");
    }

    void editTheRegistryFindsEqualLeavesNoStep()
    {
        CellEditingFixture f(bulkColumns);
        // A planned value that differs only in its shown text: the contact would not change.
        CellEdit edit = CellEdit::of(CellEdit::Kind::ReplaceLabeledValue,
                                     f.controller->subContactTable().at(f.row(Alice)).contact, Field::Address);
        edit.value = f.person(Alice).addressValues().first();
        edit.value.setStringValue(u"stale text"_s);
        QVERIFY(CellEdits::changes(edit));
        QVERIFY(!CellEdits::applyInOneStep(f.document.undoRegistry(), {edit}, u"Edit"_s));
        QCOMPARE(f.undoSteps(), 0);
        QVERIFY(!f.document.undoStack()->canUndo());
        QVERIFY(!f.document.isModified());
    }
};

QTEST_GUILESS_MAIN(TestCellEditingBulk)
#include "tst_celleditingbulk.moc"
