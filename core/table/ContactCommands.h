#pragma once

#include "formats/CsvWriter.h"
#include "model/ContactEntry.h"

#include <QList>
#include <QString>

#include <optional>

namespace Quillary {

class ContactsViewController;

/// The commands on whole contacts of the contacts table: adding, deleting and duplicating
/// contacts, adding contacts that come from outside (a drop, the clipboard), reformatting phone
/// numbers, and what the exports write and suggest as file names. It decides and changes the
/// contacts through the owner's undo registry; the window asks the questions it names and shows
/// the results.
class ContactCommands
{
public:
    explicit ContactCommands(ContactsViewController& controller);

    /// The rows a command acts on: the selected rows and the clicked row of a context menu (-1 for
    /// none), in table order; the summary row never.
    [[nodiscard]] QList<int> commandRows(int clickedRow) const;

    // Adding -------------------------------------------------------------------------------------
    /// A new contact "new" in the selected group, as one undo step, its first row selected.
    /// Answers that row, -1 when the table does not show it.
    int addContact();

    enum class AddResult { Added, OtherAccount, NoContacts };
    /// Contacts read from a drop or the clipboard, added to the selected group as one undo step.
    /// Refused for a group of another account; their own groups are dropped, and a contact whose
    /// unique id is taken gets a new one.
    AddResult addContactsFromOutside(const ContactTable& contacts);
    /// The alert of a refused drop or paste: its message and informative text.
    [[nodiscard]] static QString otherAccountMessage();
    [[nodiscard]] static QString otherAccountInformativeText();

    // Deleting -----------------------------------------------------------------------------------
    struct DeleteRequest
    {
        QList<int> rows;
        ContactTable contacts; ///< distinct, in row order
        QString messageText;
        QString informativeText; ///< "" when the deletion can be undone
        bool undoable = true;
    };
    /// What "Delete Contact" asks before deleting; none without rows.
    [[nodiscard]] std::optional<DeleteRequest> deleteRequest(int clickedRow) const;
    /// Deletes the contacts from the selected group (as one undo step when it can be undone).
    void deleteContacts(const DeleteRequest& request);

    // Duplicating --------------------------------------------------------------------------------
    /// Whether "multiple contacts are selected" is asked first.
    [[nodiscard]] bool asksMultipleFirst(int clickedRow) const;
    [[nodiscard]] static QString multipleContactsMessage();
    /// Copies of the contacts of the rows, with their values and groups but their own identity,
    /// added to the selected group as one undo step; nothing outside edit mode.
    ContactTable duplicateContacts(int clickedRow);

    // Phone numbers ------------------------------------------------------------------------------
    /// Rewrites the phone number of each command row in the layout a title names, as one undo
    /// step; answers whether a number changed.
    bool normalizePhoneNumbers(int clickedRow, const QString& layoutTitle);

    // Exports ------------------------------------------------------------------------------------
    struct ExportRequest
    {
        QString defaultFileName; ///< safe to put in a folder
        ContactTable contacts; ///< the contacts of the rows, each once
        CsvRows rows; ///< the rows themselves, for CSV
        bool asksMultipleFirst = false;
    };
    /// "Export Contact as vCard…": named after the first row's contact.
    [[nodiscard]] ExportRequest exportToVCard(int clickedRow) const;
    /// "Export Contacts as CSV…" and "… as vCard…": named after the clicked (else the first
    /// selected) row's contact, "Exporting" without one.
    [[nodiscard]] ExportRequest exportContacts(int clickedRow, const QString& extension) const;

private:
    [[nodiscard]] QString compositeNameOf(int row) const;

    ContactsViewController& m_controller;
};

} // namespace Quillary
