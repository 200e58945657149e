#pragma once

#include "Records.h"

#include <QByteArray>

#include <optional>

// The per-record vCard conversion of the address book.
namespace Quillary::AddressBook::VCardCodec {

/// Reads the first card of UTF-8 vCard text (2.1, 3.0 or 4.0) into a person record; none is
/// returned when the card holds no property a person has. The lines the record has no property for
/// (and the FN) are kept with it as vCard 3.0 lines; a card nested in it (an AGENT) is kept as the
/// value of one. The record's unique id is the card's UID, or a new one when the card has none.
/// When `categories` is given, it receives the names of the card's CATEGORIES lines.
/// `fileEncoding` names the encoding the card was read from, for quoted-printable values that
/// declare no CHARSET. With a sink, the card's multi-values go to it, in order, and the record has none.
[[nodiscard]] std::optional<Person> readPerson(QByteArrayView card, QStringList* categories = nullptr,
                                               QByteArrayView fileEncoding = {}, MultiValueSink* sink = nullptr);

/// The names of every CATEGORIES line of a card or stream, in order: folded lines are unfolded,
/// parameters and encodings are honoured, "\," is a comma inside a name; names are trimmed and
/// empty names are kept.
[[nodiscard]] QStringList readCategories(QByteArrayView text);

/// Text as a vCard 3.0 text value or list item: backslash, comma, semicolon and line breaks escaped
/// (CR LF, CR and LF each as "\\n").
[[nodiscard]] QString escapeText(const QString& name);

/// Writes a person record as a vCard 3.0 card: UTF-8, CR LF line ends, lines folded at 75 octets,
/// ending with "END:VCARD" and CR LF. The record's kept lines are written back, their "itemN" groups
/// numbered after the card's own. NOTE, PHOTO and CATEGORIES lines are left to the caller.
[[nodiscard]] QByteArray writePerson(const Person& person);
/// The same card appended to `out`.
void appendPerson(QByteArray& out, const Person& person);

/// Appends one content line folded at 75 octets (never inside a UTF-8 sequence), ending with CR LF.
void appendFolded(QByteArray& out, QByteArrayView line);

} // namespace Quillary::AddressBook::VCardCodec
