#include "TextDecoding.h"

#include "TextEncodings.h"
#include "support/Charset.h"
#include "support/CoreTr.h"

#include <uchardet/uchardet.h>

#include <algorithm>
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

const QByteArray ShiftJis = QByteArrayLiteral("windows-31j");

/// The length of the valid UTF-8 sequence of two or more bytes at `p`; 0 when there is none.
qsizetype utf8SequenceAt(const uchar* p, const uchar* end)
{
    const uchar c = *p;
    const qsizetype length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || end - p < length)
        return 0;
    return Charset::isValidUtf8(QByteArrayView(p, length)) ? length : 0;
}

/// Whether far more of the non-ASCII bytes form UTF-8 sequences than not: a UTF-8 file into which
/// a few bytes of another encoding found their way.
bool isMostlyUtf8(QByteArrayView bytes)
{
    qsizetype sequences = 0, strays = 0;
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const qsizetype length = utf8SequenceAt(p, end);
        sequences += length > 0;
        strays += length == 0;
        p += qMax<qsizetype>(length, 1);
    }
    return sequences > 0 && strays * 2 <= sequences;
}

/// The charsets that CHARSET= parameters name, in the order first met; UTF-8 and ASCII left out.
QList<QByteArray> declaredCharsets(QByteArrayView bytes)
{
    QList<QByteArray> result;
    const char* data = bytes.data();
    for (qsizetype at = bytes.indexOf('='); at >= 0 && result.size() < 8; at = bytes.indexOf('=', at + 1)) {
        if (at < 7 || qstrnicmp(data + at - 7, 7, "CHARSET", 7) != 0)
            continue;
        qsizetype end = at + 1;
        while (end < bytes.size() && data[end] != ';' && data[end] != ':' && data[end] != '\r' && data[end] != '\n')
            ++end;
        QByteArray name =
            Charset::canonicalName(bytes.sliced(at + 1, end - at - 1).trimmed().toByteArray().replace('"', ""));
        if (name != "UTF-8" && name.compare("US-ASCII", Qt::CaseInsensitive) != 0 && !result.contains(name))
            result.append(std::move(name));
    }
    return result;
}

/// Whether the bytes read as Japanese Shift-JIS text rather than as text of a single-byte charset:
/// more kana and common kanji (lead bytes 0x82, 0x83 and 0x88 to 0x9F) than bytes above 0x7F
/// between two ASCII letters, which single-byte accented words are made of ("Müller", "O’Brien").
bool readsAsJapanese(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype japanese = 0, western = 0;
    for (qsizetype i = 0; i < size;) {
        const uchar c = data[i];
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
            ++i;
            continue;
        }
        japanese += c == 0x82 || c == 0x83 || (c >= 0x88 && c <= 0x9F);
        i += 2;
    }
    const auto isLetter = [](uchar c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    for (qsizetype i = 1; i + 1 < size; ++i)
        western += data[i] >= 0x80 && isLetter(data[i - 1]) && isLetter(data[i + 1]);
    return japanese > western;
}

/// Whether an encoding uses more than one byte for a character.
bool isMultiByte(const QByteArray& encoding)
{
    static const char* const prefixes[] = {"UTF",         "EUC",         "GB",          "BIG5",
                                           "ISO-2022",    "SHIFT",       "WINDOWS-31J", "WINDOWS-936",
                                           "WINDOWS-949", "WINDOWS-950", "HZ"};
    const QByteArray upper = encoding.toUpper();
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [&upper](const char* prefix) { return upper.startsWith(prefix); });
}

// uchardet's Shift_JIS model rejects the IBM extension kanji (髙 is 0xFBFC) that Windows and
// Japanese phones write, and then answers nothing or a single-byte guess; a strict windows-31j
// reading is selective enough to settle those files.
// Its models also take a file with one or two Japanese names for a single-byte charset.
Detection guess(QByteArrayView bytes)
{
    const QByteArray guessed = uchardetGuess(bytes);
    if (!isMultiByte(guessed) && readsAsJapanese(bytes) && decodesStrictly(bytes, ShiftJis))
        return {ShiftJis, DetectionMethod::ShiftJisRetry};
    if (decodesStrictly(bytes, guessed))
        return {guessed, DetectionMethod::Detector};
    if (guessed != ShiftJis && decodesStrictly(bytes, ShiftJis))
        return {ShiftJis, DetectionMethod::ShiftJisRetry};
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
    // What the text says of itself goes before any statistics.
    const QList<QByteArray> declared = declaredCharsets(bytes);
    for (const QByteArray& charset : declared) {
        if (decodesStrictly(bytes, charset))
            return {charset, DetectionMethod::Declared};
    }
    if (isMostlyUtf8(bytes))
        return {QByteArrayLiteral("UTF-8"), DetectionMethod::RepairedUtf8};
    for (const QByteArray& charset : declared) {
        if (Charset::isSupported(charset))
            return {charset, DetectionMethod::Declared};
    }
    return guess(bytes);
}

QByteArray repairedUtf8(QByteArrayView bytes, qsizetype* repaired)
{
    static const QString latin1 = [] {
        QByteArray high(128, Qt::Uninitialized);
        for (int i = 0; i < 128; ++i)
            high[i] = char(0x80 + i);
        return Charset::decode(high, "windows-1252");
    }();
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 8);
    qsizetype count = 0;
    const auto* start = reinterpret_cast<const uchar*>(bytes.data());
    const auto* p = start;
    const auto* end = start + bytes.size();
    const auto* plain = p; // start of the bytes not yet copied
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        if (const qsizetype length = utf8SequenceAt(p, end)) {
            p += length;
            continue;
        }
        out.append(reinterpret_cast<const char*>(plain), p - plain);
        const QChar replacement = latin1.size() == 128 ? latin1.at(*p - 0x80) : QChar::ReplacementCharacter;
        out.append(QString(replacement).toUtf8());
        ++count;
        plain = ++p;
    }
    out.append(reinterpret_cast<const char*>(plain), end - plain);
    if (repaired)
        *repaired = count;
    return out;
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
    bool repair = false;
    if (automatic) {
        const Detection detection = detect(bytes);
        result.encoding = detection.encoding;
        validUtf8 = detection.method == DetectionMethod::ValidUtf8;
        repair = detection.method == DetectionMethod::RepairedUtf8;
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
    if (repair) {
        result.utf8 = repairedUtf8(bytes, &result.repairedBytes);
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
