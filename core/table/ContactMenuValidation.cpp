#include "ContactMenuValidation.h"

#include "model/GroupEntry.h"
#include "support/CoreTr.h"

namespace Quillary::ContactMenuValidation {

namespace {

Validation enabledIf(bool enabled)
{
    return {enabled, {}};
}

/// Contacts are added to and taken from groups of the default account only; smart groups hold
/// no contacts of their own.
Validation inDefaultAccount(bool enabled, const ContactMenuState& state, bool smartGroupAllowed)
{
    const bool smart = state.groupRemote == GroupText::SmartGroupAccount;
    const bool ok = smart ? smartGroupAllowed : state.groupRemote == state.defaultAccount;
    if (!ok)
        return {false, checkDefaultAccountToolTip()};
    return enabledIf(enabled);
}

} // namespace

QString checkDefaultAccountToolTip()
{
    return Tr::tr("Please check the Default Account");
}

Validation validate(Action action, const ContactMenuState& state)
{
    const bool free = state.panelsFree;
    const bool selected = state.selectedRowCount > 0;
    const bool aRow = state.clickedDataRow || selected;
    switch (action) {
    case Action::PrintDocument:
        return enabledIf(state.keyWindow && free && selected);
    case Action::MergeContacts:
        return enabledIf(state.keyWindow && free && state.selectedContactCount >= 2);
    case Action::ExportContactsAsCSV:
        return enabledIf(state.keyWindow && free && !state.exporting && selected);
    case Action::ExportContactsAsVCard:
    case Action::ExportToVCard:
        return enabledIf(state.keyWindow && free && !state.exporting && aRow);
    case Action::Copy:
    case Action::CopyAsCSV:
    case Action::CopyAsVCard:
        return enabledIf(free && !state.infoPopoverShown && aRow);
    case Action::ShowInfoPanel:
        return enabledIf(state.keyWindow && free && selected);
    case Action::ShowQRCodePanel:
        return enabledIf(free && aRow);
    case Action::NormalizePhoneNumber:
        return enabledIf(state.keyWindow && free && !state.infoPopoverShown && aRow);
    case Action::AddContact:
        // Like every other change of contacts, adding one needs edit mode.
        return inDefaultAccount(free && state.editState, state, false);
    case Action::Paste:
        return inDefaultAccount(free && state.editState && state.clipboardOffersContacts, state, false);
    case Action::DeleteContact:
    case Action::DuplicateContact:
        return inDefaultAccount(free && state.editState && aRow, state, true);
    case Action::Cut:
        return inDefaultAccount(free && !state.infoPopoverShown && state.editState && aRow, state, true);
    }
    return {};
}

} // namespace Quillary::ContactMenuValidation
