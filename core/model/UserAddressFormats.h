#pragma once

#include <QString>

namespace Quillary::UserAddressFormats {

/// The user's own address format table: $XDG_CONFIG_HOME/Quillary/AddressFormat.json.
[[nodiscard]] QString path();

enum class Outcome {
    NoFile, ///< there is no such file: the built-in table stays
    Applied, ///< its entries replace those of the built-in table
    Unreadable, ///< the file is there but holds no "AddressFormat" list with an entry: the built-in table stays
};

/// Reads the user's table (or the file at `file`) and lets its entries replace the built-in ones.
Outcome apply(const QString& file = path());

} // namespace Quillary::UserAddressFormats
