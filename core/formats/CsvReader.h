#pragma once

#include "model/ContactEntry.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Quillary {

/// The values of one line of a CSV file, gathered column by column before they become a contact.
struct CsvRawContact
{
    QString name; ///< the whole name
    QString firstName;
    QString lastName;
    QString nameStringValue;
    QString compositeName; ///< the whole name, or the first name part met
    LabeledValueList phones;
    LabeledValueList emails;
    LabeledValueList addresses;
    LabeledValueList socialProfiles;
    std::optional<BirthdayValue> birthday; ///< the text, and the date when the text could be read
    QString company;
    QString title;
    QString jobTitle;
    QString department;
    QString nickname;
    QString note;

    friend bool operator==(const CsvRawContact&, const CsvRawContact&) = default;
};

/// What reading CSV text gives: the contacts, and a warning for the user when the columns had to
/// be assumed.
struct CsvReadResult
{
    ContactTable contacts;
    QString warning; ///< "Can't find header line in the file." or empty
    QString informativeText; ///< what was assumed instead; empty without a warning
};

/// What new contacts read from CSV get.
struct CsvReadOptions
{
    int defaultNameOrdering = 0;
    QString defaultCountryCode;
    QString remote; ///< the account the contacts belong to
};

/// Turning CSV text into contacts: header detection, one contact per line, each gathered into a
/// raw contact first and then made a detached contact descriptor.
namespace CsvReader {

[[nodiscard]] CsvReadResult contactsFromCSV(QStringView text, const CsvReadOptions& options);

/// Adds one value of a column (its type and label as the column descriptor gives them) to a raw
/// contact; an empty value adds nothing.
void createContact(CsvRawContact& contact, const QString& value, QStringView type, const QString& label);

/// A new contact entry holding the raw contact's values.
[[nodiscard]] ContactEntryPtr makeContact(const CsvRawContact& contact, const CsvReadOptions& options);

/// A birthday as written: "2020.01.31", with a weekday after it ("2020.01.31(Fri)", "2020.01.31 Fri")
/// or without a year ("01.31"); ISO 8601 ("2020-01-31", "--01-31", "20200131"); "2020/1/31".
/// An invalid date when none of them fits.
[[nodiscard]] DateComponents dateFromText(QStringView text);

} // namespace CsvReader

} // namespace Quillary
