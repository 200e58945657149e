#pragma once

#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <QJsonArray>
#include <QJsonObject>

namespace Quillary::Cli::ContactJson {

/// A contact keyed by field identifier, as `quillary-cli dump` prints it.
[[nodiscard]] QJsonObject contact(const ContactEntry& entry);
/// The groups of a table, the top entry left out, with the unique ids of their members.
[[nodiscard]] QJsonArray groups(const GroupTable& groupTable, const ContactTable& contacts);

} // namespace Quillary::Cli::ContactJson
