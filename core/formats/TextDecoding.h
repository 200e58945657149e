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
    [[nodiscard]] bool ok() const { return errorString.isEmpty(); }
};

/// How detection decided; only the first two are certain.
enum class DetectionMethod {
    ByteOrderMark, ///< the bytes start with a mark
    ValidUtf8, ///< the bytes are well-formed UTF-8 (ASCII included); uchardet is not asked
    Utf16Pattern, ///< no mark, but zero bytes in every other position, as UTF-16 has for ASCII
    Detector, ///< uchardet's guess, and the bytes are valid in it
    ShiftJisRetry, ///< uchardet had no valid answer, but the bytes are valid windows-31j
    Fallback, ///< nothing fits: uchardet's guess or windows-1252, read leniently
};

struct Detection
{
    QByteArray encoding; ///< canonical name of the encoding to read the bytes in
    DetectionMethod method = DetectionMethod::Fallback;
};

/// Detection: a byte-order mark; else UTF-16 without a mark, recognised by its zero bytes; else
/// valid UTF-8; else uchardet's guess (its Shift_JIS read as windows-31j) when the bytes are valid
/// in it; else windows-31j when they are valid in that; else windows-1252.
[[nodiscard]] Detection detect(QByteArrayView bytes);
[[nodiscard]] QByteArray detectEncoding(QByteArrayView bytes);

/// "UTF-16BE" or "UTF-16LE" when bytes without a mark look like UTF-16 text, judged by the zero
/// bytes of their first 4 KiB; empty otherwise. Such text is often well-formed UTF-8 as well.
[[nodiscard]] QByteArray utf16WithoutMark(QByteArrayView bytes);

/// Decodes the bytes in the named encoding, strictly: an invalid byte is an error naming its offset.
/// With Automatic (or an empty name) the encoding is detected, and a detected legacy encoding is
/// decoded leniently, since the guess itself may be off by a character set that differs in a few
/// positions. Valid UTF-8 input is passed through without a copy beyond removing its mark.
[[nodiscard]] DecodedText toUtf8(QByteArray bytes, QByteArrayView encoding = Automatic);

} // namespace Quillary::TextDecoding
