#include "VCardMarkers.h"

#include <cstring>

namespace Quillary::AddressBook::VCard {

namespace {

constexpr qsizetype FoldWidth = 75;

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

} // namespace

CardMarker nextCardMarker(QByteArrayView text, qsizetype from, qsizetype* at)
{
    // Every property line has a colon, so looking at colons only checks a few dozen places per card.
    const char* data = text.data();
    const qsizetype size = text.size();
    qsizetype pos = from + 3; // the colon of "END:" at the earliest
    while (pos < size) {
        const void* found = std::memchr(data + pos, ':', size_t(size - pos));
        if (!found)
            return CardMarker::None;
        const qsizetype colon = static_cast<const char*>(found) - data;
        pos = colon + 1;
        if (size - colon < 6 || !equalsIgnoringCase(data + colon + 1, "VCARD", 5))
            continue;
        if (colon - from >= 5 && equalsIgnoringCase(data + colon - 5, "BEGIN", 5)) {
            *at = colon - 5;
            return CardMarker::Begin;
        }
        if (colon - from >= 3 && equalsIgnoringCase(data + colon - 3, "END", 3)) {
            *at = colon - 3;
            return CardMarker::End;
        }
    }
    return CardMarker::None;
}

void appendFoldedLine(QByteArray& out, QByteArrayView line)
{
    const qsizetype size = line.size();
    qsizetype pos = 0;
    qsizetype limit = FoldWidth;
    qsizetype markerAt = 0;
    CardMarker marker = nextCardMarker(line, 0, &markerAt);
    for (;;) {
        qsizetype cut = size - pos > limit ? pos + limit : size;
        while (cut < size && cut > pos + 1 && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (marker != CardMarker::None && markerAt < cut) {
            // A marker wholly inside this piece is split right after its first letter (markers are
            // ASCII); one that runs past the fold is split by it already.
            if (markerAt + cardMarkerLength(marker) <= cut)
                cut = markerAt + 1;
            marker = nextCardMarker(line, cut, &markerAt);
        }
        out.append(line.data() + pos, cut - pos);
        if (cut == size)
            break;
        out.append("\r\n ");
        pos = cut;
        limit = FoldWidth - 1;
    }
    out.append("\r\n");
}

} // namespace Quillary::AddressBook::VCard
