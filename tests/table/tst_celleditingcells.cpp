// Typing into cells, label pop-ups, which editor a double click opens, keys while editing and the
// results of the field editors.

#include "CellEditingFixture.h"
#include "TestSupport.h"

#include <QTest>

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Quillary::EditDecision::Kind)
Q_DECLARE_METATYPE(Quillary::PopoverKind)
Q_DECLARE_METATYPE(Quillary::EditKey)

namespace {

const QStringList phoneColumns{Field::Name, Field::Phone, Field::Email};
const QStringList popoverColumns{Field::Name,     Field::Phone,   Field::Address,      Field::ZIP,
                                 Field::Birthday, Field::Company, Field::PhoneticName, Field::InstantMessage};

} // namespace

class TestCellEditingCells : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameValueInSelectedRowsIsOneStep()
    {
        CellEditingFixture f(phoneColumns);
        const int phone = f.column(Field::Phone);
        // Carol has no phone: her row is left out of the edit.
        f.select({f.row(Alice), f.row(Bob), f.row(Carol), f.row(Dave)});
        const EditDecision ask = f.editing->tableViewDoubleAction(f.row(Bob), phone, false);
        QCOMPARE(ask.kind, EditDecision::Kind::Confirm);
        QVERIFY(ask.confirmation);
        QCOMPARE(ask.confirmation->rows, (QList<int>{f.row(Alice), f.row(Bob), f.row(Dave)}));

        const EditDecision open = f.editing->multiReplaceAlertDidEnd(true, ask.row, ask.column, ask.commandKey);
        QCOMPARE(open.kind, EditDecision::Kind::EditInPlace);
        QCOMPARE(open.row, f.row(Bob));
        const int before = f.undoSteps();
        QVERIFY(f.editing->textFieldCellChanged(open.row, open.column, u"999"_s));
        QCOMPARE(f.texts(Alice, LabeledField::Phone), (QStringList{"999", "222"}));
        QCOMPARE(f.texts(Bob, LabeledField::Phone), QStringList{"999"});
        QCOMPARE(f.texts(Dave, LabeledField::Phone), QStringList{"999"});
        QVERIFY(f.texts(Carol, LabeledField::Phone).isEmpty());
        QCOMPARE(f.undoSteps(), before + 1);
        QVERIFY(!f.editing->hasPendingEdit());

        f.document.undoStack()->undo();
        QCOMPARE(f.texts(Alice, LabeledField::Phone), (QStringList{"111", "222"}));
        QCOMPARE(f.texts(Bob, LabeledField::Phone), QStringList{"333"});
        QCOMPARE(f.texts(Dave, LabeledField::Phone), QStringList{"444"});
    }

    void cancelledConfirmationOpensNothing()
    {
        CellEditingFixture f(phoneColumns);
        f.select({f.row(Bob), f.row(Dave)});
        const EditDecision ask = f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Phone), false);
        QCOMPARE(f.editing->selectedRowIndexes(), (QList<int>{f.row(Bob), f.row(Dave)}));
        QCOMPARE(f.editing->multiReplaceAlertDidEnd(false, ask.row, ask.column, false).kind, EditDecision::Kind::None);
        QVERIFY(!f.editing->hasPendingEdit());
    }

    void unchangedTextRegistersNothing()
    {
        CellEditingFixture f(phoneColumns);
        QVERIFY(!f.editing->textFieldCellChanged(f.row(Bob), f.column(Field::Phone), u"333"_s));
        // The same text in several rows that already hold it: still nothing.
        f.select({f.row(Bob), f.row(Dave)});
        f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Phone), false);
        f.editing->multiReplaceAlertDidEnd(true, f.row(Bob), f.column(Field::Phone), false);
        f.editing->textFieldCellChanged(f.row(Dave), f.column(Field::Phone), u"444"_s);
        QCOMPARE(f.texts(Bob, LabeledField::Phone), QStringList{"444"});
        const int steps = f.undoSteps();
        QVERIFY(!f.editing->textFieldCellChanged(f.row(Bob), f.column(Field::Phone), u"444"_s));
        QCOMPARE(f.undoSteps(), steps);
    }

    void addressPartEditKeepsTheOtherParts()
    {
        CellEditingFixture f({Field::Name, Field::ZIP, Field::City});
        QVERIFY(f.editing->textFieldCellChanged(f.row(Alice), f.column(Field::City), u"Shelbyville"_s));
        const PostalAddress address = f.person(Alice).addressValues().first().address;
        QCOMPARE(address.city(), u"Shelbyville");
        QCOMPARE(address.zip(), u"11111");
        QCOMPARE(address.street(), u"1 Main St");
        QVERIFY(f.person(Alice).addressValues().first().stringValue().contains(u"Shelbyville"));
    }

    void labelChange_data()
    {
        // selected: contacts whose first row is selected
        // bobAndDave: labels of Bob's and Dave's phones afterwards
        Test::addColumns<QList<QString>, QString, bool, bool, int, QStringList>("selected", "label", "answer", "asks",
                                                                                "addedSteps", "bobAndDave");

        const auto row = [](const char* name, const QList<QString>& selected, const char* label, bool answer, bool asks,
                            int steps, const QStringList& bobAndDave) {
            QTest::newRow(name) << selected << QString::fromLatin1(label) << answer << asks << steps << bobAndDave;
        };
        row("same label: nothing", {Bob}, "mobile", true, false, 0, {"mobile", "work"});
        row("same label, several selected: nothing", {Bob, Dave}, "mobile", true, false, 0, {"mobile", "work"});
        row("one row", {Bob}, "home", true, false, 1, {"home", "work"});
        row("edited row not selected", {Dave, Alice}, "home", true, false, 1, {"home", "work"});
        row("selected rows, OK", {Bob, Dave}, "home", true, true, 1, {"home", "home"});
        row("selected rows, Cancel", {Bob, Dave}, "home", false, true, 0, {"mobile", "work"});
        row("without a phone left out", {Bob, Carol, Dave}, "pager", true, true, 1, {"pager", "pager"});
    }
    void labelChange()
    {
        QFETCH(QList<QString>, selected);
        QFETCH(QString, label);
        QFETCH(bool, answer);
        QFETCH(bool, asks);
        QFETCH(int, addedSteps);
        CellEditingFixture f(phoneColumns);
        QList<int> rows;
        for (const QString& name : selected)
            rows.append(f.row(name));
        f.select(rows);
        f.answer = answer;
        const int steps = f.undoSteps();
        f.editing->popupLabelCellChanged(f.row(Bob), f.column(Field::Phone), label);
        QCOMPARE(f.asked.size(), asks ? 1 : 0);
        if (asks)
            QCOMPARE(f.asked.first().messageText(), u"Do you want to set the same label in the selected rows?");
        QCOMPARE(f.undoSteps(), steps + addedSteps);
        QTEST(f.labels(Bob, LabeledField::Phone) + f.labels(Dave, LabeledField::Phone), "bobAndDave");
        QVERIFY(!f.editing->hasPendingEdit());
        if (asks) // the remembered rows are selected again
            QCOMPARE(f.controller->selectedIndexes(), (QList<int>{f.row(Bob), f.row(Dave)}));
    }

    void editorForCell_data()
    {
        Test::addColumns<QString, QString, bool, bool, EditDecision::Kind, PopoverKind>(
            "name", "column", "editMode", "commandKey", "kind", "popover");

        using K = EditDecision::Kind;
        using P = PopoverKind;
        const P none = P::ContactInfo;
        QTest::newRow("name, edit mode") << Alice << Field::Name << true << false << K::Popover << P::ContactInfo;
        QTest::newRow("phone, edit mode") << Alice << Field::Phone << true << false << K::EditInPlace << none;
        QTest::newRow("phone, edit mode, command")
            << Alice << Field::Phone << true << true << K::Popover << P::MultiValue;
        QTest::newRow("phone missing, edit mode")
            << Carol << Field::Phone << true << false << K::Popover << P::MultiValue;
        QTest::newRow("phone, viewing") << Alice << Field::Phone << false << false << K::None << none;
        QTest::newRow("phone, viewing, command")
            << Alice << Field::Phone << false << true << K::Popover << P::MultiValue;
        QTest::newRow("address, edit mode") << Alice << Field::Address << true << false << K::Popover << P::Address;
        QTest::newRow("address missing") << Bob << Field::Address << true << false << K::Popover << P::MultiValue;
        QTest::newRow("address, viewing, command")
            << Alice << Field::Address << false << true << K::Popover << P::MultiValue;
        QTest::newRow("address missing, viewing") << Bob << Field::Address << false << false << K::None << none;
        QTest::newRow("zip, edit mode") << Alice << Field::ZIP << true << false << K::EditInPlace << none;
        QTest::newRow("zip, viewing, command") << Alice << Field::ZIP << false << true << K::Popover << P::Address;
        QTest::newRow("birthday missing, edit mode")
            << Bob << Field::Birthday << true << false << K::Popover << P::Date;
        QTest::newRow("birthday, viewing") << Alice << Field::Birthday << false << false << K::Popover << P::Date;
        QTest::newRow("birthday missing, viewing") << Bob << Field::Birthday << false << false << K::None << none;
        QTest::newRow("phonetic, edit mode")
            << Alice << Field::PhoneticName << true << false << K::Popover << P::PhoneticName;
        QTest::newRow("empty company, edit mode") << Bob << Field::Company << true << false << K::EditInPlace << none;
        QTest::newRow("company, viewing, command") << Alice << Field::Company << false << true << K::None << none;
        QTest::newRow("company, continuation row")
            << "Alice Archer#1" << Field::Company << true << false << K::None << none;
    }
    void editorForCell()
    {
        QFETCH(QString, name);
        QFETCH(QString, column);
        QFETCH(bool, editMode);
        QFETCH(bool, commandKey);
        QFETCH(EditDecision::Kind, kind);
        QFETCH(PopoverKind, popover);
        CellEditingFixture f(popoverColumns);
        f.controller->setEditState(editMode);
        const int row = name.endsWith(u"#1") ? f.row(name.chopped(2), 1) : f.row(name);
        f.select({row});
        const EditDecision decision = f.editing->tableViewDoubleAction(row, f.column(column), commandKey);
        QCOMPARE(decision.kind, kind);
        if (kind == EditDecision::Kind::Popover) {
            QCOMPARE(decision.popover, popover);
            QCOMPARE(decision.context.contact, f.controller->subContactTable().at(row).contact);
            QCOMPARE(decision.context.type, TableCells::fieldOfColumn(column));
            QCOMPARE(f.editing->selectedRowIndexes(), QList<int>{row});
        }
        if (kind != EditDecision::Kind::None) {
            QCOMPARE(decision.row, row);
            QCOMPARE(decision.column, f.column(column));
        } else {
            QVERIFY(!f.editing->hasPendingEdit());
        }
    }

    void keys_data()
    {
        // targetName: the row edited next
        Test::addColumns<QString, int, QString, EditKey, bool, EditDecision::Kind, QString, int, QString>(
            "name", "index", "column", "key", "consumed", "kind", "targetName", "targetIndex", "targetColumn");

        using K = EditDecision::Kind;
        const auto row = [](const char* name, const QString& from, const QString& column, EditKey key, bool consumed,
                            K kind, const QString& to = {}, int index = 0, const QString& toColumn = {}) {
            QTest::newRow(name) << from << 0 << column << key << consumed << kind << to << index << toColumn;
        };
        row("return: next phone", Alice, Field::Phone, EditKey::Return, true, K::EditInPlace, Alice, 1, Field::Phone);
        row("return skips a row without phone", Bob, Field::Phone, EditKey::Return, true, K::EditInPlace, Dave, 0,
            Field::Phone);
        row("return on the last phone row wraps", Dave, Field::Phone, EditKey::Return, true, K::EditInPlace, Alice, 0,
            Field::Phone);
        row("return: next company row", Alice, Field::Company, EditKey::Return, true, K::EditInPlace, Bob, 0,
            Field::Company);
        row("return in name", Alice, Field::Name, EditKey::Return, false, K::None);
        row("return in birthday", Bob, Field::Birthday, EditKey::Return, true, K::Popover, Carol, 0, Field::Birthday);
        row("tab: next column", Alice, Field::Phone, EditKey::Tab, true, K::EditInPlace, Alice, 0, Field::Email);
        row("tab past the last column", Alice, Field::Company, EditKey::Tab, true, K::EditInPlace, Alice, 1,
            Field::Phone);
        row("tab past the last row", Dave, Field::Company, EditKey::Tab, true, K::EditInPlace, Alice, 0, Field::Phone);
        row("shift-tab from column 1", Bob, Field::Phone, EditKey::Backtab, true, K::EditInPlace, Alice, 1,
            Field::Company);
        row("shift-tab before the first row", Alice, Field::Phone, EditKey::Backtab, true, K::EditInPlace, Dave, 0,
            Field::Company);
        row("tab into birthday", Alice, Field::Email, EditKey::Tab, false, K::None);
        row("escape", Alice, Field::Phone, EditKey::Escape, false, K::None);
    }
    void keys()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, column);
        QFETCH(EditKey, key);
        QFETCH(bool, consumed);
        QFETCH(EditDecision::Kind, kind);
        QFETCH(QString, targetName);
        QFETCH(int, targetIndex);
        QFETCH(QString, targetColumn);
        CellEditingFixture f({Field::Name, Field::Phone, Field::Email, Field::Birthday, Field::Company});
        const EditDecision decision = f.editing->doCommandBySelector(f.row(name, index), f.column(column), key);
        QCOMPARE(decision.consumed, consumed);
        QCOMPARE(decision.kind, kind);
        if (kind != EditDecision::Kind::None) {
            QCOMPARE(decision.row, f.row(targetName, targetIndex));
            QCOMPARE(decision.column, f.column(targetColumn));
            QCOMPARE(decision.selectRow, decision.row);
        }
        // Outside edit mode keys are the text field's own.
        f.controller->setEditState(false);
        QVERIFY(!f.editing->doCommandBySelector(f.row(name, index), f.column(column), key).consumed);
    }

    void returnWithoutAnotherPhoneWrapsToItself()
    {
        CellEditingFixture f(phoneColumns);
        // Only Bob keeps a phone: the search comes round to his row again.
        for (const QString& name : {Alice, Dave})
            f.person(name).setLabeledValues(LabeledField::Phone, {});
        f.controller->updateTable();
        const EditDecision decision =
            f.editing->doCommandBySelector(f.row(Bob), f.column(Field::Phone), EditKey::Return);
        QCOMPARE(decision.kind, EditDecision::Kind::EditInPlace);
        QCOMPARE(decision.row, f.row(Bob));
        // With no phone at all the key is not consumed.
        f.person(Bob).setLabeledValues(LabeledField::Phone, {});
        f.controller->updateTable();
        QVERIFY(!f.editing->doCommandBySelector(f.row(Bob), f.column(Field::Phone), EditKey::Return).consumed);
    }

    void popoverResultAppliesToEveryRememberedRow()
    {
        CellEditingFixture f(popoverColumns);
        f.select({f.row(Alice), f.row(Bob), f.row(Dave)}); // Bob has no birthday
        const EditDecision ask = f.editing->tableViewDoubleAction(f.row(Dave), f.column(Field::Birthday), false);
        QCOMPARE(ask.kind, EditDecision::Kind::Confirm);
        QCOMPARE(ask.confirmation->rows, (QList<int>{f.row(Alice), f.row(Dave)}));
        EditDecision open = f.editing->multiReplaceAlertDidEnd(true, ask.row, ask.column, false);
        QCOMPARE(open.kind, EditDecision::Kind::Popover);
        QCOMPARE(open.popover, PopoverKind::Date);
        QVERIFY(open.context.editEnabled);

        open.context.dirty = true;
        open.context.value = BirthdayValue{DateComponents{2000, 2, 29}, {}};
        const int steps = f.undoSteps();
        QVERIFY(f.editing->popoverDidClose(open.context));
        QCOMPARE(f.person(Alice).birthdayValue().value, (DateComponents{2000, 2, 29}));
        QCOMPARE(f.person(Dave).birthdayValue().value, (DateComponents{2000, 2, 29}));
        QVERIFY(!f.person(Bob).birthdayValue().hasValue());
        QCOMPARE(f.undoSteps(), steps + 1);
        QVERIFY(!f.editing->hasPendingEdit());
        f.document.undoStack()->undo();
        QCOMPARE(f.person(Alice).birthdayValue().value, (DateComponents{1980, 5, 17}));
        QCOMPARE(f.person(Dave).birthdayValue().value, (DateComponents{1975, 1, 2}));
    }

    void popoverListOnlyForItsOwnContact()
    {
        CellEditingFixture f(popoverColumns);
        f.select({f.row(Bob), f.row(Dave)});
        const EditDecision ask = f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Phone), true);
        EditDecision open = f.editing->multiReplaceAlertDidEnd(true, ask.row, ask.column, true);
        QCOMPARE(open.popover, PopoverKind::MultiValue);
        LabeledValueList list = f.person(Bob).phoneValues().toList();
        LabeledValue added;
        added.label = u"work"_s;
        added.labelIndex = 5;
        added.value = u"555"_s;
        list.append(added);
        open.context.dirty = true;
        open.context.value = list;
        QVERIFY(f.editing->popoverDidClose(open.context));
        QCOMPARE(f.texts(Bob, LabeledField::Phone), (QStringList{"333", "555"}));
        QCOMPARE(f.texts(Dave, LabeledField::Phone), QStringList{"444"});
    }

    void popoverSingleValueAddsWhereRowHasNone()
    {
        CellEditingFixture f(popoverColumns);
        f.select({f.row(Bob)});
        EditDecision open = f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Address), false);
        QCOMPARE(open.popover, PopoverKind::MultiValue);
        QCOMPARE(open.context.labelIndex, -1);
        LabeledValue address;
        address.label = u"work"_s;
        address.address.setCity(u"Ogdenville"_s);
        open.context.dirty = true;
        open.context.value = address;
        QVERIFY(f.editing->popoverDidClose(open.context));
        QCOMPARE(f.person(Bob).addressValues().size(), 1);
        QCOMPARE(f.person(Bob).addressValues().first().address.city(), u"Ogdenville");
    }

    void popoverStartsAtTheValueOfItsRow_data()
    {
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<bool>("descending");
        QTest::newRow("label filter") << QStringList{QStringLiteral("work")} << false;
        QTest::newRow("sorted by phone") << QStringList() << true;
    }

    void popoverStartsAtTheValueOfItsRow()
    {
        QFETCH(QStringList, labels);
        QFETCH(bool, descending);
        CellEditingFixture f(popoverColumns);
        if (!labels.isEmpty())
            f.controller->setSelectedLabels(labels);
        if (descending)
            f.controller->sortDescriptorsDidChange({Field::Phone, false});
        // Alice's first row shows her work phone, the second of her list.
        const int row = f.row(Alice);
        f.select({row});
        EditDecision open = f.editing->tableViewDoubleAction(row, f.column(Field::Phone), true);
        QCOMPARE(open.popover, PopoverKind::MultiValue);
        QCOMPARE(open.context.index, 1);
        // The list edited there is given to that row's contact.
        LabeledValueList list = f.person(Alice).phoneValues().toList();
        list[1].value = QStringLiteral("223");
        open.context.dirty = true;
        open.context.value = list;
        QVERIFY(f.editing->popoverDidClose(open.context));
        QCOMPARE(f.texts(Alice, LabeledField::Phone), (QStringList{"111", "223"}));
    }

    void cleanPopoverChangesNothing()
    {
        CellEditingFixture f(popoverColumns);
        EditDecision open = f.editing->tableViewDoubleAction(f.row(Alice), f.column(Field::PhoneticName), false);
        QCOMPARE(open.popover, PopoverKind::PhoneticName);
        open.context.value = PhoneticNameValue{u"X"_s, {}, {}, {}};
        const int steps = f.undoSteps();
        QVERIFY(!f.editing->popoverDidClose(open.context)); // not dirty
        QCOMPARE(f.undoSteps(), steps);
        QVERIFY(!f.editing->hasPendingEdit());
        // Dirty, but the same value: still no step.
        open = f.editing->tableViewDoubleAction(f.row(Alice), f.column(Field::PhoneticName), false);
        open.context.dirty = true;
        open.context.value = f.person(Alice).phoneticNameValue();
        QVERIFY(!f.editing->popoverDidClose(open.context));
        QCOMPARE(f.undoSteps(), steps);
    }
};

QTEST_GUILESS_MAIN(TestCellEditingCells)
#include "tst_celleditingcells.moc"
