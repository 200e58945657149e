#pragma once

#include <QString>

namespace Quillary {

/// The user's text for a key of the core's texts. Field identifiers, labels and menu entries are
/// keys that are their own English texts, so an untranslated key shows as itself.
[[nodiscard]] QString localized(const QString& key);

} // namespace Quillary
