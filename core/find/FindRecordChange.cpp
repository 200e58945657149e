#include "FindRecordChange.h"

#include "documents/UndoBatch.h"
#include "documents/UndoRegistry.h"
#include "model/LabelTable.h"
#include "table/CellValues.h"

namespace Quillary {

namespace {

/// Gives the contact the record's new state through the owner's undo registry.
void applyToContact(UndoRegistry& registry, const FindRecord& record, const FindRecordState& state)
{
    const ContactEntryPtr& contact = record.contact;
    const PersonDsc& person = *contact->person;
    const FieldId id = FieldIdentifiers::fieldId(record.item);
    if (id == FieldId::Birthday) {
        registry.undoReplaceBirthdayValue(
            state.date.isValid() ? std::optional(BirthdayValue{state.date, {}}) : std::nullopt, contact);
        return;
    }
    if (FieldIdentifiers::stringField(id)) {
        registry.undoReplaceStringValue(state.text, record.item, contact);
        return;
    }
    if (id == FieldId::Name || id == FieldId::PhoneticName) {
        registry.undoReplaceValue(state.text, record.subItem, contact);
        return;
    }
    std::optional<LabeledValue> value = person.labeledValueForIdentifier(record.item, record.index);
    if (!value)
        return;
    switch (id) {
    case FieldId::Dates:
        value->date = state.date;
        updateDateValue(*value);
        break;
    case FieldId::InstantMessage:
        value->setUsername(state.text);
        value->value = state.text;
        updateIMSValue(*value);
        break;
    case FieldId::Address:
        *value = CellValues::withText(*value, record.subItem, state.text, person.defaultCountryCode());
        break;
    default:
        *value = CellValues::withText(*value, record.item, state.text, person.defaultCountryCode());
        break;
    }
    registry.undoReplaceLabeledValue(*value, record.item, contact);
}

} // namespace

FindRecordChange::FindRecordChange(const QString& text, QList<Change> changes, UndoRegistry* delegate,
                                   std::function<void(const FindRecords&)> changed)
    : QUndoCommand(text), m_changes(std::move(changes)), m_delegate(delegate), m_changed(std::move(changed))
{ }

FindRecordState FindRecordChange::currentState(const FindRecord& record)
{
    FindRecordState state{record.value, record.ranges, {}};
    if (record.item == Field::Birthday)
        state.date = record.contact->person->birthdayValue().value;
    else if (record.item == Field::Dates)
        state.date =
            record.contact->person->labeledValueForIdentifier(Field::Dates, record.index).value_or(LabeledValue()).date;
    return state;
}

void FindRecordChange::undo()
{
    apply(false);
}

void FindRecordChange::redo()
{
    apply(true);
}

void FindRecordChange::apply(bool forward)
{
    FindRecords records;
    records.reserve(m_changes.size());
    {
        std::optional<UndoBatch> batch;
        if (m_delegate)
            batch.emplace(*m_delegate, text());
        // Undoing goes backwards, so that two records of one value end with the oldest text.
        for (qsizetype n = 0; n < m_changes.size(); ++n) {
            const Change& change = m_changes.at(forward ? n : m_changes.size() - 1 - n);
            const FindRecordState& state = forward ? change.after : change.before;
            FindRecord& record = *change.record;
            record.value = record.isDate() ? ContactDate::format(state.date) : state.text;
            record.ranges = state.ranges;
            if (m_delegate && record.contact && record.contact->person)
                applyToContact(*m_delegate, record, state);
            records.append(change.record);
        }
    }
    if (m_changed)
        m_changed(records);
}

} // namespace Quillary
