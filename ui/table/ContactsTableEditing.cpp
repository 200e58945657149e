#include "ContactsTableEditing.h"

#include "ContactCellDelegate.h"
#include "ContactsTableView.h"
#include "ReplaceAlertPanel.h"
#include "editors/CustomLabelDialog.h"
#include "editors/LabelChoices.h"
#include "support/MessageBox.h"
#include "table/CellEditing.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsViewController.h"
#include "table/TableCells.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMetaMethod>

namespace Quillary::Ui {

namespace {

bool isBulkOrDisplay(MenuAction action)
{
    switch (action) {
    case MenuAction::ReplaceItem:
    case MenuAction::DeleteItem:
    case MenuAction::InsertItem:
    case MenuAction::PrependItem:
    case MenuAction::AppendItem:
    case MenuAction::ToggleShowCompany:
    case MenuAction::ToggleShowNameInAllRows:
        return true;
    default:
        return false;
    }
}

bool opensEditor(MenuAction action)
{
    return action == MenuAction::ShowPopover || action == MenuAction::ShowContactInfo;
}

} // namespace

ContactsTableEditing::ContactsTableEditing(ContactsTableView* view, ContactCellDelegate* delegate)
    : QObject(view), m_view(view), m_delegate(delegate), m_editing(new CellEditing(view->controller(), this))
{
    m_editing->setConfirmationHandler([this](const Confirmation& confirmation) {
        return MessageBox::confirm(m_view->window(), confirmation.messageText(), confirmation.informativeText());
    });
    m_editing->setReplacePanelHandler(
        [this](ReplaceAlertPanelModel& model) { return ReplaceAlertPanel::run(model, m_view->window()); });
    connect(m_editing, &CellEditing::windowEdited, this, &ContactsTableEditing::windowEdited);
    m_delegate->setCommitHandler([this](int row, int column, const QString& text) { commit(row, column, text); });
    m_delegate->setKeyHandler(
        [this](QWidget* editor, int row, int column, EditKey key) { return editorKey(editor, row, column, key); });
    // Typed text goes to the cell it was typed in before another view type or filter moves the cells.
    connect(&view->controller(), &ContactsViewController::layoutAboutToChange, this,
            &ContactsTableEditing::commitPendingEdit);
}

ContactsTableEditing::~ContactsTableEditing() = default;

void ContactsTableEditing::startEdit(int row, int column, bool commandKey)
{
    commitPendingEdit();
    apply(m_editing->tableViewDoubleAction(row, column, commandKey));
}

void ContactsTableEditing::apply(const EditDecision& decision)
{
    switch (decision.kind) {
    case EditDecision::Kind::None:
        break;
    case EditDecision::Kind::EditInPlace:
        beginEditing(decision.row, decision.column);
        break;
    case EditDecision::Kind::Confirm: {
        const bool ok = decision.confirmation
            && MessageBox::confirm(m_view->window(), decision.confirmation->messageText(),
                                   decision.confirmation->informativeText());
        apply(m_editing->multiReplaceAlertDidEnd(ok, decision.row, decision.column, decision.commandKey));
        break;
    }
    case EditDecision::Kind::Popover:
        if (isSignalConnected(QMetaMethod::fromSignal(&ContactsTableEditing::fieldEditorRequested)))
            Q_EMIT fieldEditorRequested(decision);
        else
            m_editing->clearSelectedRowIndexes(); // no editor of that field yet: nothing changes
        break;
    }
}

void ContactsTableEditing::beginEditing(int row, int column)
{
    const QModelIndex index = m_view->model()->index(row, column);
    if (!index.isValid() || !(index.flags() & Qt::ItemIsEditable))
        return;
    // The edit may go to several selected rows: the selection stays as it is.
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_view->scrollTo(index);
    m_view->edit(index);
}

bool ContactsTableEditing::isEditing() const
{
    return m_delegate->activeEditor() != nullptr;
}

void ContactsTableEditing::commit(int row, int column, const QString& text)
{
    // Applied once the editor has closed: the change reloads the table under it.
    m_commit = PendingCommit{row, column, text};
    QMetaObject::invokeMethod(this, &ContactsTableEditing::flushCommit, Qt::QueuedConnection);
}

void ContactsTableEditing::flushCommit()
{
    if (const std::optional<PendingCommit> pending = std::exchange(m_commit, std::nullopt))
        m_editing->textFieldCellChanged(pending->row, pending->column, pending->text);
}

void ContactsTableEditing::commitPendingEdit()
{
    if (QWidget* editor = m_delegate->activeEditor())
        m_delegate->finishEditing(editor);
    flushCommit();
}

void ContactsTableEditing::abandonPendingEdit()
{
    if (QWidget* editor = m_delegate->activeEditor())
        m_delegate->abandonEditing(editor);
    m_commit.reset();
    m_editing->clearSelectedRowIndexes();
}

void ContactsTableEditing::editorReverted()
{
    m_editing->clearSelectedRowIndexes();
}

bool ContactsTableEditing::editorKey(QWidget* editor, int row, int column, EditKey key)
{
    if (key == EditKey::Escape)
        return false;
    const EditDecision decision = m_editing->doCommandBySelector(row, column, key);
    if (!decision.consumed)
        return false;
    // The cell being edited stops editing (its text is applied), then editing goes on as decided.
    m_delegate->finishEditing(editor);
    QMetaObject::invokeMethod(
        this,
        [this, decision] {
            flushCommit();
            if (decision.selectRow >= 0 && decision.selectRow < m_view->controller().subContactTable().size())
                m_view->controller().selectRowIndexes({decision.selectRow});
            apply(decision);
        },
        Qt::QueuedConnection);
    return true;
}

QMenu* ContactsTableEditing::contextMenu(int row, int column, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("cellMenu"));
    menu->setToolTipsVisible(true);
    const bool editors = isSignalConnected(QMetaMethod::fromSignal(&ContactsTableEditing::fieldEditorRequested));
    for (const MenuItem& item : m_editing->menuNeedsUpdate(row, column)) {
        if (item.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item.title);
        action->setObjectName(item.key);
        action->setCheckable(item.action == MenuAction::ToggleShowCompany
                             || item.action == MenuAction::ToggleShowNameInAllRows);
        action->setChecked(item.checked);
        bool available = isBulkOrDisplay(item.action) || (opensEditor(item.action) && editors);
        if (m_windowCommands.contains(item.action)) {
            const auto [allowed, toolTip] =
                m_windowCommandState ? m_windowCommandState(item.action, row) : std::pair(true, QString());
            available = allowed;
            action->setToolTip(toolTip);
        }
        action->setEnabled(item.enabled && available);
        connect(action, &QAction::triggered, this, [this, item, row, column] { menuItemChosen(item, row, column); });
    }
    return menu;
}

void ContactsTableEditing::menuItemChosen(const MenuItem& item, int row, int column)
{
    commitPendingEdit();
    if (isBulkOrDisplay(item.action))
        m_editing->performMenuItem(item, row, column);
    else if (opensEditor(item.action))
        apply(m_editing->showPopoverWrapper(item, row, column));
    else
        Q_EMIT contactCommandRequested(item.action, row, column);
}

QMenu* ContactsTableEditing::labelMenu(int row, int column, QWidget* parent)
{
    const CellContent cell = m_view->controller().cell(row, column);
    if (cell.cellTemplate != CellContent::Template::PopupAndText || !cell.hasValue || !m_view->controller().editState())
        return nullptr;
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("labelMenu"));
    for (const QString& label : cell.labels) {
        QAction* action = menu->addAction(label);
        action->setCheckable(true);
        action->setChecked(label == cell.label);
        connect(action, &QAction::triggered, this, [this, row, column, label] {
            commitPendingEdit();
            m_editing->popupLabelCellChanged(row, column, label);
        });
    }
    // A label of the user's own, kept as a custom label of the field.
    menu->addSeparator();
    QAction* custom = menu->addAction(QCoreApplication::translate("Quillary::Core", LabelChoices::CustomItem));
    custom->setObjectName(QStringLiteral("customLabelAction"));
    const QString field = TableCells::fieldOfColumn(m_view->controller().tableIdentfiers().value(column));
    connect(custom, &QAction::triggered, this, [this, row, column, field] {
        commitPendingEdit();
        CustomLabelDialog::ask(m_view->window(), tr("Custom Label"), [this, row, column, field](const QString& typed) {
            if (const std::optional<QString> label = LabelChoices::addCustomLabel(field, typed))
                m_editing->popupLabelCellChanged(row, column, *label);
        });
    });
    return menu;
}

} // namespace Quillary::Ui
