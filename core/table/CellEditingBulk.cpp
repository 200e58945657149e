// The bulk edits of the context menu: one change for the selected cells of a column and the
// clicked one, as one undo step.

#include "CellEditing.h"

#include "support/CoreTr.h"
#include "CellValues.h"
#include "ContactsViewController.h"
#include "TableCells.h"
#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"

#include <QHash>

namespace Quillary {

namespace {

using CellValues::ColumnKind;
using PanelType = ReplaceAlertPanelModel::Type;

QString transformed(PanelType type, const QString& old, const QString& entered)
{
    switch (type) {
    case PanelType::PrependText:
        return entered + old;
    case PanelType::AppendText:
        return old + entered;
    default:
        return entered;
    }
}

/// The values "Add Item" gives the fields that are not typed: fixed placeholders the user then
/// edits in the field's editor.
std::optional<LabeledValue> defaultItem(const QString& identifier, QDate today)
{
    LabeledValue value;
    switch (FieldIdentifiers::fieldId(identifier)) {
    case FieldId::Address:
        value.label = LabelTable::labelFromiLabel(AddressBook::Label::Home);
        value.address.setZip(QStringLiteral("123"));
        return value;
    case FieldId::InstantMessage:
        value.label = LabelTable::labelFromiLabel(AddressBook::Label::Home);
        value.value = QStringLiteral("new");
        value.setUsername(value.value);
        value.setService(AddressBook::InstantMessageService::AIM);
        return value;
    case FieldId::SocialNetwork:
        value.label = LabelTable::labelFromiLabel(AddressBook::SocialService::Facebook);
        value.value = QStringLiteral("new");
        return value;
    case FieldId::Dates:
        value.label = LabelTable::labelFromiLabel(AddressBook::Label::Anniversary);
        value.date = DateComponents::fromDate(today);
        return value;
    default:
        return std::nullopt;
    }
}

} // namespace

bool CellEditing::deleteItem(int clickedRow, int column)
{
    const QString identifier = columnAt(column);
    const QList<int> rows = bulkRows(clickedRow);
    if (identifier.isEmpty() || rows.isEmpty())
        return false;
    remember(identifier, rows);
    if (!confirm(Confirmation::Kind::DeleteItems, identifier, rows)) {
        m_pending.reset();
        return false;
    }
    const bool changed = apply(deleteEdits(rows, identifier), Tr::tr("Delete Item"));
    QStringList uniqueIds;
    for (int row : rows) {
        if (!uniqueIds.contains(rowAt(row)->uniqueId()))
            uniqueIds.append(rowAt(row)->uniqueId());
    }
    m_pending.reset();
    m_controller.updateTableThenSelectByUniquIds(uniqueIds);
    return changed;
}

QList<CellEdit> CellEditing::deleteEdits(const QList<int>& rows, const QString& identifier) const
{
    const ColumnKind kind = CellValues::kindOf(identifier);
    QList<std::pair<const SubContactRow*, CellEdit>> planned;
    for (int row : rows) {
        const SubContactRow* subContact = rowAt(row);
        if (!CellValues::hasValue(*subContact, identifier, selectedLabels()))
            continue;
        CellEdit edit = CellEdit::of(CellEdit::Kind::ReplaceString, subContact->contact, identifier);
        if (kind == ColumnKind::PhoneticName) {
            edit.kind = CellEdit::Kind::ReplacePhoneticName;
        } else if (kind == ColumnKind::Birthday) {
            edit.kind = CellEdit::Kind::ReplaceBirthday;
        } else if (const auto value = CellValues::valueAt(*subContact, identifier, selectedLabels())) {
            edit.kind = CellEdit::Kind::DeleteLabeledValue;
            edit.identifier = TableCells::fieldOfColumn(identifier);
            edit.value = *value;
        } else if (kind != ColumnKind::Text) {
            continue;
        }
        planned.append({subContact, edit});
    }
    // Each cell loses its own value: values of one contact go from the last one up, so that no
    // deletion moves a value another cell still has to delete.
    QHash<const ContactEntry*, qsizetype> firstSeen;
    for (const auto& [subContact, edit] : std::as_const(planned))
        firstSeen.insert(subContact->contact.get(), firstSeen.value(subContact->contact.get(), firstSeen.size()));
    std::stable_sort(planned.begin(), planned.end(), [&firstSeen](const auto& a, const auto& b) {
        const qsizetype contactA = firstSeen.value(a.first->contact.get());
        const qsizetype contactB = firstSeen.value(b.first->contact.get());
        return contactA != contactB ? contactA < contactB : a.second.value.labelIndex > b.second.value.labelIndex;
    });
    QList<CellEdit> edits;
    for (const auto& [subContact, edit] : std::as_const(planned))
        edits.append(edit);
    return edits;
}

ReplaceAlertPanelModel CellEditing::panelFor(int clickedRow, const QString& identifier, PanelType type) const
{
    const ColumnKind kind = CellValues::kindOf(identifier);
    QStringList labels;
    if (kind != ColumnKind::Text)
        labels = LabelTable::labelsForIdentifier(TableCells::fieldOfColumn(identifier)).value_or(QStringList());
    QString label;
    QString text;
    if (const SubContactRow* clicked = rowAt(clickedRow)) {
        text = CellValues::textAt(*clicked, identifier, selectedLabels());
        if (const auto value = CellValues::valueAt(*clicked, identifier, selectedLabels()))
            label = value->label;
    }
    if (type == PanelType::InsertLabelAndText) {
        text.clear();
        if (label.isEmpty() && !labels.isEmpty())
            label = labels.first();
    }
    return ReplaceAlertPanelModel(type, identifier, labels, label, text);
}

bool CellEditing::panelEdit(int clickedRow, int column, PanelType type)
{
    const QString identifier = columnAt(column);
    const ColumnKind kind = CellValues::kindOf(identifier);
    // Addresses, dates, instant messages and names have editors of their own.
    if (kind != ColumnKind::LabeledText && kind != ColumnKind::AddressPart && kind != ColumnKind::Text)
        return false;
    const QList<int> rows = rowsWithValue(bulkRows(clickedRow), identifier);
    remember(identifier, rows);
    ReplaceAlertPanelModel panel = panelFor(clickedRow, identifier, type);
    if (!m_runReplacePanel || !m_runReplacePanel(panel) || panel.returnCode() != 1) {
        m_pending.reset();
        return false;
    }
    QList<CellEdit> edits;
    for (int row : rows) {
        const QString old = CellValues::textAt(*rowAt(row), identifier, selectedLabels());
        std::optional<CellEdit> edit = textEdit(row, identifier, transformed(type, old, panel.replaceString()));
        if (!edit)
            continue;
        if (type == PanelType::ReplaceLabelAndText && edit->kind == CellEdit::Kind::ReplaceLabeledValue)
            edit->value.label = panel.label();
        edits.append(*edit);
    }
    m_pending.reset();
    const bool changed = apply(edits, panel.typeTitle());
    if (changed)
        m_controller.updateTable();
    return changed;
}

bool CellEditing::replaceItem(int clickedRow, int column, PanelType type)
{
    if (type != PanelType::ReplaceLabelAndText && type != PanelType::ReplaceText)
        return false;
    return panelEdit(clickedRow, column, type);
}

bool CellEditing::prependItem(int clickedRow, int column)
{
    return panelEdit(clickedRow, column, PanelType::PrependText);
}

bool CellEditing::appendItem(int clickedRow, int column)
{
    return panelEdit(clickedRow, column, PanelType::AppendText);
}

bool CellEditing::insertItem(int clickedRow, int column)
{
    const QString identifier = columnAt(column);
    const QList<int> rows = bulkRows(clickedRow);
    if (identifier.isEmpty() || rows.isEmpty())
        return false;
    remember(identifier, rows);
    bool changed = false;
    switch (CellValues::kindOf(identifier)) {
    case ColumnKind::Birthday:
    case ColumnKind::Address:
    case ColumnKind::InstantMessage:
    case ColumnKind::Dates:
        changed = insertDefaultItems(rows, identifier);
        break;
    case ColumnKind::LabeledText:
        changed = identifier == Field::SocialNetwork ? insertDefaultItems(rows, identifier)
                                                     : insertEnteredItems(clickedRow, rows, identifier);
        break;
    case ColumnKind::AddressPart:
        changed = insertEnteredItems(clickedRow, rows, identifier);
        break;
    default:
        break;
    }
    m_pending.reset();
    if (changed)
        m_controller.updateTable();
    return changed;
}

bool CellEditing::insertDefaultItems(const QList<int>& rows, const QString& identifier)
{
    const QDate today = m_today();
    QList<CellEdit> edits;
    for (const ContactEntryPtr& contact : m_controller.contactsForIndexes(rows)) {
        CellEdit edit = CellEdit::of(CellEdit::Kind::AddLabeledValue, contact, identifier);
        if (identifier == Field::Birthday) {
            // A contact keeps the birthday it has; only those without one get today's date.
            if (contact->person->birthdayValue().hasValue())
                continue;
            edit.kind = CellEdit::Kind::ReplaceBirthday;
            edit.birthday = BirthdayValue{DateComponents::fromDate(today), {}};
        } else if (const std::optional<LabeledValue> value = defaultItem(identifier, today)) {
            edit.value = *value;
        } else {
            continue;
        }
        edits.append(edit);
    }
    return apply(edits, Tr::tr("Add Item"));
}

bool CellEditing::insertEnteredItems(int clickedRow, const QList<int>& rows, const QString& identifier)
{
    ReplaceAlertPanelModel panel = panelFor(clickedRow, identifier, PanelType::InsertLabelAndText);
    if (!m_runReplacePanel || !m_runReplacePanel(panel) || panel.returnCode() != 1)
        return false;
    // An empty text would add an entry that shows nothing.
    if (panel.replaceString().isEmpty())
        return false;
    const QString field = TableCells::fieldOfColumn(identifier);
    QList<CellEdit> edits;
    for (const ContactEntryPtr& contact : m_controller.contactsForIndexes(rows)) {
        CellEdit edit = CellEdit::of(CellEdit::Kind::AddLabeledValue, contact, field);
        edit.value.label = panel.label();
        edit.value =
            CellValues::withText(edit.value, identifier, panel.replaceString(), contact->person->defaultCountryCode());
        edits.append(edit);
    }
    return apply(edits, panel.typeTitle());
}

} // namespace Quillary
