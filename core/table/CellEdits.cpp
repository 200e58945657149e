#include "CellEdits.h"

#include "documents/UndoRegistry.h"

#include <QSignalBlocker>

namespace Quillary::CellEdits {

namespace {

std::optional<qsizetype> positionOf(const PersonDsc& person, const QString& identifier, int labelIndex)
{
    const std::optional<LabeledField> field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return std::nullopt;
    const LabeledValueSpan values = person.labeledValues(*field);
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (values.at(i).labelIndex == labelIndex)
            return i;
    }
    return std::nullopt;
}

bool birthdayChanges(const PersonDsc& person, const std::optional<BirthdayValue>& birthday)
{
    const DateComponents current = person.birthdayValue().value;
    const DateComponents wanted = birthday ? birthday->value : DateComponents();
    if (!current.isValid() && !wanted.isValid())
        return false;
    return current.toDate() != wanted.toDate() || current.hasYear() != wanted.hasYear();
}

bool phoneticNameChanges(const PersonDsc& person, const PhoneticNameValue& phonetic)
{
    const PhoneticNameValue current = person.phoneticNameValue();
    return current.firstName != phonetic.firstName || current.middleName != phonetic.middleName
        || current.lastName != phonetic.lastName;
}

bool nameChanges(const PersonDsc& person, const NameValue& name)
{
    NameValue current = person.nameValue();
    NameValue wanted = name;
    // The display text is the contact's own composition, not part of what is edited.
    current.stringValue.clear();
    wanted.stringValue.clear();
    return current != wanted;
}

bool apply(UndoRegistry& registry, const CellEdit& edit)
{
    const ContactEntryPtr& contact = edit.contact;
    switch (edit.kind) {
    case CellEdit::Kind::ReplaceString:
        return registry.undoReplaceStringValue(edit.text, edit.identifier, contact);
    case CellEdit::Kind::ReplaceLabeledValue:
        return registry.undoReplaceLabeledValue(edit.value, edit.identifier, contact);
    case CellEdit::Kind::ReplaceLabeledList:
        return registry.undoReplaceLabeledValue(edit.list, edit.identifier, contact);
    case CellEdit::Kind::DeleteLabeledValue: {
        const auto position = positionOf(*contact->person, edit.identifier, edit.value.labelIndex);
        return position && registry.undoDeleteLabeledValueForIdentifier(edit.identifier, *position, contact);
    }
    case CellEdit::Kind::AddLabeledValue:
        registry.undoAddLabeledValue(edit.value, edit.identifier, contact);
        return true;
    case CellEdit::Kind::ReplaceBirthday:
        return registry.undoReplaceBirthdayValue(edit.birthday, contact);
    case CellEdit::Kind::ReplacePhoneticName:
        return registry.undoReplacePhoneticNameValue(edit.phoneticName, contact);
    case CellEdit::Kind::ReplaceName:
        return registry.undoReplaceNameValue(edit.name, contact);
    case CellEdit::Kind::ReplacePhoto:
        return registry.undoReplacePhoto(edit.photo, contact);
    }
    return false;
}

/// Keeps the registry from reloading the table after every single change of a bulk edit; the
/// rows the edit was planned on stay as they are until the caller reloads once.
class DetachedView
{
public:
    explicit DetachedView(UndoRegistry& registry) : m_registry(registry), m_view(registry.view())
    {
        m_registry.setView(nullptr);
    }
    ~DetachedView() { m_registry.setView(m_view); }
    Q_DISABLE_COPY_MOVE(DetachedView)

private:
    UndoRegistry& m_registry;
    ContactTableView* m_view;
};

/// Takes back a group that received no step, as if it had never been opened: nothing changed, so
/// neither the undo history nor the edited mark may show anything.
void dropIfEmpty(QUndoStack& stack, int indexBefore)
{
    if (stack.index() != indexBefore + 1)
        return;
    auto* group = const_cast<QUndoCommand*>(stack.command(indexBefore));
    if (!group || group->childCount() > 0)
        return;
    const QSignalBlocker blocker(&stack);
    group->setObsolete(true);
    stack.undo(); // an obsolete step is deleted instead of undone
}

} // namespace

bool changes(const CellEdit& edit)
{
    if (!edit.contact || !edit.contact->person)
        return false;
    const PersonDsc& person = *edit.contact->person;
    switch (edit.kind) {
    case CellEdit::Kind::ReplaceString:
        return FieldIdentifiers::stringField(edit.identifier)
            && person.stringValueForIdentifier(edit.identifier) != edit.text;
    case CellEdit::Kind::ReplaceLabeledValue: {
        const auto position = positionOf(person, edit.identifier, edit.value.labelIndex);
        return position && !(person.labeledValuesForIdentifier(edit.identifier).at(*position) == edit.value);
    }
    case CellEdit::Kind::ReplaceLabeledList:
        return FieldIdentifiers::labeledField(edit.identifier)
            && person.labeledValuesForIdentifier(edit.identifier) != edit.list;
    case CellEdit::Kind::DeleteLabeledValue:
        return positionOf(person, edit.identifier, edit.value.labelIndex).has_value();
    case CellEdit::Kind::AddLabeledValue:
        return FieldIdentifiers::labeledField(edit.identifier).has_value();
    case CellEdit::Kind::ReplaceBirthday:
        return birthdayChanges(person, edit.birthday);
    case CellEdit::Kind::ReplacePhoneticName:
        return phoneticNameChanges(person, edit.phoneticName);
    case CellEdit::Kind::ReplaceName:
        return nameChanges(person, edit.name);
    case CellEdit::Kind::ReplacePhoto:
        return person.photoData() != edit.photo;
    }
    return false;
}

bool applyInOneStep(UndoRegistry& registry, const QList<CellEdit>& edits, const QString& stepName)
{
    QList<CellEdit> effective;
    for (const CellEdit& edit : edits) {
        if (changes(edit))
            effective.append(edit);
    }
    if (effective.isEmpty())
        return false;
    QUndoStack& stack = *registry.undoStack();
    const int indexBefore = stack.index();
    bool changed = false;
    {
        const DetachedView detached(registry);
        stack.beginMacro(stepName);
        for (const CellEdit& edit : std::as_const(effective))
            changed = apply(registry, edit) || changed;
        stack.endMacro();
    }
    dropIfEmpty(stack, indexBefore);
    return changed;
}

} // namespace Quillary::CellEdits
