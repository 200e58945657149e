#pragma once

#include "CategoryGroups.h"
#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <optional>
#include <utility>
#include <vector>

namespace Quillary {

/// Gathers the entries of a stream's batches in order, and groups them by their categories when
/// asked, one batch while the next is being read. Copies of one card in a file share its UID, and
/// each contact needs an identity of its own: once all are read, every later copy gets a new one.
class CardCollector
{
public:
    /// With `groupTable`, the groups the categories name are made and each entry gets their ids.
    CardCollector(ContactTable& result, GroupTable* groupTable);

    /// What the reading thread learns of a card besides its entry, so that settling need not look
    /// into entries that are neither copies nor in groups.
    struct Facts
    {
        size_t uniqueIdHash = 0;
        bool hasCategories = false;

        explicit Facts(const ContactEntry* entry = nullptr);
    };

    /// A batch's entries, none for a card that could not be read, with their facts.
    void take(QList<ContactEntryPtr>& entries, const QList<Facts>& facts);
    /// Groups the entries taken since the last call.
    void settle();
    /// Settles the rest, gives copies new ids and hands over the group table.
    void finish();

private:
    void giveCopiesNewIds();

    ContactTable& m_result;
    GroupTable* m_groupTable;
    std::optional<CategoryGroups> m_groups;
    QList<qsizetype> m_pendingGroups; ///< entries with categories taken since the last settle
    std::vector<std::pair<size_t, qsizetype>> m_hashes; ///< of every entry's unique id, with its position
};

} // namespace Quillary
