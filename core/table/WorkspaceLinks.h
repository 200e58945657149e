#pragma once

#include "model/ContactDate.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>

namespace Quillary::WorkspaceLinks {

/// The URLs through which a contact's values open in other applications of the desktop
/// (QDesktopServices::openUrl), and the calendar event a date opens as.

/// "tel:" with the number, "(", ")" and blanks removed; empty for an empty number.
[[nodiscard]] QUrl phone(const QString& number);
/// "mailto:" with the address percent-encoded as UTF-8; empty for an empty address.
[[nodiscard]] QUrl email(const QString& address);
/// The value as typed when it has a scheme ("https://…", "ftp://…"), else with "http://" in front.
[[nodiscard]] QUrl web(const QString& text);
/// "geo:0,0?q=<address>": the desktop's map application searches for the address.
[[nodiscard]] QUrl map(const QString& address);
/// A web map search for the address, for desktops without a map application.
[[nodiscard]] QUrl webMap(const QString& address);

/// An iCalendar (RFC 5545) file of one all-day event that repeats every year on `date` (a birthday or
/// another date of a contact), titled `summary`. A date without a year starts in 2000. `uid` names
/// the event so that opening it twice updates one event; `stamp` is the time the file is made.
[[nodiscard]] QByteArray yearlyEvent(const DateComponents& date, const QString& summary, const QString& uid,
                                     const QDateTime& stamp);
/// yearlyEvent() written as "<summary>.ics" into the private temporary folder, for the desktop's
/// calendar to open: the file's URL, or an empty URL (with `error` set when writing failed).
[[nodiscard]] QUrl yearlyEventFile(const DateComponents& date, const QString& summary, const QString& uid,
                                   const QDateTime& stamp, QString* error = nullptr);

} // namespace Quillary::WorkspaceLinks
