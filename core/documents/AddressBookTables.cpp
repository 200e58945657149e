#include "AddressBookTables.h"

#include <QHash>

#include <algorithm>

namespace Quillary::AddressBookTables {

namespace {

QString accountCandidate(const VdirStore::Account& account)
{
    if (account.folder == VdirStore::LocalFolder)
        return LocalAccount;
    // An account without a name of its own is known by its folder.
    return account.displayName.isEmpty() ? account.folder : account.displayName;
}

GroupEntryPtr groupEntry(const AddressBook::Group& group, const AccountName& account)
{
    auto entry = std::make_shared<GroupEntry>();
    entry->groupName = group.name();
    entry->uniqueId = group.uniqueId();
    entry->store = account.store;
    entry->remote = account.remote;
    entry->groupId = QStringLiteral("%1 (%2)").arg(group.name(), account.remote);
    return entry;
}

void addContacts(const VdirStore::Account& account, const AccountName& name, ContactTable& contacts)
{
    const AddressBook::AddressBook& book = *account.book;
    // Which groups each person is in, found once: asking every group for every person is quadratic.
    QHash<QString, QStringList> groupsOfPerson;
    for (const auto& group : book.groups()) {
        for (const QString& member : group->memberIds())
            groupsOfPerson[member].append(group->uniqueId());
    }
    for (const auto& record : book.people()) {
        auto person = std::make_shared<PersonDsc>(record, book.defaultNameOrdering(), book.defaultCountryCode());
        ContactEntryPtr entry = ContactEntry::make(person);
        const QString composite = person->compositeName();
        entry->compositeName = composite.isEmpty() ? NoNameText : composite;
        entry->remote = name.remote;
        entry->groupUniqueIds = groupsOfPerson.value(record->uniqueId());
        contacts.append(entry);
    }
}

} // namespace

GroupEntryPtr topEntry(const AccountName& account)
{
    auto entry = std::make_shared<GroupEntry>();
    entry->groupName = GroupText::AllContacts;
    entry->uniqueId = GroupText::AllUniqueId + u':' + account.store;
    entry->top = true;
    entry->store = account.store;
    entry->remote = account.remote;
    entry->groupId = topGroupId(account.remote);
    return entry;
}

QString topGroupId(const QString& account)
{
    return QStringLiteral("All Contacts (%1)").arg(account);
}

QList<AccountName> accountNames(const QList<VdirStore::Account>& accounts)
{
    QList<AccountName> names;
    QStringList taken;
    for (const VdirStore::Account& account : accounts) {
        const QString candidate = accountCandidate(account);
        QString name = candidate;
        for (int counter = 1; taken.contains(name); ++counter)
            name = QStringLiteral("%1 %2").arg(candidate).arg(counter, 2, 10, QLatin1Char('0'));
        taken.append(name);
        names.append({account.folder, name});
    }
    return names;
}

GroupEntryPtr smartGroupEntry(const SmartGroup& group, const ContactTable& contacts)
{
    auto entry = std::make_shared<GroupEntry>();
    entry->groupName = group.name;
    entry->uniqueId = group.uniqueId;
    entry->remote = GroupText::SmartGroupAccount;
    entry->groupId = QStringLiteral("%1 (%2)").arg(group.name, GroupText::SmartGroupAccount);
    entry->smartGroup = true;
    const SmartGroups::Matcher matcher(group);
    for (const ContactEntryPtr& contact : contacts) {
        if (!contact->deleted && matcher.matches(*contact->person))
            entry->smartGroupMembers.insert(contact->uniqueId);
    }
    return entry;
}

Tables build(const QList<VdirStore::Account>& accounts, const QList<SmartGroup>& smartGroups)
{
    Tables tables;
    tables.accounts = accountNames(accounts);
    qsizetype people = 0;
    for (const VdirStore::Account& account : accounts)
        people += account.book->people().size();
    tables.contactTable.reserve(people);
    for (qsizetype i = 0; i < accounts.size(); ++i) {
        const VdirStore::Account& account = accounts.at(i);
        const AccountName& name = tables.accounts.at(i);
        tables.groupTable.append(topEntry(name));
        for (const auto& group : account.book->groups())
            tables.groupTable.append(groupEntry(*group, name));
        addContacts(account, name, tables.contactTable);
    }
    for (const SmartGroup& group : smartGroups)
        tables.groupTable.append(smartGroupEntry(group, tables.contactTable));
    sortGroupTable(tables.groupTable, tables.accounts);
    return tables;
}

void sortGroupTable(GroupTable& groupTable, const QList<AccountName>& accounts)
{
    std::stable_sort(groupTable.begin(), groupTable.end(), [](const GroupEntryPtr& a, const GroupEntryPtr& b) {
        if (const int byAccount = a->remote.compare(b->remote); byAccount != 0)
            return byAccount < 0;
        return a->groupId.compare(b->groupId) < 0;
    });
    // A group named before "All Contacts" must not head its account's block: the top entry moves to
    // the front, and the others keep their order.
    for (const AccountName& account : accounts) {
        const auto first = std::find_if(groupTable.begin(), groupTable.end(),
                                        [&](const GroupEntryPtr& group) { return group->remote == account.remote; });
        if (first == groupTable.end() || (*first)->top)
            continue;
        const auto top = std::find_if(first, groupTable.end(), [&](const GroupEntryPtr& group) {
            return group->remote == account.remote && group->top;
        });
        if (top != groupTable.end())
            std::rotate(first, top, top + 1);
    }
}

} // namespace Quillary::AddressBookTables
