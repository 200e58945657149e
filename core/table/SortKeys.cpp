#include "SortKeys.h"

#include "model/FieldIdentifiers.h"

namespace Quillary::SortKeys {

namespace {

struct KeyMapping
{
    const char* key;
    const char* identifier;
    const char* valueKey;
};

const KeyMapping keyMappings[] = {
    {"Phone", "Phone", "stringValue"},
    {"Phone label", "Phone", "label"},
    {"Email", "Email", "stringValue"},
    {"Email label", "Email", "label"},
    {"Email domain", "Email", "domain"},
    {"Email username", "Email", "username"},
    {"Address", "Address", "stringValue"},
    {"Address label", "Address", "label"},
    {"ZIP", "Address", "ZIP"},
    {"State", "Address", "State"},
    {"City", "Address", "City"},
    {"Street", "Address", "Street"},
    {"Country", "Address", "Country"},
    {"URL", "URL", "stringValue"},
    {"URL label", "URL", "label"},
    {"Instant Message", "Instant Message", "stringValue"},
    {"Instant Message label", "Instant Message", "label"},
    {"Instant Message service name", "Instant Message", "service"},
    {"Instant Message username", "Instant Message", "username"},
    {"Social Network", "Social Network", "stringValue"},
    {"Social Network label", "Social Network", "label"},
    {"Social Network service name", "Social Network", "servicename"},
    {"Social Network username", "Social Network", "username"},
    {"Relationship", "Relationship", "stringValue"},
    {"Relationship label", "Relationship", "label"},
    {"Dates", "Dates", "stringValue"},
    {"Dates label", "Dates", "label"},
    {"Phonetic Name", "Phonetic Name", "stringValue"},
    {"Phonetic FirstName", "Phonetic Name", "PhoneticFirstName"},
    {"Phonetic LastName", "Phonetic Name", "PhoneticLastName"},
    {"compositeName", "Name", "compositeName"},
    {"FirstName", "Name", "FirstName"},
    {"LastName", "Name", "LastName"},
};

QStringList strings(std::initializer_list<const char*> items)
{
    QStringList result;
    for (const char* item : items)
        result.append(QString::fromLatin1(item));
    return result;
}

} // namespace

std::pair<QString, QString> separateSortKeyIntoIdentifierAndKey(const QString& sortKey)
{
    for (const KeyMapping& mapping : keyMappings) {
        if (sortKey == QLatin1StringView(mapping.key))
            return {QString::fromLatin1(mapping.identifier), QString::fromLatin1(mapping.valueKey)};
    }
    return {sortKey, QStringLiteral("stringValue")};
}

SortOptionsDict aSortOptionsDict(const QVariantMap& storedChoices)
{
    SortOptionsDict dict;
    const auto add = [&](const QString& identifier, const QStringList& items, const QString& builtIn) {
        const QString stored = storedChoices.value(identifier).toString();
        dict.insert(identifier, {items, items.contains(stored) ? stored : builtIn});
    };
    add(Field::Name, strings({"compositeName", "FirstName", "LastName"}), QStringLiteral("compositeName"));
    add(Field::Address, strings({"Address", "ZIP", "State", "City", "Street", "Country", "Address label"}),
        Field::Address);
    add(Field::Email, strings({"Email", "Email domain", "Email username", "Email label"}), Field::Email);
    add(Field::Phone, strings({"Phone", "Phone label"}), Field::Phone);
    add(Field::URL, strings({"URL", "URL label"}), Field::URL);
    add(Field::InstantMessage,
        strings(
            {"Instant Message", "Instant Message service name", "Instant Message username", "Instant Message label"}),
        Field::InstantMessage);
    add(Field::SocialNetwork, strings({"Social Network", "Social Network service name", "Social Network username"}),
        Field::SocialNetwork);
    add(Field::Relationship, strings({"Relationship", "Relationship label"}), Field::Relationship);
    add(Field::Dates, strings({"Dates", "Dates label"}), Field::Dates);
    add(Field::PhoneticName, strings({"Phonetic Name", "Phonetic FirstName", "Phonetic LastName"}),
        Field::PhoneticName);
    for (const QString& identifier :
         {Field::Birthday, Field::Company, Field::Department, Field::Suffix, Field::Title, Field::JobTitle,
          Field::Nickname, Field::Note, Field::ZIP, Field::State, Field::City, Field::Street, Field::Country}) {
        add(identifier, {identifier}, identifier);
    }
    return dict;
}

const QStringList& headerMenuIdentifiers()
{
    static const QStringList identifiers{Field::Name,  Field::Address,        Field::Email,         Field::Phone,
                                         Field::URL,   Field::InstantMessage, Field::SocialNetwork, Field::Relationship,
                                         Field::Dates, Field::PhoneticName};
    return identifiers;
}

const QStringList& popupIdentifiers()
{
    static const QStringList identifiers{
        Field::Name,           Field::Address,      Field::Phone, Field::Email,        Field::URL, Field::SocialNetwork,
        Field::InstantMessage, Field::Relationship, Field::Dates, Field::PhoneticName, Field::ZIP};
    return identifiers;
}

} // namespace Quillary::SortKeys
