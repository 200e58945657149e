#include "DocumentTestFiles.h"
#include "documents/UndoRegistry.h"
#include "model/GroupEntry.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

using namespace Quillary;
using namespace Qt::StringLiterals;
using Quillary::Test::FakeContactTableView;
using Quillary::Test::makeGroup;

namespace {

LabeledValue labeled(const QString& label, const QString& value, int labelIndex = 0)
{
    LabeledValue entry = LabeledValue::withText(label, value);
    entry.labelIndex = labelIndex;
    return entry;
}

/// A contact with a value in every kind of field the registry edits.
ContactEntryPtr fullContact(const QString& first = u"John"_s, const QString& last = u"Doe"_s)
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = first;
    name.lastName = last;
    person->setValue(name, Field::Name);
    PhoneticNameValue phonetic;
    phonetic.firstName = u"jon"_s;
    phonetic.lastName = u"doh"_s;
    person->setValue(phonetic, Field::PhoneticName);
    person->setStringValue(u"Met at the fair"_s, Field::Note);
    person->setStringValue(u"Acme"_s, Field::Company);
    person->replaceLabeledValue(
        LabeledValueList{labeled(u"mobile"_s, u"+1 555 0100"_s), labeled(u"work"_s, u"+1 555 0199"_s, 1)},
        Field::Phone);
    person->replaceLabeledValue(LabeledValueList{labeled(u"home"_s, u"john@example.org"_s)}, Field::Email);
    person->setBirthdayValue(BirthdayValue{DateComponents{1980, 5, 17}, {}});
    person->setPhoto(QByteArray("\xFF\xD8\xFF\xE0 a photo"));
    return ContactEntry::make(person);
}

template <typename Value> Value withLastName(Value value, const QString& lastName)
{
    value.lastName = lastName;
    return value;
}

NameValue withShownText(NameValue name, const QString& text)
{
    name.stringValue = text;
    return name;
}

LabeledValue withValue(LabeledValue entry, const QString& value)
{
    entry.value = value;
    return entry;
}

/// Every value of a contact, field by field: what an undo must bring back exactly.
QList<FieldValue> valuesOf(const ContactEntryPtr& contact)
{
    QList<FieldValue> values;
    for (const QString& identifier : FieldIdentifiers::allIdentifiers())
        values.append(contact->person->valueForIdentifier(identifier));
    return values;
}

/// The identifiers whose values differ, for failure messages.
QString differingFields(const QList<FieldValue>& actual, const QList<FieldValue>& expected)
{
    QStringList names;
    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (!(actual.at(i) == expected.at(i)))
            names.append(FieldIdentifiers::allIdentifiers().at(i));
    }
    return names.join(u',');
}

#define COMPARE_VALUES(actual, expected)                                                                               \
    QVERIFY2((actual) == (expected), qPrintable(u"differ: "_s + differingFields((actual), (expected))))

using Edit = std::function<bool(UndoRegistry&, const ContactEntryPtr&)>;

/// One member of the family: an edit that changes the contact and one that gives it what it has.
struct MemberCase
{
    const char* name;
    Edit change;
    Edit unchanged;
};

// An edit of contact `c` through registry `r` that gives back whether it pushed a step.
#define EDIT(...) [](UndoRegistry& r, const ContactEntryPtr& c) { return __VA_ARGS__; }

const QList<MemberCase>& memberCases()
{
    static const QList<MemberCase> cases{
        {"string value", EDIT(r.undoReplaceStringValue(u"Owes me lunch"_s, Field::Note, c)),
         EDIT(r.undoReplaceStringValue(u"Met at the fair"_s, Field::Note, c))},
        {"string value removed", EDIT(r.undoReplaceStringValue(std::nullopt, Field::Company, c)),
         EDIT(r.undoReplaceStringValue(std::nullopt, Field::Department, c))},
        {"value (name part)", EDIT(r.undoReplaceValue(u"Jonathan"_s, Field::FirstName, c)),
         EDIT(r.undoReplaceValue(u"John"_s, Field::FirstName, c))},
        {"name", EDIT(r.undoReplaceNameValue(withLastName(c->person->nameValue(), u"Roe"_s), c)),
         // The shown text is composed by the contact, not compared.
         EDIT(r.undoReplaceNameValue(withShownText(c->person->nameValue(), u"whatever is shown"_s), c))},
        {"phonetic name",
         EDIT(r.undoReplacePhoneticNameValue(withLastName(c->person->phoneticNameValue(), u"roh"_s), c)),
         EDIT(r.undoReplacePhoneticNameValue(c->person->phoneticNameValue(), c))},
        {"labelled list",
         EDIT(r.undoReplaceLabeledValue(LabeledValueList{labeled(u"home"_s, u"42"_s)}, Field::Phone, c)),
         EDIT(r.undoReplaceLabeledValue(c->person->labeledValuesForIdentifier(Field::Phone), Field::Phone, c))},
        {"single labelled value",
         EDIT(r.undoReplaceLabeledValue(
             withValue(*c->person->labeledValueForIdentifier(Field::Phone, 1), u"+1 555 0142"_s), Field::Phone, c)),
         EDIT(r.undoReplaceLabeledValue(*c->person->labeledValueForIdentifier(Field::Phone, 1), Field::Phone, c))},
        {"delete labelled value", EDIT(r.undoDeleteLabeledValueForIdentifier(Field::Phone, 0, c)),
         EDIT(r.undoDeleteLabeledValueForIdentifier(Field::Phone, 7, c))}, // no such position
        {"add labelled value",
         EDIT((r.undoAddLabeledValue(labeled(u"work"_s, u"john@acme.example"_s), Field::Email, c), true)),
         // Not a field that takes added values: the contact is only refreshed.
         EDIT((r.undoAddLabeledValue(labeled(u"work"_s, u"x"_s), Field::Company, c), false))},
        {"birthday", EDIT(r.undoReplaceBirthdayValue(BirthdayValue{DateComponents{1981, 6, 1}, {}}, c)),
         EDIT(r.undoReplaceBirthdayValue(BirthdayValue{DateComponents{1980, 5, 17}, u"shown"_s}, c))},
        {"birthday removed", EDIT(r.undoReplaceBirthdayValue(std::nullopt, c)),
         EDIT(r.undoReplaceBirthdayValue(BirthdayValue{DateComponents{1980, 5, 17}, {}}, c))},
        {"photo", EDIT(r.undoReplacePhoto(QByteArray("another photo"), c)),
         EDIT(r.undoReplacePhoto(c->person->photoData(), c))},
        {"photo removed", EDIT(r.undoReplacePhoto(QByteArray(), c)),
         EDIT(r.undoReplacePhoto(QByteArray("\xFF\xD8\xFF\xE0 a photo"), c))},
    };
    return cases;
}

bool anyCall(const QStringList& calls, const QString& suffix)
{
    return std::any_of(calls.cbegin(), calls.cend(), [&](const QString& call) { return call.endsWith(suffix); });
}

} // namespace

class TestUndoRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_collection = ContactCollection();
        m_collection.groupTable = {makeGroup(GroupText::AllContacts, GroupText::VCardAccount, true),
                                   makeGroup(u"Friends"_s), makeGroup(u"Work"_s)};
        m_collection.selectedGroupDict = m_collection.groupTable.first();
        m_registry = new UndoRegistry(m_collection);
        m_view = new FakeContactTableView(m_registry);
        m_registry->setView(m_view);
    }

    void cleanup()
    {
        delete m_registry;
        delete m_view;
    }

    // Every member of the family
    void undoAndRedo_data()
    {
        QTest::addColumn<int>("member");
        for (qsizetype i = 0; i < memberCases().size(); ++i)
            QTest::newRow(memberCases().at(i).name) << int(i);
    }
    void undoAndRedo()
    {
        QFETCH(int, member);
        const MemberCase& edit = memberCases().at(member);
        const ContactEntryPtr contact = fullContact();
        m_collection.contactTable = {contact};
        const QList<FieldValue> before = valuesOf(contact);

        QVERIFY(edit.change(*m_registry, contact));
        QCOMPARE(m_registry->undoStack()->count(), 1);
        const QList<FieldValue> after = valuesOf(contact);
        QVERIFY(after != before);
        QVERIFY(!m_registry->isUndoing() && !m_registry->isRedoing());

        m_view->calls.clear();
        m_registry->undoStack()->undo();
        COMPARE_VALUES(valuesOf(contact), before);
        QVERIFY2(anyCall(m_view->calls, u" undoing"_s), qPrintable(m_view->calls.join(u'|')));
        QVERIFY(!m_registry->isUndoing());

        m_view->calls.clear();
        m_registry->undoStack()->redo();
        COMPARE_VALUES(valuesOf(contact), after);
        QVERIFY2(anyCall(m_view->calls, u" redoing"_s), qPrintable(m_view->calls.join(u'|')));
        QVERIFY(!m_registry->isRedoing());

        // The step stays usable: a second round trip gives the same values again.
        m_registry->undoStack()->undo();
        COMPARE_VALUES(valuesOf(contact), before);
        m_registry->undoStack()->redo();
        COMPARE_VALUES(valuesOf(contact), after);
    }

    void unchangedValuePushesNothing_data() { undoAndRedo_data(); }

    void unchangedValuePushesNothing()
    {
        QFETCH(int, member);
        const MemberCase& edit = memberCases().at(member);
        const ContactEntryPtr contact = fullContact();
        m_collection.contactTable = {contact};
        const QList<FieldValue> before = valuesOf(contact);

        // On an empty stack and on one that already holds a step.
        QVERIFY(!edit.unchanged(*m_registry, contact));
        QVERIFY(!m_registry->undoStack()->canUndo());
        QVERIFY(m_registry->undoReplaceStringValue(u"Initech"_s, Field::Company, contact));
        QVERIFY(!edit.unchanged(*m_registry, contact));
        QCOMPARE(m_registry->undoStack()->count(), 1);
        QVERIFY(m_registry->undoStack()->canUndo());
        m_registry->undoStack()->undo();
        COMPARE_VALUES(valuesOf(contact), before);
    }

    // Rules of single members
    void refusedEdits()
    {
        // Edits that name a field of another kind, or a value that is not there, push no step.
        const ContactEntryPtr contact = fullContact();
        QVERIFY(!m_registry->undoReplaceStringValue(u"x"_s, Field::Phone, contact));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"ERROR undoReplaceValue.*Phone"_s));
        QVERIFY(!m_registry->undoReplaceValue(LabeledValueList{}, Field::Phone, contact));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"ERROR undoReplaceValue.*Note"_s));
        QVERIFY(!m_registry->undoReplaceValue(u"x"_s, Field::Note, contact));
        // An identifier nobody knows is refused without a word.
        QVERIFY(!m_registry->undoReplaceValue(u"x"_s, u"Shoe Size"_s, contact));
        QVERIFY(!m_registry->undoReplaceLabeledValue(labeled(u"home"_s, u"1"_s, 99), Field::Phone, contact));
        QCOMPARE(m_registry->undoStack()->count(), 0);
    }

    void birthdayOfSameDateIsUnchanged()
    {
        const ContactEntryPtr contact = ContactEntry::make(std::make_shared<PersonDsc>());
        QVERIFY(!m_registry->undoReplaceBirthdayValue(std::nullopt, contact));
        QVERIFY(!m_registry->undoReplaceBirthdayValue(BirthdayValue{}, contact));
        QVERIFY(m_registry->undoReplaceBirthdayValue(BirthdayValue{DateComponents{0, 2, 29}, {}}, contact));
        QVERIFY(!m_registry->undoReplaceBirthdayValue(BirthdayValue{DateComponents{0, 2, 29}, {}}, contact));
        // The same day with a year is another birthday.
        QVERIFY(m_registry->undoReplaceBirthdayValue(BirthdayValue{DateComponents{2000, 2, 29}, {}}, contact));
        QCOMPARE(m_registry->undoStack()->count(), 2);
    }

    void groupOfEditsReloadsOnceOnUndo()
    {
        // A bulk edit over many contacts is one step; undoing it must not reload the table per contact.
        ContactTable contacts;
        for (int i = 0; i < 40; ++i)
            contacts.append(fullContact(u"N%1"_s.arg(i)));
        m_collection.contactTable = contacts;
        m_registry->undoStack()->beginMacro(u"Replace Text"_s);
        for (const ContactEntryPtr& contact : std::as_const(contacts))
            QVERIFY(m_registry->undoReplaceStringValue(u"Changed"_s, Field::Company, contact));
        m_registry->undoStack()->endMacro();
        m_view->calls.clear();
        m_registry->undoStack()->undo();
        QCOMPARE(m_view->calls.size(), 1);
        QCOMPARE(contacts.at(7)->person->stringValueForIdentifier(Field::Company).isEmpty(), false);
        QVERIFY(contacts.at(7)->person->stringValueForIdentifier(Field::Company) != u"Changed"_s);
        m_view->calls.clear();
        m_registry->undoStack()->redo();
        QCOMPARE(m_view->calls.size(), 1);
    }

    // Replacing contacts by others
    void mergeIsOneStep()
    {
        const ContactEntryPtr first = fullContact();
        const ContactEntryPtr second = fullContact(u"Mary"_s, u"Major"_s);
        m_collection.contactTable = {first, second};
        const QList<FieldValue> firstBefore = valuesOf(first);
        const QList<FieldValue> secondBefore = valuesOf(second);

        const ContactEntryPtr merged = fullContact(u"John"_s, u"Doe-Major"_s);
        merged->person->replaceLabeledValue(
            LabeledValueList{labeled(u"home"_s, u"1"_s), labeled(u"work"_s, u"2"_s), labeled(u"other"_s, u"3"_s)},
            Field::Phone);
        merged->person->setStringValue(u"Merged"_s, Field::Note);
        merged->person->setPhoto({});
        const auto other = std::make_shared<PersonDsc>(fullContact(u"Mary"_s, u"Minor"_s)->person->duplicate());

        m_view->calls.clear();
        m_registry->undoReplacePersonByContacts({merged->person, other}, {first, second});
        QCOMPARE(m_registry->undoStack()->count(), 1);
        QCOMPARE(m_view->calls, QStringList{u"updateTableForContact "_s + first->uniqueId});
        QCOMPARE(first->person->stringValueForIdentifier(Field::Note), u"Merged"_s);
        QCOMPARE(first->person->labeledValues(LabeledField::Phone).size(), 3);
        QVERIFY(first->person->photoData().isEmpty());
        QCOMPARE(second->person->nameValue().lastName, u"Minor"_s);
        const QList<FieldValue> firstAfter = valuesOf(first);

        m_registry->undoStack()->undo();
        COMPARE_VALUES(valuesOf(first), firstBefore);
        COMPARE_VALUES(valuesOf(second), secondBefore);
        QVERIFY(!m_registry->undoStack()->canUndo());
        m_registry->undoStack()->redo();
        COMPARE_VALUES(valuesOf(first), firstAfter);
        QCOMPARE(second->person->nameValue().lastName, u"Minor"_s);
    }

    void mergeOfEqualContactsLeavesNoStep()
    {
        const ContactEntryPtr target = fullContact();
        m_registry->undoReplacePersonByContacts({std::make_shared<PersonDsc>(target->person->duplicate())}, {target});
        QCOMPARE(m_registry->undoStack()->count(), 0);
        QVERIFY(m_registry->undoStack()->isClean());
    }

    // Adding and deleting contacts
    void addNewContactsToGroup()
    {
        const ContactEntryPtr existing = fullContact();
        m_collection.contactTable = {existing};
        const GroupEntryPtr friends = m_collection.groupTable.at(1);
        const ContactEntryPtr added = fullContact(u"Ann"_s, u"New"_s);
        added->removedGroupUniqueIds = {friends->uniqueId};

        m_registry->undoAddContacts({added}, friends);
        QCOMPARE(m_registry->undoStack()->count(), 1);
        QCOMPARE(m_collection.contactTable, (ContactTable{existing, added}));
        QCOMPARE(added->remote, GroupText::VCardAccount);
        QCOMPARE(added->groupUniqueIds, QStringList{friends->uniqueId});
        QVERIFY(added->removedGroupUniqueIds.isEmpty());
        QVERIFY(added->groupChanged);
        QCOMPARE(m_view->calls.last(), u"updateTableThenSelectByUniquId "_s + added->uniqueId);

        m_registry->undoStack()->undo();
        QCOMPARE(m_view->calls.last(), u"updateTable undoing"_s);
        QVERIFY(added->deleted);
        QVERIFY(added->groupUniqueIds.isEmpty());
        QVERIFY(!existing->deleted);
        QCOMPARE(m_collection.liveContacts(), ContactTable{existing});

        m_registry->undoStack()->redo();
        QVERIFY(!added->deleted);
        QCOMPARE(added->groupUniqueIds, QStringList{friends->uniqueId});
        QCOMPARE(m_collection.contactTable.size(), 2); // brought back, not appended twice
    }

    void deleteFromTopAndUndo()
    {
        const ContactEntryPtr contact = fullContact();
        const ContactEntryPtr other = fullContact(u"Mary"_s, u"Major"_s);
        const GroupEntryPtr friends = m_collection.groupTable.at(1);
        contact->groupUniqueIds = {friends->uniqueId};
        m_collection.contactTable = {contact, other};
        const QString oldId = contact->uniqueId;
        const QList<FieldValue> before = valuesOf(contact);

        m_registry->undoDeleteContacts({contact}, m_collection.topGroup(), true, true);
        QVERIFY(contact->deleted);
        QVERIFY(contact->dirty);
        QVERIFY(!contact->vCardString.isEmpty());
        QCOMPARE(m_collection.liveContacts(), ContactTable{other});
        QCOMPARE(m_view->calls.last(), u"updateTable"_s);

        m_registry->undoStack()->undo();
        QVERIFY(!contact->deleted);
        QVERIFY(contact->vCardString.isEmpty());
        QVERIFY(contact->uniqueId != oldId);
        QCOMPARE(m_view->calls.last(), u"updateTableThenSelectByUniquId "_s + contact->uniqueId + u" undoing"_s);
        QCOMPARE(contact->person->uniqueId(), contact->uniqueId);
        COMPARE_VALUES(valuesOf(contact), before);
        QCOMPARE(contact->groupUniqueIds, QStringList{friends->uniqueId});
        QCOMPARE(m_collection.contactTable.size(), 2);

        m_registry->undoStack()->redo();
        QVERIFY(contact->deleted);
        QCOMPARE(m_view->calls.last(), u"updateTable redoing"_s);
        QVERIFY(!m_registry->isUndoing() && !m_registry->isRedoing());
    }

    void deleteFromGroupOnly()
    {
        const GroupEntryPtr friends = m_collection.groupTable.at(1);
        const GroupEntryPtr work = m_collection.groupTable.at(2);
        const ContactEntryPtr first = fullContact();
        const ContactEntryPtr second = fullContact(u"Mary"_s, u"Major"_s);
        first->groupUniqueIds = {friends->uniqueId, work->uniqueId};
        second->groupUniqueIds = {friends->uniqueId};
        m_collection.contactTable = {first, second};

        m_registry->undoDeleteContacts({first, second}, friends, true, true);
        for (const ContactEntryPtr& contact : {first, second}) {
            QVERIFY(!contact->deleted);
            QVERIFY(contact->dirty);
            QVERIFY(contact->groupChanged);
            QVERIFY(!contact->groupUniqueIds.contains(friends->uniqueId));
            QCOMPARE(contact->removedGroupUniqueIds, QStringList{friends->uniqueId});
        }
        QCOMPARE(first->groupUniqueIds, QStringList{work->uniqueId});

        m_registry->undoStack()->undo();
        for (const ContactEntryPtr& contact : {first, second}) {
            QVERIFY(contact->groupUniqueIds.contains(friends->uniqueId));
            QVERIFY(contact->removedGroupUniqueIds.isEmpty());
            QVERIFY(!contact->deleted);
        }
        QVERIFY(first->groupUniqueIds.contains(work->uniqueId));

        // Without the group-only flag a deletion from a group deletes the contacts.
        m_registry->undoDeleteContacts({second}, friends, true, false);
        QVERIFY(second->deleted);
    }

    void deleteWithoutUndoStep()
    {
        const ContactEntryPtr contact = fullContact();
        m_collection.contactTable = {contact};
        m_registry->undoDeleteContacts({contact}, m_collection.topGroup(), false, false);
        QVERIFY(contact->deleted);
        QCOMPARE(m_registry->undoStack()->count(), 0);
        m_registry->undoDeleteContacts({}, m_collection.topGroup(), true, false);
        QCOMPARE(m_registry->undoStack()->count(), 0);
    }

private:
    ContactCollection m_collection;
    UndoRegistry* m_registry = nullptr;
    FakeContactTableView* m_view = nullptr;
};

QTEST_GUILESS_MAIN(TestUndoRegistry)
#include "tst_undoregistry.moc"
