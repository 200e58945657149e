// Where editing goes: the editor a double click opens, the cell a key moves to, the context menu.

#include "CellEditing.h"
#include "CellValues.h"
#include "ContactsViewController.h"
#include "TableCells.h"
#include "TableRows.h"

namespace Quillary {

namespace {

using CellValues::ColumnKind;

EditDecision inPlace(int row, int column)
{
    EditDecision decision;
    decision.kind = EditDecision::Kind::EditInPlace;
    decision.row = row;
    decision.column = column;
    return decision;
}

EditDecision notConsumed()
{
    EditDecision decision;
    decision.consumed = false;
    return decision;
}

bool isTypedInPlace(ColumnKind kind)
{
    return kind == ColumnKind::LabeledText || kind == ColumnKind::AddressPart || kind == ColumnKind::Text
        || kind == ColumnKind::Other;
}

} // namespace

EditorContext CellEditing::contextFor(int row, const QString& identifier, bool editEnabled) const
{
    const SubContactRow& subContact = *rowAt(row);
    EditorContext context;
    context.contact = subContact.contact;
    context.type = TableCells::fieldOfColumn(identifier);
    // The editor shows the contact's whole list, starting at the value this row shows: a sort or a
    // label filter may show it on another row than its position in the list.
    const std::optional<LabeledField> field = TableRows::listForColumn(identifier);
    const qsizetype position = field ? TableRows::valuePosition(subContact, *field, selectedLabels()) : -1;
    context.index = position >= 0 ? int(position) : subContact.index;
    const std::optional<LabeledValue> value = CellValues::valueAt(subContact, identifier, selectedLabels());
    context.labelIndex = value ? value->labelIndex : -1;
    context.editEnabled = editEnabled;
    return context;
}

EditDecision CellEditing::popover(PopoverKind kind, int row, int column, bool editEnabled) const
{
    EditDecision decision;
    decision.kind = EditDecision::Kind::Popover;
    decision.popover = kind;
    decision.row = row;
    decision.column = column;
    decision.context = contextFor(row, columnAt(column), editEnabled);
    return decision;
}

EditDecision CellEditing::tableViewDoubleAction(int row, int column, bool commandKey)
{
    m_pending.reset();
    const QString identifier = columnAt(column);
    if (!rowAt(row) || identifier.isEmpty())
        return {};
    QList<int> rows = rowsWithValue(m_controller.selectedIndexes(), identifier);
    if (!rows.contains(row))
        rows.append(row);
    std::sort(rows.begin(), rows.end());
    if (m_controller.editState())
        return startEdit(rows, row, column, commandKey);
    return doubleClickOutsideEditMode(rows, row, column, commandKey);
}

EditDecision CellEditing::startEdit(const QList<int>& rows, int row, int column, bool commandKey)
{
    const QString identifier = columnAt(column);
    // The contact information shows one contact: there is no same value to set in other rows.
    if (rows.size() > 1 && CellValues::kindOf(identifier) != ColumnKind::Name) {
        remember(identifier, rows);
        EditDecision decision;
        decision.kind = EditDecision::Kind::Confirm;
        decision.row = row;
        decision.column = column;
        decision.commandKey = commandKey;
        decision.confirmation = Confirmation{Confirmation::Kind::SameValue, identifier, rows};
        return decision;
    }
    remember(identifier, {row});
    const EditDecision decision = editTableViewCellOrShowPopoverForColumn(column, row, commandKey);
    if (decision.kind == EditDecision::Kind::None)
        m_pending.reset();
    return decision;
}

EditDecision CellEditing::doubleClickOutsideEditMode(const QList<int>& rows, int row, int column, bool commandKey)
{
    const QString identifier = columnAt(column);
    const ColumnKind kind = CellValues::kindOf(identifier);
    const bool value = hasValue(row, identifier);
    // Without edit mode no confirmation is asked, so what an editor returns goes to this row only.
    remember(identifier, {row});
    switch (kind) {
    case ColumnKind::Name:
        return popover(PopoverKind::ContactInfo, row, column, false);
    case ColumnKind::Address:
    case ColumnKind::InstantMessage:
        if (value) {
            const PopoverKind single = kind == ColumnKind::Address ? PopoverKind::Address : PopoverKind::InstantMessage;
            return popover(commandKey ? PopoverKind::MultiValue : single, row, column, commandKey);
        }
        break;
    case ColumnKind::PhoneticName:
        if (value)
            return popover(PopoverKind::PhoneticName, row, column, commandKey);
        break;
    case ColumnKind::Dates:
    case ColumnKind::Birthday:
        if (value)
            return popover(PopoverKind::Date, row, column, commandKey);
        break;
    case ColumnKind::AddressPart:
        if (commandKey)
            return popover(value ? PopoverKind::Address : PopoverKind::MultiValue, row, column, true);
        m_pending.reset();
        return {};
    default:
        break;
    }
    if (commandKey)
        return startEdit(rows, row, column, true);
    m_pending.reset();
    return {};
}

EditDecision CellEditing::multiReplaceAlertDidEnd(bool ok, int row, int column, bool commandKey)
{
    if (!ok || !m_pending) {
        m_pending.reset();
        return {};
    }
    const EditDecision decision = editTableViewCellOrShowPopoverForColumn(column, row, commandKey);
    if (decision.kind == EditDecision::Kind::None)
        m_pending.reset();
    return decision;
}

EditDecision CellEditing::editTableViewCellOrShowPopoverForColumn(int column, int row, bool commandKey) const
{
    const QString identifier = columnAt(column);
    if (!rowAt(row) || identifier.isEmpty())
        return {};
    const bool editMode = m_controller.editState();
    const bool editing = editMode || commandKey;
    const bool value = hasValue(row, identifier);
    switch (CellValues::kindOf(identifier)) {
    case ColumnKind::Name:
        return popover(PopoverKind::ContactInfo, row, column, editMode);
    case ColumnKind::LabeledText:
        if (!editing)
            return {};
        return commandKey || !value ? popover(PopoverKind::MultiValue, row, column, true) : inPlace(row, column);
    case ColumnKind::AddressPart:
        if (!editing)
            return {};
        if (!value)
            return popover(PopoverKind::MultiValue, row, column, true);
        return editMode ? inPlace(row, column) : popover(PopoverKind::Address, row, column, true);
    case ColumnKind::Address:
    case ColumnKind::InstantMessage: {
        if (!editing)
            return {};
        const bool address = CellValues::kindOf(identifier) == ColumnKind::Address;
        const PopoverKind single = address ? PopoverKind::Address : PopoverKind::InstantMessage;
        return popover(commandKey || !value ? PopoverKind::MultiValue : single, row, column, true);
    }
    case ColumnKind::Dates:
    case ColumnKind::Birthday:
        return editing ? popover(PopoverKind::Date, row, column, true) : EditDecision();
    case ColumnKind::PhoneticName:
        return editing ? popover(PopoverKind::PhoneticName, row, column, true) : EditDecision();
    case ColumnKind::Text:
    case ColumnKind::Other:
        if (editMode && CellValues::hasTextCell(*rowAt(row), identifier, selectedLabels()))
            return inPlace(row, column);
        return {};
    }
    return {};
}

// Keys while editing -------------------------------------------------------------------------------

int CellEditing::nextRowWith(int start, const QString& identifier) const
{
    const int count = int(m_controller.subContactTable().size());
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        if (CellValues::hasTextCell(*rowAt(row), identifier, selectedLabels()))
            return row;
    }
    return -1;
}

EditDecision CellEditing::returnKey(int row, int column) const
{
    const int count = int(m_controller.subContactTable().size());
    const int next = row + 1 < count ? row + 1 : 0;
    const QString identifier = columnAt(column);
    EditDecision decision;
    switch (CellValues::kindOf(identifier)) {
    case ColumnKind::Name:
        decision = notConsumed();
        break;
    case ColumnKind::PhoneticName:
        decision = popover(PopoverKind::PhoneticName, next, column, true);
        break;
    case ColumnKind::Address:
    case ColumnKind::InstantMessage:
        decision = popover(PopoverKind::MultiValue, next, column, true);
        break;
    case ColumnKind::Dates:
    case ColumnKind::Birthday:
        decision = popover(PopoverKind::Date, next, column, true);
        break;
    default: {
        // The next cell below that can be typed into, wrapping to the top.
        const int target = nextRowWith(next, identifier);
        if (target < 0) {
            decision = notConsumed();
            break;
        }
        decision = inPlace(target, column);
        decision.selectRow = target;
        decision.endEditing = true;
        return decision;
    }
    }
    decision.endEditing = true;
    decision.selectRow = next;
    return decision;
}

EditDecision CellEditing::tabKey(int row, int column, bool backwards) const
{
    const int rowCount = int(m_controller.subContactTable().size());
    const int lastColumn = int(m_controller.tableIdentfiers().size()) - 1;
    int targetRow = row;
    int targetColumn = column + (backwards ? -1 : 1);
    if (!backwards && targetColumn > lastColumn) {
        targetColumn = 1;
        targetRow = row + 1 < rowCount ? row + 1 : 0;
    } else if (backwards && targetColumn < 1) {
        targetColumn = lastColumn;
        targetRow = row > 0 ? row - 1 : rowCount - 1;
    }
    if (targetColumn < 1 || targetColumn > lastColumn || !isTypedInPlace(CellValues::kindOf(columnAt(targetColumn))))
        return notConsumed();
    EditDecision decision = inPlace(targetRow, targetColumn);
    decision.endEditing = true;
    decision.selectRow = targetRow;
    return decision;
}

EditDecision CellEditing::doCommandBySelector(int row, int column, EditKey key)
{
    if (!m_controller.editState() || !rowAt(row) || columnAt(column).isEmpty() || key == EditKey::Escape)
        return notConsumed();
    EditDecision decision;
    if (key == EditKey::Return)
        decision = returnKey(row, column);
    else
        decision = tabKey(row, column, key == EditKey::Backtab);
    if (decision.kind == EditDecision::Kind::Popover)
        remember(columnAt(column), {decision.row});
    return decision;
}

// Context menu -------------------------------------------------------------------------------------

QList<MenuItem> CellEditing::menuNeedsUpdate(int row, int column) const
{
    const QString identifier = columnAt(column);
    if (!rowAt(row) || identifier.isEmpty())
        return {};
    ContextMenuModel::CellState cell;
    cell.identifier = identifier;
    cell.hasValue = hasValue(row, identifier);
    cell.editState = m_controller.editState();
    cell.showCompanyInNameCell = m_controller.showCompanyInNameCell();
    cell.showNameInAllRows = m_controller.showNameInAllRows();
    return ContextMenuModel::menuForCell(cell);
}

EditDecision CellEditing::showPopoverWrapper(const MenuItem& item, int row, int column)
{
    const QString identifier = columnAt(column);
    if (!rowAt(row) || identifier.isEmpty())
        return {};
    PopoverKind kind = PopoverKind::MultiValue;
    if (item.key == QLatin1StringView(MenuTitle::ShowContactInfo))
        kind = PopoverKind::ContactInfo;
    else if (item.key == QLatin1StringView(MenuTitle::OpenAddressPanel))
        kind = PopoverKind::Address;
    else if (item.key == QLatin1StringView(MenuTitle::OpenIMSPanel))
        kind = PopoverKind::InstantMessage;
    else if (item.key == QLatin1StringView(MenuTitle::OpenDatesPanel)
             || item.key == QLatin1StringView(MenuTitle::OpenBirthdayPanel))
        kind = PopoverKind::Date;
    else if (CellValues::kindOf(identifier) == ColumnKind::PhoneticName)
        kind = PopoverKind::PhoneticName;
    remember(identifier, {row});
    return popover(kind, row, column, m_controller.editState());
}

bool CellEditing::performMenuItem(const MenuItem& item, int row, int column)
{
    if (!item.enabled || item.separator)
        return false;
    switch (item.action) {
    case MenuAction::ReplaceItem:
        return replaceItem(row, column,
                           item.key == QLatin1StringView(MenuTitle::ReplaceText)
                               ? ReplaceAlertPanelModel::Type::ReplaceText
                               : ReplaceAlertPanelModel::Type::ReplaceLabelAndText);
    case MenuAction::DeleteItem:
        return deleteItem(row, column);
    case MenuAction::InsertItem:
        return insertItem(row, column);
    case MenuAction::PrependItem:
        return prependItem(row, column);
    case MenuAction::AppendItem:
        return appendItem(row, column);
    case MenuAction::ToggleShowCompany:
        m_controller.toggleShowCompany();
        return true;
    case MenuAction::ToggleShowNameInAllRows:
        m_controller.toggleShowNameInAllRows();
        return true;
    default:
        return false;
    }
}

} // namespace Quillary
