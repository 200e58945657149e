#pragma once

#include "ContactEntry.h"

#include <QList>
#include <QSet>
#include <QString>

#include <memory>

namespace Quillary {

/// One group of an owner's group table. The first entry of a table, the top entry, stands for all
/// contacts.
struct GroupEntry
{
    QString groupName; ///< the name shown
    QString groupId; ///< title of its menu items; finds the group again after a reload
    QString uniqueId; ///< what contacts keep in their group unique ids
    bool top = false;
    QString remote; ///< the account the group belongs to
    QString containerName;
    ContactTable contactTable; ///< members at reading time (every contact for the top entry)
    bool dirty = false; ///< added or renamed since opening
    // The address book's groups: each account's groups show the contacts of that account only.
    QString store; ///< the folder of the group's account; empty for a document's groups
    bool smartGroup = false; ///< a saved search, read-only
    QSet<QString> smartGroupMembers; ///< the unique ids of the contacts a smart group found
};

using GroupEntryPtr = std::shared_ptr<GroupEntry>;
using GroupTable = QList<GroupEntryPtr>;

namespace GroupText {
inline const QString AllContacts = QStringLiteral("All Contacts");
inline const QString AllUniqueId = QStringLiteral("All");
inline const QString VCardAccount = QStringLiteral("vCard");
/// The account of the user's own contacts on this computer (the address book's "local/" folder).
inline const QString LocalAccount = QStringLiteral("On My Computer");
inline const QString LocalContainer = QStringLiteral("Local");
/// The account of smart groups, which gather contacts of every account by a rule.
inline const QString SmartGroupAccount = QStringLiteral("Smart Group");
} // namespace GroupText

} // namespace Quillary
