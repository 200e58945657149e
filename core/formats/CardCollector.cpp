#include "CardCollector.h"

#include "model/addressbook/Records.h"

#include <QSet>

#include <algorithm>

namespace Quillary {

namespace {

size_t uniqueIdHashOf(const QString& uniqueId)
{
    return qHash(uniqueId, size_t(0));
}

} // namespace

CardCollector::CardCollector(ContactTable& result, GroupTable* groupTable) : m_result(result), m_groupTable(groupTable)
{
    if (groupTable)
        m_groups.emplace();
}

CardCollector::Facts::Facts(const ContactEntry* entry)
{
    if (entry) {
        uniqueIdHash = uniqueIdHashOf(entry->uniqueId);
        hasCategories = !entry->categories.isEmpty();
    }
}

void CardCollector::take(QList<ContactEntryPtr>& entries, const QList<Facts>& facts)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!entries.at(i))
            continue;
        m_hashes.push_back({facts.at(i).uniqueIdHash, m_result.size()});
        if (facts.at(i).hasCategories)
            m_pendingGroups.append(m_result.size());
        m_result.append(std::move(entries[i]));
    }
}

void CardCollector::settle()
{
    if (m_groups) {
        for (const qsizetype index : std::as_const(m_pendingGroups))
            m_groups->add(m_result.at(index), CategoryGroups::Ids::Assign);
    }
    m_pendingGroups.clear();
}

void CardCollector::finish()
{
    settle();
    giveCopiesNewIds();
    if (m_groups)
        *m_groupTable = m_groups->take(m_result);
}

void CardCollector::giveCopiesNewIds()
{
    // By hash, then by position: entries are compared only when their hashes are equal, and the first
    // of equal ids keeps it.
    std::sort(m_hashes.begin(), m_hashes.end());
    for (size_t first = 0; first < m_hashes.size();) {
        size_t end = first + 1;
        while (end < m_hashes.size() && m_hashes[end].first == m_hashes[first].first)
            ++end;
        if (end - first > 1) {
            QSet<QString> seen;
            for (size_t i = first; i < end; ++i) {
                const ContactEntryPtr& entry = m_result.at(m_hashes[i].second);
                if (seen.contains(entry->uniqueId)) {
                    entry->person->setUniqueId(AddressBook::newUniqueId());
                    entry->uniqueId = entry->person->uniqueId();
                }
                seen.insert(entry->uniqueId);
            }
        }
        first = end;
    }
    m_hashes.clear();
}

} // namespace Quillary
