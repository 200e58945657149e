#pragma once

#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QMimeData;

namespace Quillary {

class ContactsViewController;

/// What the contacts table puts on the clipboard and into drags, and what it takes from them.
///
/// Contacts travel the freedesktop way: the vCard text under "text/vcard", "text/x-vcard" and
/// "text/directory"; plain text for text editors; a "text/uri-list" naming a .vcf file for file
/// managers (X11 has no promised files); and the private row-number type for drops on the group
/// side bar. The .vcf file is written into the private temporary folder, readable only by the user.
namespace ContactPasteboard {

inline const QString VCardMimeType = QStringLiteral("text/vcard");
inline const QString XVCardMimeType = QStringLiteral("text/x-vcard");
inline const QString DirectoryMimeType = QStringLiteral("text/directory");
/// The three names the vCard text goes under, the standard one first.
[[nodiscard]] const QStringList& vCardMimeTypes();

/// "Copy" and "Copy as CSV": one line per row (the summary row skipped) with the table's columns
/// in display order, joined by `separator`; "" when that gives less than two characters.
[[nodiscard]] QString copyText(const ContactsViewController& controller, const QList<int>& rows,
                               const QString& separator);

/// The cards of contacts, each with the categories of its groups; with `crlfAfterEach` every card
/// is followed by an empty line.
[[nodiscard]] QByteArray vCardText(const ContactTable& contacts, const GroupTable& groupTable,
                                   const QStringList& options, bool crlfAfterEach = false);

/// What goes on the clipboard or into a drag.
struct Payload
{
    QString plainText;
    QByteArray vCard;
    QString fileName; ///< of the .vcf file (made safe when written)
    QString rowIndexes; ///< the private row-number text; "" for none
};

/// "Copy as vCard": the cards (with notes) of the contacts of the rows, also as the plain text;
/// the file is named after the first contact ("SelectedContacts.vcf" without a name).
[[nodiscard]] Payload copyAsVCard(const ContactsViewController& controller, const QList<int>& rows);
/// Rows dragged out of the table: one tab-separated line of every field per contact, the cards
/// (with notes and photos) of the contacts, the row numbers; the file is named after the first
/// contact ("draggingContacts.vcf" without a name).
[[nodiscard]] Payload dragPayload(const ContactsViewController& controller, const QList<int>& rows);

/// The MIME data of a payload; its vCard file is written first. Answers null for an empty payload,
/// and without the file (and with `error` set) when it cannot be written.
[[nodiscard]] QMimeData* mimeData(const Payload& payload, QString* error = nullptr);

/// Whether MIME data may hold contacts: vCard text under one of its names, or .vcf files.
[[nodiscard]] bool offersContacts(const QMimeData& data);
/// The contacts of MIME data: vCard text first, else the .vcf files of its file URLs (read with the
/// encoding detected), else, with `plainText`, a plain text holding cards. Empty when none.
[[nodiscard]] ContactTable contactsFromMimeData(const QMimeData& data, bool plainText);

/// Where a drag over the table would drop, and what it brings.
struct DropProposal
{
    bool editState = false;
    bool onRow = false; ///< onto a row, not between two rows
    int row = 0; ///< the row the drop would go before
    int rowCount = 0; ///< the rows of the table, the summary row included
    bool fromThisTable = false;
    bool fromThisApplication = false; ///< from another window of Quillary
    bool offersContacts = false;
};
/// Whether the table takes a drop there: only in edit mode, only between rows, never from itself;
/// from another application only when it brings vCard text or .vcf files. An empty table takes a
/// drop anywhere.
[[nodiscard]] bool validateDrop(const DropProposal& proposal);

} // namespace ContactPasteboard

} // namespace Quillary
