#pragma once

#include "ContactDate.h"

#include <QString>

namespace Quillary {

/// The name of a contact.
struct NameValue
{
    QString firstName;
    QString middleName;
    QString lastName;
    QString previousFamilyName;
    int nameOrdering = 0; ///< 0 default, 1 first name first, 2 last name first
    bool showAsPerson = true;
    QString stringValue; ///< the display name

    /// The part named by "FirstName", "MiddleName", "LastName" or "PreviousFamilyName".
    [[nodiscard]] QString part(QStringView key) const;
    void setPart(QStringView key, const QString& value);

    friend bool operator==(const NameValue&, const NameValue&) = default;
};

/// The reading of a contact's name.
struct PhoneticNameValue
{
    QString firstName;
    QString middleName;
    QString lastName;
    QString stringValue;

    /// The part named by "FirstName", "MiddleName" or "LastName".
    [[nodiscard]] QString part(QStringView key) const;
    void setPart(QStringView key, const QString& value);

    friend bool operator==(const PhoneticNameValue&, const PhoneticNameValue&) = default;
};

/// A contact's birthday; an invalid date stands for none.
struct BirthdayValue
{
    DateComponents value;
    QString stringValue;

    [[nodiscard]] bool hasValue() const { return value.isValid(); }
    friend bool operator==(const BirthdayValue&, const BirthdayValue&) = default;
};

} // namespace Quillary
