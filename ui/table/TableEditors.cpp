#include "TableEditors.h"

#include "ContactsTableEditing.h"
#include "ContactsTableView.h"
#include "documents/UndoRegistry.h"
#include "editors/ContactCardModel.h"
#include "editors/ContactInfoWindow.h"
#include "editors/EditorValues.h"
#include "editors/FieldEditors.h"
#include "table/CellEditing.h"
#include "table/ContactsViewController.h"

namespace Quillary::Ui {

TableEditors::TableEditors(ContactsTableView* view, UndoRegistry& registry, std::function<bool()> canEdit)
    : QObject(view), m_view(view), m_registry(registry), m_canEdit(std::move(canEdit))
{
    connect(view->editing(), &ContactsTableEditing::fieldEditorRequested, this, &TableEditors::open);
    connect(&view->controller(), &ContactsViewController::selectionChanged, this, &TableEditors::selectionChanged);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TableEditors::selectionChanged);
}

TableEditors::~TableEditors() = default;

ContactInfoWindow* TableEditors::contactInfo() const
{
    return m_contactInfo;
}

QRect TableEditors::cellRect(int row, int column) const
{
    const QRect rect = m_view->visualRect(m_view->model()->index(row, column));
    if (!rect.isValid())
        return {m_view->viewport()->mapToGlobal(QPoint()), QSize(1, 1)};
    return {m_view->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
}

ContactEntryPtr TableEditors::contactOfRow(int row) const
{
    const SubContactTable& rows = m_view->controller().subContactTable();
    return row >= 0 && row < rows.size() ? rows.at(row).contact : ContactEntryPtr();
}

void TableEditors::open(const EditDecision& decision)
{
    if (decision.popover == PopoverKind::ContactInfo) {
        m_view->editing()->cellEditing().clearSelectedRowIndexes();
        showContactInfo(decision.context.contact, decision.context.editEnabled,
                        cellRect(decision.row, decision.column));
        return;
    }
    EditorOptions options;
    options.canEdit = m_canEdit();
    options.contacts = m_registry.collection().contactTable;
    CellEditing* editing = &m_view->editing()->cellEditing();
    const EditorDialog* editor = FieldEditors::open(
        decision.popover, decision.context, options, m_view->window(), cellRect(decision.row, decision.column),
        [editing](const EditorContext& closed) { editing->popoverDidClose(closed); });
    if (!editor)
        editing->clearSelectedRowIndexes();
}

bool TableEditors::showContactInfo()
{
    // The highlighted row first; the current one when nothing is selected.
    const QList<int>& selected = m_view->controller().selectedIndexes();
    const int row = selected.isEmpty() ? m_view->currentIndex().row() : selected.first();
    const ContactEntryPtr contact = contactOfRow(row);
    if (!contact)
        return false;
    showContactInfo(contact, m_view->controller().editState(), cellRect(row, 0));
    return true;
}

void TableEditors::showContactInfo(const ContactEntryPtr& contact, bool editEnabled, const QRect& anchor)
{
    if (!contact)
        return;
    if (!m_contactInfo)
        m_contactInfo = new ContactInfoWindow(m_registry, m_canEdit, m_view->window());
    m_contactInfo->showContact(contact, editEnabled, anchor);
}

void TableEditors::openNameEditor(const ContactEntryPtr& contact)
{
    EditorOptions options;
    options.canEdit = m_canEdit();
    options.contacts = m_registry.collection().contactTable;
    UndoRegistry* registry = &m_registry;
    FieldEditors::open(PopoverKind::Name, ContactCardModel::contextFor(contact, Field::Name, -1, true), options,
                       m_view->window(), cellRect(m_view->currentIndex().row(), 0),
                       [registry](const EditorContext& closed) { EditorValues::apply(*registry, closed); });
}

void TableEditors::selectionChanged()
{
    if (!m_contactInfo)
        return;
    const QList<int>& rows = m_view->controller().selectedIndexes();
    if (!rows.isEmpty())
        m_contactInfo->selectedContactChanged(contactOfRow(rows.first()));
}

} // namespace Quillary::Ui
