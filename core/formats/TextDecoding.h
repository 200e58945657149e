#pragma once

#include <QByteArray>
#include <QString>

// Turning the bytes of a contact file into UTF-8 text, in a named encoding or with detection.
namespace Quillary::TextDecoding {

/// Encoding name that asks for detection.
inline constexpr QByteArrayView Automatic = "auto";

struct DecodedText
{
    QByteArray utf8;      ///< the text as UTF-8, without a byte-order mark
    QByteArray encoding;  ///< canonical name of the encoding the bytes were read in
    QString errorString;  ///< why the bytes could not be read; empty on success
    qsizetype errorOffset = -1;
    [[nodiscard]] bool ok() const { return errorString.isEmpty(); }
};

/// Detection: a byte-order mark; else valid UTF-8; else UTF-16 without a mark, recognised by its
/// zero bytes; else uchardet's guess (its Shift_JIS read as windows-31j); else windows-1252.
[[nodiscard]] QByteArray detectEncoding(QByteArrayView bytes);

/// Decodes the bytes in the named encoding, strictly: an invalid byte is an error naming its offset.
/// With Automatic (or an empty name) the encoding is detected, and a detected legacy encoding is
/// decoded leniently, since the guess itself may be off by a character set that differs in a few
/// positions. Valid UTF-8 input is passed through without a copy beyond removing its mark.
[[nodiscard]] DecodedText toUtf8(QByteArray bytes, QByteArrayView encoding = Automatic);

} // namespace Quillary::TextDecoding
