#include "TableRows.h"

#include "model/LabelTable.h"

namespace Quillary::TableRows {

bool passesLabelFilter(const QStringList& selectedLabels, const QString& label)
{
    return selectedLabels.isEmpty() || selectedLabels.first() == LabelText::All || selectedLabels.contains(label);
}

std::optional<LabeledField> listForColumn(const QString& identifier)
{
    if (const auto field = FieldIdentifiers::labeledField(identifier))
        return field;
    if (FieldIdentifiers::addressIdentifiers().contains(identifier))
        return LabeledField::Address;
    return std::nullopt;
}

void LabelCollector::addLabel(const QString& label, const QString& identifier)
{
    // Runs for every value of every row counted: no allocation, and no hashing for a text met lately.
    const size_t slot =
        ((quintptr(identifier.constData()) >> 4) ^ (quintptr(label.constData()) >> 4)) % m_recent.size();
    Recent& recent = m_recent[slot];
    if (recent.label.constData() == label.constData() && recent.label.size() == label.size()
        && recent.field.constData() == identifier.constData())
        return;
    if (label.isEmpty() || label == LabelText::NoLabel)
        return;
    if (!m_lastSeen || m_lastSeen->field.constData() != identifier.constData())
        m_lastSeen = seen(identifier);
    // A text only its value holds is not met again by its address: it is not kept.
    if (!label.isDetached())
        recent = {identifier, label};
    if (m_lastSeen->labels.contains(label))
        return;
    m_lastSeen->labels.insert(label);
    if (m_mode == Deferred)
        m_deferred.append({label, identifier});
    else
        LabelTable::setLabel(QString(), label, identifier);
}

LabelCollector::Seen* LabelCollector::seen(const QString& field)
{
    for (const auto& seen : m_seen) {
        if (seen->field.constData() == field.constData())
            return seen.get();
    }
    for (const auto& seen : m_seen) {
        if (seen->field == field)
            return seen.get();
    }
    m_seen.push_back(std::make_unique<Seen>(Seen{field, {}}));
    return m_seen.back().get();
}

void LabelCollector::registerWith(LabelCollector& other) const
{
    for (const auto& [label, identifier] : m_deferred)
        other.addLabel(label, identifier);
}

QList<RowColumn> rowColumns(const QStringList& identifiers)
{
    QList<RowColumn> columns;
    for (const QString& identifier : identifiers) {
        if (const std::optional<LabeledField> field = listForColumn(identifier))
            columns.append({identifier, *field});
    }
    return columns;
}

namespace {

/// Rows of a contact up to which finding the n-th value that passes a filter scans the values.
constexpr qsizetype ScanLimit = 8;

} // namespace

qsizetype valuePosition(const SubContactRow& row, LabeledField field, const QStringList& selectedLabels)
{
    const LabeledValueSpan values = row.person().labeledValues(field);
    if (row.orderedField == qint8(field))
        return row.orderedPosition < values.size() ? row.orderedPosition : -1;
    if (selectedLabels.isEmpty() || selectedLabels.first() == LabelText::All)
        return row.index < values.size() ? row.index : -1;
    if (row.passing) {
        const QList<int>& positions = (*row.passing)[size_t(field)];
        if (row.index >= positions.size())
            return -1;
        const int position = positions.at(row.index);
        if (position < values.size() && selectedLabels.contains(values.at(position).label))
            return position;
    }
    int passed = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (selectedLabels.contains(values.at(i).label) && passed++ == row.index)
            return i;
    }
    return -1;
}

const LabeledValue* rowValue(const SubContactRow& row, LabeledField field, const QStringList& selectedLabels)
{
    const qsizetype position = valuePosition(row, field, selectedLabels);
    return position < 0 ? nullptr : &row.person().labeledValues(field).at(position);
}

CsvRow csvRow(const SubContactRow& row, const QStringList& selectedLabels)
{
    CsvRow line{row.contact, row.index, std::nullopt};
    const bool everyLabel = selectedLabels.isEmpty() || selectedLabels.first() == LabelText::All;
    if (everyLabel && row.orderedField < 0)
        return line;
    line.positions.emplace();
    for (int field = 0; field < LabeledFieldCount; ++field)
        (*line.positions)[size_t(field)] = int(valuePosition(row, LabeledField(field), selectedLabels));
    return line;
}

void createSubContactsFromContact(const ContactEntryPtr& contact, const QStringList& identifiers,
                                  const QStringList& selectedLabels, SubContactTable& rows, LabelCollector* labels)
{
    createSubContactsFromContact(contact, rowColumns(identifiers), selectedLabels, rows, labels);
}

int rowCount(const ContactEntry& contact, const QList<RowColumn>& columns, const QStringList& selectedLabels,
             LabelCollector* labels)
{
    const PersonDsc& person = *contact.person;
    const bool everyLabel = selectedLabels.isEmpty() || selectedLabels.first() == LabelText::All;
    // Rows only for the values that pass the filter: row n holds the n-th of each field.
    qsizetype count = 1;
    for (const RowColumn& column : columns) {
        const LabeledValueSpan values = person.labeledValues(column.field);
        qsizetype passing = 0;
        for (const LabeledValue& value : values) {
            if (labels)
                labels->addLabel(value.label, column.identifier);
            passing += everyLabel || selectedLabels.contains(value.label);
        }
        count = qMax(count, passing);
    }
    return int(count);
}

std::optional<ValueOrder> ValueOrder::of(const QString& sortKey, bool ascending)
{
    const LabeledValueOrder* values = LabeledValueOrder::forSortKey(sortKey);
    if (!values)
        return std::nullopt;
    return ValueOrder{sortKey, ascending, values->field, values};
}

ShownPositions shownPositions(const PersonDsc& person, LabeledField field, const QStringList& selectedLabels,
                              const std::optional<ValueOrder>& order)
{
    const bool everyLabel = selectedLabels.isEmpty() || selectedLabels.first() == LabelText::All;
    const LabeledValueSpan values = person.labeledValues(field);
    ShownPositions shown;
    const auto passes = [&](qsizetype position) {
        if (everyLabel || selectedLabels.contains(values.at(position).label))
            shown.append(position);
    };
    if (!order || order->field != field || values.size() < 2) {
        for (qsizetype position = 0; position < values.size(); ++position)
            passes(position);
    } else {
        for (const qsizetype position : order->values->positions(values, order->ascending))
            passes(position);
    }
    return shown;
}

PassingPositions passingPositions(const PersonDsc& person, const QStringList& selectedLabels, int rowCount)
{
    const bool everyLabel = selectedLabels.isEmpty() || selectedLabels.first() == LabelText::All;
    // A contact of many rows (thousands of phones, say) has the passing positions listed once, and
    // not counted again for each of its rows.
    if (everyLabel || rowCount <= ScanLimit)
        return nullptr;
    auto passing = std::make_shared<std::array<QList<int>, LabeledFieldCount>>();
    for (int field = 0; field < LabeledFieldCount; ++field) {
        const LabeledValueSpan values = person.labeledValues(LabeledField(field));
        for (qsizetype position = 0; position < values.size(); ++position) {
            if (selectedLabels.contains(values.at(position).label))
                (*passing)[size_t(field)].append(int(position));
        }
    }
    return passing;
}

void createSubContactsFromContact(const ContactEntryPtr& contact, const QList<RowColumn>& columns,
                                  const QStringList& selectedLabels, SubContactTable& rows, LabelCollector* labels,
                                  const std::optional<ValueOrder>& order)
{
    const PersonDsc& person = *contact->person;
    const int count = rowCount(*contact, columns, selectedLabels, labels);
    ShownPositions ordered;
    if (order)
        ordered = shownPositions(person, order->field, selectedLabels, order);
    const PassingPositions passing = passingPositions(person, selectedLabels, count);
    for (int index = 0; index < count; ++index) {
        SubContactRow row{contact, index, false};
        row.passing = passing;
        if (order) {
            row.orderedField = qint8(order->field);
            row.orderedPosition = index < ordered.size() ? int(ordered.at(index)) : -1;
        }
        rows.append(std::move(row));
    }
}

bool isShownInGroup(const ContactEntry& contact, const GroupEntry& group)
{
    if (contact.deleted)
        return false;
    if (group.smartGroup)
        return group.smartGroupMembers.contains(contact.uniqueId);
    if (!group.store.isEmpty() && contact.remote != group.remote)
        return false;
    if (contact.removedGroupUniqueIds.contains(group.uniqueId))
        return false;
    return group.top || contact.groupUniqueIds.contains(group.uniqueId);
}

SubContactTable updateSubContactTable(const ContactCollection& collection, const QStringList& identifiers,
                                      const std::optional<SortDescriptor>& sort, LabelCollector* labels)
{
    SubContactTable rows;
    const GroupEntryPtr& group = collection.selectedGroupDict;
    if (!group)
        return rows;
    rows.reserve(collection.contactTable.size() * 2);
    const QList<RowColumn> columns = rowColumns(identifiers);
    const std::optional<ValueOrder> order = sort ? ValueOrder::of(sort->key, sort->ascending) : std::nullopt;
    for (const ContactEntryPtr& contact : collection.contactTable) {
        if (isShownInGroup(*contact, *group))
            createSubContactsFromContact(contact, columns, collection.selectedLabels, rows, labels, order);
    }
    return rows;
}

void markContinuationRows(SubContactTable& rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i].notFirstRow = i > 0 && rows.at(i - 1).contact == rows.at(i).contact;
}

} // namespace Quillary::TableRows
