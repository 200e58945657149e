#pragma once

#include "ContactCollection.h"

#include <QFont>
#include <QList>
#include <QString>

namespace Quillary {

class UndoRegistry;

/// One account of the group side bar with its groups, the top entry first.
struct GroupContainer
{
    QString remote;
    GroupTable groups;
};

/// An item of the group pop-up and of the "Select Group" menu.
struct GroupMenuItem
{
    /// GroupList stands for every group at once when there are too many for an item each.
    enum class Kind { ToggleSideBar, Separator, Group, GroupList, AddGroup, DeleteGroup };
    Kind kind = Kind::Separator;
    QString title;
    GroupEntryPtr group; ///< for Kind::Group
    bool checked = false;
};

/// The group commands of an owner: adding, renaming and deleting groups (none of them undoable: the
/// owner marks itself dirty instead), the side bar's container table, the group menus, and adding
/// contacts dropped on a group (undoable, through the undo registry).
namespace DocumentGroups {

/// "New", or "New" followed by the smallest number from 1 on that no group has.
[[nodiscard]] QString newGroupName(const GroupTable& groupTable);
/// Appends a new group of the owner's account and selects it.
GroupEntryPtr addGroup(ContactCollection& collection);
/// Removes the group when it belongs to the owner's account and is not the top entry; the top
/// entry becomes the selection. Its members keep the unique id, which no longer names a group.
bool deleteGroup(ContactCollection& collection, const GroupEntryPtr& group);
/// Gives a group a new name; an empty or unchanged name is ignored. Ids stay as they were.
bool renameGroup(const GroupEntryPtr& group, const QString& name);
/// One container per distinct account, in order of first appearance, the top entry first in each.
[[nodiscard]] QList<GroupContainer> containerTable(const GroupTable& groupTable);
/// The group pop-up's items: one per group, or one list of them all above GroupMenuModel::ItemLimit.
[[nodiscard]] QList<GroupMenuItem> groupMenuItems(const ContactCollection& collection, bool sideBarOpen);
/// Whether a group can be renamed in the side bar: a group of the owner's account, not the top one.
[[nodiscard]] bool isEditable(const GroupEntryPtr& group, const QString& defaultAccount);

/// The MIME type of the private row-index text that a drag from the contacts table carries.
inline const QString RowIndexesMimeType = QStringLiteral("application/x-quillary-row-indexes");

/// Whether contacts dragged from the table may be dropped on `target`.
struct DropContext
{
    bool editState = false;
    bool fromSideBar = false;
    bool onItem = true; ///< on a row, not between rows
    QString rowIndexes; ///< the private row-index text of the drag
};
[[nodiscard]] bool acceptsDrop(const ContactCollection& collection, const GroupEntryPtr& target,
                               const DropContext& context);
/// The private row-index text of dragged table rows: their numbers joined by "," ("3,5,8").
[[nodiscard]] QString rowIndexText(const QList<int>& rows);
/// The row numbers of the private row-index text ("3,5,8").
[[nodiscard]] QList<int> rowIndexes(const QString& text);
/// Adds the contacts of the given table rows to a group, as one undo step.
void addContactByStringIndexes(UndoRegistry& registry, const QString& text, const GroupEntryPtr& group);

/// The side bar's row height for a font: at least 20 points.
[[nodiscard]] int rowHeightForFont(const QFont& font);

} // namespace DocumentGroups

} // namespace Quillary
