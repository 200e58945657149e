#include "SortedRows.h"

#include "Pieces_p.h"
#include "Prefetch_p.h"

#include <algorithm>

namespace Quillary {

namespace {

/// How many sort keys keep their values: switching between a few columns stays instant, and each
/// costs a few dozen bytes per row.
constexpr size_t KeptSortKeys = 3;
} // namespace

SortedRows::SortedRows() = default;
SortedRows::~SortedRows() = default;

QStringList SortedRows::keptSortKeys() const
{
    QStringList keys;
    for (const auto& cache : m_keyCaches)
        keys.append(cache->sortKey());
    return keys;
}

bool SortedRows::prepareLayout(const QStringList& columns, const QStringList& labels,
                               const std::optional<SortDescriptor>& sort)
{
    bool changed = false;
    if (columns != m_layoutColumns || labels != m_layoutLabels) {
        m_layoutColumns = columns;
        m_layoutLabels = labels;
        m_columns = TableRows::rowColumns(columns);
        for (Slot& slot : m_slots)
            slot.layoutRevision = 0;
        changed = true;
    }
    if (sort.has_value() != m_lastSort.has_value()
        || (sort && (sort->key != m_lastSort->key || sort->ascending != m_lastSort->ascending))) {
        m_lastSort = sort;
        changed = true;
    }
    return changed;
}

SortKeyCache* SortedRows::keyCache(const SortDescriptor& sort, const QStringList& labels)
{
    const auto it = std::find_if(m_keyCaches.begin(), m_keyCaches.end(),
                                 [&](const auto& cache) { return cache->serves(sort, labels); });
    if (it != m_keyCaches.end()) {
        std::rotate(m_keyCaches.begin(), it, it + 1);
    } else {
        if (m_keyCaches.size() == KeptSortKeys)
            m_keyCaches.pop_back();
        m_keyCaches.insert(m_keyCaches.begin(), std::make_unique<SortKeyCache>(sort.key, labels, sort.ascending));
    }
    return m_keyCaches.front().get();
}

bool SortedRows::updateSlot(qsizetype index, const ContactEntryPtr& contact, const GroupEntry* group,
                            const QStringList& labels, TableRows::LabelCollector* collector, const SortKeyCache* keys,
                            std::vector<quint32>& staleKeys)
{
    Slot& slot = m_slots[size_t(index)];
    bool changed = false;
    if (slot.contact != contact.get()) {
        slot = Slot{contact.get(), 0, 0, false, nullptr};
        changed = true;
    }
    const bool shown = TableRows::isShownInGroup(*contact, *group);
    changed = changed || shown != slot.shown;
    slot.shown = shown;
    if (!shown)
        return changed;
    const PersonDsc& person = *contact->person;
    const bool bound = person.isBound();
    if (bound || slot.layoutRevision != person.revision()) {
        const int count = TableRows::rowCount(*contact, m_columns, labels, collector);
        TableRows::PassingPositions passing = TableRows::passingPositions(person, labels, count);
        // The rows carry the list of passing values: new lists need new rows.
        changed = changed || count != slot.rowCount || passing || slot.passing;
        slot.rowCount = count;
        slot.passing = std::move(passing);
        slot.layoutRevision = person.revision();
    }
    if (keys && !keys->isCurrent(index, *contact))
        staleKeys.push_back(quint32(index));
    return changed;
}

const SubContactTable& SortedRows::update(const ContactCollection& collection, const QStringList& columns,
                                          const std::optional<SortDescriptor>& sort, TableRows::LabelCollector* labels)
{
    const GroupEntryPtr& group = collection.selectedGroupDict;
    if (!group) {
        m_rows.clear();
        m_rowSlots.clear();
        m_projected = false;
        return m_rows;
    }
    const QStringList& selectedLabels = collection.selectedLabels;
    const ContactTable& contacts = collection.contactTable;
    // Rows are counted afresh for a new table or new columns: only then is there enough work for
    // other threads.
    const bool recount = !m_projected || m_slots.size() != size_t(contacts.size()) || columns != m_layoutColumns
        || selectedLabels != m_layoutLabels;
    bool changed = prepareLayout(columns, selectedLabels, sort) || !m_projected;
    if (m_slots.size() != size_t(contacts.size())) {
        m_slots.resize(size_t(contacts.size()));
        changed = true;
    }
    SortKeyCache* keys = sort ? keyCache(*sort, selectedLabels) : nullptr;
    if (keys)
        keys->resize(contacts.size());
    // The contacts are walked in pieces at once. A contact read from its record changes what it keeps
    // as it is read: those are left to this thread, after the others.
    struct Piece
    {
        TableRows::LabelCollector labels{TableRows::LabelCollector::Deferred};
        std::vector<quint32> staleKeys;
        std::vector<quint32> bound;
        bool changed = false;
    };
    std::vector<Piece> pieces(recount ? Pieces::countFor(size_t(contacts.size())) : 1);
    const bool alone = pieces.size() == 1;
    Pieces::run(pieces.size(), [&](size_t number) {
        Piece& piece = pieces[number];
        const auto end = qsizetype(Pieces::begin(size_t(contacts.size()), number + 1, pieces.size()));
        // Each contact and its descriptor lie somewhere in memory: they are asked for a few contacts
        // ahead, so that the walk does not wait for memory at every contact.
        constexpr qsizetype Ahead = 8;
        for (auto index = qsizetype(Pieces::begin(size_t(contacts.size()), number, pieces.size())); index < end;
             ++index) {
            if (index + 2 * Ahead < end)
                prefetch(contacts.at(index + 2 * Ahead).get());
            if (index + Ahead < end)
                prefetch(contacts.at(index + Ahead)->person.get());
            // Counted afresh, the rows read the labels of every value of the columns' lists.
            if (recount && index + Ahead / 2 < end) {
                const PersonDsc& ahead = *contacts.at(index + Ahead / 2)->person;
                for (const TableRows::RowColumn& column : std::as_const(m_columns)) {
                    if (!ahead.isBound()) // a bound contact would read its record to answer
                        prefetch(ahead.labeledValues(column.field).constData());
                }
            }
            const ContactEntryPtr& contact = contacts.at(index);
            if (!alone && contact->person->isBound()) {
                piece.bound.push_back(quint32(index));
                continue;
            }
            piece.changed = updateSlot(index, contact, group.get(), selectedLabels,
                                       alone ? labels : (labels ? &piece.labels : nullptr), keys, piece.staleKeys)
                || piece.changed;
        }
    });
    std::vector<quint32> staleKeys;
    for (Piece& piece : pieces) {
        changed = changed || piece.changed;
        if (labels)
            piece.labels.registerWith(*labels);
        staleKeys.insert(staleKeys.end(), piece.staleKeys.cbegin(), piece.staleKeys.cend());
    }
    for (const Piece& piece : pieces) {
        for (const quint32 index : piece.bound)
            changed =
                updateSlot(index, contacts.at(index), group.get(), selectedLabels, labels, keys, staleKeys) || changed;
    }
    if (keys) {
        changed = changed || !staleKeys.empty();
        keys->update(staleKeys, contacts);
        keys->commit();
    }
    // Nothing moved: the rows are the last ones.
    if (changed) {
        project(contacts, keys, !sort || sort->ascending);
        m_projected = true;
    }
    return m_rows;
}

std::vector<SortedRows::RowRef> SortedRows::order(const SortKeyCache* keys, bool ascending) const
{
    std::vector<RowRef> refs;
    qsizetype total = 0;
    for (const Slot& slot : m_slots)
        total += slot.shown ? slot.rowCount : 0;
    refs.reserve(size_t(total));
    const quint32 slots = quint32(m_slots.size());
    const auto appendSlot = [&](quint32 slot) {
        for (int index = 0; index < m_slots[slot].rowCount; ++index)
            refs.push_back({slot, quint32(index)});
    };
    if (!keys) {
        for (quint32 slot = 0; slot < slots; ++slot) {
            if (m_slots[slot].shown)
                appendSlot(slot);
        }
        return refs;
    }
    const bool perContact = keys->perContact();
    const auto append = [&](const SortKeyCache::Entry& entry) {
        const Slot& slot = m_slots[entry.slot];
        if (!slot.shown)
            return;
        if (perContact)
            appendSlot(entry.slot);
        else if (int(entry.index) < slot.rowCount)
            refs.push_back({entry.slot, entry.index});
    };
    const std::vector<SortKeyCache::Entry>& sorted = keys->order();
    if (ascending) {
        for (const SortKeyCache::Entry& entry : sorted)
            append(entry);
    } else {
        // Equal values keep the order the rows were built in, in either direction.
        size_t end = sorted.size();
        while (end > 0) {
            size_t begin = end - 1;
            while (begin > 0 && keys->tiedWithPrevious(begin))
                --begin;
            for (size_t i = begin; i < end; ++i)
                append(sorted[i]);
            end = begin;
        }
    }
    // Rows without a value go last in either direction, as they were built.
    for (quint32 slot = 0; slot < slots; ++slot) {
        const Slot& state = m_slots[slot];
        if (!state.shown)
            continue;
        if (perContact) {
            if (!keys->hasValue(slot, 0))
                appendSlot(slot);
            continue;
        }
        for (int index = 0; index < state.rowCount; ++index) {
            if (!keys->hasValue(slot, index))
                refs.push_back({slot, quint32(index)});
        }
    }
    return refs;
}

void SortedRows::project(const ContactTable& contacts, const SortKeyCache* keys, bool ascending)
{
    const std::vector<RowRef> refs = order(keys, ascending);
    // The old rows are taken over where they still show the same contact and value: copying a
    // contact's shared pointer touches the contact, and a reload may move every row.
    SubContactTable old = std::move(m_rows);
    const bool reuse = old.isDetached();
    std::vector<quint32> start;
    std::vector<quint32> position(size_t(old.size()));
    if (reuse) {
        quint32 oldSlots = 0;
        for (const quint32 slot : m_rowSlots)
            oldSlots = qMax(oldSlots, slot + 1);
        start.assign(oldSlots + 1, 0);
        for (const quint32 slot : m_rowSlots)
            ++start[slot + 1];
        for (size_t slot = 0; slot < oldSlots; ++slot)
            start[slot + 1] += start[slot];
        // Each shown contact had its rows 0 to n-1 once each.
        for (size_t row = 0; row < m_rowSlots.size(); ++row) {
            const quint32 slot = m_rowSlots[row];
            const auto index = quint32(old.at(qsizetype(row)).index);
            if (index < start[slot + 1] - start[slot])
                position[start[slot] + index] = quint32(row);
        }
    }
    // The rows are made in pieces at once: each piece takes over old rows of its own.
    m_rows = SubContactTable(qsizetype(refs.size()));
    m_rowSlots.resize(refs.size());
    SubContactRow* rows = m_rows.data();
    SubContactRow* oldRows = reuse ? old.data() : nullptr;
    const auto makeRows = [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            const RowRef& ref = refs[i];
            if (reuse && i + 8 < refs.size() && refs[i + 8].slot + 1 < start.size()) {
                const RowRef& next = refs[i + 8];
                if (next.index < start[next.slot + 1] - start[next.slot])
                    prefetch(oldRows + position[start[next.slot] + next.index]);
            } else if (!reuse && i + 8 < refs.size()) {
                // A new row counts a reference to its contact, which is kept beside the contact.
                prefetch(contacts.at(refs[i + 8].slot).get());
            }
            SubContactRow& row = rows[i];
            row.index = int(ref.index);
            const ContactEntryPtr& contact = contacts.at(ref.slot);
            if (reuse && ref.slot + 1 < start.size() && ref.index < start[ref.slot + 1] - start[ref.slot]) {
                SubContactRow& before = oldRows[position[start[ref.slot] + ref.index]];
                if (before.contact == contact)
                    row.contact = std::move(before.contact);
            }
            if (!row.contact)
                row.contact = contact;
            row.passing = m_slots[ref.slot].passing;
            if (keys && keys->valueOrder()) {
                row.orderedField = qint8(keys->valueOrder()->field);
                row.orderedPosition = keys->position(ref.slot, ref.index);
            }
            // A row right below a row of the same contact continues it.
            row.notFirstRow = i > 0 && contacts.at(refs[i - 1].slot) == contact;
            m_rowSlots[i] = ref.slot;
        }
    };
    const size_t pieces = Pieces::countFor(refs.size());
    Pieces::run(pieces, [&](size_t piece) {
        makeRows(Pieces::begin(refs.size(), piece, pieces), Pieces::begin(refs.size(), piece + 1, pieces));
    });
}

} // namespace Quillary
