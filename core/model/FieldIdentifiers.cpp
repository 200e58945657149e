#include "FieldIdentifiers.h"

#include <optional>

namespace Quillary::FieldIdentifiers {

namespace {

struct IdentifierName
{
    FieldId id;
    const QString* name;
};

const IdentifierName identifierNames[] = {
    {FieldId::Name, &Field::Name},
    {FieldId::Company, &Field::Company},
    {FieldId::Department, &Field::Department},
    {FieldId::JobTitle, &Field::JobTitle},
    {FieldId::Nickname, &Field::Nickname},
    {FieldId::Title, &Field::Title},
    {FieldId::Suffix, &Field::Suffix},
    {FieldId::Note, &Field::Note},
    {FieldId::Phone, &Field::Phone},
    {FieldId::Email, &Field::Email},
    {FieldId::URL, &Field::URL},
    {FieldId::Address, &Field::Address},
    {FieldId::Relationship, &Field::Relationship},
    {FieldId::SocialNetwork, &Field::SocialNetwork},
    {FieldId::InstantMessage, &Field::InstantMessage},
    {FieldId::Dates, &Field::Dates},
    {FieldId::Birthday, &Field::Birthday},
    {FieldId::PhoneticName, &Field::PhoneticName},
    {FieldId::Photo, &Field::Photo},
    {FieldId::FirstName, &Field::FirstName},
    {FieldId::MiddleName, &Field::MiddleName},
    {FieldId::LastName, &Field::LastName},
    {FieldId::PreviousFamilyName, &Field::PreviousFamilyName},
    {FieldId::PhoneticFirstName, &Field::PhoneticFirstName},
    {FieldId::PhoneticMiddleName, &Field::PhoneticMiddleName},
    {FieldId::PhoneticLastName, &Field::PhoneticLastName},
    {FieldId::CompositeName, &Field::CompositeName},
};

constexpr FieldId labeledFieldIds[] = {FieldId::Phone,        FieldId::Email,         FieldId::Address,
                                       FieldId::URL,          FieldId::SocialNetwork, FieldId::InstantMessage,
                                       FieldId::Relationship, FieldId::Dates};
constexpr FieldId stringFieldIds[] = {FieldId::Company, FieldId::Department, FieldId::JobTitle, FieldId::Nickname,
                                      FieldId::Title,   FieldId::Suffix,     FieldId::Note};

} // namespace

const QStringList& allIdentifiers()
{
    static const QStringList list = {
        Field::Name,  Field::Company,  Field::Department,   Field::JobTitle,      Field::Nickname,
        Field::Title, Field::Suffix,   Field::Note,         Field::Phone,         Field::Email,
        Field::URL,   Field::Address,  Field::Relationship, Field::SocialNetwork, Field::InstantMessage,
        Field::Dates, Field::Birthday, Field::PhoneticName, Field::Photo};
    return list;
}

const QStringList& labeledIdentifiers()
{
    static const QStringList list = {Field::Email, Field::InstantMessage, Field::SocialNetwork, Field::URL,
                                     Field::Phone, Field::Address,        Field::Relationship,  Field::Dates};
    return list;
}

const QStringList& stringIdentifiers()
{
    static const QStringList list = {Field::Company, Field::Department, Field::Nickname, Field::JobTitle,
                                     Field::Title,   Field::Note,       Field::Suffix};
    return list;
}

const QStringList& addressIdentifiers()
{
    static const QStringList list = {Field::ZIP, Field::State, Field::City, Field::Street, Field::Country};
    return list;
}

const QStringList& phoneticIdentifiers()
{
    static const QStringList list = {Field::PhoneticName, Field::PhoneticFirstNameSpaced, Field::PhoneticLastNameSpaced,
                                     Field::PhoneticMiddleNameSpaced};
    return list;
}

QString typeForIdentifier(QStringView identifier)
{
    const FieldId id = fieldId(identifier);
    if (labeledField(id))
        return Field::LabeledValueType;
    if (stringField(id))
        return Field::StringValueType;
    if (id == FieldId::Birthday || id == FieldId::Name || id == FieldId::PhoneticName)
        return Field::DictionaryValueType;
    return {};
}

FieldId fieldId(QStringView identifier)
{
    // A scan of short strings beats hashing here: no allocation, and most comparisons stop at the length.
    for (const auto& entry : identifierNames) {
        if (identifier == *entry.name)
            return entry.id;
    }
    if (identifier == Field::PhoneticFirstNameSpaced)
        return FieldId::PhoneticFirstName;
    if (identifier == Field::PhoneticMiddleNameSpaced)
        return FieldId::PhoneticMiddleName;
    if (identifier == Field::PhoneticLastNameSpaced)
        return FieldId::PhoneticLastName;
    return FieldId::Unknown;
}

const QString& identifier(FieldId id)
{
    for (const auto& entry : identifierNames) {
        if (entry.id == id)
            return *entry.name;
    }
    static const QString none;
    return none;
}

std::optional<LabeledField> labeledField(FieldId id)
{
    for (int i = 0; i < LabeledFieldCount; ++i) {
        if (labeledFieldIds[i] == id)
            return LabeledField(i);
    }
    return std::nullopt;
}

std::optional<LabeledField> labeledField(QStringView identifier)
{
    return labeledField(fieldId(identifier));
}

const QString& identifier(LabeledField field)
{
    return identifier(labeledFieldIds[int(field)]);
}

std::optional<StringField> stringField(FieldId id)
{
    for (int i = 0; i < StringFieldCount; ++i) {
        if (stringFieldIds[i] == id)
            return StringField(i);
    }
    return std::nullopt;
}

std::optional<StringField> stringField(QStringView identifier)
{
    return stringField(fieldId(identifier));
}

const QString& identifier(StringField field)
{
    return identifier(stringFieldIds[int(field)]);
}

} // namespace Quillary::FieldIdentifiers
