#pragma once

#include <QByteArray>
#include <QString>

// Turning the bytes of a contact file into UTF-8 text, in a named encoding or with detection.
namespace Quillary::TextDecoding {

/// Encoding name that asks for detection.
inline constexpr QByteArrayView Automatic = "auto";

struct DecodedText
{
    QByteArray utf8; ///< the text as UTF-8, without a byte-order mark
    QByteArray encoding; ///< canonical name of the encoding the bytes were read in
    QString errorString; ///< why the bytes could not be read; empty on success
    qsizetype errorOffset = -1;
    qsizetype repairedBytes = 0; ///< bytes of a UTF-8 text that were not UTF-8, read as windows-1252
    [[nodiscard]] bool ok() const { return errorString.isEmpty(); }
};

/// How detection decided; only the first two are certain.
enum class DetectionMethod {
    ByteOrderMark, ///< the bytes start with a mark
    ValidUtf8, ///< the bytes are well-formed UTF-8 (ASCII included); uchardet is not asked
    Utf16Pattern, ///< no mark, but zero bytes in every other position, as UTF-16 has for ASCII
    Declared, ///< the charset that the text's CHARSET= parameters name
    RepairedUtf8, ///< UTF-8 with a few bytes that are not: those are read as windows-1252
    Detector, ///< uchardet's guess, and the bytes are valid in it
    ShiftJisRetry, ///< uchardet had no valid answer, or a single-byte one, but the bytes read as Japanese
    Fallback, ///< nothing fits: uchardet's guess or windows-1252, read leniently
};

struct Detection
{
    QByteArray encoding; ///< canonical name of the encoding to read the bytes in
    DetectionMethod method = DetectionMethod::Fallback;
};

/// Detection: a byte-order mark; else UTF-16 without a mark, recognised by its zero bytes; else
/// valid UTF-8; else a charset that the text declares in CHARSET= parameters and that the bytes are
/// valid in; else UTF-8 when far more of the bytes are UTF-8 than not; else a declared charset; else
/// windows-31j when the bytes read as Japanese text and uchardet guesses no other multi-byte
/// encoding; else uchardet's guess (its Shift_JIS read as windows-31j) when the bytes are valid in
/// it; else windows-31j when they are valid in that; else windows-1252.
[[nodiscard]] Detection detect(QByteArrayView bytes);
[[nodiscard]] QByteArray detectEncoding(QByteArrayView bytes);

/// "UTF-16BE" or "UTF-16LE" when bytes without a mark look like UTF-16 text, judged by the zero
/// bytes of their first 4 KiB; empty otherwise. Such text is often well-formed UTF-8 as well.
[[nodiscard]] QByteArray utf16WithoutMark(QByteArrayView bytes);

/// UTF-8 text with every byte that is not part of a valid UTF-8 sequence read as windows-1252;
/// `repaired` receives how many there were.
[[nodiscard]] QByteArray repairedUtf8(QByteArrayView bytes, qsizetype* repaired);

/// Decodes the bytes in the named encoding, strictly: an invalid byte is an error naming its offset.
/// With Automatic (or an empty name) the encoding is detected, and a detected legacy encoding is
/// decoded leniently, since the guess itself may be off by a character set that differs in a few
/// positions; a detected UTF-8 text reads each byte that is not UTF-8 as windows-1252 and counts
/// it. Valid UTF-8 input is passed through without a copy beyond removing its mark.
[[nodiscard]] DecodedText toUtf8(QByteArray bytes, QByteArrayView encoding = Automatic);

} // namespace Quillary::TextDecoding
