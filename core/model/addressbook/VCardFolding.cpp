#include "VCardFolding.h"

namespace Quillary::AddressBook::VCard {

namespace {

constexpr qsizetype FoldWidth = 75;

} // namespace

void appendFoldedLine(QByteArray& out, QByteArrayView line)
{
    const qsizetype size = line.size();
    qsizetype pos = 0;
    qsizetype limit = FoldWidth;
    while (size - pos > limit) {
        qsizetype cut = pos + limit;
        while (cut > pos + 1 && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.data() + pos, cut - pos);
        out.append("\r\n ");
        pos = cut;
        limit = FoldWidth - 1;
    }
    out.append(line.data() + pos, size - pos);
    out.append("\r\n");
}

} // namespace Quillary::AddressBook::VCard
