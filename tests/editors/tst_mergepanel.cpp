#include "TestSupport.h"
#include "documents/UndoRegistry.h"
#include "editors/MergePanelModel.h"
#include "editors/MergeSideModel.h"
#include "table/CellEditTypes.h"

#include <QMimeData>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;
using Side = MergePanelModel::Side;

namespace {

ContactEntryPtr person(const QString& first, const QStringList& phones, const DateComponents& birthday = {})
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = first;
    name.lastName = u"Smith"_s;
    person->setValue(name, Field::Name);
    LabeledValueList list;
    for (const QString& phone : phones) {
        list.append(LabeledValue::withText(u"home"_s, phone));
        list.last().labelIndex = int(list.size() - 1);
    }
    person->replaceLabeledValue(list, Field::Phone);
    if (birthday.isValid())
        person->setBirthdayValue(BirthdayValue{birthday, {}});
    return ContactEntry::make(person);
}

/// The rows of a side that show a field.
QList<int> rowsOf(const MergePanelModel& panel, Side side, const QString& type)
{
    QList<int> rows;
    for (int row = 0; row < panel.rows(side).size(); ++row) {
        if (panel.rows(side).at(row).type == type)
            rows.append(row);
    }
    return rows;
}

QStringList phonesOf(const ContactEntryPtr& contact)
{
    QStringList phones;
    for (const LabeledValue& phone : contact->person->phoneValues())
        phones.append(phone.value);
    return phones;
}

struct MergeFixture
{
    MergeFixture() { panel.setContacts({left, right}, true); }
    ContactEntryPtr left = person(u"Anna"_s, {"111", "222", "333"}, DateComponents{1980, 5, 17});
    ContactEntryPtr right = person(u"Ann"_s, {"999"});
    MergePanelModel panel;
};

} // namespace

class TestMergePanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsLineUp()
    {
        MergeFixture fixture;
        const MergePanelModel& panel = fixture.panel;
        QCOMPARE(panel.rows(Side::Left).size(), panel.rows(Side::Right).size());
        const QList<int> phones = rowsOf(panel, Side::Right, Field::Phone);
        QCOMPARE(phones, rowsOf(panel, Side::Left, Field::Phone));
        QList<qsizetype> counts;
        for (const int row : phones)
            counts.append(panel.rows(Side::Right).at(row).valueCount);
        QCOMPARE(counts, (QList<qsizetype>{1, 0, -1}));
        QCOMPARE(panel.valueCount(Field::Phone), 3);
        QCOMPARE(rowsOf(panel, Side::Left, Field::Email).size(), 1); // a field nobody has takes one row
    }

    void dropsFollowTheRules_data()
    {
        // targetPhone: position among the right side's phone rows
        Test::addColumns<int, bool, bool, QStringList, QStringList>("targetPhone", "above", "copy", "leftPhones",
                                                                    "rightPhones");
        QTest::newRow("move onto the first filler row adds")
            << 1 << false << false << QStringList{"111", "333"} << QStringList{"999", "222"};
        QTest::newRow("copy onto a real row replaces")
            << 0 << false << true << QStringList{"111", "222", "333"} << QStringList{"222"};
        QTest::newRow("move above a real row adds")
            << 0 << true << false << QStringList{"111", "333"} << QStringList{"999", "222"};
        QTest::newRow("second filler row refuses")
            << 2 << false << false << QStringList{"111", "222", "333"} << QStringList{"999"};
    }
    void dropsFollowTheRules()
    {
        MergeFixture fixture;
        QFETCH(int, targetPhone);
        const int source = rowsOf(fixture.panel, Side::Left, Field::Phone).at(1);
        const int target = rowsOf(fixture.panel, Side::Right, Field::Phone).at(targetPhone);
        QFETCH(bool, above);
        QFETCH(bool, copy);
        const bool accepted = fixture.panel.drop(Side::Left, source, target, above, copy);
        QCOMPARE(accepted, targetPhone != 2);
        QTEST(phonesOf(fixture.panel.copy(Side::Left)), "leftPhones");
        QTEST(phonesOf(fixture.panel.copy(Side::Right)), "rightPhones");
        QCOMPARE(phonesOf(fixture.left), (QStringList{"111", "222", "333"})); // the collection waits for Done
        const int birthday = rowsOf(fixture.panel, Side::Right, Field::Birthday).first();
        QVERIFY(!fixture.panel.canDrop(Side::Left, source, birthday, false)); // a row of another field
    }

    void birthdayMovesThenEverythingUndoes()
    {
        MergeFixture fixture;
        MergePanelModel& panel = fixture.panel;
        const int birthday = rowsOf(panel, Side::Left, Field::Birthday).first();
        QVERIFY(!panel.isDoneEnabled());
        QVERIFY(panel.drop(Side::Left, birthday, birthday, false, false));
        QVERIFY(!panel.copy(Side::Left)->person->birthdayValue().hasValue());
        QCOMPARE(panel.copy(Side::Right)->person->birthdayValue().value, (DateComponents{1980, 5, 17}));
        QCOMPARE(panel.changeCount(), 1);
        // Dragging the now empty birthday back would only erase the other one.
        QVERIFY(!panel.canDrop(Side::Left, birthday, birthday, false));

        const int first = rowsOf(panel, Side::Left, Field::Name).first();
        QVERIFY(panel.drop(Side::Right, first, first, false, true)); // a copy leaves the source as it was
        QCOMPARE(panel.copy(Side::Left)->person->nameValue().firstName, u"Ann"_s);
        QCOMPARE(panel.copy(Side::Right)->person->nameValue().firstName, u"Ann"_s);
        QCOMPARE(panel.changeCount(), 2);
        panel.setEditState(false);
        QVERIFY(panel.editState()); // changes keep editing on
        QCOMPARE(panel.result().size(), 2);

        panel.undoStack()->undo();
        panel.undoStack()->undo();
        QCOMPARE(panel.changeCount(), 0);
        QVERIFY(!panel.isDoneEnabled());
        QVERIFY(panel.result().isEmpty());
        QCOMPARE(panel.copy(Side::Left)->person->birthdayValue().value, (DateComponents{1980, 5, 17}));
    }

    void editsInPlace_data()
    {
        // offset: the row within the field's rows
        // label: the label menu rather than the text
        Test::addColumns<QString, int, bool, QString, QString>("type", "offset", "label", "text", "expected");
        const auto row = [](const char* name, const char* type, int offset, bool label, const char* text,
                            const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(type) << offset << label << QString::fromUtf8(text)
                                << QString::fromUtf8(expected);
        };
        row("name part", "Name", 2, false, "Smyth", "Ann Smyth");
        row("string field", "Company", 0, false, "Acme", "Ann Smith; Acme");
        row("phone text", "Phone", 0, false, "998", "Ann Smith; 998 home");
        row("phone label", "Phone", 0, true, "work", "Ann Smith; 999 work");
        row("name ordering", "Name Ordering", 0, true, "Last Name First", "Smith Ann");
        row("shown as a company", "Name Display", 0, true, "Company", "");
    }
    void editsInPlace()
    {
        MergeFixture fixture;
        MergePanelModel& panel = fixture.panel;
        QFETCH(QString, type);
        QFETCH(int, offset);
        QFETCH(bool, label);
        QFETCH(QString, text);
        const int row = rowsOf(panel, Side::Right, type).at(offset);
        QVERIFY(label ? panel.setLabel(Side::Right, row, text) : panel.setText(Side::Right, row, text));
        QVERIFY(!(label ? panel.setLabel(Side::Right, row, text) : panel.setText(Side::Right, row, text)));
        const PersonDsc& person = *panel.copy(Side::Right)->person;
        QStringList shown{person.compositeName()};
        shown.append(person.stringValueForIdentifier(Field::Company));
        for (const LabeledValue& phone : person.phoneValues())
            shown.append(phone.value + u' ' + phone.label);
        shown.removeAll(QString());
        shown.removeAll(u"999 home"_s); // the phone as it was
        QTEST(shown.join(u"; "_s), "expected");
        QCOMPARE(panel.changeCount(), 1);
        QCOMPARE(phonesOf(fixture.right), QStringList{"999"});
    }

    void refusedDrops()
    {
        MergeFixture fixture;
        MergePanelModel& panel = fixture.panel;
        const QList<int> phones = rowsOf(panel, Side::Right, Field::Phone);
        QVERIFY(!panel.drop(Side::Right, phones.at(1), phones.at(1), false, false)); // a filler row has nothing
        const int birthday = rowsOf(panel, Side::Right, Field::Birthday).first();
        QVERIFY(!panel.drop(Side::Right, birthday, birthday, false, true)); // nor has an empty birthday
        const int last = rowsOf(panel, Side::Left, Field::Name).at(2);
        QVERIFY(!panel.drop(Side::Left, last, last, false, true)); // both are Smith: a copy changes nothing
        QCOMPARE(panel.changeCount(), 0);
        QCOMPARE(panel.undoStack()->count(), 0);
        panel.setEditState(false);
        QVERIFY(!panel.drop(Side::Left, phones.first(), phones.first(), false, false));
        QCOMPARE(panel.doneTitle(), u"Done"_s);
        QVERIFY(panel.isDoneEnabled());
    }

    void editorsChangeTheCopiesOnly()
    {
        MergeFixture fixture;
        MergePanelModel& panel = fixture.panel;
        const int address = rowsOf(panel, Side::Right, Field::Address).first();
        EditorContext context = panel.editorContext(Side::Right, address);
        QCOMPARE(context.contact, panel.copy(Side::Right));
        QCOMPARE(context.labelIndex, -1); // a filler row: the editor adds a value
        context.dirty = true;
        LabeledValue value;
        value.label = u"home"_s;
        value.address.setCity(u"Osaka"_s);
        context.value = value;
        QVERIFY(panel.applyEditor(context));
        QCOMPARE(panel.copy(Side::Right)->person->addressValues().first().address.city(), u"Osaka"_s);
        QVERIFY(fixture.right->person->addressValues().isEmpty());
        context.contact = fixture.right; // never the collection's contact
        QVERIFY(!panel.applyEditor(context));
    }

    void confirmingReplacesBothContactsInOneStep()
    {
        MergeFixture fixture;
        ContactCollection collection;
        collection.contactTable = {fixture.left, fixture.right};
        UndoRegistry owner(collection);
        MergePanelModel& panel = fixture.panel;
        QVERIFY(panel.setText(Side::Right, rowsOf(panel, Side::Right, Field::Phone).first(), u"998"_s));
        QVERIFY(panel.setPhoto(Side::Right, QImage(1024, 768, QImage::Format_RGB32)));
        owner.undoReplacePersonByContacts(panel.result(), collection.contactTable);
        QCOMPARE(phonesOf(fixture.right), QStringList{"998"});
        QCOMPARE(fixture.right->person->photo().size(), QSize(512, 384));
        QCOMPARE(owner.undoStack()->count(), 1);
        owner.undoStack()->undo();
        QCOMPARE(phonesOf(fixture.right), QStringList{"999"});
    }

    void theEmptiedContactIsOffered()
    {
        MergeFixture fixture;
        MergePanelModel& panel = fixture.panel;
        for (const QString& type : {Field::Birthday, Field::Phone, Field::Phone, Field::Phone}) {
            const int row = rowsOf(panel, Side::Left, type).first();
            QVERIFY(panel.drop(Side::Left, row, row, type == Field::Phone, false));
            QCOMPARE(panel.emptiedContact() == fixture.left, type == Field::Phone && panel.changeCount() == 4);
        }
    }

    void dragDataGoesOnlyToTheOtherSide()
    {
        MergeFixture fixture;
        MergeSideModel left(fixture.panel, Side::Left);
        MergeSideModel right(fixture.panel, Side::Right);
        const int phone = rowsOf(fixture.panel, Side::Left, Field::Phone).first();
        std::unique_ptr<QMimeData> data(left.mimeData({left.index(phone, MergeSideModel::ValueColumn)}));
        QCOMPARE(data->text(), u"home: 111"_s);
        QVERIFY(!left.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, left.index(phone, 0)));
        QVERIFY(right.dropMimeData(data.get(), Qt::CopyAction, -1, -1, right.index(phone, 0)));
        QCOMPARE(phonesOf(fixture.panel.copy(Side::Right)), QStringList{"111"});
        QCOMPARE(phonesOf(fixture.panel.copy(Side::Left)).size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestMergePanel)
#include "tst_mergepanel.moc"
