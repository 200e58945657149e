#include "ContextMenuModel.h"

#include "CellValues.h"

#include <QCoreApplication>

namespace Quillary::ContextMenuModel {

namespace {

using CellValues::ColumnKind;
namespace T = MenuTitle;

/// Marks a separator in the item lists below.
constexpr const char* Separator = "-";

struct ItemRule
{
    const char* key;
    MenuAction action;
    bool needsEditMode;
};

const ItemRule itemRules[] = {
    {T::ShowContactInfo, MenuAction::ShowContactInfo, false},
    {T::DeleteContact, MenuAction::DeleteContact, true},
    {T::DuplicateContact, MenuAction::DuplicateContact, true},
    {T::ExportContactAsVCard, MenuAction::ExportContactAsVCard, false},
    {T::ShowQRCode, MenuAction::ShowQRCode, false},
    {T::ShowCompanyInNameCell, MenuAction::ToggleShowCompany, false},
    {T::ShowNameInAllRows, MenuAction::ToggleShowNameInAllRows, false},
    {T::CallPhone, MenuAction::CallPhone, false},
    {T::SendEmail, MenuAction::SendEmail, false},
    {T::OpenURL, MenuAction::OpenURL, false},
    {T::OpenMap, MenuAction::OpenMap, false},
    {T::OpenGoogleMap, MenuAction::OpenGoogleMap, false},
    {T::OpenCalendar, MenuAction::OpenCalendar, false},
    {T::OpenEditPanel, MenuAction::ShowPopover, false},
    {T::OpenAddressPanel, MenuAction::ShowPopover, false},
    {T::OpenIMSPanel, MenuAction::ShowPopover, false},
    {T::OpenDatesPanel, MenuAction::ShowPopover, false},
    {T::OpenBirthdayPanel, MenuAction::ShowPopover, false},
    {T::AddDeleteAddressItem, MenuAction::ShowPopover, false},
    {T::ReplaceLabelAndText, MenuAction::ReplaceItem, true},
    {T::ReplaceText, MenuAction::ReplaceItem, true},
    {T::DeleteItem, MenuAction::DeleteItem, true},
    {T::ClearText, MenuAction::DeleteItem, true},
    {T::AddItem, MenuAction::InsertItem, true},
    {T::PrependText, MenuAction::PrependItem, true},
    {T::AppendText, MenuAction::AppendItem, true},
};

using Keys = std::initializer_list<const char*>;

// The editing block shared by the text-like labelled fields.
QList<const char*> labeledTextItems(const char* first, bool hasValue)
{
    if (!hasValue)
        return {T::OpenEditPanel, T::AddItem};
    QList<const char*> keys;
    if (first)
        keys.append(first);
    keys.append(Keys{T::OpenEditPanel, Separator, T::ReplaceLabelAndText, T::DeleteItem, T::AddItem, Separator,
                     T::ReplaceText, T::PrependText, T::AppendText});
    return keys;
}

QList<const char*> nameItems()
{
    return {T::ShowContactInfo, Separator, T::DeleteContact,         T::DuplicateContact, T::ExportContactAsVCard,
            T::ShowQRCode,      Separator, T::ShowCompanyInNameCell, T::ShowNameInAllRows};
}

QList<const char*> itemKeys(const QString& identifier, bool hasValue)
{
    switch (FieldIdentifiers::fieldId(identifier)) {
    case FieldId::Phone:
        return labeledTextItems(T::CallPhone, hasValue);
    case FieldId::Email:
        return labeledTextItems(T::SendEmail, hasValue);
    case FieldId::URL:
        return labeledTextItems(T::OpenURL, hasValue);
    case FieldId::Relationship:
    case FieldId::SocialNetwork:
        return labeledTextItems(nullptr, hasValue);
    default:
        break;
    }
    switch (CellValues::kindOf(identifier)) {
    case ColumnKind::Name:
        return nameItems();
    case ColumnKind::Address:
        if (hasValue)
            return {T::OpenMap,    T::OpenGoogleMap, T::OpenAddressPanel, Separator, T::AddDeleteAddressItem,
                    T::DeleteItem, T::AddItem};
        return {T::OpenAddressPanel, Separator, T::AddDeleteAddressItem, T::AddItem};
    case ColumnKind::AddressPart:
        if (hasValue)
            return {T::OpenAddressPanel, Separator,      T::AddDeleteAddressItem, T::DeleteItem, T::AddItem,
                    Separator,           T::ReplaceText, T::PrependText,          T::AppendText};
        return {T::AddDeleteAddressItem, T::AddItem};
    case ColumnKind::InstantMessage:
        if (hasValue)
            return {T::OpenIMSPanel, T::OpenEditPanel, Separator, T::DeleteItem, T::AddItem};
        return {T::OpenEditPanel, T::AddItem};
    case ColumnKind::Dates:
        if (hasValue)
            return {T::OpenCalendar, T::OpenDatesPanel, Separator, T::DeleteItem, T::AddItem};
        return {T::OpenDatesPanel, T::AddItem};
    case ColumnKind::PhoneticName:
        if (hasValue)
            return {T::OpenEditPanel, Separator, T::ClearText};
        return {T::OpenEditPanel};
    case ColumnKind::Birthday:
        if (hasValue)
            return {T::OpenCalendar, T::OpenBirthdayPanel, Separator, T::DeleteItem};
        return {T::OpenBirthdayPanel, T::AddItem};
    default:
        if (hasValue)
            return {T::ReplaceText, T::PrependText, T::AppendText};
        return {T::ReplaceText};
    }
}

MenuItem makeItem(const char* key, const CellState& cell)
{
    MenuItem item;
    if (qstrcmp(key, Separator) == 0) {
        item.separator = true;
        item.enabled = false;
        return item;
    }
    item.key = QString::fromLatin1(key);
    item.title = QCoreApplication::translate("Quillary::Core", key);
    for (const ItemRule& rule : itemRules) {
        if (qstrcmp(rule.key, key) != 0)
            continue;
        item.action = rule.action;
        // Commands that change contacts are shown but inactive outside edit mode.
        item.enabled = !rule.needsEditMode || cell.editState;
        break;
    }
    if (item.action == MenuAction::ToggleShowCompany)
        item.checked = cell.showCompanyInNameCell;
    else if (item.action == MenuAction::ToggleShowNameInAllRows)
        item.checked = cell.showNameInAllRows;
    return item;
}

} // namespace

QList<MenuItem> menuForCell(const CellState& cell)
{
    QList<MenuItem> items;
    if (cell.identifier.isEmpty())
        return items;
    for (const char* key : itemKeys(cell.identifier, cell.hasValue))
        items.append(makeItem(key, cell));
    return items;
}

QStringList keys(const QList<MenuItem>& items)
{
    QStringList result;
    for (const MenuItem& item : items)
        result.append(item.separator ? QStringLiteral("-") : item.key);
    return result;
}

} // namespace Quillary::ContextMenuModel
