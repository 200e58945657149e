#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Quillary {

/// Field identifiers: the fixed English names by which every part of Quillary names a field of a
/// contact. They double as the keys of user-visible texts.
namespace Field {
inline const QString Name = QStringLiteral("Name");
inline const QString Company = QStringLiteral("Company");
inline const QString Department = QStringLiteral("Department");
inline const QString JobTitle = QStringLiteral("Job Title");
inline const QString Nickname = QStringLiteral("Nickname");
inline const QString Title = QStringLiteral("Title");
inline const QString Suffix = QStringLiteral("Suffix");
inline const QString Note = QStringLiteral("Note");
inline const QString Phone = QStringLiteral("Phone");
inline const QString Email = QStringLiteral("Email");
inline const QString URL = QStringLiteral("URL");
inline const QString Address = QStringLiteral("Address");
inline const QString Relationship = QStringLiteral("Relationship");
inline const QString SocialNetwork = QStringLiteral("Social Network");
inline const QString InstantMessage = QStringLiteral("Instant Message");
inline const QString Dates = QStringLiteral("Dates");
inline const QString Birthday = QStringLiteral("Birthday");
inline const QString PhoneticName = QStringLiteral("Phonetic Name");
inline const QString Photo = QStringLiteral("Photo");

// Parts of "Name" and "Phonetic Name".
inline const QString FirstName = QStringLiteral("FirstName");
inline const QString MiddleName = QStringLiteral("MiddleName");
inline const QString LastName = QStringLiteral("LastName");
inline const QString PreviousFamilyName = QStringLiteral("PreviousFamilyName");
inline const QString PhoneticFirstName = QStringLiteral("PhoneticFirstName");
inline const QString PhoneticMiddleName = QStringLiteral("PhoneticMiddleName");
inline const QString PhoneticLastName = QStringLiteral("PhoneticLastName");
inline const QString PhoneticFirstNameSpaced = QStringLiteral("Phonetic FirstName");
inline const QString PhoneticMiddleNameSpaced = QStringLiteral("Phonetic MiddleName");
inline const QString PhoneticLastNameSpaced = QStringLiteral("Phonetic LastName");
inline const QString CompositeName = QStringLiteral("compositeName");

// Parts of an address.
inline const QString ZIP = QStringLiteral("ZIP");
inline const QString State = QStringLiteral("State");
inline const QString City = QStringLiteral("City");
inline const QString Street = QStringLiteral("Street");
inline const QString Country = QStringLiteral("Country");
inline const QString CountryCode = QStringLiteral("CountryCode");

// Kinds of field.
inline const QString LabeledValueType = QStringLiteral("Labeled Value");
inline const QString StringValueType = QStringLiteral("String Value");
inline const QString DictionaryValueType = QStringLiteral("Dictionary Value");
} // namespace Field

/// Every identifier and part identifier as an enumeration, for switching.
enum class FieldId : quint8 {
    Name,
    Company,
    Department,
    JobTitle,
    Nickname,
    Title,
    Suffix,
    Note,
    Phone,
    Email,
    URL,
    Address,
    Relationship,
    SocialNetwork,
    InstantMessage,
    Dates,
    Birthday,
    PhoneticName,
    Photo,
    FirstName,
    MiddleName,
    LastName,
    PreviousFamilyName,
    PhoneticFirstName,
    PhoneticMiddleName,
    PhoneticLastName,
    CompositeName,
    Unknown,
};

/// Position of a labelled field in a contact's lists (the order of the address book's multi-values).
enum class LabeledField : quint8 { Phone, Email, Address, URL, SocialNetwork, InstantMessage, Relationship, Dates };
constexpr int LabeledFieldCount = 8;

/// Position of a string field in a contact's string values.
enum class StringField : quint8 { Company, Department, JobTitle, Nickname, Title, Suffix, Note };
constexpr int StringFieldCount = 7;

namespace FieldIdentifiers {

/// The 19 identifiers of a contact, in their fixed order.
[[nodiscard]] const QStringList& allIdentifiers();
/// "Email", "Instant Message", "Social Network", "URL", "Phone", "Address", "Relationship", "Dates".
[[nodiscard]] const QStringList& labeledIdentifiers();
/// "Company", "Department", "Nickname", "Job Title", "Title", "Note", "Suffix".
[[nodiscard]] const QStringList& stringIdentifiers();
/// "ZIP", "State", "City", "Street", "Country".
[[nodiscard]] const QStringList& addressIdentifiers();
/// "Phonetic Name", "Phonetic FirstName", "Phonetic LastName", "Phonetic MiddleName".
[[nodiscard]] const QStringList& phoneticIdentifiers();

/// "Labeled Value", "String Value", "Dictionary Value", or "" for any other identifier.
[[nodiscard]] QString typeForIdentifier(QStringView identifier);

[[nodiscard]] FieldId fieldId(QStringView identifier);
[[nodiscard]] const QString& identifier(FieldId id);

[[nodiscard]] std::optional<LabeledField> labeledField(FieldId id);
[[nodiscard]] std::optional<LabeledField> labeledField(QStringView identifier);
[[nodiscard]] const QString& identifier(LabeledField field);
[[nodiscard]] std::optional<StringField> stringField(FieldId id);
[[nodiscard]] std::optional<StringField> stringField(QStringView identifier);
[[nodiscard]] const QString& identifier(StringField field);

} // namespace FieldIdentifiers

} // namespace Quillary
