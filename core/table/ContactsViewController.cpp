#include "ContactsViewController.h"

#include "ContactsTableModel.h"
#include "RowSorter.h"
#include "documents/Preferences.h"
#include "model/LabelTable.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>

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
        cached = qint8(qMin(100,
                            TableCells::numLines(m_rows.at(row), m_columns, m_options.showCompanyInNameCell,
                                                 m_options.selectedLabels)));
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
    m_sortedRows.update(m_collection, m_columns, m_sort, &m_labels);
    m_numLines.fill(-1, m_rows.size());
    // Decided here, not when asked: the owner changes its contacts and group before it reloads,
    // and the model may not change its row count outside a reset.
    m_hasSummaryRow = m_collection.selectedGroupDict && !m_collection.contactTable.isEmpty();
    m_selection.clear();
    m_currentMatch = {};
    m_model->endReset();
}

QList<int> ContactsViewController::validSelection(QList<int> rows, const QList<int>& fallback) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int row) { return row < 0 || row >= m_rows.size(); });
    // Like the table of the window, the rows never have no selection: Export and the other
    // commands on selected contacts always have one.
    if (rows.isEmpty() && !m_rows.isEmpty())
        rows = fallback.isEmpty() ? QList<int>{0} : fallback;
    return rows;
}

void ContactsViewController::selectRows(QList<int> rows)
{
    m_selection = validSelection(std::move(rows), {});
    Q_EMIT selectionChanged(m_selection);
    if (!m_selection.isEmpty())
        Q_EMIT scrollToRow(m_selection.first());
}

void ContactsViewController::setSelectedIndexes(QList<int> rows)
{
    m_selection = validSelection(std::move(rows), m_selection);
}

void ContactsViewController::updateTable()
{
    // What is selected, by contact and by value: a labelled value is followed through a re-sort
    // that moves it to another row of its contact (the one of the sort field, or of the field the
    // rows showed in sort order).
    const QString sortIdentifier =
        m_sort ? SortKeys::separateSortKeyIntoIdentifierAndKey(m_sort->key).first : Field::Name;
    const std::optional<LabeledField> sortField = TableRows::listForColumn(sortIdentifier);
    struct Remembered
    {
        int key; ///< the label index of the value, or the row's index when `field` is none
        std::optional<LabeledField> field;
    };
    // Keyed by the contact itself: hashing a pointer per row is much cheaper than its unique id.
    QHash<const ContactEntry*, QList<Remembered>> remembered;
    for (int position : std::as_const(m_selection)) {
        const SubContactRow& row = m_rows.at(position);
        const std::optional<LabeledField> field =
            row.orderedField >= 0 ? std::optional<LabeledField>(LabeledField(row.orderedField)) : sortField;
        // The rows were made with the filter they were last reloaded with.
        const LabeledValue* value = field ? TableRows::rowValue(row, *field, m_options.selectedLabels) : nullptr;
        remembered[row.contact.get()].append(value ? Remembered{value->labelIndex, field}
                                                   : Remembered{row.index, std::nullopt});
    }
    reload();
    // Mostly one contact is selected: each row's contact is compared with a few addresses before
    // any hashing.
    constexpr qsizetype Few = 8;
    QVarLengthArray<const ContactEntry*, Few> few;
    for (auto it = remembered.cbegin(); it != remembered.cend() && remembered.size() <= Few; ++it)
        few.append(it.key());
    QList<int> selected;
    for (int position = 0; position < m_rows.size() && !remembered.isEmpty(); ++position) {
        const SubContactRow& row = m_rows.at(position);
        if (!few.isEmpty() && !few.contains(row.contact.get()))
            continue;
        const auto it = remembered.constFind(row.contact.get());
        if (it == remembered.constEnd())
            continue;
        for (const Remembered& entry : *it) {
            const LabeledValue* value =
                entry.field ? TableRows::rowValue(row, *entry.field, m_collection.selectedLabels) : nullptr;
            if (value ? value->labelIndex == entry.key : row.index == entry.key) {
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
    Q_EMIT layoutAboutToChange();
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
