#pragma once

#include "addressbook/DateComponents.h"

#include <QString>

namespace Quillary {

using AddressBook::DateComponents;

namespace ContactDate {

/// A contact's date as shown: "yyyy.MM.dd(EEE)" with the weekday abbreviated in the user's
/// language, e.g. "1980.05.17(Sat)"; a date without a year shows as "MM.dd"; "" when invalid.
[[nodiscard]] QString format(const DateComponents& date);

} // namespace ContactDate

} // namespace Quillary
