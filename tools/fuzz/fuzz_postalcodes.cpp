// libFuzzer target: the postal-code tables. The input is inflated as gzip, and read as the
// residential and the business list (Shift-JIS lines of quoted fields); the codes its digits spell
// are looked up.

#include "FuzzSupport.h"
#include "editors/ZipDatabase.h"

using namespace Quillary;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    const QByteArray bytes = Fuzz::bytesOf(data, size);
    (void)ZipDatabase::gzipInflate(bytes);
    const qsizetype half = bytes.size() / 2;
    const ZipDatabase table = ZipDatabase::fromLists(bytes, QByteArrayView(bytes).sliced(half));
    QString digits;
    for (const char c : bytes) {
        if (c >= '0' && c <= '9')
            digits.append(QLatin1Char(c));
    }
    for (qsizetype length = 3; length <= 8 && length <= digits.size(); ++length)
        (void)table.addressesFromZip(digits.left(length));
    (void)table.addressesFromZip(QStringLiteral("100-0001"));
    return 0;
}
