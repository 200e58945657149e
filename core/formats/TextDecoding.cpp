#include "TextDecoding.h"

#include "TextEncodings.h"
#include "support/Charset.h"
#include "support/CoreTr.h"

#include <uchardet/uchardet.h>

#include <cstring>

namespace Quillary::TextDecoding {

namespace {

struct ByteOrderMark
{
    const char* bytes;
    int length;
    const char* encoding;
};

// Longest first: the UTF-32LE mark begins with the UTF-16LE one.
constexpr ByteOrderMark byteOrderMarks[] = {
    {"\x00\x00\xFE\xFF", 4, "UTF-32BE"}, {"\xFF\xFE\x00\x00", 4, "UTF-32LE"}, {"\xEF\xBB\xBF", 3, "UTF-8"},
    {"\xFE\xFF", 2, "UTF-16BE"},         {"\xFF\xFE", 2, "UTF-16LE"},
};

const ByteOrderMark* markOf(QByteArrayView bytes)
{
    for (const auto& mark : byteOrderMarks) {
        if (bytes.size() >= mark.length && std::memcmp(bytes.data(), mark.bytes, size_t(mark.length)) == 0)
            return &mark;
    }
    return nullptr;
}

QByteArray uchardetGuess(QByteArrayView bytes)
{
    uchardet_t detector = uchardet_new();
    uchardet_handle_data(detector, bytes.data(), size_t(bytes.size()));
    uchardet_data_end(detector);
    QByteArray guess(uchardet_get_charset(detector));
    uchardet_delete(detector);
    if (guess.compare("ASCII", Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("windows-1252");
    // uchardet's name for Windows code page 949, which ICU knows only by its number.
    if (guess.compare("UHC", Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("windows-949");
    return guess.isEmpty() ? guess : Charset::canonicalName(guess);
}

bool decodesStrictly(QByteArrayView bytes, const QByteArray& encoding)
{
    return !encoding.isEmpty() && Charset::isSupported(encoding) && Charset::decodeStrict(bytes, encoding).ok();
}

// uchardet's Shift_JIS model rejects the IBM extension kanji (髙 is 0xFBFC) that Windows and
// Japanese phones write, and then answers nothing or a single-byte guess; a strict windows-31j
// reading is selective enough to settle those files.
Detection guess(QByteArrayView bytes)
{
    const QByteArray guessed = uchardetGuess(bytes);
    if (decodesStrictly(bytes, guessed))
        return {guessed, DetectionMethod::Detector};
    const QByteArray shiftJis = QByteArrayLiteral("windows-31j");
    if (guessed != shiftJis && decodesStrictly(bytes, shiftJis))
        return {shiftJis, DetectionMethod::ShiftJisRetry};
    if (!guessed.isEmpty() && Charset::isSupported(guessed))
        return {guessed, DetectionMethod::Fallback};
    return {QByteArrayLiteral("windows-1252"), DetectionMethod::Fallback};
}

} // namespace

// Zero bytes in most ASCII positions: at even offsets for big-endian, at odd ones for little-endian.
QByteArray utf16WithoutMark(QByteArrayView bytes)
{
    const qsizetype sample = qMin<qsizetype>(bytes.size() & ~qsizetype(1), 4096);
    if (sample < 4)
        return {};
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i < sample; i += 2) {
        evenZeros += bytes[i] == 0;
        oddZeros += bytes[i + 1] == 0;
    }
    const qsizetype units = sample / 2;
    if (evenZeros * 10 >= units * 4 && oddZeros * 10 < units)
        return QByteArrayLiteral("UTF-16BE");
    if (oddZeros * 10 >= units * 4 && evenZeros * 10 < units)
        return QByteArrayLiteral("UTF-16LE");
    return {};
}

Detection detect(QByteArrayView bytes)
{
    if (const ByteOrderMark* mark = markOf(bytes))
        return {mark->encoding, DetectionMethod::ByteOrderMark};
    // Before the UTF-8 check: UTF-16 of ASCII, Cyrillic or Greek text has no byte above 0x7F and so
    // is also well-formed UTF-8, full of NULs.
    QByteArray utf16 = utf16WithoutMark(bytes);
    if (!utf16.isEmpty())
        return {std::move(utf16), DetectionMethod::Utf16Pattern};
    if (Charset::isValidUtf8(bytes))
        return {QByteArrayLiteral("UTF-8"), DetectionMethod::ValidUtf8};
    return guess(bytes);
}

QByteArray detectEncoding(QByteArrayView bytes)
{
    return detect(bytes).encoding;
}

DecodedText toUtf8(QByteArray bytes, QByteArrayView encoding)
{
    DecodedText result;
    const bool automatic = encoding.isEmpty() || encoding.compare(Automatic, Qt::CaseInsensitive) == 0;
    bool validUtf8 = false;
    if (automatic) {
        const Detection detection = detect(bytes);
        result.encoding = detection.encoding;
        validUtf8 = detection.method == DetectionMethod::ValidUtf8;
    } else {
        result.encoding = Charset::canonicalName(encoding);
    }
    if (!Charset::isSupported(result.encoding)) {
        result.errorString =
            Tr::tr("The text encoding “%1” is not available.").arg(QString::fromLatin1(result.encoding));
        return result;
    }
    // A mark of the chosen encoding is not part of the text.
    if (const ByteOrderMark* mark = markOf(bytes); mark && Charset::canonicalName(mark->encoding) == result.encoding)
        bytes.remove(0, mark->length);

    // Only well-formed UTF-8 passes through; a guessed UTF-8 with bad bytes is decoded like any guess.
    if (result.encoding == "UTF-8" && (validUtf8 || Charset::isValidUtf8(bytes))) {
        result.utf8 = std::move(bytes);
        return result;
    }
    if (automatic) {
        result.utf8 = Charset::decode(bytes, result.encoding).toUtf8();
        return result;
    }
    const Charset::StrictResult decoded = Charset::decodeStrict(bytes, result.encoding);
    if (!decoded.ok()) {
        result.errorOffset = decoded.errorOffset;
        result.errorString = Tr::tr("The file is not valid %1 text: invalid bytes at offset %2.")
                                 .arg(TextEncodings::displayNameForIcuName(result.encoding))
                                 .arg(decoded.errorOffset);
        return result;
    }
    result.utf8 = decoded.text.toUtf8();
    return result;
}

} // namespace Quillary::TextDecoding
