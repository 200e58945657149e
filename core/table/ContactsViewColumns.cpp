// The columns, view types and sort choices of the contacts table.

#include "ContactsViewController.h"

#include "documents/Preferences.h"

namespace Quillary {

namespace {

constexpr double DefaultColumnWidth = 140;

} // namespace

void ContactsViewController::setViewTypes(const ViewTypeDict& dict, const QString& selected)
{
    m_viewTypeDict = dict;
    m_selectedViewType = dict.contains(selected) ? selected : dict.names().value(0);
    updateColumnsInTableView(m_viewTypeDict.columns(m_selectedViewType));
    // The stored sort applies only when it sorts by a column of the table.
    if (m_sort) {
        const QString field = SortKeys::separateSortKeyIntoIdentifierAndKey(m_sort->key).first;
        if (field != Field::Name && !m_columns.contains(field))
            m_sort = SortDescriptor{QStringLiteral("compositeName"), true};
    }
}

void ContactsViewController::viewTypePopupSelected(const QString& name)
{
    if (!m_viewTypeDict.contains(name))
        return;
    Q_EMIT layoutAboutToChange();
    const QString selected = uniqueIdOfSelectedContact();
    m_selectedViewType = name;
    if (m_preferences)
        m_preferences->setValue(m_viewTypeKey, name);
    updateColumnsInTableView(m_viewTypeDict.columns(name));
    updateTableThenSelectByUniquId(selected);
}

void ContactsViewController::updateColumnsInTableView(const QStringList& identifiers)
{
    Q_EMIT layoutAboutToChange();
    m_columns = {ViewTypes::NameColumn};
    for (const QString& identifier : identifiers) {
        if (identifier != ViewTypes::NameColumn && identifier != ViewTypes::LabelColumn
            && !m_columns.contains(identifier))
            m_columns.append(identifier);
    }
    Q_EMIT columnsChanged();
}

void ContactsViewController::addColumn(const QString& identifier)
{
    Q_EMIT layoutAboutToChange();
    if (identifier == ViewTypes::NameColumn || m_columns.contains(identifier))
        return;
    m_columns.insert(1, identifier);
    Q_EMIT columnsChanged();
}

void ContactsViewController::deleteColumn(const QString& identifier)
{
    Q_EMIT layoutAboutToChange();
    if (identifier == ViewTypes::NameColumn || identifier == ViewTypes::LabelColumn)
        return;
    if (m_columns.removeAll(identifier) > 0)
        Q_EMIT columnsChanged();
}

void ContactsViewController::toggleColumn(const QString& identifier)
{
    Q_EMIT layoutAboutToChange();
    // "Name" heads every view type's list and stays there; new columns go right after it.
    if (identifier == ViewTypes::NameColumn)
        return;
    QStringList& list = m_viewTypeDict[m_selectedViewType];
    if (list.contains(identifier)) {
        if (list.size() < 2)
            return;
        list.removeAll(identifier);
        deleteColumn(identifier);
    } else {
        list.insert(qMin<qsizetype>(1, list.size()), identifier);
        addColumn(identifier);
    }
    updateTableThenSelectByUniquIds(uniqueIdsOfSelectedContacts());
    storeViewTypes();
}

bool ContactsViewController::shouldReorderColumn(int from, int to) const
{
    return from != 0 && to != 0 && !m_findBarVisible;
}

void ContactsViewController::tableViewColumnDidMove(int from, int to)
{
    if (!shouldReorderColumn(from, to) || from < 0 || to < 0 || from >= m_columns.size() || to >= m_columns.size())
        return;
    m_columns.move(from, to);
    if (m_columns.size() >= 2) {
        QStringList list{ViewTypes::NameColumn};
        list.append(m_columns.mid(1));
        m_viewTypeDict.insert(m_selectedViewType, list);
        storeViewTypes();
    }
    Q_EMIT columnsChanged();
}

double ContactsViewController::columnWidth(const QString& identifier) const
{
    return m_columnWidths.value(identifier, DefaultColumnWidth);
}

void ContactsViewController::tableViewColumnDidResize(const QString& identifier, double width)
{
    m_columnWidths.insert(identifier, qMax(80.0, width));
    if (m_preferences)
        m_preferences->setColumnWidthDictionary(m_columnWidths);
}

void ContactsViewController::storeViewTypes()
{
    if (m_preferences)
        m_preferences->setViewTypeDict(m_viewTypeDict);
}

void ContactsViewController::sortDescriptorsDidChange(const SortDescriptor& descriptor)
{
    m_sort = descriptor;
    if (m_collection.contactTable.isEmpty())
        return;
    updateTable();
    if (m_preferences)
        m_preferences->setLastSortDescriptor(descriptor);
}

QString ContactsViewController::sortKeyForColumn(const QString& identifier) const
{
    const auto it = m_sortOptions.constFind(identifier);
    return it == m_sortOptions.constEnd() ? identifier : it->selected;
}

void ContactsViewController::applySortChoice(const QString& identifier, const QString& sortKey)
{
    auto it = m_sortOptions.find(identifier);
    if (it == m_sortOptions.end() || !it->items.contains(sortKey))
        return;
    // The rows are sorted by the key even while its column is not shown.
    it->selected = sortKey;
    const bool ascending = m_sort ? m_sort->ascending : true;
    sortDescriptorsDidChange(SortDescriptor{sortKey, ascending});
}

void ContactsViewController::sortOptionsSelected(const QString& identifier, const QString& sortKey)
{
    if (SortKeys::headerMenuIdentifiers().contains(identifier))
        applySortChoice(identifier, sortKey);
}

void ContactsViewController::sortOptionsSelectForIdentifier(const QString& identifier, const QString& sortKey)
{
    if (SortKeys::popupIdentifiers().contains(identifier))
        applySortChoice(identifier, sortKey);
}

} // namespace Quillary
