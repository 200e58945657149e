#include "VCardStream.h"

#include <cstring>

namespace Quillary::VCardStream {

namespace {

enum class Marker { None, Begin, End };

bool equalsIgnoringCase(const char* text, const char* upper, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != upper[i])
            return false;
    }
    return true;
}

/// Finds the next "BEGIN:VCARD" or "END:VCARD" from `from`. Every property line has a colon, so
/// looking at colons only checks a few dozen places per card.
Marker nextMarker(QByteArrayView text, qsizetype from, qsizetype* at)
{
    const char* data = text.data();
    const qsizetype size = text.size();
    qsizetype pos = from + 3; // the colon of "END:" at the earliest
    while (pos < size) {
        const void* found = std::memchr(data + pos, ':', size_t(size - pos));
        if (!found)
            return Marker::None;
        const qsizetype colon = static_cast<const char*>(found) - data;
        pos = colon + 1;
        if (size - colon < 6 || !equalsIgnoringCase(data + colon + 1, "VCARD", 5))
            continue;
        if (colon - from >= 5 && equalsIgnoringCase(data + colon - 5, "BEGIN", 5)) {
            *at = colon - 5;
            return Marker::Begin;
        }
        if (colon - from >= 3 && equalsIgnoringCase(data + colon - 3, "END", 3)) {
            *at = colon - 3;
            return Marker::End;
        }
    }
    return Marker::None;
}

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
        const Marker marker = nextMarker(text, pos, &at);
        if (marker == Marker::None)
            break;
        if (marker == Marker::Begin) {
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
