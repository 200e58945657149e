#pragma once

#include <QString>

namespace Quillary::StoreLocation {

/// The environment variable that names the address book's folder, for tests and for users who keep
/// their contacts elsewhere. It wins over the setting.
inline constexpr char EnvironmentVariable[] = "QUILLARY_ADDRESSBOOK";

/// The folder of the address book: $QUILLARY_ADDRESSBOOK when set, else `configured` (the setting)
/// when not empty, else $XDG_DATA_HOME/Quillary/AddressBook.
[[nodiscard]] QString root(const QString& configured = {});

} // namespace Quillary::StoreLocation
