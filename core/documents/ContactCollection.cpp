#include "ContactCollection.h"

#include "model/addressbook/Records.h"

#include <QSet>

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

void ContactCollection::giveTakenUniqueIdsNewOnes(const ContactTable& incoming) const
{
    QSet<QString> used;
    QSet<const ContactEntry*> present;
    for (const ContactEntryPtr& entry : contactTable) {
        used.insert(entry->uniqueId);
        present.insert(entry.get());
    }
    for (const ContactEntryPtr& entry : incoming) {
        if (used.contains(entry->uniqueId) && !present.contains(entry.get())) {
            entry->person->setUniqueId(AddressBook::newUniqueId());
            entry->uniqueId = entry->person->uniqueId();
        }
        used.insert(entry->uniqueId);
    }
}

} // namespace Quillary
