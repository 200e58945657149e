#include "ContactJson.h"

#include <QHash>
#include <QJsonDocument>

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
        object.insert(QStringLiteral("service"), value.service());
        object.insert(QStringLiteral("username"), value.username());
        break;
    case LabeledField::SocialNetwork:
        object.insert(QStringLiteral("username"), value.username());
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
        object.insert(FieldIdentifiers::identifier(StringField(i)), person.stringValues()[StringField(i)]);
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
    // One walk over the memberships: a file may hold as many groups as contacts. Two groups
    // added in the same second may share a unique id; both list the contact then.
    QHash<QString, QList<qsizetype>> positionsOfUniqueId;
    positionsOfUniqueId.reserve(groupTable.size());
    for (qsizetype i = 0; i < groupTable.size(); ++i) {
        if (!groupTable.at(i)->top)
            positionsOfUniqueId[groupTable.at(i)->uniqueId].append(i);
    }
    QList<QJsonArray> members(groupTable.size());
    QList<const ContactEntry*> lastMember(groupTable.size(), nullptr); // a contact once per group
    for (const ContactEntryPtr& contact : contacts) {
        for (const QString& uniqueId : std::as_const(contact->groupUniqueIds)) {
            const auto it = positionsOfUniqueId.constFind(uniqueId);
            if (it == positionsOfUniqueId.cend())
                continue;
            for (const qsizetype position : *it) {
                if (lastMember.at(position) == contact.get())
                    continue;
                lastMember[position] = contact.get();
                members[position].append(contact->uniqueId);
            }
        }
    }
    QJsonArray result;
    for (qsizetype i = 0; i < groupTable.size(); ++i) {
        const GroupEntry& group = *groupTable.at(i);
        if (group.top)
            continue;
        result.append(QJsonObject{{QStringLiteral("GroupName"), group.groupName},
                                  {QStringLiteral("uniqueId"), group.uniqueId},
                                  {QStringLiteral("members"), members.at(i)}});
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

void writeIndentedDocument(const ContactTable& contacts, const GroupTable& groupTable,
                           const std::function<void(QByteArrayView)>& write)
{
    // The document without contacts is small; the contacts go where its empty array stands.
    const QByteArray skeleton = QJsonDocument(QJsonObject{{QStringLiteral("contacts"), QJsonArray()},
                                                          {QStringLiteral("groups"), groups(groupTable, contacts)}})
                                    .toJson(QJsonDocument::Indented);
    static constexpr QByteArrayView emptyContacts = "{\n    \"contacts\": [\n    ]";
    if (!skeleton.startsWith(emptyContacts)) {
        write(QJsonDocument(document(contacts, groupTable)).toJson(QJsonDocument::Indented));
        return;
    }
    if (contacts.isEmpty()) {
        write(skeleton);
        return;
    }
    write("{\n    \"contacts\": [\n");
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        QByteArray object = QJsonDocument(contact(*contacts.at(i))).toJson(QJsonDocument::Indented);
        // Each line two levels in, as a member of the array (JSON strings hold no raw line breaks).
        object.chop(1);
        object.replace("\n", "\n        ");
        object.prepend("        ");
        object.append(i + 1 < contacts.size() ? ",\n" : "\n");
        write(object);
    }
    write("    ]");
    write(QByteArrayView(skeleton).sliced(emptyContacts.size()));
}

} // namespace Quillary::ContactJson
