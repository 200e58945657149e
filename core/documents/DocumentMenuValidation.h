#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace Quillary {

/// Which menu commands of a document window are enabled, ticked or retitled. The window gathers
/// what the decision needs into a DocumentMenuState and a DocumentMenuItem; the answer depends on
/// nothing else, so every rule can be checked without a window.
namespace DocumentMenuValidation {

/// The commands whose menu items the document decides on; every other command is enabled.
enum class Action {
    Other,
    RevertDocumentToSaved,
    BrowseDocumentVersions,
    DuplicateDocument,
    SaveDocumentAs,
    RenameDocument,
    MoveDocument,
    SaveDocument,
    ExportAsCSV,
    ExportAsVCard,
    SortOptionsSelected,
    GroupPopupSelected,
    ShowGroupView,
    AddGroup,
    DeleteGroup,
    LabelPopupChanged,
    UpdateLabelMenu, ///< the window rebuilds the label menu before it asks
    ViewTypePopupSelected,
    ColumnsPopupChanged,
    EditButtonPressed,
    UppercaseWord,
    LowercaseWord,
    CapitalizeWord,
    Undo,
    Redo,
    PerformTextFinderAction,
};

/// The document and window state the decisions read.
struct DocumentMenuState
{
    bool csv = false;
    int selectedRowCount = 0;
    int groupCount = 1;
    QString selectedGroupUniqueId;
    bool selectedGroupIsTop = true;
    bool sideBarHidden = true;
    bool exporting = false;
    bool editState = false;
    bool keyWindow = true;
    bool canUndo = false;
    bool canRedo = false;
    QString selectedViewType;
    QStringList selectedViewTypeColumns;
    QStringList selectedLabels;
    bool labelPopupEnabled = true;
    /// The address-book window: its revert needs changes, and its pop-ups wait for an export.
    bool addressBook = false;
    bool modified = false;
    /// What the owner's group rules allow now, besides edit mode and the side bar.
    bool ownerAllowsAddGroup = true;
    bool ownerAllowsDeleteGroup = true;
    /// Sort options: column identifier → the chosen sort key ("selected").
    QMap<QString, QString> selectedSortKeys;
};

/// The menu item asked about.
struct DocumentMenuItem
{
    Action action = Action::Other;
    QString title;
    /// A group item: the group's unique id; a view type, column or sort item: its name or key.
    QString representedObject;
    /// Sort items: the column identifier of the submenu they are in.
    QString parentRepresentedObject;
    /// Sort items without a parent item: the title of their menu, which is then the identifier.
    QString menuTitle;
};

struct Validation
{
    bool enabled = true;
    bool checked = false;
    /// A new title for the item; empty to keep its own.
    QString title;

    friend bool operator==(const Validation&, const Validation&) = default;
};

[[nodiscard]] Validation validateMenuItem(const DocumentMenuItem& item, const DocumentMenuState& state);

/// The title of the text finder's item that needs edit mode: the localized "Find and Replace…".
[[nodiscard]] QString findAndReplaceTitle();

} // namespace DocumentMenuValidation

} // namespace Quillary
