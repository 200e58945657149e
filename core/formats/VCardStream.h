#pragma once

#include <QByteArray>
#include <QList>

namespace Quillary::VCardStream {

struct CardRange
{
    qsizetype offset = 0;
    qsizetype length = 0;
};

/// Cuts the cards of a stream that arrives in pieces. With `atEnd` false, a card counts only when
/// its end is certain to lie inside `text`; the cards found are appended to `cards` and the result is
/// the offset from which the rest must be cut again once more text has arrived.
qsizetype cutComplete(QByteArrayView utf8, bool atEnd, QList<CardRange>& cards);

/// Cuts a vCard stream into its cards. A card starts at "BEGIN:VCARD" and ends after "END:VCARD" and
/// the one line-break character that follows it (both markers found case-insensitively, anywhere).
/// A card whose "END:VCARD" is missing ends where the next "BEGIN:VCARD" starts, or at the end of
/// the text; text outside cards is ignored.
[[nodiscard]] QList<CardRange> cut(QByteArrayView utf8);

} // namespace Quillary::VCardStream
