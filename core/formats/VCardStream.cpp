#include "VCardStream.h"

#include "model/addressbook/VCardMarkers.h"

namespace Quillary::VCardStream {

namespace {

using AddressBook::VCard::CardMarker;
using AddressBook::VCard::nextCardMarker;

/// The length of a line-break character at `at`: LF, CR, VT, FF, NEL, LS or PS; 0 for none.
qsizetype lineBreakLength(QByteArrayView text, qsizetype at)
{
    if (at >= text.size())
        return 0;
    const auto c = uchar(text[at]);
    if (c == '\n' || c == '\r' || c == '\v' || c == '\f')
        return 1;
    if (c == 0xC2 && at + 1 < text.size() && uchar(text[at + 1]) == 0x85)
        return 2;
    if (c == 0xE2 && at + 2 < text.size() && uchar(text[at + 1]) == 0x80
        && (uchar(text[at + 2]) == 0xA8 || uchar(text[at + 2]) == 0xA9))
        return 3;
    return 0;
}

} // namespace

qsizetype cutComplete(QByteArrayView text, bool atEnd, QList<CardRange>& cards)
{
    constexpr qsizetype BeginLength = 11; // "BEGIN:VCARD"
    constexpr qsizetype EndLength = 9; // "END:VCARD"
    qsizetype begin = -1; // start of the card being cut, -1 between cards
    qsizetype pos = 0;
    qsizetype resume = 0; // everything before this is done with
    for (;;) {
        qsizetype at = 0;
        const CardMarker marker = nextCardMarker(text, pos, &at);
        if (marker == CardMarker::None)
            break;
        if (marker == CardMarker::Begin) {
            if (begin >= 0) // the card before lacks its END:VCARD: it ends here
                cards.append({begin, at - begin});
            begin = at;
            resume = at;
            pos = at + BeginLength;
            continue;
        }
        pos = at + EndLength;
        if (begin < 0)
            continue; // an END:VCARD outside any card
        if (!atEnd && pos >= text.size())
            break; // the line break after it may still come
        const qsizetype end = pos + lineBreakLength(text, pos);
        cards.append({begin, end - begin});
        begin = -1;
        pos = end;
        resume = end;
    }
    if (begin >= 0) {
        if (!atEnd)
            return begin;
        cards.append({begin, text.size() - begin}); // a truncated last card is read as far as it goes
        return text.size();
    }
    // Keep a tail that may be the start of a marker cut off by the end of this piece.
    return atEnd ? text.size() : qMax(resume, text.size() - BeginLength);
}

QList<CardRange> cut(QByteArrayView text)
{
    QList<CardRange> cards;
    if (text.size() >= 11)
        cutComplete(text, true, cards);
    return cards;
}

} // namespace Quillary::VCardStream
