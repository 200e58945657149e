#pragma once

#include <QString>
#include <QStringList>

namespace Quillary::DataFiles {

/// The folders searched for the tables and translations Quillary ships, in order: the folder named
/// by $QUILLARY_DATA_DIR, "../share/quillary" beside the running executable (so that an installed
/// or relocated Quillary finds its own files first), then "quillary" under each of the
/// $XDG_DATA_HOME and $XDG_DATA_DIRS folders.
[[nodiscard]] QStringList searchFolders();

/// The path of a shipped file ("ken_all.gzip", "translations/quillary_ja.qm") in the first folder
/// that holds it; "" when none does.
[[nodiscard]] QString locate(const QString& relativePath);

} // namespace Quillary::DataFiles
