#pragma once

// Internal to the vCard codec: TYPE parameters and stored labels.

#include "Constants.h"
#include "VCardContentLine_p.h"

#include <QString>

#include <span>

namespace Quillary::AddressBook::VCard {

enum TypeFlag : unsigned {
    TypeHome = 1u << 0,
    TypeWork = 1u << 1,
    TypeOther = 1u << 2,
    TypeCell = 1u << 3,
    TypeIPhone = 1u << 4,
    TypeMain = 1u << 5,
    TypePager = 1u << 6,
    TypeFax = 1u << 7,
    TypeVoice = 1u << 8,
    TypePref = 1u << 9,
    TypeInternet = 1u << 10,
};

/// The TYPE values of a line that the address book knows, as flags.
[[nodiscard]] unsigned typeFlags(const ContentLine& line);

/// The stored label that a phone's TYPE values stand for ("" when they name none).
[[nodiscard]] QString phoneLabel(unsigned flags);
/// The stored label of home, work and other types, for e-mails, addresses, URLs and accounts.
[[nodiscard]] QString placeLabel(unsigned flags);

/// The label of an X-ABLabel line: one of the address book's own labels comes back as the shared
/// constant, so that the many contacts that carry it share one text.
[[nodiscard]] QString sharedLabel(QString label);

/// The TYPE values that carry a stored label, or none when the label needs an X-ABLabel line.
/// `phone` selects the phone table; otherwise only home, work and other have types.
using LabelTypes = std::span<const char* const>;
[[nodiscard]] LabelTypes typesForLabel(const QString& label, bool phone);

} // namespace Quillary::AddressBook::VCard
