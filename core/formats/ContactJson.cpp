#include "ContactJson.h"

namespace Quillary::ContactJson {

namespace {

QJsonObject labeledValue(LabeledField field, const LabeledValue& value)
{
    QJsonObject object{{QStringLiteral("label"), value.label}};
    switch (field) {
    case LabeledField::Address:
        object.insert(Field::Street, value.address.street());
        object.insert(Field::City, value.address.city());
        object.insert(Field::State, value.address.state());
        object.insert(Field::ZIP, value.address.zip());
        object.insert(Field::Country, value.address.country());
        object.insert(Field::CountryCode, value.address.countryCode());
        break;
    case LabeledField::InstantMessage:
        object.insert(QStringLiteral("service"), value.service);
        object.insert(QStringLiteral("username"), value.username);
        break;
    case LabeledField::SocialNetwork:
        object.insert(QStringLiteral("username"), value.username);
        break;
    case LabeledField::Dates:
        object.insert(QStringLiteral("value"), value.date.toIsoString());
        break;
    default:
        object.insert(QStringLiteral("value"), value.value);
        break;
    }
    return object;
}

} // namespace

QJsonObject contact(const ContactEntry& entry)
{
    const PersonDsc& person = *entry.person;
    QJsonObject object;
    object.insert(QStringLiteral("uniqueId"), entry.uniqueId);
    object.insert(QStringLiteral("compositeName"), person.compositeName());
    object.insert(QStringLiteral("showAsPerson"), person.showAsPerson());
    const NameValue name = person.nameValue();
    object.insert(Field::Name,
                  QJsonObject{{Field::FirstName, name.firstName},
                              {Field::MiddleName, name.middleName},
                              {Field::LastName, name.lastName},
                              {Field::PreviousFamilyName, name.previousFamilyName}});
    const PhoneticNameValue phonetic = person.phoneticNameValue();
    object.insert(Field::PhoneticName,
                  QJsonObject{{Field::FirstName, phonetic.firstName},
                              {Field::MiddleName, phonetic.middleName},
                              {Field::LastName, phonetic.lastName}});
    for (int i = 0; i < StringFieldCount; ++i)
        object.insert(FieldIdentifiers::identifier(StringField(i)), person.stringValues()[size_t(i)]);
    const BirthdayValue birthday = person.birthdayValue();
    object.insert(Field::Birthday, birthday.hasValue() ? QJsonValue(birthday.value.toIsoString()) : QJsonValue());
    for (int i = 0; i < LabeledFieldCount; ++i) {
        const auto field = LabeledField(i);
        QJsonArray values;
        for (const LabeledValue& value : person.labeledValues(field))
            values.append(labeledValue(field, value));
        object.insert(FieldIdentifiers::identifier(field), values);
    }
    object.insert(QStringLiteral("photoBytes"), person.photoData().size());
    object.insert(QStringLiteral("categories"), QJsonArray::fromStringList(entry.categories));
    return object;
}

QJsonArray groups(const GroupTable& groupTable, const ContactTable& contacts)
{
    QJsonArray result;
    for (const GroupEntryPtr& group : groupTable) {
        if (group->top)
            continue;
        QJsonArray members;
        for (const ContactEntryPtr& contact : contacts) {
            if (contact->groupUniqueIds.contains(group->uniqueId))
                members.append(contact->uniqueId);
        }
        result.append(QJsonObject{{QStringLiteral("GroupName"), group->groupName},
                                  {QStringLiteral("uniqueId"), group->uniqueId},
                                  {QStringLiteral("members"), members}});
    }
    return result;
}

QJsonObject document(const ContactTable& contacts, const GroupTable& groupTable)
{
    QJsonArray contactArray;
    for (const ContactEntryPtr& entry : contacts)
        contactArray.append(contact(*entry));
    return {{QStringLiteral("contacts"), contactArray}, {QStringLiteral("groups"), groups(groupTable, contacts)}};
}

} // namespace Quillary::ContactJson
