#pragma once

#include "SortKeyCache.h"
#include "SubContactRow.h"
#include "TableRows.h"
#include "documents/ContactCollection.h"
#include "documents/SortDescriptor.h"

#include <memory>
#include <optional>
#include <vector>

namespace Quillary {

/// The rows of the contacts table, rebuilt and sorted where contacts changed and nowhere else: the
/// rows of a contact and its sort values are worked out again only when its values changed (their
/// revision), a reload after an edit moves only the edited contact's rows, and the sort values of
/// the last few sort keys are kept, so going back to a key costs one pass over the rows. Sorting
/// never changes a contact: a key that orders its values only changes which value each row shows. The rows
/// come out as if built afresh (TableRows::updateSubContactTable) and sorted stably by the values
/// of RowSorter.
/// Contacts bound to address-book records are read afresh on every reload: a record can change
/// without its contact knowing.
class SortedRows
{
public:
    SortedRows();
    ~SortedRows();
    Q_DISABLE_COPY_MOVE(SortedRows)

    /// The rows of the selected group for the columns, sorted by the descriptor (the rows of each
    /// contact showing its values in the order the key gives them), the rows that continue a
    /// contact marked.
    const SubContactTable& update(const ContactCollection& collection, const QStringList& columns,
                                  const std::optional<SortDescriptor>& sort,
                                  TableRows::LabelCollector* labels = nullptr);
    /// The rows of the last update.
    [[nodiscard]] const SubContactTable& current() const { return m_rows; }

    /// The sort keys whose values are kept, the most recent first.
    [[nodiscard]] QStringList keptSortKeys() const;

private:
    struct Slot
    {
        const ContactEntry* contact = nullptr;
        quint64 layoutRevision = 0; ///< of the contact when its rows were counted; 0: not yet
        int rowCount = 0;
        bool shown = false;
        TableRows::PassingPositions passing; ///< of a contact of many rows under a label filter
    };

    /// Whether the rows change with the columns, the label filter or the sort.
    bool prepareLayout(const QStringList& columns, const QStringList& labels,
                       const std::optional<SortDescriptor>& sort);
    SortKeyCache* keyCache(const SortDescriptor& sort, const QStringList& labels);
    /// Whether the contact's rows changed; a contact whose sort values changed joins `staleKeys`.
    bool updateSlot(qsizetype index, const ContactEntryPtr& contact, const GroupEntry* group, const QStringList& labels,
                    TableRows::LabelCollector* collector, const SortKeyCache* keys, std::vector<quint32>& staleKeys);
    struct RowRef
    {
        quint32 slot;
        quint32 index;
    };
    /// The shown rows in display order.
    [[nodiscard]] std::vector<RowRef> order(const SortKeyCache* keys, bool ascending) const;
    void project(const ContactTable& contacts, const SortKeyCache* keys, bool ascending);

    std::vector<Slot> m_slots;
    QList<TableRows::RowColumn> m_columns;
    QStringList m_layoutColumns;
    QStringList m_layoutLabels;
    std::vector<std::unique_ptr<SortKeyCache>> m_keyCaches; // the most recent first
    std::optional<SortDescriptor> m_lastSort;
    SubContactTable m_rows; ///< the rows given last
    std::vector<quint32> m_rowSlots; ///< the slot of each of m_rows
    bool m_projected = false; ///< m_rows are the rows of the slots as they are
};

} // namespace Quillary
