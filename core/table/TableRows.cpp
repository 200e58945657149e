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
    const std::pair<const void*, const void*> key{identifier.constData(), label.constData()};
    if (m_known.contains(key))
        return;
    if (label.isEmpty() || label == LabelText::NoLabel)
        return;
    // Runs for every value of every row on each reload: no allocation when the label is known.
    m_known.insert(key, {identifier, label});
    if (!m_lastSeen || m_lastField != identifier) {
        m_lastSeen = &m_seen[identifier];
        m_lastField = identifier;
    }
    if (m_lastSeen->contains(label))
        return;
    m_lastSeen->insert(label);
    LabelTable::setLabel(QString(), label, identifier);
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

void createSubContactsFromContact(const ContactEntryPtr& contact, const QStringList& identifiers,
                                  const QStringList& selectedLabels, SubContactTable& rows, LabelCollector* labels)
{
    createSubContactsFromContact(contact, rowColumns(identifiers), selectedLabels, rows, labels);
}

void createSubContactsFromContact(const ContactEntryPtr& contact, const QList<RowColumn>& columns,
                                  const QStringList& selectedLabels, SubContactTable& rows, LabelCollector* labels)
{
    const qsizetype first = rows.size();
    rows.append(SubContactRow{contact, 0, false});
    const PersonDsc& person = *contact->person;
    const bool everyLabel = selectedLabels.isEmpty() || selectedLabels.first() == LabelText::All;
    for (const RowColumn& column : columns) {
        const LabeledValueList& values = person.labeledValues(column.field);
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QString& label = values.at(i).label;
            if (labels)
                labels->addLabel(label, column.identifier);
            if (!everyLabel && !selectedLabels.contains(label))
                continue;
            while (rows.size() - first <= i)
                rows.append(SubContactRow{contact, int(rows.size() - first), false});
        }
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
    const bool sortValues = sort && PersonDsc::sortsLabeledValues(sort->key);
    for (const ContactEntryPtr& contact : collection.contactTable) {
        if (!isShownInGroup(*contact, *group))
            continue;
        if (sortValues)
            contact->person->sortForLabeledValue(sort->key, sort->ascending);
        createSubContactsFromContact(contact, columns, collection.selectedLabels, rows, labels);
    }
    return rows;
}

void markContinuationRows(SubContactTable& rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i].notFirstRow = i > 0 && rows.at(i - 1).contact == rows.at(i).contact;
}

} // namespace Quillary::TableRows
