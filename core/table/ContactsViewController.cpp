#include "ContactsViewController.h"

#include "ContactsTableModel.h"
#include "RowSorter.h"
#include "documents/Preferences.h"
#include "model/LabelTable.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace Quillary {

ContactsViewController::ContactsViewController(ContactCollection& collection, UndoRegistry* delegate,
                                               Preferences* preferences, QObject* parent)
    : QObject(parent), m_collection(collection), m_delegate(delegate), m_preferences(preferences),
      m_model(new ContactsTableModel(*this, this))
{
    QVariantMap storedChoices;
    if (m_preferences) {
        const QMap<QString, QString> choices = m_preferences->sortOptionsDefault();
        for (auto it = choices.cbegin(); it != choices.cend(); ++it)
            storedChoices.insert(it.key(), it.value());
        if (const auto widths = m_preferences->columnWidthDictionary())
            m_columnWidths = *widths;
        m_options.showNameInAllRows = m_preferences->showNameInAllRows();
        m_options.showCompanyInNameCell = m_preferences->showCompanyInNameCell();
    }
    m_sortOptions = SortKeys::aSortOptionsDict(storedChoices);
    if (m_preferences) {
        // A stored sort counts only when its field is a column of the table; checked once columns exist.
        if (const auto stored = m_preferences->lastSortDescriptor())
            m_sort = stored;
    }
}

ContactsViewController::~ContactsViewController() = default;

int ContactsViewController::rowCount() const
{
    return m_hasSummaryRow ? int(m_rows.size()) + 1 : 0;
}

CellContent ContactsViewController::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return {};
    return TableCells::cell(m_rows.at(row), row, m_columns.at(column), m_options);
}

int ContactsViewController::numLines(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return 1;
    qint8& cached = m_numLines[row];
    if (cached < 0)
        cached = qint8(qMin(100, TableCells::numLines(m_rows.at(row), m_columns, m_options.showCompanyInNameCell)));
    return cached;
}

QString ContactsViewController::summaryText() const
{
    int contacts = 0;
    for (const SubContactRow& row : m_rows)
        contacts += row.index == 0;
    const QString group = m_collection.selectedGroupDict ? m_collection.selectedGroupDict->groupName : QString();
    return TableCells::summaryText(group, contacts);
}

void ContactsViewController::reload()
{
    m_model->beginReset();
    m_options.selectedLabels = m_collection.selectedLabels;
    m_rows = TableRows::updateSubContactTable(m_collection, m_columns, m_sort, &m_labels);
    RowSorter::sortSubContactTable(m_rows, m_sort, m_collection.selectedLabels);
    TableRows::markContinuationRows(m_rows);
    m_numLines.fill(-1, m_rows.size());
    // Decided here, not when asked: the owner changes its contacts and group before it reloads,
    // and the model may not change its row count outside a reset.
    m_hasSummaryRow = m_collection.selectedGroupDict && !m_collection.contactTable.isEmpty();
    m_selection.clear();
    m_currentMatch = {};
    m_model->endReset();
}

void ContactsViewController::selectRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int row) { return row < 0 || row >= m_rows.size(); });
    m_selection = rows;
    Q_EMIT selectionChanged(m_selection);
    if (!m_selection.isEmpty())
        Q_EMIT scrollToRow(m_selection.first());
}

void ContactsViewController::setSelectedIndexes(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int row) { return row < 0 || row >= m_rows.size(); });
    m_selection = rows;
}

void ContactsViewController::updateTable()
{
    // What is selected, by contact and by value: the value key follows a labelled value through a
    // re-sort that moved it to another row of its contact.
    const QString sortIdentifier =
        m_sort ? SortKeys::separateSortKeyIntoIdentifierAndKey(m_sort->key).first : Field::Name;
    const std::optional<LabeledField> sortField = TableRows::listForColumn(sortIdentifier);
    struct Remembered
    {
        int key;
        bool byLabelIndex;
    };
    // Keyed by the contact itself: hashing a pointer per row is much cheaper than its unique id.
    QHash<const ContactEntry*, QList<Remembered>> remembered;
    for (int position : std::as_const(m_selection)) {
        const SubContactRow& row = m_rows.at(position);
        Remembered entry{row.index, false};
        if (sortField) {
            const LabeledValueList& values = row.person().labeledValues(*sortField);
            entry = {row.index < values.size() ? values.at(row.index).labelIndex : row.index, true};
        }
        remembered[row.contact.get()].append(entry);
    }
    reload();
    if (remembered.isEmpty())
        return;
    QList<int> selected;
    for (int position = 0; position < m_rows.size(); ++position) {
        const SubContactRow& row = m_rows.at(position);
        const auto it = remembered.constFind(row.contact.get());
        if (it == remembered.constEnd())
            continue;
        for (const Remembered& entry : *it) {
            bool match = row.index == entry.key;
            if (entry.byLabelIndex) {
                const LabeledValueList& values = row.person().labeledValues(*sortField);
                match =
                    row.index < values.size() ? values.at(row.index).labelIndex == entry.key : row.index == entry.key;
            }
            if (match) {
                selected.append(position);
                break;
            }
        }
    }
    selectRows(selected);
}

void ContactsViewController::updateTableForContact(const ContactEntryPtr& contact)
{
    // Like a plain reload of the view, the selected row numbers stay (without scrolling) unless
    // the contact is found.
    const QList<int> previous = m_selection;
    reload();
    if (contact) {
        for (int position = 0; position < m_rows.size(); ++position) {
            if (m_rows.at(position).contact == contact) {
                selectRows({position});
                return;
            }
        }
    }
    setSelectedIndexes(previous);
    Q_EMIT selectionChanged(m_selection);
}

void ContactsViewController::updateTableThenSelectByUniquId(const QString& uniqueId)
{
    QList<int> previous;
    QStringList previousIds;
    for (int position : std::as_const(m_selection))
        previousIds.append(m_rows.at(position).uniqueId());
    reload();
    if (!uniqueId.isEmpty()) {
        for (int position = 0; position < m_rows.size(); ++position) {
            if (m_rows.at(position).uniqueId() == uniqueId) {
                selectRows({position});
                return;
            }
        }
    }
    // Else the rows of the contacts selected before.
    for (int position = 0; position < m_rows.size(); ++position) {
        if (previousIds.contains(m_rows.at(position).uniqueId()))
            previous.append(position);
    }
    selectRows(previous);
}

void ContactsViewController::updateTableThenSelectByUniquIds(const QStringList& uniqueIds)
{
    updateTable();
    selectRowsOf(uniqueIds);
}

void ContactsViewController::selectRowsOf(const QStringList& uniqueIds)
{
    const QSet<QString> wanted(uniqueIds.cbegin(), uniqueIds.cend());
    QList<int> rows;
    for (int position = 0; position < m_rows.size(); ++position) {
        if (wanted.contains(m_rows.at(position).uniqueId()))
            rows.append(position);
    }
    if (!rows.isEmpty())
        selectRows(rows);
}

QStringList ContactsViewController::uniqueIdsOfSelectedContacts() const
{
    QStringList ids;
    for (int position : m_selection)
        ids.append(m_rows.at(position).uniqueId());
    return ids;
}

QString ContactsViewController::uniqueIdOfSelectedContact() const
{
    return m_selection.isEmpty() ? QString() : m_rows.at(m_selection.first()).uniqueId();
}

ContactTable ContactsViewController::contactsForIndexes(const QList<int>& rows) const
{
    // Callers pass rows in the order the user picked them (a view's selection, a drag); the
    // contacts come in table order all the same.
    QList<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    ContactTable contacts;
    QSet<const ContactEntry*> taken; // a whole table may be selected: no search through the list
    for (int position : std::as_const(ordered)) {
        if (position < 0 || position >= m_rows.size())
            continue;
        const ContactEntryPtr& contact = m_rows.at(position).contact;
        if (!contact->deleted && !taken.contains(contact.get())) {
            taken.insert(contact.get());
            contacts.append(contact);
        }
    }
    return contacts;
}

ContactTable ContactsViewController::selectedContacts() const
{
    return contactsForIndexes(m_selection);
}

ContactTable ContactsViewController::selectedContactsWithClickedRowIndex(int clickedRow) const
{
    QSet<QString> ids;
    for (int position : m_selection)
        ids.insert(m_rows.at(position).uniqueId());
    if (clickedRow >= 0 && clickedRow < m_rows.size())
        ids.insert(m_rows.at(clickedRow).uniqueId());
    ContactTable contacts;
    for (const ContactEntryPtr& contact : m_collection.contactTable) {
        if (ids.contains(contact->uniqueId))
            contacts.append(contact);
    }
    return contacts;
}

void ContactsViewController::setEditState(bool on)
{
    if (m_options.editState == on)
        return;
    m_options.editState = on;
    updateTable();
}

void ContactsViewController::setSelectedLabels(const QStringList& labels)
{
    m_collection.selectedLabels = labels.isEmpty() ? QStringList{LabelText::All} : labels;
    updateTableThenSelectByUniquIds(uniqueIdsOfSelectedContacts());
}

void ContactsViewController::toggleShowNameInAllRows()
{
    m_options.showNameInAllRows = !m_options.showNameInAllRows;
    if (m_preferences)
        m_preferences->setShowNameInAllRows(m_options.showNameInAllRows);
    updateTableForContact({});
}

void ContactsViewController::toggleShowCompany()
{
    m_options.showCompanyInNameCell = !m_options.showCompanyInNameCell;
    if (m_preferences)
        m_preferences->setShowCompanyInNameCell(m_options.showCompanyInNameCell);
    updateTableForContact({});
}

void ContactsViewController::setSearchString(const QString& text, Qt::CaseSensitivity cs)
{
    if (m_searchString == text && m_searchCase == cs)
        return;
    m_searchString = text;
    m_searchCase = cs;
    m_model->refreshAll();
}

void ContactsViewController::setCurrentMatch(const CellMatch& match)
{
    if (m_currentMatch == match)
        return;
    m_currentMatch = match;
    m_model->refreshAll();
}

QList<TextHighlight> ContactsViewController::highlights(int row, int column, const QString& text) const
{
    QList<TextHighlight> result;
    const bool here = m_currentMatch.isValid() && m_currentMatch.row == row && m_currentMatch.column == column;
    for (const auto& [start, length] : TableCells::highlightRanges(text, m_searchString, m_searchCase)) {
        if (!(here && start == m_currentMatch.start))
            result.append({start, length, false});
    }
    if (here && m_currentMatch.start + m_currentMatch.length <= text.size())
        result.append({m_currentMatch.start, m_currentMatch.length, true});
    std::sort(result.begin(), result.end(),
              [](const TextHighlight& a, const TextHighlight& b) { return a.start < b.start; });
    return result;
}

} // namespace Quillary
