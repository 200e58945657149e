#pragma once

#include "model/ContactDate.h"

#include <QLocale>
#include <QStringView>

#include <optional>

namespace Quillary::DateText {

/// Reads a date typed into a date editor: ISO 8601 ("1980-05-17", "19800517", "--05-17" without a
/// year), the table's form ("1980.05.17", with or without the weekday in brackets after it, and
/// "05.17" without a year) or the locale's short form ("5/17/80", "17.05.80"). A two-digit year
/// falls within the 80 years before and the 20 years after `today`. None when unreadable.
[[nodiscard]] std::optional<DateComponents> parse(QStringView text, const QLocale& locale = QLocale(),
                                                  QDate today = QDate::currentDate());

/// The text a date editor shows for a date: "1980.05.17", or "05.17" without a year; "" when invalid.
[[nodiscard]] QString editText(const DateComponents& date);

} // namespace Quillary::DateText
