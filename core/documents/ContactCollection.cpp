#include "ContactCollection.h"

namespace Quillary {

ContactEntryPtr ContactCollection::contact(const QString& uniqueId) const
{
    for (const ContactEntryPtr& entry : contactTable) {
        if (entry->uniqueId == uniqueId)
            return entry;
    }
    return {};
}

GroupEntryPtr ContactCollection::group(const QString& uniqueId) const
{
    for (const GroupEntryPtr& entry : groupTable) {
        if (entry->uniqueId == uniqueId)
            return entry;
    }
    return {};
}

ContactTable ContactCollection::liveContacts() const
{
    ContactTable result;
    result.reserve(contactTable.size());
    for (const ContactEntryPtr& entry : contactTable) {
        if (!entry->deleted)
            result.append(entry);
    }
    return result;
}

} // namespace Quillary
