#pragma once

#include "TableRows.h"
#include "documents/SortDescriptor.h"
#include "model/ContactEntry.h"

#include <QStringList>

#include <vector>

namespace Quillary {

/// The sort values of one sort key for the contacts of a table, and the ascending order of the rows
/// that have a value. Contacts are known by their position in the table (their slot); the rows of a
/// contact by their index, each with the position of the value it shows (TableRows::shownPositions).
/// Kept between reloads: a contact's values are worked out again only when the contact changed,
/// and only its rows move in the order.
class SortKeyCache
{
public:
    /// A row with a sort value, in the order: its value's first eight folded units (or its date),
    /// then the contact's slot and the value's position, as the rows were built.
    struct Entry
    {
        quint64 high;
        quint64 low;
        quint32 slot;
        quint32 index; ///< of the row in its contact
        quint32 offset; ///< of the value's folded text; a date's number
        quint32 length; ///< of the value's folded text; 0 for a date
    };

    /// `selectedLabels` is the label filter the values pass (labelled fields only). A key that orders
    /// a contact's own values gives its rows other values in the other direction: its values are
    /// kept for one direction, `ascending`.
    SortKeyCache(const QString& sortKey, const QStringList& selectedLabels, bool ascending);
    ~SortKeyCache();
    Q_DISABLE_COPY_MOVE(SortKeyCache)

    [[nodiscard]] const QString& sortKey() const { return m_sortKey; }
    [[nodiscard]] const QStringList& selectedLabels() const { return m_labels; }
    /// Whether all rows of a contact share its one value (a field with one value per contact).
    [[nodiscard]] bool perContact() const { return !m_field; }
    /// The order in which the rows of each contact show the values of the sorted field, when the key
    /// orders them; the rows' values then depend on the direction the cache was made for.
    [[nodiscard]] const std::optional<TableRows::ValueOrder>& valueOrder() const { return m_valueOrder; }
    /// Whether the cache serves a sort descriptor under a label filter.
    [[nodiscard]] bool serves(const SortDescriptor& sort, const QStringList& selectedLabels) const;

    /// Follows the number of contacts of the table; slots beyond the old count are unknown.
    void resize(qsizetype slots);
    /// Whether the slot's values were worked out for this contact as it is now.
    [[nodiscard]] bool isCurrent(qsizetype slot, const ContactEntry& contact) const;
    /// Works out the values of the contacts at these slots again (many on several threads); their rows
    /// move in the order at the next commit().
    void update(const std::vector<quint32>& slots, const ContactTable& contacts);
    /// Brings the order up to date with the contacts updated since the last commit.
    void commit();

    /// The rows that have a value, in ascending order (after commit()).
    [[nodiscard]] const std::vector<Entry>& order() const { return m_order; }
    /// Whether a row has a value.
    [[nodiscard]] bool hasValue(qsizetype slot, qsizetype index) const;
    /// The position in its contact's list of the value a row shows of the sorted field; -1 for none.
    [[nodiscard]] int position(qsizetype slot, qsizetype index) const;
    /// Whether the row at a position of the order has the same value as the one before it.
    [[nodiscard]] bool tiedWithPrevious(size_t position) const { return m_tied[position]; }

private:
    struct Value
    {
        quint32 offset; ///< of its folded text
        quint32 length; ///< of its folded text; a date has none
        qint32 position; ///< of the value in the contact's list
        bool present;
    };
    struct Slot
    {
        const ContactEntry* contact = nullptr;
        quint64 revision = 0; ///< 0: not worked out
        quint32 first = 0; ///< its first value in m_values
        quint32 count = 0;
        bool pending = false; ///< updated since the last commit
    };

    /// The values of some contacts, read apart from the cache and then taken into it.
    struct Batch
    {
        std::vector<quint32> slots;
        std::vector<quint64> revisions; ///< of the contacts as read, per slot
        std::vector<quint32> counts; ///< of values, per slot
        std::vector<Value> values;
        std::vector<char16_t> folded;
        std::vector<quint32> deferred; ///< slots left to the calling thread
    };
    void read(const PersonDsc& person, Batch& batch) const;
    void readRange(const std::vector<quint32>& slots, size_t begin, size_t end, const ContactTable& contacts,
                   bool deferBound, Batch& batch) const;
    void take(Batch& batch, const ContactTable& contacts);

    [[nodiscard]] int compareValues(const Entry& a, const Entry& b) const;
    [[nodiscard]] bool less(const Entry& a, const Entry& b) const;
    void appendEntries(std::vector<Entry>& out, quint32 slot) const;
    void compact();
    void loadPrefix(Entry& entry, quint32 depth) const;
    void sortAll();
    void mergeHalves(size_t middle);
    void sortRange(size_t begin, size_t end, quint32 depth);
    void sortRun(size_t begin, size_t end, quint32 depth);

    QString m_sortKey;
    QStringList m_labels;
    QString m_identifier;
    QString m_valueKey;
    FieldId m_id;
    std::optional<LabeledField> m_field;
    bool m_dates = false; ///< values are dates, kept as numbers in Value::offset
    std::optional<TableRows::ValueOrder> m_valueOrder;
    std::vector<Slot> m_slots;
    std::vector<Value> m_values;
    std::vector<char16_t> m_folded;
    std::vector<Entry> m_order;
    std::vector<quint8> m_tied; ///< per position of m_order: the same value as the row before (bytes: pieces of the
                                ///< order are sorted at once)
    std::vector<quint32> m_pending;
    qsizetype m_liveValues = 0;
};

} // namespace Quillary
