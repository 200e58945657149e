#pragma once

#include "ContactEntry.h"

#include <QList>
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
};

using GroupEntryPtr = std::shared_ptr<GroupEntry>;
using GroupTable = QList<GroupEntryPtr>;

namespace GroupText {
inline const QString AllContacts = QStringLiteral("All Contacts");
inline const QString AllUniqueId = QStringLiteral("All");
inline const QString VCardAccount = QStringLiteral("vCard");
inline const QString LocalContainer = QStringLiteral("Local");
/// The account of smart groups, which gather contacts of every account by a rule.
inline const QString SmartGroupAccount = QStringLiteral("Smart Group");
} // namespace GroupText

} // namespace Quillary
