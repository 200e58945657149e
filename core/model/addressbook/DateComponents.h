#pragma once

#include <QDate>

namespace Quillary::AddressBook {

/// A calendar date whose year may be unknown (a birthday given as "--05-17"). Four bytes: every
/// labelled value of a contact holds one.
struct DateComponents
{
    qint16 year = 0; ///< 0 when the year is not known; text gives at most four digits
    qint8 month = 0;
    qint8 day = 0;

    [[nodiscard]] bool isValid() const;
    [[nodiscard]] bool hasYear() const { return year != 0; }
    /// The date itself; a date without a year falls in the leap year 2000 so that 29 February survives.
    [[nodiscard]] QDate toDate() const;
    /// ISO 8601 text: "1980-05-17", or "--05-17" without a year; "" when invalid.
    [[nodiscard]] QString toIsoString() const;

    static DateComponents fromDate(QDate date);
    /// The date of those numbers; an empty date when one of them does not fit its member.
    static DateComponents fromNumbers(int year, int month, int day);
    /// Reads the common vCard and ISO 8601 forms: 1980-05-17, 19800517, 1980-05-17T10:00:00Z, --0517, --05-17.
    static DateComponents fromIsoString(QStringView text);

    friend bool operator==(const DateComponents&, const DateComponents&) = default;
};

} // namespace Quillary::AddressBook
