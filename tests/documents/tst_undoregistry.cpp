#include "DocumentTestFiles.h"
#include "documents/UndoRegistry.h"
#include "model/GroupEntry.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

using namespace Quillary;
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
ContactEntryPtr fullContact(const QString& first = QStringLiteral("John"), const QString& last = QStringLiteral("Doe"))
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = first;
    name.lastName = last;
    person->setValue(name, Field::Name);
    PhoneticNameValue phonetic;
    phonetic.firstName = QStringLiteral("jon");
    phonetic.lastName = QStringLiteral("doh");
    person->setValue(phonetic, Field::PhoneticName);
    person->setStringValue(QStringLiteral("Met at the fair"), Field::Note);
    person->setStringValue(QStringLiteral("Acme"), Field::Company);
    person->replaceLabeledValue(LabeledValueList{labeled(QStringLiteral("mobile"), QStringLiteral("+1 555 0100")),
                                                 labeled(QStringLiteral("work"), QStringLiteral("+1 555 0199"), 1)},
                                Field::Phone);
    person->replaceLabeledValue(LabeledValueList{labeled(QStringLiteral("home"), QStringLiteral("john@example.org"))},
                                Field::Email);
    person->setBirthdayValue(BirthdayValue{DateComponents{1980, 5, 17}, {}});
    person->setPhoto(QByteArray("\xFF\xD8\xFF\xE0 a photo"));
    return ContactEntry::make(person);
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
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("differ: ") + differingFields((actual), (expected))))

using Edit = std::function<bool(UndoRegistry&, const ContactEntryPtr&)>;

/// One member of the family: an edit that changes the contact and one that gives it what it has.
struct MemberCase
{
    const char* name;
    Edit change;
    Edit unchanged;
};

const QList<MemberCase>& memberCases()
{
    static const QList<MemberCase> cases{
        {"string value",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceStringValue(QStringLiteral("Owes me lunch"), Field::Note, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceStringValue(QStringLiteral("Met at the fair"), Field::Note, c);
         }},
        {"string value removed",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceStringValue(std::nullopt, Field::Company, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceStringValue(std::nullopt, Field::Department, c);
         }},
        {"value (name part)",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceValue(QStringLiteral("Jonathan"), Field::FirstName, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceValue(QStringLiteral("John"), Field::FirstName, c);
         }},
        {"name",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             NameValue name = c->person->nameValue();
             name.lastName = QStringLiteral("Roe");
             return r.undoReplaceNameValue(name, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             NameValue name = c->person->nameValue();
             name.stringValue = QStringLiteral("whatever is shown"); // composed by the contact, not compared
             return r.undoReplaceNameValue(name, c);
         }},
        {"phonetic name",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             PhoneticNameValue phonetic = c->person->phoneticNameValue();
             phonetic.lastName = QStringLiteral("roh");
             return r.undoReplacePhoneticNameValue(phonetic, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplacePhoneticNameValue(c->person->phoneticNameValue(), c);
         }},
        {"labelled list",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceLabeledValue(LabeledValueList{labeled(QStringLiteral("home"), QStringLiteral("42"))},
                                              Field::Phone, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceLabeledValue(c->person->labeledValuesForIdentifier(Field::Phone), Field::Phone, c);
         }},
        {"single labelled value",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             LabeledValue value = *c->person->labeledValueForIdentifier(Field::Phone, 1);
             value.value = QStringLiteral("+1 555 0142");
             return r.undoReplaceLabeledValue(value, Field::Phone, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceLabeledValue(*c->person->labeledValueForIdentifier(Field::Phone, 1), Field::Phone, c);
         }},
        {"delete labelled value",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoDeleteLabeledValueForIdentifier(Field::Phone, 0, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoDeleteLabeledValueForIdentifier(Field::Phone, 7, c); // no such position
         }},
        {"add labelled value",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             r.undoAddLabeledValue(labeled(QStringLiteral("work"), QStringLiteral("john@acme.example")), Field::Email,
                                   c);
             return true;
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             // Not a field that takes added values: the contact is only refreshed.
             r.undoAddLabeledValue(labeled(QStringLiteral("work"), QStringLiteral("x")), Field::Company, c);
             return false;
         }},
        {"birthday",
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceBirthdayValue(BirthdayValue{DateComponents{1981, 6, 1}, {}}, c);
         },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceBirthdayValue(BirthdayValue{DateComponents{1980, 5, 17}, QStringLiteral("shown")}, c);
         }},
        {"birthday removed",
         [](UndoRegistry& r, const ContactEntryPtr& c) { return r.undoReplaceBirthdayValue(std::nullopt, c); },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplaceBirthdayValue(BirthdayValue{DateComponents{1980, 5, 17}, {}}, c);
         }},
        {"photo",
         [](UndoRegistry& r, const ContactEntryPtr& c) { return r.undoReplacePhoto(QByteArray("another photo"), c); },
         [](UndoRegistry& r, const ContactEntryPtr& c) { return r.undoReplacePhoto(c->person->photoData(), c); }},
        {"photo removed", [](UndoRegistry& r, const ContactEntryPtr& c) { return r.undoReplacePhoto(QByteArray(), c); },
         [](UndoRegistry& r, const ContactEntryPtr& c) {
             return r.undoReplacePhoto(QByteArray("\xFF\xD8\xFF\xE0 a photo"), c);
         }},
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
    void init();
    void cleanup();

    // Every member of the family
    void undoAndRedo_data();
    void undoAndRedo();
    void unchangedValuePushesNothing_data();
    void unchangedValuePushesNothing();

    // Rules of single members
    void refusedEdits();
    void birthdayOfSameDateIsUnchanged();
    void groupOfEditsReloadsOnceOnUndo();

    // Replacing contacts by others
    void mergeIsOneStep();
    void mergeOfEqualContactsLeavesNoStep();

    // Adding and deleting contacts
    void addNewContactsToGroup();
    void undoAddOfExistingContactsKeepsThem();
    void deleteFromTopAndUndo();
    void deleteFromGroupOnly();
    void deleteWithoutUndoStep();

private:
    ContactCollection m_collection;
    UndoRegistry* m_registry = nullptr;
    FakeContactTableView* m_view = nullptr;
};

void TestUndoRegistry::init()
{
    m_collection = ContactCollection();
    m_collection.groupTable = {makeGroup(GroupText::AllContacts, GroupText::VCardAccount, true),
                               makeGroup(QStringLiteral("Friends")), makeGroup(QStringLiteral("Work"))};
    m_collection.selectedGroupDict = m_collection.groupTable.first();
    m_registry = new UndoRegistry(m_collection);
    m_view = new FakeContactTableView(m_registry);
    m_registry->setView(m_view);
}

void TestUndoRegistry::cleanup()
{
    delete m_registry;
    delete m_view;
}

void TestUndoRegistry::undoAndRedo_data()
{
    QTest::addColumn<int>("member");
    for (qsizetype i = 0; i < memberCases().size(); ++i)
        QTest::newRow(memberCases().at(i).name) << int(i);
}

void TestUndoRegistry::undoAndRedo()
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
    QVERIFY2(anyCall(m_view->calls, QStringLiteral(" undoing")), qPrintable(m_view->calls.join(u'|')));
    QVERIFY(!m_registry->isUndoing());

    m_view->calls.clear();
    m_registry->undoStack()->redo();
    COMPARE_VALUES(valuesOf(contact), after);
    QVERIFY2(anyCall(m_view->calls, QStringLiteral(" redoing")), qPrintable(m_view->calls.join(u'|')));
    QVERIFY(!m_registry->isRedoing());

    // The step stays usable: a second round trip gives the same values again.
    m_registry->undoStack()->undo();
    COMPARE_VALUES(valuesOf(contact), before);
    m_registry->undoStack()->redo();
    COMPARE_VALUES(valuesOf(contact), after);
}

void TestUndoRegistry::unchangedValuePushesNothing_data()
{
    undoAndRedo_data();
}

void TestUndoRegistry::unchangedValuePushesNothing()
{
    QFETCH(int, member);
    const MemberCase& edit = memberCases().at(member);
    const ContactEntryPtr contact = fullContact();
    m_collection.contactTable = {contact};
    const QList<FieldValue> before = valuesOf(contact);

    // On an empty stack and on one that already holds a step.
    QVERIFY(!edit.unchanged(*m_registry, contact));
    QVERIFY(!m_registry->undoStack()->canUndo());
    QVERIFY(m_registry->undoReplaceStringValue(QStringLiteral("Initech"), Field::Company, contact));
    QVERIFY(!edit.unchanged(*m_registry, contact));
    QCOMPARE(m_registry->undoStack()->count(), 1);
    QVERIFY(m_registry->undoStack()->canUndo());
    m_registry->undoStack()->undo();
    COMPARE_VALUES(valuesOf(contact), before);
}

void TestUndoRegistry::refusedEdits()
{
    // Edits that name a field of another kind, or a value that is not there, push no step.
    const ContactEntryPtr contact = fullContact();
    QVERIFY(!m_registry->undoReplaceStringValue(QStringLiteral("x"), Field::Phone, contact));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("ERROR undoReplaceValue.*Phone")));
    QVERIFY(!m_registry->undoReplaceValue(LabeledValueList{}, Field::Phone, contact));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("ERROR undoReplaceValue.*Note")));
    QVERIFY(!m_registry->undoReplaceValue(QStringLiteral("x"), Field::Note, contact));
    // An identifier nobody knows is refused without a word.
    QVERIFY(!m_registry->undoReplaceValue(QStringLiteral("x"), QStringLiteral("Shoe Size"), contact));
    QVERIFY(!m_registry->undoReplaceLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("1"), 99), Field::Phone,
                                                 contact));
    QCOMPARE(m_registry->undoStack()->count(), 0);
}

void TestUndoRegistry::birthdayOfSameDateIsUnchanged()
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

void TestUndoRegistry::mergeIsOneStep()
{
    const ContactEntryPtr first = fullContact();
    const ContactEntryPtr second = fullContact(QStringLiteral("Mary"), QStringLiteral("Major"));
    m_collection.contactTable = {first, second};
    const QList<FieldValue> firstBefore = valuesOf(first);
    const QList<FieldValue> secondBefore = valuesOf(second);

    const ContactEntryPtr merged = fullContact(QStringLiteral("John"), QStringLiteral("Doe-Major"));
    merged->person->replaceLabeledValue(LabeledValueList{labeled(QStringLiteral("home"), QStringLiteral("1")),
                                                         labeled(QStringLiteral("work"), QStringLiteral("2")),
                                                         labeled(QStringLiteral("other"), QStringLiteral("3"))},
                                        Field::Phone);
    merged->person->setStringValue(QStringLiteral("Merged"), Field::Note);
    merged->person->setPhoto({});
    const auto other =
        std::make_shared<PersonDsc>(fullContact(QStringLiteral("Mary"), QStringLiteral("Minor"))->person->duplicate());

    m_view->calls.clear();
    m_registry->undoReplacePersonByContacts({merged->person, other}, {first, second});
    QCOMPARE(m_registry->undoStack()->count(), 1);
    QCOMPARE(m_view->calls, QStringList{QStringLiteral("updateTableForContact ") + first->uniqueId});
    QCOMPARE(first->person->stringValueForIdentifier(Field::Note), QStringLiteral("Merged"));
    QCOMPARE(first->person->labeledValues(LabeledField::Phone).size(), 3);
    QVERIFY(first->person->photoData().isEmpty());
    QCOMPARE(second->person->nameValue().lastName, QStringLiteral("Minor"));
    const QList<FieldValue> firstAfter = valuesOf(first);

    m_registry->undoStack()->undo();
    COMPARE_VALUES(valuesOf(first), firstBefore);
    COMPARE_VALUES(valuesOf(second), secondBefore);
    QVERIFY(!m_registry->undoStack()->canUndo());
    m_registry->undoStack()->redo();
    COMPARE_VALUES(valuesOf(first), firstAfter);
    QCOMPARE(second->person->nameValue().lastName, QStringLiteral("Minor"));
}

void TestUndoRegistry::mergeOfEqualContactsLeavesNoStep()
{
    const ContactEntryPtr target = fullContact();
    const auto same = std::make_shared<PersonDsc>(target->person->duplicate());
    m_registry->undoReplacePersonByContacts({same}, {target});
    QVERIFY(!m_registry->undoStack()->canUndo());
    QVERIFY(!m_registry->undoStack()->canRedo());
    QCOMPARE(m_registry->undoStack()->count(), 0);
    QVERIFY(m_registry->undoStack()->isClean());
}

void TestUndoRegistry::addNewContactsToGroup()
{
    const ContactEntryPtr existing = fullContact();
    m_collection.contactTable = {existing};
    const GroupEntryPtr friends = m_collection.groupTable.at(1);
    const ContactEntryPtr added = fullContact(QStringLiteral("Ann"), QStringLiteral("New"));
    added->removedGroupUniqueIds = {friends->uniqueId};

    m_registry->undoAddContacts({added}, friends);
    QCOMPARE(m_registry->undoStack()->count(), 1);
    QCOMPARE(m_collection.contactTable, (ContactTable{existing, added}));
    QCOMPARE(added->remote, GroupText::VCardAccount);
    QCOMPARE(added->groupUniqueIds, QStringList{friends->uniqueId});
    QVERIFY(added->removedGroupUniqueIds.isEmpty());
    QVERIFY(added->groupChanged);
    QCOMPARE(m_view->calls.last(), QStringLiteral("updateTableThenSelectByUniquId ") + added->uniqueId);

    m_registry->undoStack()->undo();
    QCOMPARE(m_view->calls.last(), QStringLiteral("updateTable undoing"));
    QVERIFY(added->deleted);
    QVERIFY(added->groupUniqueIds.isEmpty());
    QVERIFY(!existing->deleted);
    QCOMPARE(m_collection.liveContacts(), ContactTable{existing});

    m_registry->undoStack()->redo();
    QVERIFY(!added->deleted);
    QCOMPARE(added->groupUniqueIds, QStringList{friends->uniqueId});
    QCOMPARE(m_collection.contactTable.size(), 2); // brought back, not appended twice
}

void TestUndoRegistry::undoAddOfExistingContactsKeepsThem()
{
    // Dropping contacts of the table on a group, then undoing the drop: they leave the group, not the
    // document.
    const ContactEntryPtr first = fullContact();
    const ContactEntryPtr second = fullContact(QStringLiteral("Mary"), QStringLiteral("Major"));
    const GroupEntryPtr friends = m_collection.groupTable.at(1);
    const GroupEntryPtr work = m_collection.groupTable.at(2);
    first->groupUniqueIds = {work->uniqueId};
    m_collection.contactTable = {first, second};
    const QString firstId = first->uniqueId;

    m_registry->undoAddContacts({first, second}, friends);
    QCOMPARE(first->groupUniqueIds, (QStringList{work->uniqueId, friends->uniqueId}));
    QCOMPARE(second->groupUniqueIds, QStringList{friends->uniqueId});

    m_registry->undoStack()->undo();
    QVERIFY(!first->deleted);
    QVERIFY(!second->deleted);
    QCOMPARE(first->groupUniqueIds, QStringList{work->uniqueId});
    QVERIFY(second->groupUniqueIds.isEmpty());
    QCOMPARE(first->uniqueId, firstId);
    QCOMPARE(m_collection.liveContacts().size(), 2);
}

void TestUndoRegistry::deleteFromTopAndUndo()
{
    const ContactEntryPtr contact = fullContact();
    const ContactEntryPtr other = fullContact(QStringLiteral("Mary"), QStringLiteral("Major"));
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
    QCOMPARE(m_view->calls.last(), QStringLiteral("updateTable"));

    m_registry->undoStack()->undo();
    QVERIFY(!contact->deleted);
    QVERIFY(contact->vCardString.isEmpty());
    QVERIFY(contact->uniqueId != oldId);
    QCOMPARE(m_view->calls.last(),
             QStringLiteral("updateTableThenSelectByUniquId ") + contact->uniqueId + QStringLiteral(" undoing"));
    QCOMPARE(contact->person->uniqueId(), contact->uniqueId);
    COMPARE_VALUES(valuesOf(contact), before);
    QCOMPARE(contact->groupUniqueIds, QStringList{friends->uniqueId});
    QCOMPARE(m_collection.contactTable.size(), 2);

    m_registry->undoStack()->redo();
    QVERIFY(contact->deleted);
    QCOMPARE(m_view->calls.last(), QStringLiteral("updateTable redoing"));
    QVERIFY(!m_registry->isUndoing() && !m_registry->isRedoing());
}

void TestUndoRegistry::deleteFromGroupOnly()
{
    const GroupEntryPtr friends = m_collection.groupTable.at(1);
    const GroupEntryPtr work = m_collection.groupTable.at(2);
    const ContactEntryPtr first = fullContact();
    const ContactEntryPtr second = fullContact(QStringLiteral("Mary"), QStringLiteral("Major"));
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

void TestUndoRegistry::deleteWithoutUndoStep()
{
    const ContactEntryPtr contact = fullContact();
    m_collection.contactTable = {contact};
    m_registry->undoDeleteContacts({contact}, m_collection.topGroup(), false, false);
    QVERIFY(contact->deleted);
    QCOMPARE(m_registry->undoStack()->count(), 0);
    m_registry->undoDeleteContacts({}, m_collection.topGroup(), true, false);
    QCOMPARE(m_registry->undoStack()->count(), 0);
}

void TestUndoRegistry::groupOfEditsReloadsOnceOnUndo()
{
    // A bulk edit over many contacts is one step; undoing it must not reload the table per contact.
    ContactTable contacts;
    for (int i = 0; i < 40; ++i)
        contacts.append(fullContact(QStringLiteral("N%1").arg(i)));
    m_collection.contactTable = contacts;
    m_registry->undoStack()->beginMacro(QStringLiteral("Replace Text"));
    for (const ContactEntryPtr& contact : std::as_const(contacts))
        QVERIFY(m_registry->undoReplaceStringValue(QStringLiteral("Changed"), Field::Company, contact));
    m_registry->undoStack()->endMacro();
    m_view->calls.clear();
    m_registry->undoStack()->undo();
    QCOMPARE(m_view->calls.size(), 1);
    QCOMPARE(contacts.at(7)->person->stringValueForIdentifier(Field::Company).isEmpty(), false);
    QVERIFY(contacts.at(7)->person->stringValueForIdentifier(Field::Company) != QStringLiteral("Changed"));
    m_view->calls.clear();
    m_registry->undoStack()->redo();
    QCOMPARE(m_view->calls.size(), 1);
}

QTEST_GUILESS_MAIN(TestUndoRegistry)
#include "tst_undoregistry.moc"
