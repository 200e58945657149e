#include "MergeRows.h"

#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"
#include "support/CoreTr.h"
#include "support/Localized.h"

namespace Quillary {

namespace {

MergeRow textRow(const QString& type, const QString& label, const QString& value)
{
    MergeRow row;
    row.type = type;
    row.label = label;
    row.value = value;
    row.numLines = int(value.count(u'\n')) + 1;
    return row;
}

void appendLabeled(MergeRows& rows, const PersonDsc& person, const QString& identifier, qsizetype count)
{
    const LabeledValueList values = person.labeledValuesForIdentifier(identifier);
    const qsizetype size = values.size();
    for (qsizetype i = 0; i < qMax(count, size); ++i) {
        MergeRow row;
        if (i < size) {
            const LabeledValue& value = values.at(i);
            row = textRow(identifier, value.label, value.stringValue());
            row.labelIndex = value.labelIndex;
            row.index = i;
        } else {
            row = textRow(identifier, {}, {});
        }
        row.valueCount = size - i;
        rows.append(row);
    }
}

QString nameOrderingLabel(int ordering)
{
    if (ordering == 1)
        return localized(QStringLiteral("First Name First"));
    if (ordering == 2)
        return localized(QStringLiteral("Last Name First"));
    return MergeRowBuilder::nameOrderingLabels().first();
}

} // namespace

bool MergeRow::isLabeled() const
{
    return FieldIdentifiers::labeledField(type).has_value();
}

namespace MergeRowBuilder {

const QStringList& fieldOrder()
{
    static const QStringList order{
        Field::Photo,        Field::Name,    NameOrdering,          NameDisplay,          Field::Company,
        Field::PhoneticName, Field::Email,   Field::InstantMessage, Field::SocialNetwork, Field::URL,
        Field::Phone,        Field::Address, Field::Nickname,       Field::Birthday,      Field::Relationship,
        Field::Suffix,       Field::Title,   Field::Department,     Field::JobTitle,      Field::Dates,
        Field::Note};
    return order;
}

QHash<QString, qsizetype> valueCounts(const PersonDsc& left, const PersonDsc& right)
{
    QHash<QString, qsizetype> counts;
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers()) {
        const auto field = *FieldIdentifiers::labeledField(identifier);
        counts.insert(identifier,
                      qMax<qsizetype>(1, qMax(left.labeledValues(field).size(), right.labeledValues(field).size())));
    }
    return counts;
}

QStringList nameOrderingLabels()
{
    QStringList labels = LabelTable::labelsForIdentifier(NameOrdering).value_or(QStringList());
    labels.removeAll(LabelText::All);
    for (QString& label : labels)
        label = localized(label);
    const bool firstNameFirst = ContactDefaults::shared().nameOrdering == AddressBook::PersonFlags::FirstNameFirst;
    const QString systemDefault = firstNameFirst ? Tr::tr("Name Ordering System Default (First Name)")
                                                 : Tr::tr("Name Ordering System Default (Last Name)");
    if (labels.isEmpty())
        labels.append(systemDefault);
    else
        labels.first() = systemDefault;
    return labels;
}

MergeRows rowsFor(const PersonDsc& person, const QHash<QString, qsizetype>& counts)
{
    MergeRows rows;
    const NameValue name = person.nameValue();
    for (const QString& identifier : fieldOrder()) {
        const FieldId id = FieldIdentifiers::fieldId(identifier);
        if (identifier == NameOrdering) {
            rows.append(textRow(identifier, nameOrderingLabel(name.nameOrdering), {}));
        } else if (identifier == NameDisplay) {
            rows.append(textRow(
                identifier, localized(name.showAsPerson ? QStringLiteral("Person") : QStringLiteral("Company")), {}));
        } else if (id == FieldId::Photo) {
            rows.append(textRow(identifier, {}, {}));
        } else if (id == FieldId::Name) {
            for (const QString& part :
                 {Field::FirstName, Field::MiddleName, Field::LastName, Field::PreviousFamilyName})
                rows.append(textRow(identifier, part, name.part(part)));
        } else if (id == FieldId::PhoneticName) {
            const PhoneticNameValue phonetic = person.phoneticNameValue();
            for (const QString& part : {Field::FirstName, Field::MiddleName, Field::LastName})
                rows.append(textRow(identifier, part, phonetic.part(part)));
        } else if (id == FieldId::Birthday) {
            rows.append(textRow(identifier, {}, person.birthdayValue().stringValue));
        } else if (FieldIdentifiers::labeledField(id)) {
            appendLabeled(rows, person, identifier, counts.value(identifier, 1));
        } else {
            rows.append(textRow(identifier, {}, person.stringValueForIdentifier(identifier)));
        }
    }
    return rows;
}

} // namespace MergeRowBuilder

} // namespace Quillary
