// Typing into cells, label pop-ups, which editor a double click opens, keys while editing and the
// results of the field editors.

#include "CellEditingFixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace Quillary;
using namespace Quillary::Test;

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
    void sameValueInSelectedRowsIsOneStep();
    void cancelledConfirmationOpensNothing();
    void unchangedTextRegistersNothing();
    void addressPartEditKeepsTheOtherParts();
    void labelChange_data();
    void labelChange();
    void editorForCell_data();
    void editorForCell();
    void keys_data();
    void keys();
    void returnWithoutAnotherPhoneWrapsToItself();
    void popoverResultAppliesToEveryRememberedRow();
    void popoverListOnlyForItsOwnContact();
    void popoverSingleValueAddsWhereRowHasNone();
    void cleanPopoverChangesNothing();
    void contactDidUpdateKeepsSelection();
};

void TestCellEditingCells::sameValueInSelectedRowsIsOneStep()
{
    CellEditingFixture f(phoneColumns);
    QVERIFY(f.isReady());
    const int phone = f.column(Field::Phone);
    // Carol has no phone: her row is left out of the edit.
    f.select({f.row(Alice), f.row(Bob), f.row(Carol), f.row(Dave)});
    const EditDecision ask = f.editing->tableViewDoubleAction(f.row(Bob), phone, false);
    QCOMPARE(ask.kind, EditDecision::Kind::Confirm);
    QVERIFY(ask.confirmation);
    QCOMPARE(ask.confirmation->messageText(), u"Do you want to set the same value in the selected rows?");
    QCOMPARE(ask.confirmation->informativeText(), u"This operation can be undone.");
    QCOMPARE(ask.confirmation->rows, (QList<int>{f.row(Alice), f.row(Bob), f.row(Dave)}));

    const EditDecision open = f.editing->multiReplaceAlertDidEnd(true, ask.row, ask.column, ask.commandKey);
    QCOMPARE(open.kind, EditDecision::Kind::EditInPlace);
    QCOMPARE(open.row, f.row(Bob));
    const int before = f.undoSteps();
    QVERIFY(f.editing->textFieldCellChanged(open.row, open.column, QStringLiteral("999")));
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

void TestCellEditingCells::cancelledConfirmationOpensNothing()
{
    CellEditingFixture f(phoneColumns);
    QVERIFY(f.isReady());
    f.select({f.row(Bob), f.row(Dave)});
    const EditDecision ask = f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Phone), false);
    QCOMPARE(f.editing->selectedRowIndexes(), (QList<int>{f.row(Bob), f.row(Dave)}));
    QCOMPARE(f.editing->multiReplaceAlertDidEnd(false, ask.row, ask.column, false).kind, EditDecision::Kind::None);
    QVERIFY(!f.editing->hasPendingEdit());
}

void TestCellEditingCells::unchangedTextRegistersNothing()
{
    CellEditingFixture f(phoneColumns);
    QVERIFY(f.isReady());
    QVERIFY(!f.editing->textFieldCellChanged(f.row(Bob), f.column(Field::Phone), QStringLiteral("333")));
    // The same text in several rows that already hold it: still nothing.
    f.select({f.row(Bob), f.row(Dave)});
    f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Phone), false);
    f.editing->multiReplaceAlertDidEnd(true, f.row(Bob), f.column(Field::Phone), false);
    f.editing->textFieldCellChanged(f.row(Dave), f.column(Field::Phone), QStringLiteral("444"));
    QCOMPARE(f.texts(Bob, LabeledField::Phone), QStringList{"444"});
    const int steps = f.undoSteps();
    QVERIFY(!f.editing->textFieldCellChanged(f.row(Bob), f.column(Field::Phone), QStringLiteral("444")));
    QCOMPARE(f.undoSteps(), steps);
}

void TestCellEditingCells::addressPartEditKeepsTheOtherParts()
{
    CellEditingFixture f({Field::Name, Field::ZIP, Field::City});
    QVERIFY(f.isReady());
    QVERIFY(f.editing->textFieldCellChanged(f.row(Alice), f.column(Field::City), QStringLiteral("Shelbyville")));
    const PostalAddress address = f.person(Alice).addressValues().first().address;
    QCOMPARE(address.city(), u"Shelbyville");
    QCOMPARE(address.zip(), u"11111");
    QCOMPARE(address.street(), u"1 Main St");
    QVERIFY(f.person(Alice).addressValues().first().stringValue.contains(u"Shelbyville"));
}

void TestCellEditingCells::labelChange_data()
{
    QTest::addColumn<QList<QString>>("selected"); // contacts whose first row is selected
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<int>("addedSteps");
    QTest::addColumn<QStringList>("bobAndDave"); // labels of Bob's and Dave's phones afterwards

    QTest::newRow("same label: nothing") << QList<QString>{Bob} << "mobile" << true << false << 0
                                         << QStringList{"mobile", "work"};
    QTest::newRow("same label, several selected: nothing")
        << QList<QString>{Bob, Dave} << "mobile" << true << false << 0 << QStringList{"mobile", "work"};
    QTest::newRow("one row") << QList<QString>{Bob} << "home" << true << false << 1 << QStringList{"home", "work"};
    QTest::newRow("edited row not selected")
        << QList<QString>{Dave, Alice} << "home" << true << false << 1 << QStringList{"home", "work"};
    QTest::newRow("selected rows, OK") << QList<QString>{Bob, Dave} << "home" << true << true << 1
                                       << QStringList{"home", "home"};
    QTest::newRow("selected rows, Cancel")
        << QList<QString>{Bob, Dave} << "home" << false << true << 0 << QStringList{"mobile", "work"};
    QTest::newRow("without a phone left out")
        << QList<QString>{Bob, Carol, Dave} << "pager" << true << true << 1 << QStringList{"pager", "pager"};
}

void TestCellEditingCells::labelChange()
{
    QFETCH(QList<QString>, selected);
    QFETCH(QString, label);
    QFETCH(bool, answer);
    QFETCH(bool, asks);
    QFETCH(int, addedSteps);
    QFETCH(QStringList, bobAndDave);
    CellEditingFixture f(phoneColumns);
    QVERIFY(f.isReady());
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
    QCOMPARE(f.labels(Bob, LabeledField::Phone) + f.labels(Dave, LabeledField::Phone), bobAndDave);
    QVERIFY(!f.editing->hasPendingEdit());
    if (asks) // the remembered rows are selected again
        QCOMPARE(f.controller->selectedIndexes(), (QList<int>{f.row(Bob), f.row(Dave)}));
}

void TestCellEditingCells::editorForCell_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<bool>("commandKey");
    QTest::addColumn<EditDecision::Kind>("kind");
    QTest::addColumn<PopoverKind>("popover");

    using K = EditDecision::Kind;
    using P = PopoverKind;
    const P none = P::ContactInfo;
    QTest::newRow("name, edit mode") << Alice << Field::Name << true << false << K::Popover << P::ContactInfo;
    QTest::newRow("phone, edit mode") << Alice << Field::Phone << true << false << K::EditInPlace << none;
    QTest::newRow("phone, edit mode, command") << Alice << Field::Phone << true << true << K::Popover << P::MultiValue;
    QTest::newRow("phone missing, edit mode") << Carol << Field::Phone << true << false << K::Popover << P::MultiValue;
    QTest::newRow("phone, viewing") << Alice << Field::Phone << false << false << K::None << none;
    QTest::newRow("phone, viewing, command") << Alice << Field::Phone << false << true << K::Popover << P::MultiValue;
    QTest::newRow("address, edit mode") << Alice << Field::Address << true << false << K::Popover << P::Address;
    QTest::newRow("address missing") << Bob << Field::Address << true << false << K::Popover << P::MultiValue;
    QTest::newRow("address, viewing, command")
        << Alice << Field::Address << false << true << K::Popover << P::MultiValue;
    QTest::newRow("address missing, viewing") << Bob << Field::Address << false << false << K::None << none;
    QTest::newRow("zip, edit mode") << Alice << Field::ZIP << true << false << K::EditInPlace << none;
    QTest::newRow("zip, viewing, command") << Alice << Field::ZIP << false << true << K::Popover << P::Address;
    QTest::newRow("birthday missing, edit mode") << Bob << Field::Birthday << true << false << K::Popover << P::Date;
    QTest::newRow("birthday, viewing") << Alice << Field::Birthday << false << false << K::Popover << P::Date;
    QTest::newRow("birthday missing, viewing") << Bob << Field::Birthday << false << false << K::None << none;
    QTest::newRow("phonetic, edit mode") << Alice << Field::PhoneticName << true << false << K::Popover
                                         << P::PhoneticName;
    QTest::newRow("empty company, edit mode") << Bob << Field::Company << true << false << K::EditInPlace << none;
    QTest::newRow("company, viewing, command") << Alice << Field::Company << false << true << K::None << none;
    QTest::newRow("company, continuation row")
        << "Alice Archer#1" << Field::Company << true << false << K::None << none;
}

void TestCellEditingCells::editorForCell()
{
    QFETCH(QString, name);
    QFETCH(QString, column);
    QFETCH(bool, editMode);
    QFETCH(bool, commandKey);
    QFETCH(EditDecision::Kind, kind);
    QFETCH(PopoverKind, popover);
    CellEditingFixture f(popoverColumns);
    QVERIFY(f.isReady());
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

void TestCellEditingCells::keys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("column");
    QTest::addColumn<EditKey>("key");
    QTest::addColumn<bool>("consumed");
    QTest::addColumn<EditDecision::Kind>("kind");
    QTest::addColumn<QString>("targetName"); // the row edited next
    QTest::addColumn<int>("targetIndex");
    QTest::addColumn<QString>("targetColumn");

    using K = EditDecision::Kind;
    QTest::newRow("return: next phone") << Alice << 0 << Field::Phone << EditKey::Return << true << K::EditInPlace
                                        << Alice << 1 << Field::Phone;
    QTest::newRow("return skips a row without phone")
        << Bob << 0 << Field::Phone << EditKey::Return << true << K::EditInPlace << Dave << 0 << Field::Phone;
    QTest::newRow("return on the last phone row wraps")
        << Dave << 0 << Field::Phone << EditKey::Return << true << K::EditInPlace << Alice << 0 << Field::Phone;
    QTest::newRow("return: next company row")
        << Alice << 0 << Field::Company << EditKey::Return << true << K::EditInPlace << Bob << 0 << Field::Company;
    QTest::newRow("return in name") << Alice << 0 << Field::Name << EditKey::Return << false << K::None << QString()
                                    << 0 << QString();
    QTest::newRow("return in birthday") << Bob << 0 << Field::Birthday << EditKey::Return << true << K::Popover << Carol
                                        << 0 << Field::Birthday;
    QTest::newRow("tab: next column") << Alice << 0 << Field::Phone << EditKey::Tab << true << K::EditInPlace << Alice
                                      << 0 << Field::Email;
    QTest::newRow("tab past the last column")
        << Alice << 0 << Field::Company << EditKey::Tab << true << K::EditInPlace << Alice << 1 << Field::Phone;
    QTest::newRow("tab past the last row")
        << Dave << 0 << Field::Company << EditKey::Tab << true << K::EditInPlace << Alice << 0 << Field::Phone;
    QTest::newRow("shift-tab from column 1")
        << Bob << 0 << Field::Phone << EditKey::Backtab << true << K::EditInPlace << Alice << 1 << Field::Company;
    QTest::newRow("shift-tab before the first row")
        << Alice << 0 << Field::Phone << EditKey::Backtab << true << K::EditInPlace << Dave << 0 << Field::Company;
    QTest::newRow("tab into birthday") << Alice << 0 << Field::Email << EditKey::Tab << false << K::None << QString()
                                       << 0 << QString();
    QTest::newRow("escape") << Alice << 0 << Field::Phone << EditKey::Escape << false << K::None << QString() << 0
                            << QString();
}

void TestCellEditingCells::keys()
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
    QVERIFY(f.isReady());
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

void TestCellEditingCells::returnWithoutAnotherPhoneWrapsToItself()
{
    CellEditingFixture f(phoneColumns);
    QVERIFY(f.isReady());
    // Only Bob keeps a phone: the search comes round to his row again.
    for (const QString& name : {Alice, Dave})
        f.person(name).setLabeledValues(LabeledField::Phone, {});
    f.controller->updateTable();
    const EditDecision decision = f.editing->doCommandBySelector(f.row(Bob), f.column(Field::Phone), EditKey::Return);
    QCOMPARE(decision.kind, EditDecision::Kind::EditInPlace);
    QCOMPARE(decision.row, f.row(Bob));
    // With no phone at all the key is not consumed.
    f.person(Bob).setLabeledValues(LabeledField::Phone, {});
    f.controller->updateTable();
    QVERIFY(!f.editing->doCommandBySelector(f.row(Bob), f.column(Field::Phone), EditKey::Return).consumed);
}

void TestCellEditingCells::popoverResultAppliesToEveryRememberedRow()
{
    CellEditingFixture f(popoverColumns);
    QVERIFY(f.isReady());
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

void TestCellEditingCells::popoverListOnlyForItsOwnContact()
{
    CellEditingFixture f(popoverColumns);
    QVERIFY(f.isReady());
    f.select({f.row(Bob), f.row(Dave)});
    const EditDecision ask = f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Phone), true);
    EditDecision open = f.editing->multiReplaceAlertDidEnd(true, ask.row, ask.column, true);
    QCOMPARE(open.popover, PopoverKind::MultiValue);
    LabeledValueList list = f.person(Bob).phoneValues();
    LabeledValue added;
    added.label = QStringLiteral("work");
    added.labelIndex = 5;
    added.value = added.stringValue = QStringLiteral("555");
    list.append(added);
    open.context.dirty = true;
    open.context.value = list;
    QVERIFY(f.editing->popoverDidClose(open.context));
    QCOMPARE(f.texts(Bob, LabeledField::Phone), (QStringList{"333", "555"}));
    QCOMPARE(f.texts(Dave, LabeledField::Phone), QStringList{"444"});
}

void TestCellEditingCells::popoverSingleValueAddsWhereRowHasNone()
{
    CellEditingFixture f(popoverColumns);
    QVERIFY(f.isReady());
    f.select({f.row(Bob)});
    EditDecision open = f.editing->tableViewDoubleAction(f.row(Bob), f.column(Field::Address), false);
    QCOMPARE(open.popover, PopoverKind::MultiValue);
    QCOMPARE(open.context.labelIndex, -1);
    LabeledValue address;
    address.label = QStringLiteral("work");
    address.address.setCity(QStringLiteral("Ogdenville"));
    open.context.dirty = true;
    open.context.value = address;
    QVERIFY(f.editing->popoverDidClose(open.context));
    QCOMPARE(f.person(Bob).addressValues().size(), 1);
    QCOMPARE(f.person(Bob).addressValues().first().address.city(), u"Ogdenville");
}

void TestCellEditingCells::cleanPopoverChangesNothing()
{
    CellEditingFixture f(popoverColumns);
    QVERIFY(f.isReady());
    EditDecision open = f.editing->tableViewDoubleAction(f.row(Alice), f.column(Field::PhoneticName), false);
    QCOMPARE(open.popover, PopoverKind::PhoneticName);
    open.context.value = PhoneticNameValue{QStringLiteral("X"), {}, {}, {}};
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

void TestCellEditingCells::contactDidUpdateKeepsSelection()
{
    CellEditingFixture f(phoneColumns);
    QVERIFY(f.isReady());
    f.select({f.row(Alice, 1)});
    QSignalSpy edited(f.editing.get(), &CellEditing::windowEdited);
    // Renamed elsewhere: the contact moves to the end of the name order, its value stays selected.
    const ContactEntryPtr contact = f.controller->subContactTable().at(f.row(Alice, 1)).contact;
    NameValue name = f.person(Alice).nameValue();
    name.firstName = QStringLiteral("Zoe");
    f.person(Alice).setValue(name, Field::Name);
    f.editing->contactDidUpdate(contact);
    QCOMPARE(edited.count(), 1);
    const QString renamed = f.person(QStringLiteral("Zoe Archer")).compositeName();
    QCOMPARE(f.controller->selectedIndexes(), QList<int>{f.row(renamed, 1)});
}

QTEST_GUILESS_MAIN(TestCellEditingCells)
#include "tst_celleditingcells.moc"
