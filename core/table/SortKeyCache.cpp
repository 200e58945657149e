#include "SortKeyCache.h"

#include "FoldedText_p.h"
#include "Pieces_p.h"
#include "Prefetch_p.h"
#include "RowSorter.h"
#include "SortKeys.h"

#include <algorithm>

namespace Quillary {

SortKeyCache::SortKeyCache(const QString& sortKey, const QStringList& selectedLabels, bool ascending)
    : m_sortKey(sortKey), m_labels(selectedLabels)
{
    std::tie(m_identifier, m_valueKey) = SortKeys::separateSortKeyIntoIdentifierAndKey(sortKey);
    m_id = FieldIdentifiers::fieldId(m_identifier);
    m_field = FieldIdentifiers::labeledField(m_id);
    m_dates = m_id == FieldId::Birthday || (m_field == LabeledField::Dates && m_valueKey != u"label");
    // Every key that orders a contact's values orders those of the field it sorts the rows by.
    m_valueOrder = TableRows::ValueOrder::of(sortKey, ascending);
    Q_ASSERT(!m_valueOrder || m_valueOrder->field == m_field);
}

bool SortKeyCache::serves(const SortDescriptor& sort, const QStringList& selectedLabels) const
{
    return sort.key == m_sortKey && selectedLabels == m_labels
        && (!m_valueOrder || m_valueOrder->ascending == sort.ascending);
}

SortKeyCache::~SortKeyCache() = default;

void SortKeyCache::resize(qsizetype slots)
{
    if (qsizetype(m_slots.size()) == slots)
        return;
    if (qsizetype(m_slots.size()) > slots) {
        // The rows of contacts that left the table leave the order.
        for (qsizetype slot = slots; slot < qsizetype(m_slots.size()); ++slot)
            m_liveValues -= m_slots[size_t(slot)].count;
        std::erase_if(m_order, [slots](const Entry& entry) { return entry.slot >= slots; });
        std::erase_if(m_pending, [slots](quint32 slot) { return slot >= slots; });
    }
    m_slots.resize(size_t(slots));
}

bool SortKeyCache::isCurrent(qsizetype slot, const ContactEntry& contact) const
{
    const Slot& state = m_slots[size_t(slot)];
    return state.contact == &contact && state.revision == contact.person->revision() && !contact.person->isBound();
}

void SortKeyCache::read(const PersonDsc& person, Batch& batch) const
{
    static const LabeledValueList none;
    const LabeledValueSpan values = m_field ? person.labeledValues(*m_field) : none;
    // Row n shows the n-th value that passes the filter, in the order of the key when it orders them.
    const TableRows::ShownPositions shown =
        m_field ? TableRows::shownPositions(person, *m_field, m_labels, m_valueOrder) : TableRows::ShownPositions();
    const auto count = m_field ? quint32(shown.size()) : 1u;
    batch.counts.push_back(count);
    for (quint32 i = 0; i < count; ++i) {
        RowSorter::ContactSortText text;
        if (m_field)
            text.kind = RowSorter::labeledSortValue(*m_field, values.at(shown.at(i)), m_valueKey, m_labels, &text.first,
                                                    &text.date);
        else
            text = RowSorter::contactSortText(person, m_id, m_valueKey);
        Value stored{quint32(batch.folded.size()), 0, m_field ? qint32(shown.at(i)) : -1,
                     text.kind != RowSorter::SortValue::Kind::None};
        if (text.kind == RowSorter::SortValue::Kind::Date) {
            stored.offset = text.date; // a date orders by its number alone
        } else if (text.kind == RowSorter::SortValue::Kind::Text) {
            FoldedText::appendJoined(batch.folded, text.first, text.second);
            stored.length = quint32(batch.folded.size()) - stored.offset;
        }
        batch.values.push_back(stored);
    }
}

void SortKeyCache::readRange(const std::vector<quint32>& slots, size_t begin, size_t end, const ContactTable& contacts,
                             bool deferBound, Batch& batch) const
{
    batch.slots.reserve(end - begin);
    batch.revisions.reserve(end - begin);
    batch.counts.reserve(end - begin);
    batch.values.reserve((end - begin) * 2);
    batch.folded.reserve((end - begin) * 24);
    // Three steps lead from a slot to a contact's values: each is asked for ahead of time.
    constexpr size_t Ahead = 6;
    for (size_t i = begin; i < end; ++i) {
        if (i + 3 * Ahead < end)
            prefetch(contacts.at(slots[i + 3 * Ahead]).get());
        if (i + 2 * Ahead < end)
            prefetch(contacts.at(slots[i + 2 * Ahead])->person.get());
        if (m_field && i + Ahead < end) {
            const PersonDsc& ahead = *contacts.at(slots[i + Ahead])->person;
            if (!ahead.isBound()) // a bound contact would read its record to answer
                prefetch(ahead.labeledValues(*m_field).constData());
        }
        const PersonDsc& person = *contacts.at(slots[i])->person;
        if (deferBound && person.isBound()) {
            batch.deferred.push_back(slots[i]);
            continue;
        }
        batch.slots.push_back(slots[i]);
        batch.revisions.push_back(person.revision());
        read(person, batch);
    }
}

void SortKeyCache::take(Batch& batch, const ContactTable& contacts)
{
    const auto foldedBase = quint32(m_folded.size());
    auto first = quint32(m_values.size());
    m_folded.insert(m_folded.end(), batch.folded.cbegin(), batch.folded.cend());
    m_values.insert(m_values.end(), batch.values.cbegin(), batch.values.cend());
    if (foldedBase > 0) {
        for (auto value = m_values.begin() + first; value != m_values.end(); ++value)
            value->offset += value->length > 0 ? foldedBase : 0; // a date keeps its number
    }
    for (size_t i = 0; i < batch.slots.size(); ++i) {
        const quint32 index = batch.slots[i];
        Slot& slot = m_slots[index];
        m_liveValues += qsizetype(batch.counts[i]) - qsizetype(slot.count);
        slot.contact = contacts.at(index).get();
        slot.revision = batch.revisions[i];
        slot.first = first;
        slot.count = batch.counts[i];
        first += slot.count;
        if (!slot.pending) {
            slot.pending = true;
            m_pending.push_back(index);
        }
    }
}

void SortKeyCache::update(const std::vector<quint32>& slots, const ContactTable& contacts)
{
    // Reading a contact from its record, or composing its phonetic name, changes what the contact
    // keeps: those are read on this thread alone. Every other read leaves the contacts as they are,
    // so many are read on several threads at once.
    std::vector<Batch> pieces(m_id == FieldId::PhoneticName ? 1 : Pieces::countFor(slots.size()));
    const bool deferBound = pieces.size() > 1;
    Pieces::run(pieces.size(), [&](size_t piece) {
        readRange(slots, Pieces::begin(slots.size(), piece, pieces.size()),
                  Pieces::begin(slots.size(), piece + 1, pieces.size()), contacts, deferBound, pieces[piece]);
    });
    Batch bound;
    for (const Batch& piece : pieces)
        bound.deferred.insert(bound.deferred.end(), piece.deferred.cbegin(), piece.deferred.cend());
    readRange(bound.deferred, 0, bound.deferred.size(), contacts, false, bound);
    for (Batch& piece : pieces)
        take(piece, contacts);
    take(bound, contacts);
}

bool SortKeyCache::hasValue(qsizetype slot, qsizetype index) const
{
    const Slot& state = m_slots[size_t(slot)];
    return index < qsizetype(state.count) && m_values[state.first + size_t(index)].present;
}

int SortKeyCache::position(qsizetype slot, qsizetype index) const
{
    const Slot& state = m_slots[size_t(slot)];
    return index < qsizetype(state.count) ? m_values[state.first + size_t(index)].position : -1;
}

void SortKeyCache::appendEntries(std::vector<Entry>& out, quint32 slot) const
{
    const Slot& state = m_slots[slot];
    for (quint32 i = 0; i < state.count; ++i) {
        const Value& value = m_values[state.first + i];
        if (!value.present)
            continue;
        Entry entry{0, 0, slot, i, value.offset, value.length};
        if (m_dates) {
            entry.high = value.offset;
        } else {
            const FoldedText::Prefix prefix = FoldedText::prefix(m_folded.data() + value.offset, value.length);
            entry.high = prefix.high;
            entry.low = prefix.low;
        }
        out.push_back(entry);
    }
}

int SortKeyCache::compareValues(const Entry& a, const Entry& b) const
{
    if (a.high != b.high)
        return a.high < b.high ? -1 : 1;
    if (a.low != b.low)
        return a.low < b.low ? -1 : 1;
    if (a.length <= 8 && b.length <= 8 && a.length == b.length)
        return 0; // the prefixes held them whole
    return FoldedText::compare({}, {}, m_folded.data() + a.offset, a.length, m_folded.data() + b.offset, b.length);
}

bool SortKeyCache::less(const Entry& a, const Entry& b) const
{
    if (const int order = compareValues(a, b))
        return order < 0;
    return a.slot != b.slot ? a.slot < b.slot : a.index < b.index;
}

void SortKeyCache::commit()
{
    if (m_pending.empty())
        return;
    if (m_pending.size() * 8 > m_slots.size() || m_order.empty()) {
        for (const quint32 slot : m_pending)
            m_slots[slot].pending = false;
        m_pending.clear();
        if (m_values.size() > size_t(m_liveValues))
            compact();
        m_order.clear();
        m_order.reserve(size_t(m_liveValues));
        for (quint32 slot = 0; slot < m_slots.size(); ++slot) {
            if (m_slots[slot].revision)
                appendEntries(m_order, slot);
        }
        sortAll();
        return;
    }
    // A few contacts changed: their old rows leave the order, their new ones are merged in.
    const auto byValue = [this](const Entry& a, const Entry& b) { return less(a, b); };
    std::erase_if(m_order, [this](const Entry& entry) { return m_slots[entry.slot].pending; });
    std::vector<Entry> changed;
    for (const quint32 slot : m_pending) {
        m_slots[slot].pending = false;
        appendEntries(changed, slot);
    }
    m_pending.clear();
    std::sort(changed.begin(), changed.end(), byValue);
    const size_t middle = m_order.size();
    m_order.insert(m_order.end(), changed.begin(), changed.end());
    std::inplace_merge(m_order.begin(), m_order.begin() + qsizetype(middle), m_order.end(), byValue);
    m_tied.resize(m_order.size());
    for (size_t i = 0; i < m_order.size(); ++i)
        m_tied[i] = i > 0 && compareValues(m_order[i - 1], m_order[i]) == 0;
    if (m_values.size() > size_t(m_liveValues) * 2 + 4096) {
        // The values of edited contacts were appended: let the old ones go now and then.
        compact();
        for (Entry& entry : m_order)
            entry.offset = m_values[m_slots[entry.slot].first + entry.index].offset;
    }
}

void SortKeyCache::sortAll()
{
    // Two halves sorted at once, then merged.
    const size_t size = m_order.size();
    m_tied.assign(size, 0);
    const size_t pieces = Pieces::countFor(size, 2);
    const size_t middle = Pieces::begin(size, 1, pieces);
    Pieces::run(pieces, [&](size_t piece) { piece == 0 ? sortRange(0, middle, 0) : sortRange(middle, size, 0); });
    if (pieces > 1)
        mergeHalves(middle);
}

void SortKeyCache::mergeHalves(size_t middle)
{
    std::vector<Entry> merged(m_order.size());
    std::vector<quint8> tied(m_order.size(), 0);
    size_t next[2] = {0, middle};
    const size_t end[2] = {middle, m_order.size()};
    int lastSide = -1;
    int lastCompared = 1; // the two halves' first rows, as last compared
    for (size_t out = 0; out < merged.size(); ++out) {
        int side = next[0] == end[0] ? 1 : 0;
        int compared = lastCompared;
        if (next[0] != end[0] && next[1] != end[1]) {
            const Entry& a = m_order[next[0]];
            const Entry& b = m_order[next[1]];
            compared = compareValues(a, b);
            side = compared < 0 || (compared == 0 && (a.slot != b.slot ? a.slot < b.slot : a.index < b.index)) ? 0 : 1;
        }
        // A row after one of its own half keeps the tie it had there; a row after one of the other
        // half was compared with that row last.
        tied[out] = out > 0 && (side == lastSide ? m_tied[next[side]] : lastCompared == 0);
        lastCompared = compared;
        merged[out] = m_order[next[side]++];
        lastSide = side;
    }
    m_order = std::move(merged);
    m_tied = std::move(tied);
}

void SortKeyCache::loadPrefix(Entry& entry, quint32 depth) const
{
    const quint32 rest = entry.length > depth ? entry.length - depth : 0;
    const FoldedText::Prefix prefix = FoldedText::prefix(m_folded.data() + entry.offset + (rest ? depth : 0), rest);
    entry.high = prefix.high;
    entry.low = prefix.low;
}

void SortKeyCache::sortRange(size_t begin, size_t end, quint32 depth)
{
    // Sorted eight folded units at a time: the rows sharing those units are sorted again by the
    // next eight, so long common beginnings (phone numbers, domains) cost no full comparisons.
    const auto first = m_order.begin();
    std::sort(first + qsizetype(begin), first + qsizetype(end),
              [](const Entry& a, const Entry& b) { return a.high != b.high ? a.high < b.high : a.low < b.low; });
    for (size_t run = begin; run < end;) {
        size_t runEnd = run + 1;
        while (runEnd < end && m_order[runEnd].high == m_order[run].high && m_order[runEnd].low == m_order[run].low)
            ++runEnd;
        if (runEnd - run > 1)
            sortRun(run, runEnd, depth);
        run = runEnd;
    }
}

void SortKeyCache::sortRun(size_t begin, size_t end, quint32 depth)
{
    const auto first = m_order.begin();
    const bool longer = std::any_of(first + qsizetype(begin), first + qsizetype(end),
                                    [&](const Entry& entry) { return entry.length > depth + 8; });
    if (!longer) {
        // The values end here: equal ones (of one length) keep the order the rows were built in.
        std::sort(first + qsizetype(begin), first + qsizetype(end), [](const Entry& a, const Entry& b) {
            if (a.length != b.length)
                return a.length < b.length;
            return a.slot != b.slot ? a.slot < b.slot : a.index < b.index;
        });
        for (size_t i = begin + 1; i < end; ++i)
            m_tied[i] = m_order[i - 1].length == m_order[i].length;
        return;
    }
    const Entry prefix = m_order[begin];
    for (size_t i = begin; i < end; ++i)
        loadPrefix(m_order[i], depth + 8);
    sortRange(begin, end, depth + 8);
    if (depth == 0) {
        // Later merges compare the first eight units first.
        for (size_t i = begin; i < end; ++i) {
            m_order[i].high = prefix.high;
            m_order[i].low = prefix.low;
        }
    }
}

void SortKeyCache::compact()
{
    std::vector<Value> values;
    std::vector<char16_t> folded;
    values.reserve(size_t(m_liveValues));
    for (Slot& slot : m_slots) {
        const quint32 first = quint32(values.size());
        for (quint32 i = 0; i < slot.count; ++i) {
            Value value = m_values[slot.first + i];
            if (value.length > 0) {
                const quint32 offset = quint32(folded.size());
                folded.insert(folded.end(), m_folded.begin() + value.offset,
                              m_folded.begin() + value.offset + value.length);
                value.offset = offset;
            }
            values.push_back(value);
        }
        slot.first = first;
    }
    m_values = std::move(values);
    m_folded = std::move(folded);
}

} // namespace Quillary
