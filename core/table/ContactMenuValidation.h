#pragma once

#include <QString>

namespace Quillary {

/// Which commands on contacts are enabled. The window gathers what the rules read into a
/// ContactMenuState; the answer depends on nothing else, so every rule can be checked without a
/// window.
namespace ContactMenuValidation {

enum class Action {
    PrintDocument,
    MergeContacts,
    ExportContactsAsCSV,
    ExportContactsAsVCard,
    ExportToVCard, ///< "Export Contact as vCard…"
    Copy,
    CopyAsCSV,
    CopyAsVCard,
    Cut,
    Paste,
    ShowInfoPanel,
    ShowQRCodePanel,
    NormalizePhoneNumber,
    AddContact,
    DeleteContact,
    DuplicateContact,
};

struct ContactMenuState
{
    bool keyWindow = true;
    /// Neither the QR code panel nor the merge panel is open.
    bool panelsFree = true;
    /// The contact information popover is open.
    bool infoPopoverShown = false;
    bool exporting = false;
    bool editState = false;
    int selectedRowCount = 0;
    /// The command comes from the context menu of a contact's row.
    bool clickedDataRow = false;
    /// Distinct contacts among the selected rows.
    int selectedContactCount = 0;
    QString groupRemote; ///< the account of the selected group
    QString defaultAccount;
    /// The clipboard holds something that may be contacts.
    bool clipboardOffersContacts = false;
};

struct Validation
{
    bool enabled = true;
    /// Why a command on the selected group is off; empty otherwise.
    QString toolTip;

    friend bool operator==(const Validation&, const Validation&) = default;
};

[[nodiscard]] Validation validate(Action action, const ContactMenuState& state);

/// The tool tip of commands that need a group of the default account.
[[nodiscard]] QString checkDefaultAccountToolTip();

} // namespace ContactMenuValidation

} // namespace Quillary
