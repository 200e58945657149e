#pragma once

#include <QByteArray>

namespace Quillary::AddressBook::VCard {

/// "BEGIN:VCARD" and "END:VCARD" mark where a card starts and ends in a stream. Readers look for
/// them anywhere in the text, case-insensitively, so a writer must never leave one whole inside a
/// value: a note that quotes "END:VCARD" would otherwise cut its card in two when read back.
enum class CardMarker { None, Begin, End };

/// The next marker that starts at or after `from`; `*at` is where it starts.
[[nodiscard]] CardMarker nextCardMarker(QByteArrayView text, qsizetype from, qsizetype* at);

/// The length of a marker: 11 for BEGIN:VCARD, 9 for END:VCARD.
[[nodiscard]] constexpr qsizetype cardMarkerLength(CardMarker marker)
{
    return marker == CardMarker::Begin ? 11 : marker == CardMarker::End ? 9 : 0;
}

/// Appends one content line folded at 75 octets (a continuation line starts with a space), never
/// inside a UTF-8 sequence, and with a fold inside every card marker the line holds.
void appendFoldedLine(QByteArray& out, QByteArrayView line);

} // namespace Quillary::AddressBook::VCard
