#pragma once

#include <QByteArray>
#include <QString>

// Conversions between bytes in a named character set and text, through ICU. Callable from any thread.
namespace Quillary::Charset {

/// The ICU converter name for a charset label as files and vCard CHARSET parameters write it.
/// Shift_JIS and its aliases become windows-31j (MS932), which is what Japanese phones and Windows
/// really write: it has NEC and IBM extensions such as ①, ㈱ and 髙, and 0x5C is a backslash.
[[nodiscard]] QByteArray canonicalName(QByteArrayView label);

/// True when ICU can convert the charset.
[[nodiscard]] bool isSupported(QByteArrayView label);

/// Lenient decoding: bytes that are not valid in the charset become U+FFFD. An unknown charset
/// decodes as UTF-8.
[[nodiscard]] QString decode(QByteArrayView bytes, QByteArrayView charset);

struct StrictResult
{
    QString text;
    qsizetype errorOffset = -1; ///< byte offset of the first invalid sequence, -1 when none
    bool unknownCharset = false;
    [[nodiscard]] bool ok() const { return errorOffset < 0 && !unknownCharset; }
};

/// Strict decoding: stops at the first invalid or unmappable byte sequence and reports its offset.
[[nodiscard]] StrictResult decodeStrict(QByteArrayView bytes, QByteArrayView charset);

/// Encodes text; characters the charset lacks become its substitution character.
[[nodiscard]] QByteArray encode(QStringView text, QByteArrayView charset);

/// True when the bytes are well-formed UTF-8 (no overlongs, surrogates or code points past U+10FFFF).
[[nodiscard]] bool isValidUtf8(QByteArrayView bytes);
/// The offset of the first byte that does not start a well-formed sequence (or starts one cut off at
/// the end); -1 when all of it is UTF-8.
[[nodiscard]] qsizetype firstInvalidUtf8(QByteArrayView bytes);

/// Checks that text arriving in pieces is well-formed UTF-8; a sequence may be split between pieces.
class Utf8Validator
{
public:
    /// False once an invalid sequence was seen.
    bool feed(QByteArrayView bytes);
    /// True when everything fed was valid and no sequence is left incomplete.
    [[nodiscard]] bool finish() const { return m_valid && m_carry.isEmpty(); }
    /// Byte offset of the first invalid sequence (or of the incomplete last one), -1 when none.
    [[nodiscard]] qsizetype errorOffset() const;

private:
    QByteArray m_carry;
    qsizetype m_offset = 0; ///< bytes fed before the current piece
    qsizetype m_errorOffset = -1;
    bool m_valid = true;
};

} // namespace Quillary::Charset
