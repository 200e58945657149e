#include "DocumentGroups.h"

#include "GroupMenuModel.h"
#include "UndoRegistry.h"
#include "formats/ZQVCard.h"
#include "support/CoreTr.h"

#include <QFontMetricsF>

#include <cmath>

namespace Quillary::DocumentGroups {

namespace {

bool hasName(const GroupTable& groupTable, const QString& name)
{
    return std::any_of(groupTable.cbegin(), groupTable.cend(),
                       [&](const GroupEntryPtr& group) { return group->groupName == name; });
}

} // namespace

QString newGroupName(const GroupTable& groupTable)
{
    const QString base = QStringLiteral("New");
    if (!hasName(groupTable, base))
        return base;
    for (qsizetype number = 1;; ++number) {
        const QString name = base + QString::number(number);
        if (!hasName(groupTable, name))
            return name;
    }
}

GroupEntryPtr addGroup(ContactCollection& collection)
{
    auto group = std::make_shared<GroupEntry>();
    group->groupName = newGroupName(collection.groupTable);
    group->groupId = QStringLiteral("%1 (%2)").arg(group->groupName, collection.defaultAccount);
    group->remote = GroupText::VCardAccount;
    group->uniqueId = group->groupName + u'-' + ZQVCard::groupDateText();
    // A group made in the same second as one of the same name (perhaps deleted since, its id still
    // on its former members) would share its id and its members: ids must stay unique.
    const auto idInUse = [&](const QString& id) {
        return collection.group(id)
            || std::any_of(collection.contactTable.cbegin(), collection.contactTable.cend(),
                           [&](const ContactEntryPtr& contact) { return contact->groupUniqueIds.contains(id); });
    };
    while (idInUse(group->uniqueId))
        group->uniqueId += u'+';
    group->dirty = true;
    collection.groupTable.append(group);
    collection.selectedGroupDict = group;
    return group;
}

bool deleteGroup(ContactCollection& collection, const GroupEntryPtr& group)
{
    if (!group || group->top || group->remote != collection.defaultAccount)
        return false;
    const qsizetype before = collection.groupTable.size();
    // The entry itself: a category read from the file may carry the same title as a group made here.
    collection.groupTable.removeIf([&](const GroupEntryPtr& entry) { return entry == group; });
    collection.selectedGroupDict = collection.topGroup();
    return collection.groupTable.size() != before;
}

bool renameGroup(const GroupEntryPtr& group, const QString& name)
{
    if (!group || group->top || name.isEmpty() || name == group->groupName)
        return false;
    group->groupName = name;
    group->dirty = true;
    return true;
}

QList<GroupContainer> containerTable(const GroupTable& groupTable)
{
    QList<GroupContainer> containers;
    for (const GroupEntryPtr& group : groupTable) {
        auto it = std::find_if(containers.begin(), containers.end(),
                               [&](const GroupContainer& container) { return container.remote == group->remote; });
        if (it == containers.end()) {
            containers.append({group->remote, {}});
            it = containers.end() - 1;
        }
        if (group->top)
            it->groups.prepend(group);
        else
            it->groups.append(group);
    }
    return containers;
}

QList<GroupMenuItem> groupMenuItems(const ContactCollection& collection, bool sideBarOpen)
{
    QList<GroupMenuItem> items;
    const GroupTable& table = collection.groupTable;
    if (!table.isEmpty()) {
        items.append({GroupMenuItem::Kind::ToggleSideBar,
                      sideBarOpen ? Tr::tr("Hide Groups") : Tr::tr("Show Groups"),
                      {},
                      false});
        items.append(GroupMenuItem{});
    }
    if (table.size() > GroupMenuModel::ItemLimit) {
        items.append({GroupMenuItem::Kind::GroupList, {}, collection.selectedGroupDict, false});
    } else {
        for (const GroupEntryPtr& group : table)
            items.append({GroupMenuItem::Kind::Group, group->groupId, group, group == collection.selectedGroupDict});
    }
    if (!table.isEmpty()) {
        items.append(GroupMenuItem{});
        items.append({GroupMenuItem::Kind::AddGroup, Tr::tr("Add Group"), {}, false});
        items.append({GroupMenuItem::Kind::DeleteGroup, Tr::tr("Delete Group"), {}, false});
    }
    return items;
}

bool isEditable(const GroupEntryPtr& group, const QString& defaultAccount)
{
    return group && !group->top && group->remote == defaultAccount;
}

bool acceptsDrop(const ContactCollection& collection, const GroupEntryPtr& target, const DropContext& context)
{
    const GroupEntryPtr& selected = collection.selectedGroupDict;
    if (!target || !selected || !context.editState || context.fromSideBar || !context.onItem
        || rowIndexes(context.rowIndexes).isEmpty())
        return false;
    if (target == selected || target->remote != collection.defaultAccount
        || selected->remote != collection.defaultAccount || target->smartGroup
        || target->remote == GroupText::SmartGroupAccount)
        return false;
    return !(target->remote == selected->remote && target->top);
}

QString rowIndexText(const QList<int>& rows)
{
    QStringList parts;
    parts.reserve(rows.size());
    for (int row : rows)
        parts.append(QString::number(row));
    return parts.join(u',');
}

QList<int> rowIndexes(const QString& text)
{
    QList<int> rows;
    for (const QStringView part : QStringView(text).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int row = part.trimmed().toInt(&ok);
        if (ok && row >= 0)
            rows.append(row);
    }
    return rows;
}

void addContactByStringIndexes(UndoRegistry& registry, const QString& text, const GroupEntryPtr& group)
{
    if (!registry.view() || !group)
        return;
    const ContactTable contacts = registry.view()->contactsForIndexes(rowIndexes(text));
    registry.undoAddContacts(contacts, group);
}

int rowHeightForFont(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double lineHeight = std::ceil(metrics.ascent() + metrics.descent() + metrics.leading());
    const double byPointSize = std::ceil(1.6 * font.pointSizeF());
    return std::max(20, int(std::max(lineHeight, byPointSize)) + 4);
}

} // namespace Quillary::DocumentGroups
