#pragma once

#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <QHash>
#include <QString>

namespace Quillary {

/// Builds the group table that the categories of read contacts name, a contact at a time: an "All
/// Contacts" entry first, then one group per name in the order the names first appear.
class CategoryGroups
{
public:
    /// How a contact's group ids are treated.
    enum class Ids {
        Keep, ///< as they are
        Assign, ///< set to the ids of the groups its categories name, in the order of its categories
    };

    CategoryGroups();

    void add(const ContactEntryPtr& contact, Ids ids);
    /// The table, with every contact of the file in its top entry. The builder is spent.
    [[nodiscard]] GroupTable take(const ContactTable& allContacts);

private:
    GroupTable m_table;
    QHash<QString, GroupEntryPtr> m_byName;
    QString m_date;
};

} // namespace Quillary
