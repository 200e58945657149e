#include "TableTextFinder.h"

#include "ContactsTableModel.h"
#include "ContactsViewController.h"
#include "FindBarReplacing.h"
#include "support/CoreTr.h"

#include <algorithm>

namespace Quillary {

namespace {

QString& sharedFindText()
{
    static QString text;
    return text;
}

/// Every start of `needle` in `text`, left to right, matches not overlapping.
QList<qsizetype> positionsOf(QStringView text, QStringView needle, Qt::CaseSensitivity cs)
{
    QList<qsizetype> positions;
    for (qsizetype at = text.indexOf(needle, 0, cs); at >= 0; at = text.indexOf(needle, at + needle.size(), cs))
        positions.append(at);
    return positions;
}

} // namespace

TableTextFinder::TableTextFinder(ContactsViewController& controller, QObject* parent)
    : QObject(parent), m_controller(controller), m_text(controller)
{
    connect(controller.model(), &QAbstractItemModel::modelReset, this, &TableTextFinder::rowsRebuilt);
}

TableTextFinder::~TableTextFinder() = default;

QString TableTextFinder::findPasteboard()
{
    return sharedFindText();
}

void TableTextFinder::setFindPasteboard(const QString& text)
{
    sharedFindText() = text;
}

void TableTextFinder::rowsRebuilt()
{
    // Rebuilt rows may be others, in another order: the text is laid out again when next searched.
    m_text.invalidate();
}

// The bar ------------------------------------------------------------------------------------

TableTextFinder::Action TableTextFinder::actionForFind() const
{
    return isFindBarVisible() && !isReplaceVisible() ? Action::HideFindInterface : Action::ShowFindInterface;
}

TableTextFinder::Action TableTextFinder::actionForFindAndReplace() const
{
    return isReplaceVisible() ? Action::HideFindInterface : Action::ShowReplaceInterface;
}

bool TableTextFinder::isEditable() const
{
    return m_controller.editState();
}

void TableTextFinder::performAction(Action action)
{
    switch (action) {
    case Action::ShowFindInterface:
    case Action::ShowReplaceInterface: {
        const bool wasVisible = isFindBarVisible();
        m_findBarState = action;
        const QString shared = findPasteboard();
        if (!wasVisible && !shared.isEmpty() && shared != m_searchText) {
            m_searchText = shared;
            m_matchesGeneration = 0;
            Q_EMIT searchTextChanged(m_searchText);
        }
        break;
    }
    case Action::HideFindInterface:
        m_findBarState = action;
        m_selectedRange = {};
        m_controller.setCurrentMatch({});
        // The laid-out text of a large table is big: it is made again when the bar is next used.
        m_text.invalidate();
        m_matches = {};
        break;
    case Action::NextMatch:
    case Action::PreviousMatch:
        if (!isFindBarVisible())
            performAction(Action::ShowFindInterface);
        if (action == Action::NextMatch)
            findNext();
        else
            findPrevious();
        return;
    case Action::SetSearchString:
        return;
    }
    m_controller.setFindBarVisible(isFindBarVisible());
    updateHighlighting();
    Q_EMIT findBarStateChanged();
}

void TableTextFinder::useSelectionForFind(const QString& text)
{
    if (text.isEmpty())
        return;
    setSearchText(text);
    Q_EMIT searchTextChanged(m_searchText);
}

void TableTextFinder::updateHighlighting()
{
    // Hiding the bar takes every mark off the cells.
    const bool shown = isFindBarVisible();
    m_controller.setSearchString(shown ? m_searchText : QString(),
                                 m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

// Searching -----------------------------------------------------------------------------------

void TableTextFinder::setSearchText(const QString& text)
{
    setFindPasteboard(text);
    if (text == m_searchText)
        return;
    m_searchText = text;
    m_matchesGeneration = 0;
    updateHighlighting();
}

void TableTextFinder::setCaseSensitive(bool on)
{
    if (on == m_caseSensitive)
        return;
    m_caseSensitive = on;
    m_matchesGeneration = 0;
    updateHighlighting();
}

const QList<qsizetype>& TableTextFinder::matches()
{
    const QString& text = m_text.text(); // lays the rows out first: the generation is then current
    if (m_matchesGeneration == m_text.generation())
        return m_matches;
    m_matchesGeneration = m_text.generation();
    m_matches.clear();
    if (m_searchText.isEmpty())
        return m_matches;
    m_matches = positionsOf(text, m_searchText, m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    return m_matches;
}

bool TableTextFinder::moveTo(qsizetype position)
{
    selectTextInRange({position, m_searchText.size()});
    return true;
}

bool TableTextFinder::findNext()
{
    const QList<qsizetype>& found = matches();
    if (found.isEmpty()) {
        selectTextInRange({});
        return false;
    }
    const qsizetype from = m_selectedRange.length > 0 ? m_selectedRange.end() : m_selectedRange.location;
    const auto it = std::lower_bound(found.cbegin(), found.cend(), from);
    return moveTo(it == found.cend() ? found.first() : *it);
}

bool TableTextFinder::findPrevious()
{
    const QList<qsizetype>& found = matches();
    if (found.isEmpty()) {
        selectTextInRange({});
        return false;
    }
    const auto it = std::lower_bound(found.cbegin(), found.cend(), m_selectedRange.location);
    return moveTo(it == found.cbegin() ? found.last() : *std::prev(it));
}

bool TableTextFinder::findFromSelection()
{
    const QList<qsizetype>& found = matches();
    if (found.isEmpty()) {
        selectTextInRange({m_selectedRange.location, 0});
        return false;
    }
    const auto it = std::lower_bound(found.cbegin(), found.cend(), m_selectedRange.location);
    return moveTo(it == found.cend() ? found.first() : *it);
}

int TableTextFinder::matchCount()
{
    return int(matches().size());
}

int TableTextFinder::currentMatchNumber()
{
    const QList<qsizetype>& found = matches();
    if (m_selectedRange.length != m_searchText.size() || m_searchText.isEmpty())
        return 0;
    const auto it = std::lower_bound(found.cbegin(), found.cend(), m_selectedRange.location);
    return it != found.cend() && *it == m_selectedRange.location ? int(it - found.cbegin()) + 1 : 0;
}

QString TableTextFinder::countText()
{
    if (m_searchText.isEmpty())
        return {};
    const int count = matchCount();
    if (count == 0)
        return Tr::tr("Not found");
    const int current = currentMatchNumber();
    return current > 0 ? Tr::tr("%1 of %2").arg(current).arg(count) : Tr::tr("%1 matches").arg(count);
}

// The current match --------------------------------------------------------------------------

void TableTextFinder::selectTextInRange(const TextRange& range)
{
    const std::optional<FindBarReplacing::Location> location =
        range.length > 0 ? FindBarReplacing::locate(m_text, range) : std::nullopt;
    m_selectedRange = range;
    if (!location) {
        m_controller.setCurrentMatch({});
        Q_EMIT selectionChanged();
        return;
    }
    // Where the sub-field's text lies in what the cell shows: a name, an address or an account
    // shows several sub-fields in one text.
    const int column = int(m_controller.tableIdentfiers().indexOf(location->item.identifier));
    const QString shown = m_controller.cell(location->row, column).text;
    const QStringView field = location->item.text();
    qsizetype start = shown == field ? location->offset : -1;
    if (start < 0 && !field.isEmpty()) {
        const qsizetype base = shown.indexOf(field);
        start = base < 0 ? -1 : base + location->offset;
    }
    if (start < 0)
        start = shown.indexOf(field.mid(location->offset, location->length), 0,
                              m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    m_controller.selectRowIndexes({location->row});
    m_controller.setCurrentMatch(start < 0 ? CellMatch{}
                                           : CellMatch{location->row, column, int(start), int(location->length)});
    Q_EMIT selectionChanged();
}

// Replacing -----------------------------------------------------------------------------------

bool TableTextFinder::replace(const QString& with)
{
    UndoRegistry* registry = m_controller.delegate();
    if (!isEditable() || !registry || m_selectedRange.length == 0)
        return false;
    const std::optional<FindBarReplacing::Location> location = FindBarReplacing::locate(m_text, m_selectedRange);
    if (!location)
        return false;
    const FindBarReplacing::Plan plan = FindBarReplacing::plan(m_controller.subContactTable(), {*location}, with,
                                                               m_controller.collection().selectedLabels);
    const qsizetype at = m_selectedRange.location;
    if (plan.editorRow >= 0) {
        m_selectedRange = {at, 0};
        Q_EMIT editorRequested(plan.editorRow, int(m_controller.tableIdentfiers().indexOf(plan.editorColumn)));
        return false;
    }
    if (!CellEdits::applyInOneStep(*registry, plan.edits, Tr::tr("Replace")))
        return false;
    m_controller.updateTable();
    m_selectedRange = {at, with.size()};
    Q_EMIT selectionChanged();
    return true;
}

int TableTextFinder::replaceAll(const QString& with)
{
    UndoRegistry* registry = m_controller.delegate();
    if (!isEditable() || !registry || m_searchText.isEmpty())
        return 0;
    QList<FindBarReplacing::Location> locations;
    for (const qsizetype position : matches()) {
        if (std::optional<FindBarReplacing::Location> location =
                FindBarReplacing::locate(m_text, {position, m_searchText.size()}))
            locations.append(std::move(*location));
    }
    const FindBarReplacing::Plan plan = FindBarReplacing::plan(m_controller.subContactTable(), locations, with,
                                                               m_controller.collection().selectedLabels);
    if (!CellEdits::applyInOneStep(*registry, plan.edits, Tr::tr("Replace All")))
        return 0;
    m_controller.updateTable();
    m_selectedRange = {};
    Q_EMIT selectionChanged();
    return plan.replaced;
}

} // namespace Quillary
