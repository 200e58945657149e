// Reading a contact's values from its bound record and writing them back.

#include "PersonDsc.h"

#include "LabelTable.h"
#include "addressbook/Records.h"

#include <array>

namespace Quillary {

using AddressBook::MultiProperty;
using AddressBook::MultiValue;
namespace PersonFlags = AddressBook::PersonFlags;
using AddressBook::ServiceValue;
using AddressBook::StringProperty;

namespace {

constexpr StringProperty stringProperties[StringFieldCount] = {
    StringProperty::Organization, StringProperty::Department, StringProperty::JobTitle, StringProperty::Nickname,
    StringProperty::Title,        StringProperty::Suffix,     StringProperty::Note,
};

MultiProperty multiProperty(LabeledField field)
{
    switch (field) {
    case LabeledField::Phone:
        return MultiProperty::Phone;
    case LabeledField::Email:
        return MultiProperty::Email;
    case LabeledField::Address:
        return MultiProperty::Address;
    case LabeledField::URL:
        return MultiProperty::URLs;
    case LabeledField::SocialNetwork:
        return MultiProperty::SocialProfile;
    case LabeledField::InstantMessage:
        return MultiProperty::InstantMessage;
    case LabeledField::Relationship:
        return MultiProperty::RelatedNames;
    case LabeledField::Dates:
        return MultiProperty::OtherDates;
    }
    return MultiProperty::Phone;
}

const QString& noneText()
{
    static const QString none = QStringLiteral("none");
    return none;
}

/// The field of a multi-value property: the inverse of multiProperty.
LabeledField labeledField(MultiProperty property)
{
    static const auto fields = [] {
        std::array<LabeledField, AddressBook::MultiPropertyCount> result{};
        for (int i = 0; i < LabeledFieldCount; ++i)
            result[size_t(multiProperty(LabeledField(i)))] = LabeledField(i);
        return result;
    }();
    return fields[size_t(property)];
}

/// One labelled value made from an entry of the record (its stored label and value), with its
/// derived members.
LabeledValue labeledValueFromEntry(LabeledField field, const QString& storedLabel, AddressBook::MultiValueItem item,
                                   int index, const QString& defaultCountryCode)
{
    LabeledValue value;
    value.label = LabelTable::labelFromiLabel(storedLabel);
    value.labelIndex = index;
    switch (field) {
    case LabeledField::Phone:
    case LabeledField::URL:
    case LabeledField::Relationship:
        value.value = std::get<QString>(item);
        value.setStringValue(value.value);
        break;
    case LabeledField::Email:
        value.value = std::get<QString>(item);
        updateEmailValue(value);
        break;
    case LabeledField::Address:
        // Taken, not shared: the address keeps its shown text in its own block.
        value.address = std::move(std::get<AddressBook::PostalAddress>(item));
        updateAddressValue(value, defaultCountryCode);
        break;
    case LabeledField::SocialNetwork: {
        const auto& profile = std::get<ServiceValue>(item);
        value.setUsername(profile.username);
        value.label = LabelTable::labelFromiLabel(profile.service);
        value.setService(value.label);
        value.value = profile.url.isEmpty() ? profile.username : profile.url;
        value.setStringValue(value.username());
        break;
    }
    case LabeledField::InstantMessage: {
        const auto& account = std::get<ServiceValue>(item);
        value.setService(account.service.isEmpty() ? noneText() : account.service);
        value.setUsername(account.username.isEmpty() ? noneText() : account.username);
        value.value = value.username();
        value.setStringValue(value.service() + u':' + value.username());
        break;
    }
    case LabeledField::Dates:
        value.date = std::get<AddressBook::DateComponents>(item);
        updateDateValue(value);
        break;
    }
    return value;
}

/// The record's value for one labelled value; none for a date entry without a date.
std::optional<AddressBook::MultiValueItem> entryValue(LabeledField field, const LabeledValue& value)
{
    // "No label" and "none" are how a missing service or user name is shown; they are not names to store.
    switch (field) {
    case LabeledField::SocialNetwork: {
        const QString service = value.label == LabelText::NoLabel ? QString() : value.label;
        return ServiceValue{value.username(), service, value.value == value.username() ? QString() : value.value};
    }
    case LabeledField::InstantMessage:
        return ServiceValue{value.username() == noneText() ? QString() : value.username(),
                            value.service() == noneText() ? QString() : value.service(), QString()};
    case LabeledField::Address:
        return value.address;
    case LabeledField::Dates:
        if (!value.date.isValid())
            return std::nullopt;
        return value.date;
    default:
        return value.value;
    }
}

} // namespace

void PersonDsc::readNameFrom(const AddressBook::Person* record) const
{
    if (!record)
        return;
    m_nameValue.firstName = record->value(StringProperty::FirstName);
    m_nameValue.middleName = record->value(StringProperty::MiddleName);
    m_nameValue.lastName = record->value(StringProperty::LastName);
    m_nameValue.previousFamilyName = record->value(StringProperty::MaidenName);
    const int flags = record->flags();
    const int ordering = flags & PersonFlags::NameOrderingMask;
    m_nameValue.nameOrdering = ordering == 0 ? 0 : ordering == PersonFlags::FirstNameFirst ? 1 : 2;
    m_nameValue.showAsPerson = (flags & PersonFlags::ShowAsMask) == 0;
    m_showAsPerson = m_nameValue.showAsPerson;
}

void PersonDsc::readPhoneticNameFrom(const AddressBook::Person* record) const
{
    const bool recordHasOne = record
        && (record->hasValue(StringProperty::FirstNamePhonetic) || record->hasValue(StringProperty::MiddleNamePhonetic)
            || record->hasValue(StringProperty::LastNamePhonetic));
    if (!m_rare && !recordHasOne)
        return; // nothing read before and nothing to read: most contacts
    PhoneticNameValue phonetic = rare().phoneticName;
    if (record) {
        // A property the record lacks leaves the cached part as it was.
        if (record->hasValue(StringProperty::FirstNamePhonetic))
            phonetic.firstName = record->value(StringProperty::FirstNamePhonetic);
        if (record->hasValue(StringProperty::MiddleNamePhonetic))
            phonetic.middleName = record->value(StringProperty::MiddleNamePhonetic);
        if (record->hasValue(StringProperty::LastNamePhonetic))
            phonetic.lastName = record->value(StringProperty::LastNamePhonetic);
    }
    phonetic.stringValue = composedPhoneticName(phonetic);
    setRare(&Rare::phoneticName, phonetic);
}

void PersonDsc::readStringsFrom(const AddressBook::Person* record) const
{
    if (!record)
        return;
    for (int i = 0; i < StringFieldCount; ++i) {
        if (StringField(i) == StringField::Note && m_noteDisabled) {
            m_stringValues.set(StringField(i), QString());
            continue;
        }
        if (record->hasValue(stringProperties[i]))
            m_stringValues.set(StringField(i), record->value(stringProperties[i]));
    }
}

void PersonDsc::readListsFrom(const AddressBook::Person* record) const
{
    if (!record)
        return;
    LabeledRuns runs;
    for (int i = 0; i < LabeledFieldCount; ++i) {
        const auto field = LabeledField(i);
        int index = 0;
        for (const MultiValue::Entry& entry : record->value(multiProperty(field)).entries())
            runs[size_t(i)].append(
                labeledValueFromEntry(field, entry.label, entry.value, index++, *m_defaultCountryCode));
    }
    LabeledLists lists;
    lists.takeRuns(runs);
    m_lists = std::move(lists);
}

PersonDsc::Builder::Builder(int defaultNameOrdering, const QString& defaultCountryCode)
    : m_person(nullptr, defaultNameOrdering, defaultCountryCode)
{ }

void PersonDsc::Builder::add(MultiProperty property, AddressBook::MultiValueItem value, const QString& label)
{
    const LabeledField field = labeledField(property);
    auto& values = m_values[size_t(field)];
    values.append(
        labeledValueFromEntry(field, label, std::move(value), int(values.size()), *m_person.m_defaultCountryCode));
}

PersonDsc PersonDsc::Builder::finish(const AddressBook::Person& record)
{
    // As detachedFromRecord, but for the lists, which are made already.
    m_person.m_uniqueId = record.uniqueId();
    m_person.readSinglePartsFrom(&record);
    m_person.m_lists.takeRuns(m_values);
    m_person.setRare(&Rare::imageData, record.imageData());
    m_person.setRare(&Rare::keptLines, record.keptLines());
    return std::move(m_person);
}

void PersonDsc::readBirthdayFrom(const AddressBook::Person* record) const
{
    if (!record || !record->birthday())
        return;
    m_birthday = *record->birthday();
    m_birthdayText = ContactDate::format(m_birthday);
}

void PersonDsc::writeList(LabeledField field)
{
    if (!m_abPerson)
        return;
    const std::span<LabeledValue> values = m_lists.edit(field);
    MultiValue multi;
    multi.reserve(values.size());
    int position = 0;
    for (LabeledValue& value : values) {
        std::optional<AddressBook::MultiValueItem> item = entryValue(field, value);
        if (!item)
            continue; // not written: keeps its old index and takes no position
        multi.addValue(std::move(*item), LabelTable::iLabelFromLabel(value.label));
        value.labelIndex = position++;
    }
    m_abPerson->setValue(multiProperty(field), std::move(multi));
}

void PersonDsc::writeNameToRecord()
{
    if (!m_abPerson)
        return;
    AddressBook::Person& record = *m_abPerson;
    record.setValue(StringProperty::FirstName, m_nameValue.firstName);
    record.setValue(StringProperty::MiddleName, m_nameValue.middleName);
    record.setValue(StringProperty::LastName, m_nameValue.lastName);
    record.setValue(StringProperty::MaidenName, m_nameValue.previousFamilyName);
    const int showAs = m_nameValue.showAsPerson ? PersonFlags::ShowAsPerson : PersonFlags::ShowAsCompany;
    const int ordering = m_nameValue.nameOrdering == 1 ? PersonFlags::FirstNameFirst
        : m_nameValue.nameOrdering == 0                ? 0
                                                       : PersonFlags::LastNameFirst;
    record.setFlags(showAs + ordering);
}

AddressBook::Person PersonDsc::toRecord() const
{
    readAll();
    AddressBook::Person record(uniqueId());
    record.setValue(StringProperty::FirstName, m_nameValue.firstName);
    record.setValue(StringProperty::MiddleName, m_nameValue.middleName);
    record.setValue(StringProperty::LastName, m_nameValue.lastName);
    record.setValue(StringProperty::MaidenName, m_nameValue.previousFamilyName);
    const int ordering = m_nameOrdering == 1 ? PersonFlags::FirstNameFirst
        : m_nameOrdering == 0                ? 0
                                             : PersonFlags::LastNameFirst;
    record.setFlags((m_showAsPerson ? PersonFlags::ShowAsPerson : PersonFlags::ShowAsCompany) + ordering);
    const PhoneticNameValue& phonetic = rare().phoneticName;
    record.setValue(StringProperty::FirstNamePhonetic, phonetic.firstName);
    record.setValue(StringProperty::MiddleNamePhonetic, phonetic.middleName);
    record.setValue(StringProperty::LastNamePhonetic, phonetic.lastName);
    for (int i = 0; i < StringFieldCount; ++i)
        record.setValue(stringProperties[i], m_stringValues[StringField(i)]);
    for (int i = 0; i < LabeledFieldCount; ++i) {
        const auto field = LabeledField(i);
        MultiValue multi;
        const LabeledValueSpan values = m_lists[field];
        multi.reserve(values.size());
        for (const LabeledValue& value : values) {
            if (std::optional<AddressBook::MultiValueItem> item = entryValue(field, value))
                multi.addValue(std::move(*item), LabelTable::iLabelFromLabel(value.label));
        }
        record.setValue(multiProperty(field), std::move(multi));
    }
    if (m_birthday.isValid())
        record.setBirthday(m_birthday);
    record.setImageData(photoData());
    record.setKeptLines(keptLines());
    return record;
}

} // namespace Quillary
