#include "EditorValues.h"

#include "documents/UndoRegistry.h"
#include "model/LabelTable.h"
#include "support/CoreTr.h"
#include "support/Localized.h"

#include <QCoreApplication>

namespace Quillary::EditorValues {

namespace {

bool hasLabelIndex(const PersonDsc& person, const QString& identifier, int labelIndex)
{
    const std::optional<LabeledField> field = FieldIdentifiers::labeledField(identifier);
    if (!field || labelIndex < 0)
        return false;
    const LabeledValueSpan values = person.labeledValues(*field);
    return std::any_of(values.cbegin(), values.cend(),
                       [labelIndex](const LabeledValue& value) { return value.labelIndex == labelIndex; });
}

CellEdit edit(CellEdit::Kind kind, const EditorContext& context, const QString& identifier)
{
    return CellEdit::of(kind, context.contact, identifier);
}

QList<CellEdit> labeledEdits(const EditorContext& context, const LabeledValue& value)
{
    const bool replaces = hasLabelIndex(*context.contact->person, context.type, value.labelIndex);
    CellEdit result =
        edit(replaces ? CellEdit::Kind::ReplaceLabeledValue : CellEdit::Kind::AddLabeledValue, context, context.type);
    result.value = value;
    return {result};
}

QList<CellEdit> nameEdits(const EditorContext& context, const FullNameValue& name)
{
    CellEdit nameEdit = edit(CellEdit::Kind::ReplaceName, context, Field::Name);
    nameEdit.name = name.name;
    CellEdit title = edit(CellEdit::Kind::ReplaceString, context, Field::Title);
    title.text = name.title;
    CellEdit suffix = edit(CellEdit::Kind::ReplaceString, context, Field::Suffix);
    suffix.text = name.suffix;
    return {nameEdit, title, suffix};
}

} // namespace

LabeledValue newValue(const QString& identifier)
{
    LabeledValue value;
    value.labelIndex = -1;
    const std::optional<QStringList> labels = LabelTable::labelsForIdentifier(identifier);
    if (labels && !labels->isEmpty())
        value.label = labels->first();
    return value;
}

LabeledValue valueToEdit(const EditorContext& context)
{
    if (context.labeledValue)
        return *context.labeledValue;
    if (context.contact && hasLabelIndex(*context.contact->person, context.type, context.labelIndex))
        return context.contact->person->labeledValueForIdentifierAtLabelIndex(context.type, context.labelIndex);
    return newValue(context.type);
}

FullNameValue fullNameOf(const PersonDsc& person)
{
    FullNameValue result;
    result.name = person.nameValue();
    result.title = person.stringValueForIdentifier(Field::Title);
    result.suffix = person.stringValueForIdentifier(Field::Suffix);
    return result;
}

QList<CellEdit> editsFor(const EditorContext& context)
{
    if (!context.dirty || !context.contact || !context.contact->person)
        return {};
    if (const auto* value = std::get_if<LabeledValue>(&context.value))
        return labeledEdits(context, *value);
    if (const auto* list = std::get_if<LabeledValueList>(&context.value)) {
        CellEdit result = edit(CellEdit::Kind::ReplaceLabeledList, context, context.type);
        result.list = *list;
        return {result};
    }
    if (const auto* birthday = std::get_if<BirthdayValue>(&context.value)) {
        CellEdit result = edit(CellEdit::Kind::ReplaceBirthday, context, Field::Birthday);
        if (birthday->hasValue())
            result.birthday = *birthday;
        return {result};
    }
    if (const auto* phonetic = std::get_if<PhoneticNameValue>(&context.value)) {
        CellEdit result = edit(CellEdit::Kind::ReplacePhoneticName, context, Field::PhoneticName);
        result.phoneticName = *phonetic;
        return {result};
    }
    if (const auto* name = std::get_if<FullNameValue>(&context.value))
        return nameEdits(context, *name);
    if (const auto* photo = std::get_if<PhotoValue>(&context.value)) {
        CellEdit result = edit(CellEdit::Kind::ReplacePhoto, context, Field::Photo);
        result.photo = photo->imageData;
        return {result};
    }
    if (const auto* text = std::get_if<QString>(&context.value)) {
        CellEdit result = edit(CellEdit::Kind::ReplaceString, context, context.type);
        result.text = *text;
        return {result};
    }
    return {};
}

bool apply(UndoRegistry& registry, const EditorContext& context)
{
    const bool changed =
        CellEdits::applyInOneStep(registry, editsFor(context), Tr::tr("Change %1").arg(localized(context.type)));
    if (changed && registry.view())
        registry.view()->updateTableForContact(context.contact);
    return changed;
}

} // namespace Quillary::EditorValues
