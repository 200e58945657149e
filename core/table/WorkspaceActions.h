#pragma once

#include "ContextMenuModel.h"
#include "SubContactRow.h"

#include <QDateTime>
#include <QUrl>

namespace Quillary {

/// "Call Phone", "Send Email", "Open URL", "Open Map", "Open Google Map" and "Open Calendar" on a
/// cell: the address the desktop opens (QDesktopServices::openUrl) for the value the cell's row
/// shows in its column.
namespace WorkspaceActions {

/// The address for an item on a row's cell; empty when the value is empty or the item does not
/// fit the column. "Open Calendar" writes a yearly all-day event into the private temporary folder
/// first and answers that file (with `error` set when it cannot be written). The row shows the
/// values that pass the label filter.
[[nodiscard]] QUrl urlFor(MenuAction action, const SubContactRow& row, const QString& column,
                          const QDateTime& now = QDateTime::currentDateTimeUtc(), QString* error = nullptr,
                          const QStringList& selectedLabels = {});

} // namespace WorkspaceActions

} // namespace Quillary
