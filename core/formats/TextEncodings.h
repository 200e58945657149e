#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The text encodings a user can choose for reading a contact file: a fixed, curated table of the
// well-known encodings, limited to those ICU on this machine can convert.
namespace Quillary::TextEncodings {

/// Encoding numbers are stable: they are stored in settings and passed around instead of names.
/// 0 asks for detection and is not in the table.
inline constexpr quint32 Automatic = 0;
inline constexpr quint32 Utf8 = 4;
inline constexpr quint32 ShiftJis = 8;
inline constexpr quint32 Utf16BigEndian = 0x90000100;
inline constexpr quint32 Utf16LittleEndian = 0x94000100;

/// One encoding of the table.
struct Encoding
{
    quint32 number = Automatic;
    QByteArray icuName; ///< the name to decode with (Charset, TextDecoding)
    const char* englishName = ""; ///< the display name before translation, e.g. "Western (ASCII)"

    /// The display name in the user's language, e.g. "Japanese (Shift JIS)".
    [[nodiscard]] QString displayName() const;
    [[nodiscard]] bool operator==(const Encoding& other) const { return number == other.number; }
};

/// The encodings ICU opens on this machine, in menu order (Unicode, Western, then by script).
[[nodiscard]] const QList<Encoding>& available();

/// Lookups; nullptr when the table has no such encoding.
[[nodiscard]] const Encoding* byNumber(quint32 number);
/// Any ICU name or alias of the converter ("SJIS", "cp1252", "latin1", "EUC-JP" ...).
[[nodiscard]] const Encoding* byIcuName(QByteArrayView name);
/// The display name, translated or English, compared without case.
[[nodiscard]] const Encoding* byDisplayName(QStringView name);

/// The display name for an encoding name as TextDecoding reports it, or the name itself when the
/// table does not know it.
[[nodiscard]] QString displayNameForIcuName(QByteArrayView name);

/// What a user-typed encoding argument (quillary-cli --encoding) stands for.
struct Resolution
{
    QByteArray encoding; ///< a name for TextDecoding::toUtf8, or TextDecoding::Automatic
    QString errorString; ///< why the argument names no encoding; empty on success
    [[nodiscard]] bool ok() const { return errorString.isEmpty(); }
};

/// Accepts "auto" (or nothing) for detection, a number of the table (decimal or 0x hex; 0 is
/// detection), a display name, or any ICU converter name or alias, even one outside the table.
[[nodiscard]] Resolution resolve(QStringView argument);

} // namespace Quillary::TextEncodings
