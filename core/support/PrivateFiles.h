#pragma once

#include <QByteArray>
#include <QString>

namespace Quillary::PrivateFiles {

/// The folder for files Quillary writes on its own that hold contact data (drag and clipboard files,
/// calendar events): a temporary folder readable only by the user (0700), made on first use and
/// removed when the application quits. "" when it cannot be made.
[[nodiscard]] QString folder();

/// Writes `bytes` atomically into folder() as `fileName` (made safe first; "contacts" when
/// nothing is left of it), readable only by the user (0600), replacing a file of that name.
/// Answers the file's path, or "" with `error` set when it cannot be written.
[[nodiscard]] QString write(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);

} // namespace Quillary::PrivateFiles
