#include "FindPanelModel.h"

#include "FindMenus.h"
#include "TextMatcher.h"
#include "model/LabelTable.h"
#include "support/CoreTr.h"
#include "support/Localized.h"

#include <QPoint>

#include <algorithm>

namespace Quillary {

namespace {

const QString& columnIdentifier(int column)
{
    static const QStringList identifiers{Field::Name, QStringLiteral("Item"), QStringLiteral("SubItem"),
                                         QStringLiteral("Label"), QStringLiteral("Value")};
    return identifiers.at(column);
}

/// What a cell of a record shows.
QString cellText(const FindRecord& record, int column)
{
    switch (column) {
    case FindPanelModel::NameColumn:
        return record.name;
    case FindPanelModel::ItemColumn:
        return localized(record.item);
    case FindPanelModel::SubItemColumn:
        return record.subItem.isEmpty() ? QString() : localized(record.subItem);
    case FindPanelModel::LabelColumn:
        return record.label;
    default:
        return record.value;
    }
}

} // namespace

FindPanelModel::FindPanelModel(QObject* parent) : QAbstractTableModel(parent) { }

FindPanelModel::~FindPanelModel()
{
    // The steps may call back into the model while the stack deletes them.
    m_undoStack.clear();
}

void FindPanelModel::setEditable(bool editable)
{
    m_editable = editable;
    if (!editable)
        setEditState(false);
}

void FindPanelModel::setEditState(bool on)
{
    on = on && m_editable;
    if (m_editState == on)
        return;
    m_editState = on;
    Q_EMIT stateChanged();
    if (!m_results.isEmpty())
        Q_EMIT dataChanged(index(0, ValueColumn), index(rowCount() - 1, ValueColumn));
}

void FindPanelModel::setUp()
{
    m_items = FindMenus::itemEntries(m_items);
    if (m_selectedItems.isEmpty())
        m_selectedItems = {LabelText::All};
    if (m_subItems.isEmpty())
        m_subItems = FindMenus::subItemEntries();
    m_selectedSubItems = {LabelText::All};
    if (m_labels.isEmpty())
        m_labels = FindMenus::defaultLabelEntries();
    m_selectedLabels = {LabelText::All};
    if (m_dateLabels.isEmpty())
        m_dateLabels = FindMenus::dateLabels();
}

void FindPanelModel::chooseItem(const QString& identifier)
{
    m_selectedItems = FindMenus::choose(m_selectedItems, identifier);
    updateTable();
}

void FindPanelModel::chooseSubItem(const QString& identifier)
{
    m_selectedSubItems = FindMenus::choose(m_selectedSubItems, identifier);
    updateTable();
}

void FindPanelModel::chooseLabel(const QString& label)
{
    m_selectedLabels = FindMenus::choose(m_selectedLabels, label);
    updateTable();
}

QString FindPanelModel::itemMenuTitle() const
{
    return FindMenus::summaryTitle(FindMenus::Menu::Items, m_selectedItems);
}

QString FindPanelModel::subItemMenuTitle() const
{
    return FindMenus::summaryTitle(FindMenus::Menu::SubItems, m_selectedSubItems);
}

QString FindPanelModel::labelMenuTitle() const
{
    return FindMenus::summaryTitle(FindMenus::Menu::Labels, m_selectedLabels);
}

void FindPanelModel::chooseSearchMode(SearchMode mode)
{
    m_mode = mode;
    updateTable();
}

void FindPanelModel::searchTextEntered(const QString& text)
{
    m_searchString = text;
    updateTable();
}

FindSelection FindPanelModel::selection() const
{
    FindSelection selection;
    const bool all = m_selectedItems.isEmpty() || m_selectedItems.first() == LabelText::All;
    selection.items = all ? FieldIdentifiers::allIdentifiers() : m_selectedItems;
    selection.subItems = m_selectedSubItems.isEmpty() ? QStringList{LabelText::All} : m_selectedSubItems;
    selection.labels = m_selectedLabels.isEmpty() ? QStringList{LabelText::All} : m_selectedLabels;
    return selection;
}

void FindPanelModel::updateTable()
{
    beginResetModel();
    TextMatcher matcher(m_searchString, m_mode);
    m_results = FindSearch::search(m_contacts, selection(), matcher);
    m_error = matcher.errorString();
    // Records found before the engine gave up would look like the whole answer.
    if (matcher.status() == TextMatcher::Status::TooComplex)
        m_results.clear();
    endResetModel();
    m_selectedRow = m_selectedRangeIndex = None;
    setCurrent(m_results.isEmpty() ? None : 0, m_results.isEmpty() ? None : 0);
    Q_EMIT stateChanged();
}

const FindRecordPtr* FindPanelModel::recordAt(qsizetype row) const
{
    return row >= 0 && row < m_results.size() ? &m_results.at(row) : nullptr;
}

qsizetype FindPanelModel::rangeCount(qsizetype row) const
{
    const FindRecordPtr* record = recordAt(row);
    return record ? (*record)->ranges.size() : 0;
}

void FindPanelModel::setCurrent(qsizetype row, qsizetype rangeIndex)
{
    const qsizetype previous = m_selectedRow;
    m_selectedRow = row;
    m_selectedRangeIndex = rangeIndex;
    for (const qsizetype changed : {previous, row}) {
        if (recordAt(changed))
            Q_EMIT dataChanged(index(int(changed), ValueColumn), index(int(changed), ValueColumn));
    }
    Q_EMIT currentChanged(row);
}

void FindPanelModel::selectRow(qsizetype row)
{
    if (!recordAt(row) || row == m_selectedRow)
        return;
    // The first occurrence of a chosen row is current, so that Replace acts on what is highlighted.
    setCurrent(row, rangeCount(row) > 0 ? 0 : None);
}

qsizetype FindPanelModel::rowWithRanges(qsizetype from, int direction) const
{
    const qsizetype count = m_results.size();
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype row = ((from + direction * step) % count + count) % count;
        if (rangeCount(row) > 0)
            return row;
    }
    return ((from + direction) % count + count) % count;
}

bool FindPanelModel::canStep()
{
    if (m_results.isEmpty())
        return false;
    if (recordAt(m_selectedRow))
        return true;
    // Nothing current (after Replace All): the search runs again instead.
    updateTable();
    return false;
}

void FindPanelModel::stepNext()
{
    if (!canStep())
        return;
    const qsizetype next = m_selectedRangeIndex == None ? 0 : m_selectedRangeIndex + 1;
    if (next < rangeCount(m_selectedRow))
        setCurrent(m_selectedRow, next);
    else
        setCurrent(rowWithRanges(m_selectedRow, 1), 0);
}

void FindPanelModel::stepPrevious()
{
    if (!canStep())
        return;
    const qsizetype count = rangeCount(m_selectedRow);
    if (m_selectedRangeIndex > 0 && count > 0) {
        setCurrent(m_selectedRow, qMin(m_selectedRangeIndex, count) - 1);
        return;
    }
    const qsizetype row = rowWithRanges(m_selectedRow, -1);
    setCurrent(row, rangeCount(row) > 0 ? rangeCount(row) - 1 : None);
}

bool FindPanelModel::canReplace() const
{
    const FindRecordPtr* record = recordAt(m_selectedRow);
    return m_editState && record && !(*record)->isDate();
}

bool FindPanelModel::canReplaceAll() const
{
    return m_editState && !m_results.isEmpty();
}

void FindPanelModel::pushChange(const QString& text, QList<FindRecordChange::Change> changes)
{
    m_undoStack.push(new FindRecordChange(text, std::move(changes), m_delegate,
                                          [this](const FindRecords& records) { recordsChanged(records); }));
}

void FindPanelModel::recordsChanged(const FindRecords& records)
{
    if (m_results.isEmpty() || records.isEmpty())
        return;
    if (records.size() == 1) {
        const qsizetype row = m_results.indexOf(records.first());
        if (row >= 0)
            Q_EMIT dataChanged(index(int(row), 0), index(int(row), ColumnCount - 1));
        return;
    }
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

bool FindPanelModel::replace(const QString& replacement)
{
    if (!canReplace())
        return false;
    const FindRecordPtr record = m_results.at(m_selectedRow);
    if (m_selectedRangeIndex == None || m_selectedRangeIndex >= record->ranges.size())
        return false;
    const FindRange range = record->ranges.at(m_selectedRangeIndex);
    if (range.end() > record->value.size())
        return false;
    TextMatcher matcher(m_searchString, m_mode);
    const QString inserted = matcher.replacementAt(record->value, range, replacement);
    const QString text = record->value.left(range.location) + inserted + record->value.mid(range.end());
    FindRecordState after{text, matcher.ranges(text), {}};
    // The next occurrence is the first one after the inserted text; without one, the next row's.
    const qsizetype resumeAt = range.location + inserted.size();
    const auto next = std::find_if(after.ranges.cbegin(), after.ranges.cend(),
                                   [resumeAt](const FindRange& r) { return r.location >= resumeAt; });
    const qsizetype nextIndex = next == after.ranges.cend() ? None : next - after.ranges.cbegin();
    pushChange(Tr::tr("Replace"), {{record, FindRecordChange::currentState(*record), std::move(after)}});
    if (nextIndex != None)
        setCurrent(m_selectedRow, nextIndex);
    else
        setCurrent(rowWithRanges(m_selectedRow, 1), 0);
    return true;
}

qsizetype FindPanelModel::replaceAll(const QString& replacement)
{
    if (!canReplaceAll())
        return 0;
    TextMatcher matcher(m_searchString, m_mode);
    QList<FindRecordChange::Change> changes;
    for (const FindRecordPtr& record : std::as_const(m_results)) {
        // Dates are not text: a date editor changes them, never a replacement.
        if (record->isDate() || record->ranges.isEmpty())
            continue;
        const QString text = matcher.replacedAll(record->value, replacement);
        if (text != record->value)
            changes.append({record, FindRecordChange::currentState(*record), {text, {}, {}}});
    }
    if (changes.isEmpty())
        return 0;
    const qsizetype changed = changes.size();
    pushChange(Tr::tr("Replace All"), std::move(changes));
    setCurrent(None, None);
    return changed;
}

bool FindPanelModel::setValueText(qsizetype row, const QString& text)
{
    const FindRecordPtr* record = recordAt(row);
    if (!m_editState || !record || (*record)->isDate() || (*record)->value == text)
        return false;
    // The occurrences of the new text are found again, so that Replace never acts on a stale range.
    TextMatcher matcher(m_searchString, m_mode);
    FindRecordState after{text, matcher.ranges(text), {}};
    const qsizetype current = after.ranges.isEmpty() ? None : 0;
    pushChange(Tr::tr("Change %1").arg(localized((*record)->item)),
               {{*record, FindRecordChange::currentState(**record), std::move(after)}});
    if (row == m_selectedRow)
        setCurrent(row, current);
    return true;
}

bool FindPanelModel::setDateValue(qsizetype row, const DateComponents& date)
{
    const FindRecordPtr* record = recordAt(row);
    if (!m_editState || !record || !(*record)->isDate())
        return false;
    const bool birthday = (*record)->item == Field::Birthday;
    if (!birthday && !date.isValid())
        return false;
    FindRecordState before = FindRecordChange::currentState(**record);
    if (before.date == date)
        return false;
    pushChange(Tr::tr("Change %1").arg(localized((*record)->item)),
               {{*record, std::move(before), {ContactDate::format(date), {}, date}}});
    return true;
}

int FindPanelModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_results.size());
}

int FindPanelModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindPanelModel::data(const QModelIndex& index, int role) const
{
    const FindRecordPtr* pointer = recordAt(index.row());
    if (!pointer)
        return {};
    const FindRecord& record = **pointer;
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == ValueColumn && m_searchString.isEmpty())
            return QString();
        return cellText(record, index.column());
    case Qt::EditRole:
        return cellText(record, index.column());
    case Qt::AccessibleTextRole:
        return cellText(record, index.column());
    case RangesRole: {
        QVariantList ranges;
        for (const FindRange& range : record.ranges)
            ranges.append(QPoint(int(range.location), int(range.length)));
        return ranges;
    }
    case CurrentRangeRole:
        return index.row() == m_selectedRow ? m_selectedRangeIndex : None;
    case LineCountRole:
        return int(record.value.count(u'\n')) + 1;
    default:
        return {};
    }
}

QVariant FindPanelModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount || role != Qt::DisplayRole)
        return {};
    return localized(columnIdentifier(section));
}

Qt::ItemFlags FindPanelModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const FindRecordPtr* record = recordAt(index.row());
    if (record && index.column() == ValueColumn && m_editState && !(*record)->isDate())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FindPanelModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != ValueColumn)
        return false;
    return setValueText(index.row(), value.toString());
}

void FindPanelModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount || m_results.isEmpty())
        return;
    const FindRecordPtr current = recordAt(m_selectedRow) ? m_results.at(m_selectedRow) : nullptr;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::stable_sort(m_results.begin(), m_results.end(),
                     [column, order](const FindRecordPtr& a, const FindRecordPtr& b) {
                         const int compared = cellText(*a, column).localeAwareCompare(cellText(*b, column));
                         return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
                     });
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    if (current)
        setCurrent(m_results.indexOf(current), m_selectedRangeIndex);
}

} // namespace Quillary
