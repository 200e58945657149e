#pragma once

#include "SmartGroups.h"
#include "model/ContactEntry.h"
#include "model/GroupEntry.h"
#include "store/VdirStore.h"

#include <QList>
#include <QString>

namespace Quillary {

/// An account of the address book as the window shows it: the store folder it lives in and the
/// name it is shown and compared by (unique among the accounts).
struct AccountName
{
    QString store;
    QString remote;
    friend bool operator==(const AccountName&, const AccountName&) = default;
};

/// Builds the address-book window's group table and contact table from the store's accounts: the
/// groups of every account, an "All Contacts" entry per account, the smart groups with the contacts
/// they find, and one contact entry per person, bound to its record.
namespace AddressBookTables {

/// The name of the local account ("local/").
inline const QString LocalAccount = GroupText::LocalAccount;

struct Tables
{
    ContactTable contactTable;
    GroupTable groupTable;
    QList<AccountName> accounts; ///< in store order, the local account first
};

/// The accounts' names: "On My Computer" for the local account, else the account's display name or,
/// without one, its folder's name; a name already taken gets " 01", " 02", ... until it is free.
[[nodiscard]] QList<AccountName> accountNames(const QList<VdirStore::Account>& accounts);
[[nodiscard]] Tables build(const QList<VdirStore::Account>& accounts, const QList<SmartGroup>& smartGroups);

/// "All Contacts (account)": the group id of an account's top entry.
[[nodiscard]] QString topGroupId(const QString& account);
/// The "All Contacts" entry of an account.
[[nodiscard]] GroupEntryPtr topEntry(const AccountName& account);
/// A group entry for a smart group, with the unique ids of the contacts it finds.
[[nodiscard]] GroupEntryPtr smartGroupEntry(const SmartGroup& group, const ContactTable& contacts);
/// Sorts by account, then by group id; each account's block then begins with its top entry.
void sortGroupTable(GroupTable& groupTable, const QList<AccountName>& accounts);

} // namespace AddressBookTables

} // namespace Quillary
