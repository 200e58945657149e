#pragma once

#include "model/ContactDate.h"

#include <QUrl>

#include <functional>

namespace Quillary::Ui::DesktopLinks {

/// Opens a URL with the desktop's application for it (QDesktopServices); false when none took it.
bool open(const QUrl& url);
/// Writes a yearly event for a contact's date into the private folder and opens it with the
/// desktop's calendar.
bool openDate(const DateComponents& date, const QString& summary);

/// For tests: receives the URLs instead of the desktop (none restores the desktop).
void setOpener(std::function<bool(const QUrl&)> opener);

} // namespace Quillary::Ui::DesktopLinks
