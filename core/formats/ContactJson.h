#pragma once

#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <QJsonArray>
#include <QJsonObject>

namespace Quillary::ContactJson {

/// A contact keyed by field identifier, as `quillary-cli dump` prints it and format tests compare it.
[[nodiscard]] QJsonObject contact(const ContactEntry& entry);
/// The groups of a table, the top entry left out, with the unique ids of their members.
[[nodiscard]] QJsonArray groups(const GroupTable& groupTable, const ContactTable& contacts);

/// {"contacts": [...], "groups": [...]}.
[[nodiscard]] QJsonObject document(const ContactTable& contacts, const GroupTable& groupTable);

} // namespace Quillary::ContactJson
