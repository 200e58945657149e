#pragma once

// Internal to the vCard codec: the lines of a card that a record keeps, made into vCard 3.0 lines
// when read, and taken apart again when written.

#include "Records.h"
#include "VCardValues_p.h"

namespace Quillary::AddressBook::VCard {

/// The FN that writing gives a record: the company of a company, else the name's parts in order.
[[nodiscard]] QString composedFormattedName(const Person& person);
/// Whether a text is that FN; nothing is composed for the comparison.
[[nodiscard]] bool isComposedFormattedName(QStringView text, const Person& person);

/// Appends "[group.]NAME[;params]:" of a content line as vCard 3.0 writes it. A line of a 3.0 or 4.0
/// card goes as it is; a vCard 2.1 line gets TYPE= before its bare types, and its quoted-printable,
/// 7- or 8-bit encoding and CHARSET (its value becomes UTF-8) dropped; BASE64 becomes "b".
void appendKeptPrefix(QByteArray& out, const ContentLine& line, Version version);

/// Appends a content line as one unfolded vCard 3.0 line ended by CR LF: its prefix as above and its
/// value decoded to UTF-8 and escaped as 3.0 text where vCard 2.1 or quoted-printable wrote it
/// otherwise.
void appendKeptLine(QByteArray& out, const ContentLine& line, Version version, const Fallback& fallback = {});

/// A nested card (AGENT) as the text value of a line: its lines as vCard 3.0 lines, the whole
/// escaped as one text.
[[nodiscard]] QByteArray nestedCardValue(QByteArrayView card, Version version);

/// A kept line taken apart for writing: its group, its name, and the rest from its first ";" or ":".
struct KeptLine
{
    QByteArrayView group;
    QByteArrayView name;
    QByteArrayView rest;
};
[[nodiscard]] KeptLine splitKeptLine(QByteArrayView line);

/// The kept lines one by one, without their CR LF.
[[nodiscard]] QList<QByteArrayView> keptLineList(QByteArrayView lines);

/// Whether a group is one of the "itemN" groups that writing numbers itself.
[[nodiscard]] bool isItemGroup(QByteArrayView group);

/// The date of a kept line, read as the reader reads dates; invalid when it has none.
[[nodiscard]] DateComponents keptLineDate(QByteArrayView line);

} // namespace Quillary::AddressBook::VCard
