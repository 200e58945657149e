#include "DocumentMenuValidation.h"

#include "support/CoreTr.h"

#include <optional>

namespace Quillary::DocumentMenuValidation {

namespace {

Validation enabledIf(bool enabled, bool checked = false)
{
    return {enabled, checked, {}};
}

/// The represented object, or the title for items that carry none.
const QString& nameOf(const DocumentMenuItem& item)
{
    return item.representedObject.isEmpty() ? item.title : item.representedObject;
}

/// File commands. A CSV document is only looked at, so it has nothing to save or revert to; copies and
/// moves of a document go through the exports instead.
std::optional<Validation> fileCommand(const DocumentMenuItem& item, const DocumentMenuState& state)
{
    switch (item.action) {
    case Action::RevertDocumentToSaved:
        // The address book goes back to what is on disk only when something changed.
        return enabledIf(!state.csv && (!state.addressBook || state.modified));
    case Action::BrowseDocumentVersions:
    case Action::SaveDocument:
        return enabledIf(!state.csv);
    case Action::DuplicateDocument:
    case Action::SaveDocumentAs:
    case Action::RenameDocument:
    case Action::MoveDocument:
        return enabledIf(false);
    case Action::ExportAsCSV:
        return enabledIf(!state.csv && state.selectedRowCount > 0);
    case Action::ExportAsVCard:
        return enabledIf(state.selectedRowCount > 0);
    default:
        return std::nullopt;
    }
}

std::optional<Validation> groupCommand(const DocumentMenuItem& item, const DocumentMenuState& state)
{
    switch (item.action) {
    case Action::GroupPopupSelected:
        // With the top entry alone there is nothing to choose between.
        return enabledIf(state.groupCount >= 2 && !(state.addressBook && state.exporting),
                         !item.representedObject.isEmpty() && item.representedObject == state.selectedGroupUniqueId);
    case Action::ShowGroupView:
        return Validation{!state.exporting, false, state.sideBarHidden ? Tr::tr("Show Groups") : Tr::tr("Hide Groups")};
    case Action::AddGroup:
        return enabledIf(state.editState && !state.sideBarHidden && state.ownerAllowsAddGroup);
    case Action::DeleteGroup:
        return enabledIf(state.editState && !state.sideBarHidden && !state.selectedGroupIsTop
                         && state.ownerAllowsDeleteGroup);
    default:
        return std::nullopt;
    }
}

/// The sort key chosen for the submenu an item is in: its parent item names the column, or else the
/// menu's title does.
bool isSelectedSortKey(const DocumentMenuItem& item, const DocumentMenuState& state)
{
    const QString& identifier = item.parentRepresentedObject.isEmpty() ? item.menuTitle : item.parentRepresentedObject;
    const auto it = state.selectedSortKeys.constFind(identifier);
    return it != state.selectedSortKeys.cend() && !item.representedObject.isEmpty() && *it == item.representedObject;
}

std::optional<Validation> viewCommand(const DocumentMenuItem& item, const DocumentMenuState& state)
{
    // The address-book window keeps its view as it is while an export or import runs.
    const bool free = !(state.addressBook && state.exporting);
    switch (item.action) {
    case Action::SortOptionsSelected:
        return enabledIf(state.keyWindow, isSelectedSortKey(item, state));
    case Action::LabelPopupChanged:
        return enabledIf(free, state.labelPopupEnabled && state.selectedLabels.contains(item.title));
    case Action::UpdateLabelMenu:
        return enabledIf(true);
    case Action::ViewTypePopupSelected:
        return enabledIf(free, nameOf(item) == state.selectedViewType);
    case Action::ColumnsPopupChanged:
        return enabledIf(free, state.selectedViewTypeColumns.contains(nameOf(item)));
    default:
        return std::nullopt;
    }
}

std::optional<Validation> editCommand(const DocumentMenuItem& item, const DocumentMenuState& state)
{
    switch (item.action) {
    case Action::EditButtonPressed:
        return enabledIf(!state.csv, state.editState);
    case Action::UppercaseWord:
    case Action::LowercaseWord:
    case Action::CapitalizeWord:
        return enabledIf(state.editState);
    case Action::Undo:
        return enabledIf(state.canUndo);
    case Action::Redo:
        return enabledIf(state.canRedo);
    case Action::PerformTextFinderAction:
        // Finding works in viewing mode; replacing needs edit mode.
        return enabledIf(state.editState || item.title != findAndReplaceTitle());
    default:
        return std::nullopt;
    }
}

} // namespace

QString findAndReplaceTitle()
{
    return Tr::tr("Find and Replace…");
}

Validation validateMenuItem(const DocumentMenuItem& item, const DocumentMenuState& state)
{
    for (const auto& decide : {fileCommand, groupCommand, viewCommand, editCommand}) {
        if (std::optional<Validation> validation = decide(item, state))
            return *validation;
    }
    return {};
}

} // namespace Quillary::DocumentMenuValidation
