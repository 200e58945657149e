#include "CategoryGroups.h"

#include "ZQVCard.h"
#include "support/CoreTr.h"

namespace Quillary {

CategoryGroups::CategoryGroups() : m_date(ZQVCard::groupDateText())
{
    auto top = std::make_shared<GroupEntry>();
    top->top = true;
    top->groupName = Tr::tr("All Contacts");
    top->groupId = GroupText::AllContacts;
    top->containerName = GroupText::VCardAccount;
    top->remote = GroupText::VCardAccount;
    top->uniqueId = GroupText::AllUniqueId;
    m_table.append(top);
}

void CategoryGroups::add(const ContactEntryPtr& contact, Ids ids)
{
    if (contact->categories.isEmpty())
        return;
    if (ids == Ids::Assign) {
        contact->groupUniqueIds.clear();
        contact->groupUniqueIds.reserve(contact->categories.size());
    }
    const QString& topName = m_table.constFirst()->groupName;
    // Each contact's names become the group's own text: one copy for thousands of contacts.
    for (QString& name : contact->categories) {
        if (name.isEmpty() || name == topName)
            continue;
        GroupEntryPtr& group = m_byName[name];
        if (group) {
            name = group->groupName;
        } else {
            group = std::make_shared<GroupEntry>();
            group->groupName = name;
            group->groupId = name;
            group->remote = GroupText::VCardAccount;
            group->containerName = GroupText::LocalContainer;
            group->uniqueId = name + u'-' + m_date;
            m_table.append(group);
        }
        group->contactTable.append(contact);
        if (ids == Ids::Assign)
            contact->groupUniqueIds.append(group->uniqueId);
    }
}

GroupTable CategoryGroups::take(const ContactTable& allContacts)
{
    m_table.constFirst()->contactTable = allContacts;
    m_byName.clear();
    return std::move(m_table);
}

} // namespace Quillary
