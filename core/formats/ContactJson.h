#pragma once

#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <QByteArrayView>
#include <QJsonArray>
#include <QJsonObject>

#include <functional>

namespace Quillary::ContactJson {

/// A contact keyed by field identifier, as `quillary-cli dump` prints it and format tests compare it.
[[nodiscard]] QJsonObject contact(const ContactEntry& entry);
/// The groups of a table, the top entry left out, with the unique ids of their members.
[[nodiscard]] QJsonArray groups(const GroupTable& groupTable, const ContactTable& contacts);

/// {"contacts": [...], "groups": [...]}.
[[nodiscard]] QJsonObject document(const ContactTable& contacts, const GroupTable& groupTable);

/// The same document as indented JSON text, byte for byte what QJsonDocument writes, handed to
/// `write` a contact at a time: a large file's dump never stands in memory whole.
void writeIndentedDocument(const ContactTable& contacts, const GroupTable& groupTable,
                           const std::function<void(QByteArrayView)>& write);

} // namespace Quillary::ContactJson
