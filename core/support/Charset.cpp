#include "Charset.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

namespace Quillary::Charset {

namespace {

struct ConverterCloser
{
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

bool equalsIgnoringCase(QByteArrayView a, const char* b)
{
    return a.size() == qsizetype(std::strlen(b)) && qstrnicmp(a.data(), a.size(), b, a.size()) == 0;
}

// One converter per charset and thread: opening a converter costs far more than resetting one.
UConverter* cachedConverter(const QByteArray& name)
{
    thread_local std::unordered_map<std::string, ConverterPtr> cache;
    const std::string key(name.constData(), size_t(name.size()));
    auto it = cache.find(key);
    if (it == cache.end()) {
        UErrorCode error = U_ZERO_ERROR;
        ConverterPtr converter(ucnv_open(key.c_str(), &error));
        if (U_FAILURE(error))
            converter.reset();
        it = cache.emplace(key, std::move(converter)).first;
    }
    if (it->second)
        ucnv_reset(it->second.get());
    return it->second.get();
}

void setStrict(UConverter* converter, bool strict)
{
    UErrorCode error = U_ZERO_ERROR;
    if (strict)
        ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    else
        ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &error);
}

// Decodes with ICU's streaming API so that a strict failure can name the offset of the bad bytes.
StrictResult convert(QByteArrayView bytes, QByteArrayView charset, bool strict)
{
    StrictResult result;
    const QByteArray name = canonicalName(charset);
    if (name == "UTF-8" && !strict) {
        result.text = QString::fromUtf8(bytes);
        return result;
    }
    UConverter* converter = cachedConverter(name);
    if (!converter) {
        result.unknownCharset = true;
        return result;
    }
    setStrict(converter, strict);
    result.text.resize(bytes.size() + 2);
    const char* source = bytes.data();
    const char* sourceLimit = source + bytes.size();
    auto* target = reinterpret_cast<UChar*>(result.text.data());
    auto* targetStart = target;
    UErrorCode error = U_ZERO_ERROR;
    for (;;) {
        auto* targetLimit = reinterpret_cast<UChar*>(result.text.data()) + result.text.size();
        ucnv_toUnicode(converter, &target, targetLimit, &source, sourceLimit, nullptr, true, &error);
        if (error != U_BUFFER_OVERFLOW_ERROR)
            break;
        const qsizetype written = target - targetStart;
        result.text.resize(result.text.size() * 2);
        targetStart = reinterpret_cast<UChar*>(result.text.data());
        target = targetStart + written;
        error = U_ZERO_ERROR;
    }
    result.text.truncate(target - targetStart);
    if (U_FAILURE(error)) {
        char invalid[32];
        int8_t invalidLength = sizeof(invalid);
        UErrorCode ignored = U_ZERO_ERROR;
        ucnv_getInvalidChars(converter, invalid, &invalidLength, &ignored);
        result.errorOffset = qMax<qsizetype>(0, (source - bytes.data()) - invalidLength);
    }
    return result;
}

} // namespace

QByteArray canonicalName(QByteArrayView label)
{
    const QByteArrayView trimmed = label.trimmed();
    if (trimmed.isEmpty())
        return QByteArrayLiteral("UTF-8");
    static const char* const shiftJisAliases[] = {"Shift_JIS", "Shift-JIS", "SJIS",        "x-sjis",     "cp932",
                                                  "ms932",     "ms_kanji",  "windows-932", "csShiftJIS", "windows-31j"};
    for (const char* alias : shiftJisAliases) {
        if (equalsIgnoringCase(trimmed, alias))
            return QByteArrayLiteral("windows-31j");
    }
    if (equalsIgnoringCase(trimmed, "UTF-8") || equalsIgnoringCase(trimmed, "UTF8"))
        return QByteArrayLiteral("UTF-8");
    return trimmed.toByteArray();
}

bool isSupported(QByteArrayView label)
{
    return cachedConverter(canonicalName(label)) != nullptr;
}

QString decode(QByteArrayView bytes, QByteArrayView charset)
{
    StrictResult result = convert(bytes, charset, false);
    if (result.unknownCharset)
        return QString::fromUtf8(bytes);
    return std::move(result.text);
}

StrictResult decodeStrict(QByteArrayView bytes, QByteArrayView charset)
{
    const QByteArray name = canonicalName(charset);
    if (name == "UTF-8") {
        StrictResult result;
        if (const qsizetype invalidAt = firstInvalidUtf8(bytes); invalidAt >= 0) {
            result.errorOffset = invalidAt;
            return result;
        }
        result.text = QString::fromUtf8(bytes);
        return result;
    }
    return convert(bytes, charset, true);
}

QByteArray encode(QStringView text, QByteArrayView charset)
{
    const QByteArray name = canonicalName(charset);
    if (name == "UTF-8")
        return text.toUtf8();
    UConverter* converter = cachedConverter(name);
    if (!converter)
        return text.toUtf8();
    UErrorCode error = U_ZERO_ERROR;
    const auto* source = reinterpret_cast<const UChar*>(text.utf16());
    const int32_t needed = ucnv_fromUChars(converter, nullptr, 0, source, int32_t(text.size()), &error);
    QByteArray out(needed, Qt::Uninitialized);
    error = U_ZERO_ERROR;
    ucnv_reset(converter);
    ucnv_fromUChars(converter, out.data(), needed, source, int32_t(text.size()), &error);
    if (U_FAILURE(error) && error != U_STRING_NOT_TERMINATED_WARNING)
        return {};
    return out;
}

namespace {

int sequenceLength(uchar lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1; // invalid: validation reports it
}

/// Where a trailing sequence that the bytes cut off begins; the size when none is cut off.
qsizetype incompleteTail(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype i = size - 1; i >= 0 && i >= size - 4; --i) {
        const auto c = uchar(bytes[i]);
        if ((c & 0xC0) == 0x80)
            continue;
        return i + sequenceLength(c) > size ? i : size;
    }
    return size;
}

} // namespace

bool Utf8Validator::feed(QByteArrayView bytes)
{
    if (!m_valid)
        return false;
    const qsizetype pieceOffset = m_offset;
    m_offset += bytes.size();
    if (!m_carry.isEmpty()) {
        const qsizetype need = sequenceLength(uchar(m_carry[0])) - m_carry.size();
        if (bytes.size() < need) {
            m_carry.append(bytes);
            return true;
        }
        const QByteArray sequence = m_carry + bytes.first(need);
        if (!isValidUtf8(sequence)) {
            m_valid = false;
            m_errorOffset = pieceOffset - m_carry.size();
            return false;
        }
        bytes = bytes.sliced(need);
        m_carry.clear();
    }
    const qsizetype cut = incompleteTail(bytes);
    if (const qsizetype invalidAt = firstInvalidUtf8(bytes.first(cut)); invalidAt >= 0) {
        m_valid = false;
        m_errorOffset = m_offset - bytes.size() + invalidAt;
        return false;
    }
    m_carry = bytes.sliced(cut).toByteArray();
    return true;
}

qsizetype Utf8Validator::errorOffset() const
{
    if (!m_valid)
        return m_errorOffset;
    return m_carry.isEmpty() ? -1 : m_offset - m_carry.size();
}

qsizetype firstInvalidUtf8(QByteArrayView bytes)
{
    const auto* const start = reinterpret_cast<const uchar*>(bytes.data());
    const auto* p = start;
    const auto* end = p + bytes.size();
    while (p < end) {
        // Skip ASCII eight bytes at a time; most contact files are mostly ASCII.
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p >= end)
            break;
        const uchar c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        uint minimum;
        uint codePoint;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            minimum = 0x80;
            codePoint = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            minimum = 0x800;
            codePoint = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            minimum = 0x10000;
            codePoint = c & 0x07;
        } else {
            return p - start;
        }
        if (end - p < length)
            return p - start;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return p - start;
            codePoint = (codePoint << 6) | (p[i] & 0x3F);
        }
        if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return p - start;
        p += length;
    }
    return -1;
}

bool isValidUtf8(QByteArrayView bytes)
{
    return firstInvalidUtf8(bytes) < 0;
}

} // namespace Quillary::Charset
