#pragma once

#include <QByteArray>

namespace Quillary::AddressBook::VCard {

/// Appends one content line folded at 75 octets (a continuation line starts with a space), never
/// inside a UTF-8 sequence, and ends it with CRLF. Card markers inside a value need no fold: readers
/// take them for markers only at the start of a line, and a continuation line starts with a space.
void appendFoldedLine(QByteArray& out, QByteArrayView line);

} // namespace Quillary::AddressBook::VCard
