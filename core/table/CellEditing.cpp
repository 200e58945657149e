#include "CellEditing.h"

#include "CellValues.h"
#include "ContactsViewController.h"
#include "TableCells.h"
#include "documents/UndoRegistry.h"
#include "support/CoreTr.h"
#include "support/Localized.h"

#include <QCoreApplication>

namespace Quillary {

namespace {

using CellValues::ColumnKind;

} // namespace

QString Confirmation::messageText() const
{
    switch (kind) {
    case Kind::SameValue:
        return Tr::tr("Do you want to set the same value in the selected rows?");
    case Kind::SameLabel:
        return Tr::tr("Do you want to set the same label in the selected rows?");
    case Kind::DeleteItems:
        return Tr::tr("Do you want to delete the item(label and text) in the selected cells in column:%1 ?")
            .arg(localized(identifier));
    }
    return {};
}

QString Confirmation::informativeText() const
{
    return Tr::tr("This operation can be undone.");
}

CellEditing::CellEditing(ContactsViewController& controller, QObject* parent)
    : QObject(parent), m_controller(controller)
{ }

CellEditing::~CellEditing() = default;

// Rows and cells ----------------------------------------------------------------------------------

const SubContactRow* CellEditing::rowAt(int row) const
{
    const SubContactTable& rows = m_controller.subContactTable();
    return row >= 0 && row < rows.size() ? &rows.at(row) : nullptr;
}

QString CellEditing::columnAt(int column) const
{
    const QStringList& columns = m_controller.tableIdentfiers();
    return column >= 0 && column < columns.size() ? columns.at(column) : QString();
}

const QStringList& CellEditing::selectedLabels() const
{
    return m_controller.collection().selectedLabels;
}

bool CellEditing::hasValue(int row, const QString& identifier) const
{
    const SubContactRow* subContact = rowAt(row);
    return subContact && CellValues::hasValue(*subContact, identifier, selectedLabels());
}

QList<int> CellEditing::rowsWithValue(const QList<int>& rows, const QString& identifier) const
{
    QList<int> result;
    for (int row : rows) {
        if (hasValue(row, identifier))
            result.append(row);
    }
    return result;
}

QList<int> CellEditing::bulkRows(int clickedRow) const
{
    QList<int> rows = m_controller.selectedIndexes();
    if (rowAt(clickedRow) && !rows.contains(clickedRow))
        rows.append(clickedRow);
    std::sort(rows.begin(), rows.end());
    return rows;
}

CellEditing::RowRef CellEditing::refOf(int row, const QString& identifier) const
{
    const SubContactRow& subContact = *rowAt(row);
    const std::optional<LabeledValue> value = CellValues::valueAt(subContact, identifier, selectedLabels());
    return RowRef{subContact.contact, subContact.index, value ? value->labelIndex : -1};
}

int CellEditing::positionOf(const RowRef& ref, const QString& identifier) const
{
    const SubContactTable& rows = m_controller.subContactTable();
    for (int position = 0; position < rows.size(); ++position) {
        const SubContactRow& row = rows.at(position);
        if (row.contact != ref.contact)
            continue;
        // A value is followed to the row that shows it now; a row without one keeps its position.
        if (ref.labelIndex < 0) {
            if (row.index == ref.index)
                return position;
            continue;
        }
        const std::optional<LabeledValue> value = CellValues::valueAt(row, identifier, selectedLabels());
        if (value && value->labelIndex == ref.labelIndex)
            return position;
    }
    return -1;
}

QList<int> CellEditing::positionsOf(const Pending& pending) const
{
    QList<int> positions;
    for (const RowRef& ref : pending.rows) {
        const int position = positionOf(ref, pending.identifier);
        if (position >= 0 && !positions.contains(position))
            positions.append(position);
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

QList<int> CellEditing::selectedRowIndexes() const
{
    return m_pending ? positionsOf(*m_pending) : QList<int>();
}

void CellEditing::remember(const QString& identifier, const QList<int>& rows)
{
    Pending pending{identifier, {}};
    for (int row : rows) {
        if (rowAt(row))
            pending.rows.append(refOf(row, identifier));
    }
    m_pending = pending;
}

void CellEditing::reloadSelecting(const Pending& pending)
{
    m_controller.updateTable();
    const QList<int> rows = positionsOf(pending);
    if (!rows.isEmpty())
        m_controller.selectRowIndexes(rows);
}

bool CellEditing::apply(const QList<CellEdit>& edits, const QString& stepName)
{
    UndoRegistry* registry = m_controller.delegate();
    return registry && CellEdits::applyInOneStep(*registry, edits, stepName);
}

bool CellEditing::confirm(Confirmation::Kind kind, const QString& identifier, const QList<int>& rows) const
{
    return m_confirm && m_confirm(Confirmation{kind, identifier, rows});
}

// Typing and labels --------------------------------------------------------------------------------

std::optional<CellEdit> CellEditing::textEdit(int row, const QString& identifier, const QString& text) const
{
    const SubContactRow* subContact = rowAt(row);
    if (!subContact || !CellValues::hasTextCell(*subContact, identifier, selectedLabels()))
        return std::nullopt;
    CellEdit edit;
    edit.contact = subContact->contact;
    if (CellValues::kindOf(identifier) == ColumnKind::Text) {
        edit.kind = CellEdit::Kind::ReplaceString;
        edit.identifier = identifier;
        edit.text = text;
        return edit;
    }
    const std::optional<LabeledValue> value = CellValues::valueAt(*subContact, identifier, selectedLabels());
    if (!value)
        return std::nullopt;
    edit.kind = CellEdit::Kind::ReplaceLabeledValue;
    edit.identifier = TableCells::fieldOfColumn(identifier);
    edit.value = CellValues::withText(*value, identifier, text, subContact->person().defaultCountryCode());
    return edit;
}

bool CellEditing::textFieldCellChanged(int row, int column, const QString& text)
{
    const SubContactRow* edited = rowAt(row);
    const QString identifier = columnAt(column);
    if (!edited || identifier.isEmpty())
        return false;
    const std::optional<Pending> pending = std::exchange(m_pending, std::nullopt);
    const QList<int> remembered = pending ? positionsOf(*pending) : QList<int>();
    if (remembered.size() <= 1 && CellValues::textAt(*edited, identifier, selectedLabels()) == text)
        return false;
    // Fields with their own editors are never typed into.
    const ColumnKind kind = CellValues::kindOf(identifier);
    if (kind != ColumnKind::LabeledText && kind != ColumnKind::AddressPart && kind != ColumnKind::Text)
        return false;
    QList<int> targets = rowsWithValue(remembered, identifier);
    if (!targets.contains(row))
        targets.append(row);
    std::sort(targets.begin(), targets.end());
    QList<CellEdit> edits;
    for (int target : std::as_const(targets)) {
        if (const std::optional<CellEdit> edit = textEdit(target, identifier, text))
            edits.append(*edit);
    }
    const bool changed = apply(edits, Tr::tr("Change %1").arg(localized(identifier)));
    if (changed)
        m_controller.updateTable();
    return changed;
}

bool CellEditing::popupLabelCellChanged(int row, int column, const QString& label)
{
    const SubContactRow* edited = rowAt(row);
    const QString identifier = columnAt(column);
    if (!edited || identifier.isEmpty())
        return false;
    const std::optional<LabeledValue> current = CellValues::valueAt(*edited, identifier, selectedLabels());
    if (!current || current->label == label)
        return false;
    const QString field = TableCells::fieldOfColumn(identifier);
    auto labelEdit = [&](int target) {
        CellEdit edit = CellEdit::of(CellEdit::Kind::ReplaceLabeledValue, rowAt(target)->contact, field);
        edit.value = *CellValues::valueAt(*rowAt(target), identifier, selectedLabels());
        edit.value.label = label;
        return edit;
    };
    const QList<int> remembered = rowsWithValue(m_controller.selectedIndexes(), identifier);
    if (!remembered.contains(row) || remembered.size() < 2) {
        m_pending.reset();
        const bool changed = apply({labelEdit(row)}, Tr::tr("Change %1").arg(localized(identifier)));
        if (changed)
            m_controller.updateTable();
        return changed;
    }
    remember(identifier, remembered);
    bool changed = false;
    if (confirm(Confirmation::Kind::SameLabel, identifier, remembered)) {
        QList<CellEdit> edits;
        for (int target : remembered)
            edits.append(labelEdit(target));
        changed = apply(edits, Tr::tr("Change %1").arg(localized(identifier)));
    }
    // Also after "Cancel": the pop-ups show the labels the contacts really have again.
    const Pending pending = *std::exchange(m_pending, std::nullopt);
    reloadSelecting(pending);
    return changed;
}

// Results of the field editors ---------------------------------------------------------------------

std::optional<CellEdit> CellEditing::popoverEdit(const EditorContext& context, int row) const
{
    const SubContactRow* subContact = rowAt(row);
    if (!subContact)
        return std::nullopt;
    CellEdit edit = CellEdit::of(CellEdit::Kind::ReplaceLabeledValue, subContact->contact, context.type);
    if (context.type == Field::Birthday) {
        const auto* birthday = std::get_if<BirthdayValue>(&context.value);
        edit.kind = CellEdit::Kind::ReplaceBirthday;
        if (birthday && birthday->hasValue())
            edit.birthday = *birthday;
        return birthday || std::holds_alternative<std::monostate>(context.value) ? std::optional(edit) : std::nullopt;
    }
    if (const auto* phonetic = std::get_if<PhoneticNameValue>(&context.value)) {
        edit.kind = CellEdit::Kind::ReplacePhoneticName;
        edit.phoneticName = *phonetic;
        return context.type == Field::PhoneticName ? std::optional(edit) : std::nullopt;
    }
    if (!FieldIdentifiers::labeledField(context.type))
        return std::nullopt;
    if (const auto* list = std::get_if<LabeledValueList>(&context.value)) {
        // A whole list belongs to the contact it was edited for; other contacts keep theirs.
        if (subContact->contact != context.contact)
            return std::nullopt;
        edit.kind = CellEdit::Kind::ReplaceLabeledList;
        edit.list = *list;
        return edit;
    }
    const auto* value = std::get_if<LabeledValue>(&context.value);
    if (!value)
        return std::nullopt;
    // One value replaces the row's own value of the field, or becomes a new one when it has none.
    edit.value = *value;
    const std::optional<LabeledValue> current = CellValues::valueAt(*subContact, context.type, selectedLabels());
    if (current)
        edit.value.labelIndex = current->labelIndex;
    else
        edit.kind = CellEdit::Kind::AddLabeledValue;
    return edit;
}

bool CellEditing::popoverDidClose(const EditorContext& context)
{
    const std::optional<Pending> pending = std::exchange(m_pending, std::nullopt);
    if (!context.dirty || context.type.isEmpty())
        return false;
    QList<int> rows = pending ? positionsOf(*pending) : QList<int>();
    if (rows.isEmpty()) {
        // Opened without a pending edit: the row that shows the value it was opened for, or the
        // row it was opened on when that has none.
        const int own = positionOf(RowRef{context.contact, context.index, context.labelIndex}, context.type);
        if (own >= 0)
            rows.append(own);
    }
    QList<CellEdit> edits;
    QList<const ContactEntry*> contactsDone;
    for (int row : std::as_const(rows)) {
        const std::optional<CellEdit> edit = popoverEdit(context, row);
        if (!edit)
            continue;
        // Only replacing a row's own value is done per row; the rest is done once per contact.
        const bool perContact = edit->kind != CellEdit::Kind::ReplaceLabeledValue;
        if (perContact && contactsDone.contains(edit->contact.get()))
            continue;
        contactsDone.append(edit->contact.get());
        edits.append(*edit);
    }
    const bool changed = apply(edits, Tr::tr("Change %1").arg(localized(context.type)));
    if (changed)
        m_controller.updateTable();
    return changed;
}

} // namespace Quillary
