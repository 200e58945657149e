// libFuzzer target: text encodings. The first byte chooses how the rest is read: detected, or in one
// of the encodings the open panel offers; the UTF-8 check is fed in pieces of a size the second byte
// chooses, and must agree with the check of the whole.

#include "FuzzSupport.h"
#include "formats/TextDecoding.h"
#include "support/Charset.h"

#include <cstdlib>
#include <iterator>

using namespace Quillary;

namespace {

constexpr const char* Encodings[] = {
    "auto",      "UTF-8",      "Shift_JIS",      "windows-31j", "EUC-JP", "ISO-2022-JP", "UTF-16",       "UTF-16LE",
    "UTF-16BE",  "UTF-32",     "GB18030",        "Big5",        "EUC-KR", "KOI8-R",      "UTF-7",        "windows-1252",
    "macintosh", "ISO-8859-1", "x-mac-japanese", "HZ-GB-2312",  "SCSU",   "BOCU-1",      "windows-1251", "ISO-2022-KR",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    if (size < 2)
        return 0;
    const char* encoding = Encodings[data[0] % std::size(Encodings)];
    const qsizetype piece = 1 + data[1];
    const QByteArray bytes = Fuzz::bytesOf(data + 2, size - 2);
    const TextDecoding::DecodedText decoded = TextDecoding::toUtf8(bytes, encoding);
    if (decoded.ok() && !Charset::isValidUtf8(decoded.utf8))
        std::abort(); // decoding gives UTF-8, whatever came in
    (void)TextDecoding::detect(bytes);
    Charset::Utf8Validator validator;
    bool valid = true;
    for (qsizetype at = 0; valid && at < bytes.size(); at += piece)
        valid = validator.feed(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)));
    if ((valid && validator.finish()) != Charset::isValidUtf8(bytes))
        std::abort();
    return 0;
}
