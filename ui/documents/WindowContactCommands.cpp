#include "WindowContactCommands.h"

#include "ContactPane.h"
#include "ExchangeCommands.h"
#include "documents/ContactOwner.h"
#include "support/DesktopLinks.h"
#include "support/MessageBox.h"
#include "table/CellEditing.h"
#include "table/ContactCellDelegate.h"
#include "table/ContactPasteboard.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/TableEditors.h"
#include "table/WorkspaceActions.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

namespace Quillary::Ui {

using ContactMenuValidation::Action;

WindowContactCommands::WindowContactCommands(ContactPane* pane) : QObject(pane), m_pane(pane)
{
    // Asked of the clipboard when it changes, not at every change of the selection: reading another
    // application's clipboard is a round trip to it.
    const auto readClipboard = [this] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        m_clipboardOffersContacts = data && (ContactPasteboard::offersContacts(*data) || data->hasText());
    };
    readClipboard();
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, readClipboard);
}

WindowContactCommands::~WindowContactCommands() = default;

ContactCommands WindowContactCommands::commands() const
{
    return ContactCommands(*m_pane->tableController());
}

ContactMenuValidation::ContactMenuState WindowContactCommands::menuState(int clickedRow) const
{
    const ContactOwner* document = m_pane->owner();
    const ContactCollection& collection = document->collection();
    const ContactsViewController* table = m_pane->tableController();
    ContactMenuValidation::ContactMenuState state;
    state.keyWindow = true; // every window has menus of its own
    state.exporting = document->isExporting();
    state.editState = document->editState();
    state.selectedRowCount = int(table->selectedIndexes().size());
    state.clickedDataRow = clickedRow >= 0 && clickedRow < table->subContactTable().size();
    state.selectedContactCount = int(table->selectedContacts().size());
    state.groupRemote = collection.selectedGroupDict ? collection.selectedGroupDict->remote : QString();
    state.defaultAccount = collection.defaultAccount;
    state.clipboardOffersContacts = m_clipboardOffersContacts;
    return state;
}

bool WindowContactCommands::isEnabled(Action action, int clickedRow) const
{
    return ContactMenuValidation::validate(action, menuState(clickedRow)).enabled;
}

// Adding, deleting, duplicating -----------------------------------------------------------------

void WindowContactCommands::addContact()
{
    m_pane->tableView()->editing()->commitPendingEdit();
    if (!isEnabled(Action::AddContact))
        return;
    const int row = commands().addContact();
    if (row < 0)
        return;
    m_pane->tableView()->scrollTo(m_pane->tableView()->model()->index(row, 0));
    // A new contact is named first.
    m_pane->editors()->openNameEditor(m_pane->tableController()->subContactTable().at(row).contact);
}

void WindowContactCommands::deleteContact(int clickedRow)
{
    m_pane->tableView()->editing()->commitPendingEdit();
    if (!isEnabled(Action::DeleteContact, clickedRow))
        return;
    ContactCommands commands = this->commands();
    const std::optional<ContactCommands::DeleteRequest> request = commands.deleteRequest(clickedRow);
    if (!request)
        return;
    m_pane->tableController()->selectRowIndexes(request->rows);
    if (!MessageBox::confirm(m_pane, request->messageText, request->informativeText))
        return;
    commands.deleteContacts(*request);
    // A deletion that leaves no undo step marks the document edited by itself.
    if (!request->undoable)
        m_pane->owner()->setAddressBookDirty(true);
}

void WindowContactCommands::duplicateContact(int clickedRow)
{
    m_pane->tableView()->editing()->commitPendingEdit();
    if (!isEnabled(Action::DuplicateContact, clickedRow))
        return;
    ContactCommands commands = this->commands();
    if (commands.asksMultipleFirst(clickedRow)
        && !MessageBox::confirm(m_pane, ContactCommands::multipleContactsMessage(), {}))
        return;
    commands.duplicateContacts(clickedRow);
}

// The clipboard ---------------------------------------------------------------------------------

void WindowContactCommands::putOnClipboard(QMimeData* data)
{
    if (data)
        QApplication::clipboard()->setMimeData(data);
}

void WindowContactCommands::copy()
{
    copyRows(Action::Copy, QStringLiteral("\t"));
}

void WindowContactCommands::copyAsCSV()
{
    copyRows(Action::CopyAsCSV, QStringLiteral(", "));
}

void WindowContactCommands::copyRows(Action action, const QString& separator)
{
    if (!isEnabled(action))
        return;
    const QString text = ContactPasteboard::copyText(*m_pane->tableController(), commands().commandRows(-1), separator);
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void WindowContactCommands::copyAsVCard()
{
    if (!isEnabled(Action::CopyAsVCard))
        return;
    const ContactPasteboard::Payload payload =
        ContactPasteboard::copyAsVCard(*m_pane->tableController(), commands().commandRows(-1));
    if (!payload.vCard.isEmpty())
        putOnClipboard(ContactPasteboard::mimeData(payload));
}

void WindowContactCommands::cut()
{
    m_pane->tableView()->editing()->commitPendingEdit();
    if (!isEnabled(Action::Cut))
        return;
    ContactCommands commands = this->commands();
    const std::optional<ContactCommands::DeleteRequest> request = commands.deleteRequest(-1);
    if (!request)
        return;
    putOnClipboard(
        ContactPasteboard::mimeData(ContactPasteboard::copyAsVCard(*m_pane->tableController(), request->rows)));
    // Cutting is undone like any other deletion; one that cannot be undone is asked first.
    if (!request->undoable && !MessageBox::confirm(m_pane, request->messageText, request->informativeText))
        return;
    commands.deleteContacts(*request);
    if (!request->undoable)
        m_pane->owner()->setAddressBookDirty(true);
}

void WindowContactCommands::paste()
{
    m_pane->tableView()->editing()->commitPendingEdit();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !isEnabled(Action::Paste))
        return;
    addFromOutside(ContactPasteboard::contactsFromMimeData(*data, true));
}

bool WindowContactCommands::dropContacts(const QMimeData& data)
{
    if (!m_pane->owner()->editState())
        return false;
    return addFromOutside(ContactPasteboard::contactsFromMimeData(data, false));
}

bool WindowContactCommands::addFromOutside(const ContactTable& contacts)
{
    // Text without cards adds nothing and says nothing; a group of another account says why not.
    const ContactCommands::AddResult result = commands().addContactsFromOutside(contacts);
    if (result == ContactCommands::AddResult::OtherAccount)
        MessageBox::alert(m_pane, ContactCommands::otherAccountMessage(),
                          ContactCommands::otherAccountInformativeText());
    return result == ContactCommands::AddResult::Added;
}

// Values ----------------------------------------------------------------------------------------

QList<MenuAction> WindowContactCommands::contextMenuCommands()
{
    return {MenuAction::DeleteContact, MenuAction::DuplicateContact, MenuAction::ExportContactAsVCard,
            MenuAction::CallPhone,     MenuAction::SendEmail,        MenuAction::OpenURL,
            MenuAction::OpenMap,       MenuAction::OpenGoogleMap,    MenuAction::OpenCalendar};
}

std::pair<bool, QString> WindowContactCommands::contextMenuCommandState(MenuAction action, int row) const
{
    std::optional<Action> rule;
    if (action == MenuAction::DeleteContact)
        rule = Action::DeleteContact;
    else if (action == MenuAction::DuplicateContact)
        rule = Action::DuplicateContact;
    else if (action == MenuAction::ExportContactAsVCard)
        rule = Action::ExportToVCard;
    if (!rule)
        return {true, {}};
    const ContactMenuValidation::Validation validation = ContactMenuValidation::validate(*rule, menuState(row));
    return {validation.enabled, validation.toolTip};
}

void WindowContactCommands::contextMenuCommand(MenuAction action, int row, int column)
{
    switch (action) {
    case MenuAction::DeleteContact:
        deleteContact(row);
        break;
    case MenuAction::DuplicateContact:
        duplicateContact(row);
        break;
    case MenuAction::ExportContactAsVCard:
        m_pane->exchangeCommands()->exportContactAsVCard(row);
        break;
    default:
        workspaceAction(action, row, column);
        break;
    }
}

void WindowContactCommands::normalizePhoneNumbers(const QString& layoutTitle, int clickedRow)
{
    m_pane->tableView()->editing()->commitPendingEdit();
    if (isEnabled(Action::NormalizePhoneNumber, clickedRow))
        commands().normalizePhoneNumbers(clickedRow, layoutTitle);
}

void WindowContactCommands::workspaceAction(MenuAction action, int row, int column)
{
    const ContactsViewController* table = m_pane->tableController();
    if (row < 0 || row >= table->subContactTable().size() || column < 0 || column >= table->tableIdentfiers().size())
        return;
    QString error;
    const QUrl url =
        WorkspaceActions::urlFor(action, table->subContactTable().at(row), table->tableIdentfiers().at(column),
                                 QDateTime::currentDateTimeUtc(), &error, table->collection().selectedLabels);
    if (!error.isEmpty())
        MessageBox::alert(m_pane, tr("Can't save the file"), error);
    DesktopLinks::open(url);
}

void WindowContactCommands::transformText(TextTransforms::Kind kind)
{
    if (!m_pane->owner()->editState())
        return;
    ContactsTableView* view = m_pane->tableView();
    if (auto* editor = qobject_cast<QLineEdit*>(view->cellDelegate()->activeEditor())) {
        if (!editor->hasSelectedText())
            editor->selectAll();
        editor->insert(TextTransforms::apply(kind, editor->selectedText()));
        return;
    }
    // No text field open: the whole text of the current cell, as a cell edit (one undo step).
    const QModelIndex index = view->currentIndex();
    ContactsViewController* table = m_pane->tableController();
    if (!index.isValid() || index.row() >= table->subContactTable().size()
        || !table->cell(index.row(), index.column()).editable)
        return;
    const QString text = table->cell(index.row(), index.column()).text;
    const QString transformed = TextTransforms::apply(kind, text);
    if (transformed != text)
        view->editing()->cellEditing().textFieldCellChanged(index.row(), index.column(), transformed);
}

} // namespace Quillary::Ui
