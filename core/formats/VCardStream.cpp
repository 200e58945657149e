#include "VCardStream.h"

#include <cstring>

namespace Quillary::VCardStream {

namespace {

constexpr qsizetype BeginLength = 11; // "BEGIN:VCARD"
constexpr qsizetype EndLength = 9; // "END:VCARD"
// How many whole cards in a row may follow a card's inner BEGIN:VCARD before its own END:VCARD
// for them all to count as nested in it; past that the card is taken to lack its END:VCARD.
constexpr int MaxNestedCardsInARow = 16;

enum class Marker {
    None,
    Begin, ///< "BEGIN:VCARD" at the start of a line
    ValueBegin, ///< "BEGIN:VCARD" as the value of a property line ("AGENT:BEGIN:VCARD"): a nested card
    End, ///< "END:VCARD" at the start of a line
};

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

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

/// Whether `at` starts a line. Blanks and a byte-order mark may stand before a card's first line
/// when `indented` allows them; inside a card such a line continues the one before it.
bool startsLine(QByteArrayView text, qsizetype at, bool indented)
{
    if (indented) {
        while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t'))
            --at;
        if (at >= 3 && std::memcmp(text.data() + at - 3, "\xEF\xBB\xBF", 3) == 0)
            at -= 3;
    }
    return at == 0 || isLineEnd(text[at - 1]);
}

/// Whether the property line that starts at `start` and names itself up to `colon` is an AGENT
/// (with or without a group and parameters).
bool isAgent(QByteArrayView text, qsizetype start, qsizetype colon)
{
    qsizetype end = start;
    while (end < colon && text[end] != ';' && text[end] != ':')
        ++end;
    qsizetype name = end;
    while (name > start && text[name - 1] != '.')
        --name;
    return end - name == 5 && equalsIgnoringCase(text.data() + name, "AGENT", 5);
}

/// Whether "BEGIN:VCARD" at `at` is the whole value of an AGENT that starts its line: the nested
/// card goes on in the lines that follow. (On one line, with its line breaks escaped, it is a value
/// like any other, and so is the text "BEGIN:VCARD" of any other property: a label, a note.)
bool isPropertyValue(QByteArrayView text, qsizetype at)
{
    if (at == 0 || text[at - 1] != ':')
        return false;
    qsizetype end = at + BeginLength;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
        ++end;
    if (end < text.size() && !isLineEnd(text[end]))
        return false;
    qsizetype start = at - 1;
    while (start > 0 && !isLineEnd(text[start - 1]))
        --start;
    const char first = text[start];
    return first != ' ' && first != '\t' && first != ':' && isAgent(text, start, at - 1);
}

/// Finds the next "BEGIN:VCARD" or "END:VCARD" from `from` that starts a line, or a nested card's
/// "BEGIN:VCARD" given as a property's value; the words inside a value ("Paste: BEGIN:VCARD ...")
/// are text. Every property line has a colon, so looking at colons only checks a few dozen places
/// per card.
Marker nextMarker(QByteArrayView text, qsizetype from, bool inCard, qsizetype* at)
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
            if (startsLine(text, *at, !inCard))
                return Marker::Begin;
            if (inCard && isPropertyValue(text, *at))
                return Marker::ValueBegin;
        } else if (colon - from >= 3 && equalsIgnoringCase(data + colon - 3, "END", 3)) {
            *at = colon - 3;
            if (startsLine(text, *at, false))
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

/// Whether the line before `at` is a property without a value, whose value is the card that follows
/// (a vCard 2.1 AGENT).
bool followsEmptyValue(QByteArrayView text, qsizetype at)
{
    qsizetype end = at;
    while (end > 0 && isLineEnd(text[end - 1]))
        --end;
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return end > 0 && end < at && text[end - 1] == ':';
}

enum class Nesting { Nested, NotNested, NeedMoreText };

/// Whether a BEGIN:VCARD at `at`, inside a card, opens a card nested in it: the cards that start
/// there are followed by the END:VCARD of the card around them. Otherwise the card around lacks its
/// END:VCARD, and the BEGIN:VCARD starts the next card of the stream.
Nesting nestingAt(QByteArrayView text, qsizetype at, bool atEnd)
{
    int depth = 1;
    int cards = 1;
    qsizetype pos = at + BeginLength;
    for (;;) {
        qsizetype found = 0;
        const Marker marker = nextMarker(text, pos, true, &found);
        if (marker == Marker::None)
            return atEnd ? Nesting::NotNested : Nesting::NeedMoreText;
        if (marker == Marker::End) {
            if (depth == 0)
                return Nesting::Nested;
            --depth;
            pos = found + EndLength;
            continue;
        }
        if (depth == 0 && ++cards > MaxNestedCardsInARow)
            return Nesting::NotNested;
        ++depth;
        pos = found + BeginLength;
    }
}

} // namespace

qsizetype cutComplete(QByteArrayView text, bool atEnd, QList<CardRange>& cards)
{
    qsizetype begin = -1; // start of the card being cut, -1 between cards
    int depth = 0; // cards open inside it
    qsizetype pos = 0;
    qsizetype resume = 0; // everything before this is done with
    for (;;) {
        qsizetype at = 0;
        const Marker marker = nextMarker(text, pos, begin >= 0, &at);
        if (marker == Marker::None)
            break;
        if (marker == Marker::Begin || marker == Marker::ValueBegin) {
            pos = at + BeginLength;
            if (begin < 0) {
                begin = at;
                resume = at;
                continue;
            }
            if (depth > 0 || marker == Marker::ValueBegin || followsEmptyValue(text, at)) {
                ++depth;
                continue;
            }
            const Nesting nesting = nestingAt(text, at, atEnd);
            if (nesting == Nesting::NeedMoreText)
                return begin;
            if (nesting == Nesting::Nested) {
                ++depth;
                continue;
            }
            cards.append({begin, at - begin}); // the card before lacks its END:VCARD: it ends here
            begin = at;
            resume = at;
            continue;
        }
        pos = at + EndLength;
        if (begin < 0)
            continue; // an END:VCARD outside any card
        if (depth > 0) {
            --depth;
            continue;
        }
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
    // Keep a tail that may be the start of a marker cut off by the end of this piece, with what
    // stands before it on its line.
    return atEnd ? text.size() : qMax(resume, text.size() - BeginLength - 8);
}

QList<CardRange> cut(QByteArrayView text)
{
    QList<CardRange> cards;
    if (text.size() >= BeginLength)
        cutComplete(text, true, cards);
    return cards;
}

} // namespace Quillary::VCardStream
