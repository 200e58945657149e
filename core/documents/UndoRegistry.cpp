#include "UndoRegistry.h"

#include "UndoCommands_p.h"
#include "formats/CategoryNames.h"
#include "formats/ZQVCard.h"
#include "model/addressbook/Records.h"
#include "support/CoreTr.h"

#include <QLoggingCategory>
#include <QSet>

Q_LOGGING_CATEGORY(lcUndo, "quillary.core.documents.undo")

namespace Quillary {

using namespace UndoCommands;

namespace {

bool isNamePart(FieldId id)
{
    switch (id) {
    case FieldId::Name:
    case FieldId::PhoneticName:
    case FieldId::FirstName:
    case FieldId::MiddleName:
    case FieldId::LastName:
    case FieldId::PreviousFamilyName:
    case FieldId::PhoneticFirstName:
    case FieldId::PhoneticMiddleName:
    case FieldId::PhoneticLastName:
        return true;
    default:
        return false;
    }
}

/// Name values compare without their display text, which the contact composes itself.
bool sameValue(const FieldValue& a, const FieldValue& b)
{
    if (const auto* name = std::get_if<NameValue>(&a)) {
        const auto* other = std::get_if<NameValue>(&b);
        if (!other)
            return false;
        NameValue left = *name, right = *other;
        left.stringValue.clear();
        right.stringValue.clear();
        return left == right;
    }
    if (const auto* phonetic = std::get_if<PhoneticNameValue>(&a)) {
        const auto* other = std::get_if<PhoneticNameValue>(&b);
        return other && phonetic->firstName == other->firstName && phonetic->middleName == other->middleName
            && phonetic->lastName == other->lastName;
    }
    return a == b;
}

/// Whether replacing `current` by `value` through `replaceLabeledValue` changes anything.
bool changesLabeledValue(LabeledField field, const LabeledValue& current, const LabeledValue& value)
{
    if (current.label != value.label)
        return true;
    switch (field) {
    case LabeledField::Address:
        return !(current.address == value.address);
    case LabeledField::Dates:
        return current.date != value.date;
    case LabeledField::InstantMessage:
        return current.username() != value.username() || current.service() != value.service();
    case LabeledField::SocialNetwork:
        return current.value != value.value || current.username() != value.username()
            || current.service() != value.service();
    case LabeledField::Relationship:
        return current.value != value.value || current.stringValue() != value.stringValue();
    default:
        return current.value != value.value;
    }
}

} // namespace

UndoRegistry::UndoRegistry(ContactCollection& collection, QObject* parent) : QObject(parent), m_collection(collection)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] {
        flushPendingRefresh();
        Q_EMIT contactsChanged();
    });
}

UndoRegistry::~UndoRegistry()
{
    // The stack is cleared as it is destroyed, after the members that flushing a pending refresh reads.
    m_stack.disconnect(this);
}

void UndoRegistry::setReplaying(bool undoing, bool redoing)
{
    m_undoing = undoing;
    m_redoing = redoing;
}

void UndoRegistry::push(QUndoCommand* command)
{
    m_stack.push(command);
}

void UndoRegistry::dropIfEmpty(int index)
{
    // A replacement that changed nothing must not leave a step behind: it would mark the document
    // edited and give Undo nothing to do. An obsolete step is deleted when it is undone.
    const QUndoCommand* macro = m_stack.command(index);
    if (!macro || macro->childCount() > 0)
        return;
    const_cast<QUndoCommand*>(macro)->setObsolete(true);
    m_stack.undo();
}

void UndoRegistry::refresh(Refresh kind, const ContactEntryPtr& contact)
{
    if (!m_undoing && !m_redoing) {
        refreshNow(kind, contact);
        return;
    }
    if (kind == Refresh::None)
        return;
    m_pendingFromUndo = m_undoing;
    // One refresh for the whole step: a second contact, or a table refresh, means the table.
    const bool another = m_pendingRefresh != Refresh::None && m_pendingContact != contact;
    if (kind == Refresh::Table || m_pendingRefresh == Refresh::Table || another) {
        m_pendingRefresh = Refresh::Table;
        m_pendingContact.reset();
    } else if (m_pendingRefresh != Refresh::SelectContact) {
        m_pendingRefresh = kind;
        m_pendingContact = contact;
    }
}

void UndoRegistry::flushPendingRefresh()
{
    const Refresh kind = std::exchange(m_pendingRefresh, Refresh::None);
    if (kind == Refresh::None)
        return;
    const ContactEntryPtr contact = std::exchange(m_pendingContact, {});
    // The refresh still belongs to the undo or redo that asked for it.
    setReplaying(m_pendingFromUndo, !m_pendingFromUndo);
    refreshNow(kind, contact);
    setReplaying(false, false);
}

void UndoRegistry::refreshNow(Refresh kind, const ContactEntryPtr& contact)
{
    if (!m_view)
        return;
    switch (kind) {
    case Refresh::None:
        break;
    case Refresh::Table:
        m_view->updateTable();
        break;
    case Refresh::Contact:
        m_view->updateTableForContact(contact);
        break;
    case Refresh::SelectContact:
        m_view->updateTableThenSelectByUniquId(contact ? contact->uniqueId : QString());
        break;
    }
}

bool UndoRegistry::undoReplaceStringValue(const std::optional<QString>& text, const QString& identifier,
                                          const ContactEntryPtr& contact)
{
    if (!contact || !FieldIdentifiers::stringField(identifier))
        return false;
    const QString current = contact->person->stringValueForIdentifier(identifier);
    const QString value = text.value_or(QString());
    if (current == value)
        return false;
    push(new ReplaceStringValue(*this, contact, identifier, current, value));
    return true;
}

bool UndoRegistry::undoReplaceValue(const FieldValue& value, const QString& identifier, const ContactEntryPtr& contact)
{
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    if (!contact || !isNamePart(id)) {
        if (FieldIdentifiers::labeledField(id) || FieldIdentifiers::stringField(id) || id == FieldId::Birthday
            || id == FieldId::Photo)
            qCWarning(lcUndo) << "ERROR undoReplaceValue" << identifier;
        return false;
    }
    const FieldValue current = contact->person->valueForIdentifier(identifier);
    if (sameValue(current, value))
        return false;
    push(new ReplaceFieldValue(*this, contact, identifier, current, value, Refresh::Contact));
    return true;
}

bool UndoRegistry::undoReplaceLabeledValue(const LabeledValueList& list, const QString& identifier,
                                           const ContactEntryPtr& contact)
{
    if (!contact || !FieldIdentifiers::labeledField(identifier))
        return false;
    const LabeledValueList current = contact->person->labeledValuesForIdentifier(identifier);
    if (current == list)
        return false;
    push(new ReplaceLabeledList(*this, contact, identifier, current, list, Refresh::None));
    return true;
}

bool UndoRegistry::undoReplaceLabeledValue(const LabeledValue& value, const QString& identifier,
                                           const ContactEntryPtr& contact)
{
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!contact || !field)
        return false;
    const LabeledValueSpan list = contact->person->labeledValues(*field);
    const auto it = std::find_if(list.cbegin(), list.cend(),
                                 [&](const LabeledValue& entry) { return entry.labelIndex == value.labelIndex; });
    if (it == list.cend() || !changesLabeledValue(*field, *it, value))
        return false;
    push(new ReplaceLabeledValue(*this, contact, identifier, *it, value));
    return true;
}

bool UndoRegistry::undoDeleteLabeledValueForIdentifier(const QString& identifier, qsizetype position,
                                                       const ContactEntryPtr& contact)
{
    if (!contact)
        return false;
    const std::optional<LabeledValue> value = contact->person->labeledValueForIdentifier(identifier, position);
    if (!value)
        return false;
    const LabeledValueList before = contact->person->labeledValuesForIdentifier(identifier);
    if (!contact->person->deleteLabeledValue(*value, identifier))
        return false;
    const LabeledValueList after = contact->person->labeledValuesForIdentifier(identifier);
    push(new ReplaceLabeledList(*this, contact, identifier, before, after, Refresh::None));
    return true;
}

void UndoRegistry::undoAddLabeledValue(const LabeledValue& value, const QString& identifier,
                                       const ContactEntryPtr& contact)
{
    if (!contact)
        return;
    if (identifier == Field::Birthday) {
        undoReplaceBirthdayValue(BirthdayValue{value.date, {}}, contact);
        return;
    }
    if (!FieldIdentifiers::labeledField(identifier)) {
        refresh(Refresh::Contact, contact);
        return;
    }
    const LabeledValueList before = contact->person->labeledValuesForIdentifier(identifier);
    contact->person->addLabeledValue(value, identifier);
    const LabeledValueList after = contact->person->labeledValuesForIdentifier(identifier);
    push(new ReplaceLabeledList(*this, contact, identifier, before, after, Refresh::Contact));
}

bool UndoRegistry::undoReplaceBirthdayValue(const std::optional<BirthdayValue>& birthday,
                                            const ContactEntryPtr& contact)
{
    if (!contact)
        return false;
    const BirthdayValue current = contact->person->birthdayValue();
    const DateComponents wanted = birthday ? birthday->value : DateComponents();
    if (current.value.toDate() == wanted.toDate() && current.value.hasYear() == wanted.hasYear())
        return false;
    const FieldValue newValue = wanted.isValid() ? FieldValue(BirthdayValue{wanted, {}}) : FieldValue();
    const FieldValue oldValue = current.hasValue() ? FieldValue(current) : FieldValue();
    push(new ReplaceFieldValue(*this, contact, Field::Birthday, oldValue, newValue, Refresh::None));
    return true;
}

bool UndoRegistry::undoReplacePhoto(const QByteArray& imageData, const ContactEntryPtr& contact)
{
    if (!contact)
        return false;
    const QByteArray current = contact->person->photoData();
    if (current == imageData)
        return false;
    push(new ReplaceFieldValue(*this, contact, Field::Photo, current, imageData, Refresh::None));
    return true;
}

bool UndoRegistry::undoReplaceNameValue(const NameValue& name, const ContactEntryPtr& contact)
{
    if (!contact)
        return false;
    const NameValue current = contact->person->nameValue();
    if (sameValue(current, name))
        return false;
    push(new ReplaceFieldValue(*this, contact, Field::Name, current, name, Refresh::None));
    return true;
}

bool UndoRegistry::undoReplacePhoneticNameValue(const PhoneticNameValue& phonetic, const ContactEntryPtr& contact)
{
    if (!contact)
        return false;
    const PhoneticNameValue current = contact->person->phoneticNameValue();
    if (sameValue(current, phonetic))
        return false;
    push(new ReplaceFieldValue(*this, contact, Field::PhoneticName, current, phonetic, Refresh::None));
    return true;
}

void UndoRegistry::undoReplacePersonByContacts(const QList<std::shared_ptr<PersonDsc>>& people,
                                               const ContactTable& targets)
{
    const qsizetype count = qMin(people.size(), targets.size());
    if (count == 0)
        return;
    m_stack.beginMacro(Tr::tr("Merge Contacts"));
    const ContactEntryPtr savedViewTarget = targets.first();
    ContactTableView* view = m_view;
    m_view = nullptr; // one refresh at the end, not one per field
    for (qsizetype i = 0; i < count; ++i) {
        const PersonDsc& source = *people.at(i);
        const ContactEntryPtr& target = targets.at(i);
        for (const QString& identifier : FieldIdentifiers::allIdentifiers()) {
            const FieldId id = FieldIdentifiers::fieldId(identifier);
            if (id == FieldId::Photo) {
                undoReplacePhoto(source.photoData(), target);
            } else if (id == FieldId::Birthday) {
                const BirthdayValue birthday = source.birthdayValue();
                undoReplaceBirthdayValue(birthday.hasValue() ? std::optional(birthday) : std::nullopt, target);
            } else if (FieldIdentifiers::labeledField(id)) {
                undoReplaceLabeledValue(source.labeledValuesForIdentifier(identifier), identifier, target);
            } else if (FieldIdentifiers::stringField(id)) {
                undoReplaceStringValue(source.stringValueForIdentifier(identifier), identifier, target);
            } else {
                undoReplaceValue(source.valueForIdentifier(identifier), identifier, target);
            }
        }
    }
    m_view = view;
    m_stack.endMacro();
    dropIfEmpty(m_stack.index() - 1);
    refresh(Refresh::Contact, savedViewTarget);
}

void UndoRegistry::undoAddContacts(const ContactTable& contacts, const GroupEntryPtr& group)
{
    if (contacts.isEmpty())
        return;
    push(new AddContacts(*this, contacts, group));
}

void UndoRegistry::undoDeleteContacts(const ContactTable& contacts, const GroupEntryPtr& group, bool doUndo,
                                      bool groupOnly)
{
    if (contacts.isEmpty())
        return;
    if (doUndo)
        push(new DeleteContacts(*this, contacts, group, groupOnly));
    else
        deleteContacts(contacts, group, groupOnly);
}

void UndoRegistry::addContacts(const ContactTable& contacts, const GroupEntryPtr& group)
{
    const ZQVCard converter;
    // Thousands of contacts may come back at once (an undone deletion of a whole table).
    QSet<const ContactEntry*> present;
    for (const ContactEntryPtr& contact : std::as_const(m_collection.contactTable))
        present.insert(contact.get());
    for (const ContactEntryPtr& contact : contacts) {
        // A contact deleted before comes back from its snapshot, as a new contact with the same values.
        if (!contact->vCardString.isEmpty()) {
            if (const std::shared_ptr<PersonDsc> snapshot = converter.personFromVCard(contact->vCardString.utf8())) {
                auto person = std::make_shared<PersonDsc>(snapshot->duplicate());
                person->setUniqueId(AddressBook::newUniqueId());
                contact->person = std::move(person);
                contact->uniqueId = contact->person->uniqueId();
            }
        }
        contact->vCardString.clear();
        if (!present.contains(contact.get())) {
            contact->remote = m_collection.defaultAccount;
            m_collection.contactTable.append(contact);
            present.insert(contact.get());
        } else {
            contact->deleted = false;
        }
        if (group && !group->top) {
            if (!contact->groupUniqueIds.contains(group->uniqueId))
                contact->groupUniqueIds.append(group->uniqueId);
            contact->removedGroupUniqueIds.removeAll(group->uniqueId);
            contact->groupChanged = true;
        }
    }
    refresh(Refresh::SelectContact, contacts.isEmpty() ? ContactEntryPtr() : contacts.first());
}

void UndoRegistry::deleteContacts(const ContactTable& contacts, const GroupEntryPtr& group, bool groupOnly)
{
    const QStringList options{WriteOption::Note, WriteOption::Photo};
    if (m_snapshotsDeletedContacts) {
        const CategoryNames categories(m_collection.groupTable);
        for (const ContactEntryPtr& contact : contacts)
            contact->vCardString =
                CardText(ZQVCard::vCardFromContact(*contact, options, categories(contact->groupUniqueIds)));
    }
    for (const ContactEntryPtr& contact : contacts) {
        if (!group || group->top || !groupOnly) {
            contact->deleted = true;
        } else {
            contact->groupUniqueIds.removeAll(group->uniqueId);
            if (!contact->removedGroupUniqueIds.contains(group->uniqueId))
                contact->removedGroupUniqueIds.append(group->uniqueId);
            contact->groupChanged = true;
        }
        contact->dirty = true;
    }
    refresh(Refresh::Table, {});
}

} // namespace Quillary
