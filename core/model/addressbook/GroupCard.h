#pragma once

#include "Records.h"

#include <QByteArray>

#include <optional>

// Groups stored as cards of their own, the form CardDAV servers and vdir tools share: a card with
// "X-ADDRESSBOOKSERVER-KIND:group", its name in FN and one "X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:UID"
// line per member. vCard 4.0 "KIND:group" with "MEMBER" lines is read as well.
namespace Quillary::AddressBook::GroupCard {

/// Whether the card may be a group card; a cheap test before `read`, false only for cards that are not.
[[nodiscard]] bool mayBeGroupCard(QByteArrayView card);

/// The group of a group card; none when the card is not one. A group card without a UID gets a new one.
[[nodiscard]] std::optional<Group> read(QByteArrayView card);

/// The group as a vCard 3.0 group card (UTF-8, CR LF, folded). The lines of `previous` (the card the
/// group was read from) that carry nothing the group holds are kept as they were, in their order.
[[nodiscard]] QByteArray write(const Group& group, QByteArrayView previous = {});

} // namespace Quillary::AddressBook::GroupCard
