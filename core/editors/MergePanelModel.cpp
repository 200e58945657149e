#include "MergePanelModel.h"

#include "EditorValues.h"
#include "PhotoData.h"
#include "documents/UndoBatch.h"
#include "documents/UndoRegistry.h"
#include "model/LabelTable.h"
#include "support/CoreTr.h"
#include "support/Localized.h"
#include "table/CellValues.h"

namespace Quillary {

namespace {

/// A copy that shares nothing with the contact of the collection, not even an address-book record.
ContactEntryPtr privateCopy(const ContactEntry& entry)
{
    auto person = std::make_shared<PersonDsc>(entry.person->duplicate());
    person->setUniqueId(entry.person->uniqueId());
    auto copy = std::make_shared<ContactEntry>(entry);
    copy->person = std::move(person);
    return copy;
}

/// Whether a contact holds anything besides its name.
bool hasValuesBesidesName(const PersonDsc& person)
{
    for (int field = 0; field < LabeledFieldCount; ++field) {
        if (!person.labeledValues(LabeledField(field)).isEmpty())
            return true;
    }
    return !person.stringValues().isEmpty() || person.birthdayValue().hasValue() || !person.photoData().isEmpty();
}

/// One part of a name (or of its reading) given to the other contact; moving empties it in the source.
template <typename Name>
void moveNamePart(UndoRegistry& registry, const ContactEntryPtr& from, const ContactEntryPtr& to, const QString& part,
                  const QString& targetPart, bool copy, Name (PersonDsc::*read)() const,
                  bool (UndoRegistry::*replace)(const Name&, const ContactEntryPtr&))
{
    Name fromName = (*from->person.*read)();
    Name toName = (*to->person.*read)();
    toName.setPart(targetPart, fromName.part(part));
    if (!copy) {
        fromName.setPart(part, QString());
        (registry.*replace)(fromName, from);
    }
    (registry.*replace)(toName, to);
}

/// Text fields whose value is typed in place.
bool isLabeledText(FieldId id)
{
    return id == FieldId::Phone || id == FieldId::Email || id == FieldId::URL || id == FieldId::SocialNetwork
        || id == FieldId::Relationship;
}

} // namespace

MergePanelModel::MergePanelModel(QObject* parent)
    : QObject(parent), m_registry(std::make_unique<UndoRegistry>(m_copies))
{
    m_registry->setView(this);
    connect(m_registry->undoStack(), &QUndoStack::indexChanged, this, &MergePanelModel::stateChanged);
}

MergePanelModel::~MergePanelModel()
{
    m_registry->setView(nullptr);
}

QUndoStack* MergePanelModel::undoStack() const
{
    return m_registry->undoStack();
}

void MergePanelModel::setContacts(const ContactTable& contacts, bool editable)
{
    m_registry->undoStack()->clear();
    m_originals = contacts.mid(0, 2);
    m_copies.contactTable.clear();
    for (const ContactEntryPtr& contact : std::as_const(m_originals)) {
        if (contact->person->isBound())
            contact->person->refreshCache();
        m_copies.contactTable.append(privateCopy(*contact));
    }
    m_editable = editable;
    m_editState = editable;
    reload();
    Q_EMIT stateChanged();
}

ContactEntryPtr MergePanelModel::original(Side side) const
{
    return m_originals.value(int(side));
}

const ContactEntryPtr& MergePanelModel::copy(Side side) const
{
    return m_copies.contactTable.at(int(side));
}

QString MergePanelModel::displayName(Side side) const
{
    const QString name = copy(side)->person->compositeName();
    return name.isEmpty() ? localized(NoNameText) : name;
}

void MergePanelModel::reload()
{
    if (!hasContacts())
        return;
    const PersonDsc& left = *copy(Side::Left)->person;
    const PersonDsc& right = *copy(Side::Right)->person;
    m_valueCounts = MergeRowBuilder::valueCounts(left, right);
    m_rows[0] = MergeRowBuilder::rowsFor(left, m_valueCounts);
    m_rows[1] = MergeRowBuilder::rowsFor(right, m_valueCounts);
    Q_EMIT rowsReloaded();
}

int MergePanelModel::changeCount() const
{
    return m_registry->undoStack()->index();
}

void MergePanelModel::setEditState(bool on)
{
    // Changes made in edit mode keep it on: locking would hide that they are still pending.
    on = m_editable && (on || changeCount() > 0);
    if (on == m_editState)
        return;
    m_editState = on;
    Q_EMIT stateChanged();
}

QString MergePanelModel::doneTitle() const
{
    return m_editState ? Tr::tr("Change") : Tr::tr("Done");
}

const MergeRow* MergePanelModel::rowAt(Side side, int row) const
{
    const MergeRows& rows = m_rows[int(side)];
    return row >= 0 && row < rows.size() ? &rows.at(row) : nullptr;
}

QString MergePanelModel::dragText(Side side, int row) const
{
    const MergeRow* dragged = rowAt(side, row);
    if (!dragged || dragged->type == Field::Photo)
        return {};
    return QStringLiteral("%1: %2").arg(localized(dragged->label), dragged->value);
}

bool MergePanelModel::canDrop(Side source, int sourceRow, int targetRow, bool above) const
{
    const MergeRow* dragged = rowAt(source, sourceRow);
    const MergeRow* target = rowAt(other(source), targetRow);
    if (!m_editState || !dragged || !target || dragged->type != target->type
        || !FieldIdentifiers::allIdentifiers().contains(dragged->type))
        return false;
    if (!dragged->isLabeled()) {
        // Dragging an empty value would only erase the other contact's.
        const bool empty =
            dragged->type == Field::Photo ? copy(source)->person->photoData().isEmpty() : dragged->value.isEmpty();
        return !above && !empty;
    }
    // A filler row has nothing to give; of the target's filler rows only the first takes a value.
    return dragged->valueCount > 0 && target->valueCount >= 0;
}

bool MergePanelModel::drop(Side source, int sourceRow, int targetRow, bool above, bool copy)
{
    if (!canDrop(source, sourceRow, targetRow, above))
        return false;
    const MergeRow dragged = *rowAt(source, sourceRow);
    const MergeRow target = *rowAt(other(source), targetRow);
    const QString name = localized(dragged.type);
    const int before = changeCount();
    {
        UndoBatch batch(*m_registry, copy ? Tr::tr("Copy %1").arg(name) : Tr::tr("Move %1").arg(name));
        moveOrCopy(dragged, source, target, above, copy);
    }
    return changeCount() > before;
}

void MergePanelModel::moveOrCopy(const MergeRow& dragged, Side source, const MergeRow& target, bool above, bool copy)
{
    const ContactEntryPtr& from = this->copy(source);
    const ContactEntryPtr& to = this->copy(other(source));
    UndoRegistry& registry = *m_registry;
    switch (FieldIdentifiers::fieldId(dragged.type)) {
    case FieldId::Name:
        moveNamePart(registry, from, to, dragged.label, target.label, copy, &PersonDsc::nameValue,
                     &UndoRegistry::undoReplaceNameValue);
        break;
    case FieldId::PhoneticName:
        moveNamePart(registry, from, to, dragged.label, target.label, copy, &PersonDsc::phoneticNameValue,
                     &UndoRegistry::undoReplacePhoneticNameValue);
        break;
    case FieldId::Photo: {
        const QByteArray photo = from->person->photoData();
        if (!copy)
            registry.undoReplacePhoto({}, from);
        registry.undoReplacePhoto(photo, to);
        break;
    }
    case FieldId::Birthday: {
        const BirthdayValue birthday = from->person->birthdayValue();
        if (!copy)
            registry.undoReplaceBirthdayValue(std::nullopt, from);
        registry.undoReplaceBirthdayValue(birthday.hasValue() ? std::optional(birthday) : std::nullopt, to);
        break;
    }
    default:
        if (dragged.isLabeled()) {
            moveLabeled(dragged, source, target, above, copy);
        } else {
            const QString text = from->person->stringValueForIdentifier(dragged.type);
            if (!copy)
                registry.undoReplaceStringValue(QString(), dragged.type, from);
            registry.undoReplaceStringValue(text, dragged.type, to);
        }
        break;
    }
}

void MergePanelModel::moveLabeled(const MergeRow& dragged, Side source, const MergeRow& target, bool above, bool copy)
{
    const ContactEntryPtr& from = this->copy(source);
    const ContactEntryPtr& to = this->copy(other(source));
    const std::optional<LabeledValue> found = from->person->labeledValueForIdentifier(dragged.type, dragged.index);
    if (!found)
        return;
    LabeledValue value = *found;
    if (!copy)
        m_registry->undoDeleteLabeledValueForIdentifier(dragged.type, dragged.index, from);
    if (above || target.labelIndex < 0) {
        m_registry->undoAddLabeledValue(value, dragged.type, to);
    } else {
        value.labelIndex = target.labelIndex;
        m_registry->undoReplaceLabeledValue(value, dragged.type, to);
    }
}

bool MergePanelModel::isTextEditable(Side side, int row) const
{
    const MergeRow* target = rowAt(side, row);
    if (!m_editState || !target)
        return false;
    const FieldId id = FieldIdentifiers::fieldId(target->type);
    if (id == FieldId::Name || id == FieldId::PhoneticName || FieldIdentifiers::stringField(id))
        return true;
    return isLabeledText(id) && !target->isFiller();
}

bool MergePanelModel::setText(Side side, int row, const QString& text)
{
    if (!isTextEditable(side, row))
        return false;
    const MergeRow target = *rowAt(side, row);
    const ContactEntryPtr& contact = copy(side);
    const PersonDsc& person = *contact->person;
    const FieldId id = FieldIdentifiers::fieldId(target.type);
    if (id == FieldId::Name) {
        NameValue name = person.nameValue();
        name.setPart(target.label, text);
        return m_registry->undoReplaceNameValue(name, contact);
    }
    if (id == FieldId::PhoneticName) {
        PhoneticNameValue name = person.phoneticNameValue();
        name.setPart(target.label, text);
        return m_registry->undoReplacePhoneticNameValue(name, contact);
    }
    if (FieldIdentifiers::stringField(id))
        return m_registry->undoReplaceStringValue(text, target.type, contact);
    const std::optional<LabeledValue> value = person.labeledValueForIdentifier(target.type, target.index);
    if (!value || value->stringValue() == text)
        return false;
    return m_registry->undoReplaceLabeledValue(
        CellValues::withText(*value, target.type, text, person.defaultCountryCode()), target.type, contact);
}

QStringList MergePanelModel::labelChoices(Side side, int row) const
{
    const MergeRow* target = rowAt(side, row);
    if (!target)
        return {};
    if (target->type == MergeRowBuilder::NameOrdering)
        return MergeRowBuilder::nameOrderingLabels();
    if (target->type == MergeRowBuilder::NameDisplay)
        return {localized(QStringLiteral("Person")), localized(QStringLiteral("Company"))};
    if (!target->isLabeled() || target->isFiller())
        return {};
    QStringList labels = LabelTable::labelsForIdentifier(target->type).value_or(QStringList());
    if (!target->label.isEmpty() && !labels.contains(target->label))
        labels.append(target->label);
    return labels;
}

bool MergePanelModel::setLabel(Side side, int row, const QString& label)
{
    const MergeRow* target = rowAt(side, row);
    if (!m_editState || !target)
        return false;
    const ContactEntryPtr& contact = copy(side);
    if (target->type == MergeRowBuilder::NameOrdering || target->type == MergeRowBuilder::NameDisplay) {
        NameValue name = contact->person->nameValue();
        if (target->type == MergeRowBuilder::NameOrdering) {
            name.nameOrdering = label == localized(QStringLiteral("First Name First")) ? 1
                : label == localized(QStringLiteral("Last Name First"))                ? 2
                                                                                       : 0;
        } else {
            name.showAsPerson = label == localized(QStringLiteral("Person"));
        }
        return m_registry->undoReplaceNameValue(name, contact);
    }
    std::optional<LabeledValue> value = contact->person->labeledValueForIdentifier(target->type, target->index);
    if (!target->isLabeled() || !value)
        return false;
    value->label = label;
    if (target->type == Field::SocialNetwork)
        value->setService(label);
    return m_registry->undoReplaceLabeledValue(*value, target->type, contact);
}

EditorContext MergePanelModel::editorContext(Side side, int row) const
{
    EditorContext context;
    const MergeRow* target = rowAt(side, row);
    if (!target || !hasContacts())
        return context;
    context.contact = copy(side);
    context.type = target->type;
    context.index = int(qMax<qsizetype>(0, target->index));
    context.labelIndex = target->labelIndex;
    context.editEnabled = m_editState;
    return context;
}

bool MergePanelModel::applyEditor(const EditorContext& closed)
{
    // Only the panel's copies are edited here.
    if (!m_editState || !closed.dirty || !m_copies.contactTable.contains(closed.contact))
        return false;
    return EditorValues::apply(*m_registry, closed);
}

bool MergePanelModel::setPhoto(Side side, const QImage& image)
{
    return setPhotoData(side, PhotoData::fromImage(image));
}

bool MergePanelModel::setPhotoData(Side side, const QByteArray& data)
{
    if (!m_editState || !hasContacts())
        return false;
    return m_registry->undoReplacePhoto(data, copy(side));
}

QList<std::shared_ptr<PersonDsc>> MergePanelModel::result() const
{
    if (changeCount() < 1 || !hasContacts())
        return {};
    return {copy(Side::Left)->person, copy(Side::Right)->person};
}

ContactEntryPtr MergePanelModel::emptiedContact() const
{
    if (changeCount() < 1 || !hasContacts())
        return {};
    for (const Side side : {Side::Left, Side::Right}) {
        if (!hasValuesBesidesName(*copy(side)->person) && hasValuesBesidesName(*original(side)->person)
            && hasValuesBesidesName(*copy(other(side))->person))
            return original(side);
    }
    return {};
}

} // namespace Quillary
