#pragma once

// Internal to the vCard codec: decoding and encoding of property values.

#include "VCardContentLine_p.h"

#include <QString>
#include <QStringList>

namespace Quillary::AddressBook::VCard {

enum class Version { V21, V30, V40 };

[[nodiscard]] QByteArray decodeQuotedPrintable(QByteArrayView encoded);
[[nodiscard]] QByteArray decodeBase64(QByteArrayView encoded);

/// The value as text, still escaped: quoted-printable undone and the bytes decoded in the line's
/// CHARSET (UTF-8 by default). Escapes are resolved only after this, so that a Shift-JIS trail byte
/// 0x5C is never taken for a backslash.
[[nodiscard]] QString escapedText(const ContentLine& line);

/// Resolves the escapes of one text value: \n \N \, \; \\ in vCard 3.0 and 4.0; only \; in 2.1.
[[nodiscard]] QString unescape(QString text, Version version);
/// Splits a structured value (N, ADR, ORG) at unescaped semicolons and unescapes each component.
[[nodiscard]] QStringList components(QStringView text, Version version);

/// Splits a list value (CATEGORIES, NICKNAME) at unescaped commas, unescapes and trims each item.
[[nodiscard]] QStringList listItems(QStringView text, Version version);

/// The unescaped text of a line.
[[nodiscard]] QString text(const ContentLine& line, Version version);

/// Escapes a text value for vCard 3.0: backslash, comma, semicolon and line breaks.
void appendEscaped(QByteArray& out, QStringView text);

} // namespace Quillary::AddressBook::VCard
