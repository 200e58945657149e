#include "CellValues.h"

#include "TableRows.h"

namespace Quillary::CellValues {

ColumnKind kindOf(const QString& identifier)
{
    switch (FieldIdentifiers::fieldId(identifier)) {
    case FieldId::Name:
        return ColumnKind::Name;
    case FieldId::Phone:
    case FieldId::Email:
    case FieldId::URL:
    case FieldId::SocialNetwork:
    case FieldId::Relationship:
        return ColumnKind::LabeledText;
    case FieldId::Address:
        return ColumnKind::Address;
    case FieldId::InstantMessage:
        return ColumnKind::InstantMessage;
    case FieldId::Dates:
        return ColumnKind::Dates;
    case FieldId::PhoneticName:
        return ColumnKind::PhoneticName;
    case FieldId::Birthday:
        return ColumnKind::Birthday;
    default:
        break;
    }
    if (FieldIdentifiers::addressIdentifiers().contains(identifier))
        return ColumnKind::AddressPart;
    if (FieldIdentifiers::stringField(identifier))
        return ColumnKind::Text;
    return ColumnKind::Other;
}

std::optional<LabeledValue> valueAt(const SubContactRow& row, const QString& identifier,
                                    const QStringList& selectedLabels)
{
    const std::optional<LabeledField> field = TableRows::listForColumn(identifier);
    if (!field)
        return std::nullopt;
    const LabeledValue* value = TableRows::rowValue(row, *field, selectedLabels);
    return value ? std::optional<LabeledValue>(*value) : std::nullopt;
}

bool hasValue(const SubContactRow& row, const QString& identifier, const QStringList& selectedLabels)
{
    switch (kindOf(identifier)) {
    case ColumnKind::Name:
        return true;
    case ColumnKind::AddressPart:
        return valueAt(row, identifier, selectedLabels).has_value();
    case ColumnKind::LabeledText:
    case ColumnKind::Address:
    case ColumnKind::InstantMessage:
    case ColumnKind::Dates: {
        const std::optional<LabeledValue> value = valueAt(row, identifier, selectedLabels);
        return value && !value->stringValue().isEmpty();
    }
    default:
        return !textAt(row, identifier, selectedLabels).isEmpty();
    }
}

bool hasTextCell(const SubContactRow& row, const QString& identifier, const QStringList& selectedLabels)
{
    switch (kindOf(identifier)) {
    case ColumnKind::LabeledText:
    case ColumnKind::AddressPart:
        return hasValue(row, identifier, selectedLabels);
    case ColumnKind::Text:
    case ColumnKind::Other:
        return row.index == 0;
    default:
        return false;
    }
}

QString textOf(const LabeledValue& value, const QString& identifier)
{
    return kindOf(identifier) == ColumnKind::AddressPart ? value.address.part(identifier) : value.stringValue();
}

QString textAt(const SubContactRow& row, const QString& identifier, const QStringList& selectedLabels)
{
    if (TableRows::listForColumn(identifier)) {
        const std::optional<LabeledValue> value = valueAt(row, identifier, selectedLabels);
        return value ? textOf(*value, identifier) : QString();
    }
    if (row.index > 0)
        return {};
    if (kindOf(identifier) == ColumnKind::Name)
        return row.person().compositeName();
    return row.person().stringValueForIdentifier(identifier, 0);
}

LabeledValue withText(LabeledValue value, const QString& identifier, const QString& text,
                      const QString& defaultCountryCode)
{
    switch (FieldIdentifiers::fieldId(identifier)) {
    case FieldId::Email:
        value.value = text;
        updateEmailValue(value);
        break;
    case FieldId::SocialNetwork:
        // The shown text of a profile is its user name; a profile address belonged to the old name.
        value.value = text;
        value.setUsername(text);
        value.setStringValue(text);
        break;
    default:
        if (kindOf(identifier) == ColumnKind::AddressPart) {
            value.address.setPart(identifier, text);
            updateAddressValue(value, defaultCountryCode);
        } else {
            value.value = text;
            value.setStringValue(text);
        }
        break;
    }
    return value;
}

} // namespace Quillary::CellValues
