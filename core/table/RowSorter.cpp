#include "RowSorter.h"

#include "SortKeys.h"
#include "TableRows.h"
#include "model/LabelTable.h"

namespace Quillary::RowSorter {

namespace {

SortValue textValue(const QString& text)
{
    SortValue value;
    if (!text.isEmpty()) {
        value.kind = SortValue::Kind::Text;
        value.text = text;
    }
    return value;
}

SortValue dateValue(const DateComponents& date)
{
    SortValue value;
    if (date.isValid()) {
        value.kind = SortValue::Kind::Date;
        // A date without a year comes before every date with one, as year 1 would.
        value.date = quint32(date.year) * 10000 + quint32(date.month) * 100 + quint32(date.day);
    }
    return value;
}

} // namespace

QStringView labeledSortText(LabeledField field, const LabeledValue& value, const QString& valueKey)
{
    if (valueKey == u"stringValue")
        return value.stringValue();
    if (valueKey == u"label")
        return value.label;
    switch (field) {
    case LabeledField::Address:
        return value.address.part(valueKey);
    case LabeledField::Email: {
        // The text after the first "@" (none when "@" is last), or before it (all without one).
        const QStringView text = value.value;
        const qsizetype at = text.indexOf(u'@');
        const bool split = at >= 0 && at < text.size() - 1;
        if (valueKey == u"domain")
            return split ? text.sliced(at + 1) : QStringView();
        return split ? text.first(at) : text;
    }
    case LabeledField::InstantMessage:
    case LabeledField::SocialNetwork:
        if (valueKey == u"service" || valueKey == u"servicename")
            return value.service();
        if (valueKey == u"username")
            return value.username();
        return value.stringValue();
    default:
        return value.stringValue();
    }
}

SortValue::Kind labeledSortValue(LabeledField field, const LabeledValue& value, const QString& valueKey,
                                 const QStringList& selectedLabels, QStringView* text, quint32* date)
{
    if (!TableRows::passesLabelFilter(selectedLabels, value.label))
        return SortValue::Kind::None;
    if (field == LabeledField::Dates && valueKey != u"label") {
        const SortValue sorted = dateValue(value.date);
        *date = sorted.date;
        return sorted.kind;
    }
    *text = labeledSortText(field, value, valueKey);
    return text->isEmpty() ? SortValue::Kind::None : SortValue::Kind::Text;
}

namespace {

SortValue nameValue(const PersonDsc& person, const QString& valueKey)
{
    if (valueKey == u"FirstName" || valueKey == u"LastName") {
        if (!person.showAsPerson())
            return textValue(person.stringValueForIdentifier(Field::Company));
        const NameValue name = person.nameValue();
        return textValue(valueKey == u"FirstName" ? name.firstName + name.lastName : name.lastName + name.firstName);
    }
    return textValue(person.compositeName());
}

SortValue phoneticValue(const PersonDsc& person, const QString& valueKey)
{
    const PhoneticNameValue phonetic = person.phoneticNameValue();
    if (valueKey == u"PhoneticFirstName")
        return textValue(phonetic.firstName + phonetic.lastName);
    if (valueKey == u"PhoneticLastName")
        return textValue(phonetic.lastName + phonetic.firstName);
    return textValue(phonetic.stringValue);
}

} // namespace

namespace {

/// The sort value of a field with one value per contact.
SortValue contactValueOf(const PersonDsc& person, FieldId id, const QString& identifier, const QString& valueKey)
{
    switch (id) {
    case FieldId::Birthday:
        return dateValue(person.birthdayValue().value);
    case FieldId::Name:
        return nameValue(person, valueKey);
    case FieldId::PhoneticName:
        return phoneticValue(person, valueKey);
    default:
        return textValue(person.stringValueForIdentifier(identifier));
    }
}

/// The sort value with the field looked up once for the whole sort.
SortValue sortValueOf(const SubContactRow& row, FieldId id, const QString& identifier, const QString& valueKey,
                      const QStringList& selectedLabels)
{
    const PersonDsc& person = row.person();
    if (const auto field = FieldIdentifiers::labeledField(id)) {
        // The value the row shows: under a filter or a sort of the contact's values, not
        // necessarily the one at the row's index.
        const LabeledValue* shown = TableRows::rowValue(row, *field, selectedLabels);
        if (!shown)
            return {};
        SortValue result;
        QStringView text;
        result.kind = labeledSortValue(*field, *shown, valueKey, selectedLabels, &text, &result.date);
        result.text = text.toString();
        return result;
    }
    return contactValueOf(person, id, identifier, valueKey);
}

} // namespace

ContactSortText contactSortText(const PersonDsc& person, FieldId id, const QString& valueKey)
{
    ContactSortText result;
    const auto own = [&](SortValue value) {
        result.kind = value.kind;
        result.date = value.date;
        result.owned = std::move(value.text);
        result.first = result.owned;
    };
    if (id == FieldId::Name && (valueKey == u"FirstName" || valueKey == u"LastName")) {
        // The parts as stored: composing the display name only to drop it would cost a text per contact.
        if (!person.showAsPerson()) {
            result.first = person.stringValues()[StringField::Company];
        } else {
            const NameValue& name = person.nameParts();
            const bool firstFirst = valueKey == u"FirstName";
            result.first = firstFirst ? name.firstName : name.lastName;
            result.second = firstFirst ? name.lastName : name.firstName;
        }
    } else if (id == FieldId::Name) {
        // As compositeName() gives it, read without storing it again in the contact: other
        // contacts may be read on other threads meanwhile.
        result.first =
            person.showAsPerson() ? person.nameParts().stringValue : person.stringValues()[StringField::Company];
    } else if (id == FieldId::Birthday || id == FieldId::PhoneticName) {
        own(contactValueOf(person, id, QString(), valueKey));
        return result;
    } else if (const auto field = FieldIdentifiers::stringField(id)) {
        result.first = person.stringValues()[*field];
    }
    if (!result.first.isEmpty() || !result.second.isEmpty())
        result.kind = SortValue::Kind::Text;
    return result;
}

SortValue sortValue(const SubContactRow& row, const QString& identifier, const QString& valueKey,
                    const QStringList& selectedLabels)
{
    return sortValueOf(row, FieldIdentifiers::fieldId(identifier), identifier, valueKey, selectedLabels);
}

SortValue sortValue(const SubContactRow& row, FieldId id, const QString& identifier, const QString& valueKey,
                    const QStringList& selectedLabels)
{
    return sortValueOf(row, id, identifier, valueKey, selectedLabels);
}

int compareDateComponents(const std::optional<DateComponents>& a, const std::optional<DateComponents>& b,
                          bool ascending)
{
    if (!a && !b)
        return 0;
    if (!a)
        return 1;
    if (!b)
        return -1;
    return compare(dateValue(*a), dateValue(*b), ascending);
}

int compare(const SortValue& a, const SortValue& b, bool ascending)
{
    const bool aEmpty = a.kind == SortValue::Kind::None;
    const bool bEmpty = b.kind == SortValue::Kind::None;
    if (aEmpty || bEmpty)
        return aEmpty == bEmpty ? 0 : aEmpty ? 1 : -1;
    int order = a.kind == SortValue::Kind::Date || b.kind == SortValue::Kind::Date
        ? (a.date < b.date       ? -1
               : a.date > b.date ? 1
                                 : 0)
        : QString::compare(a.text, b.text, Qt::CaseInsensitive);
    order = order < 0 ? -1 : order > 0 ? 1 : 0;
    return ascending ? order : -order;
}

} // namespace Quillary::RowSorter
