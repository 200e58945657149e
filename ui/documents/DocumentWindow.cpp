#include "DocumentWindow.h"

#include "ContactActions.h"
#include "DocumentFileCommands.h"
#include "DocumentMenus.h"
#include "DocumentPanelCommands.h"
#include "WindowContactCommands.h"
#include "app/DocumentController.h"
#include "documents/ContactDocument.h"
#include "documents/DocumentGroups.h"
#include "documents/LabelFilter.h"
#include "documents/Preferences.h"
#include "editors/TableEditors.h"
#include "groups/GroupSideBar.h"
#include "output/OutputCommands.h"
#include "support/MessageBox.h"
#include "table/CellEditing.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/FindBar.h"
#include "table/TableTextFinder.h"

#include <QCloseEvent>
#include <QFontDialog>
#include <QFrame>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

constexpr int SideBarWidth = 160;

} // namespace

DocumentWindow::DocumentWindow(std::unique_ptr<ContactDocument> document, Preferences& preferences,
                               DocumentController* controller, QWidget* parent)
    : QMainWindow(parent), m_document(document.release()), m_preferences(preferences), m_controller(controller),
      m_tableController(nullptr)
{
    setObjectName(QStringLiteral("documentWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_document->setParent(this);
    m_tableController =
        new ContactsViewController(m_document->collection(), &m_document->undoRegistry(), &m_preferences, this);
    m_document->setView(m_tableController);
    m_fileCommands = new DocumentFileCommands(this);
    m_contactCommands = new WindowContactCommands(this);
    m_textFinder = new TableTextFinder(*m_tableController, this);
    m_outputCommands = new OutputCommands(this);
    m_panelCommands = new DocumentPanelCommands(this);
    setUpLayout();
    m_contactActions = new ContactActions(this);
    setUpContactCommands();
    m_menus = new DocumentMenus(this);
    setUpTable();
    m_menus->buildMenuBar(menuBar());
    auto* toolBar = addToolBar(tr("Toolbar"));
    toolBar->setObjectName(QStringLiteral("toolbar"));
    toolBar->setMovable(false);
    m_menus->buildToolBar(toolBar, m_editButton);

    connect(m_document, &ContactDocument::modificationChanged, this, &DocumentWindow::updateWindowState);
    connect(m_document, &ContactDocument::editStateChanged, this, &DocumentWindow::applyEditState);
    connect(m_document->undoStack(), &QUndoStack::indexChanged, this, &DocumentWindow::updateWindowState);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, m_menus, &DocumentMenus::validate);
    connect(m_tableController->model(), &QAbstractItemModel::modelReset, m_menus, &DocumentMenus::validate);

    applyEditState(m_document->editState());
    resize(960, 640);
    updateWindowState();
    m_tableView->setFocus();
}

DocumentWindow::~DocumentWindow()
{
    // The document is a child: QWidget deletes it after this destructor, and its undo stack signals
    // as it is cleared. By then this is no DocumentWindow any more, and must not hear it.
    m_document->disconnect(this);
    m_document->undoStack()->disconnect(this);
    // The views read the document through the table controller: they go before either.
    m_document->setView(nullptr);
    delete takeCentralWidget();
}

void DocumentWindow::setUpLayout()
{
    m_editButton = new QToolButton(this);
    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_editButton->setCheckable(true);
    m_editButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_editButton->setMinimumWidth(56);
    connect(m_editButton, &QToolButton::clicked, this, [this](bool on) { setEditMode(on); });

    m_redSeparator = new QFrame(this);
    m_redSeparator->setObjectName(QStringLiteral("redSeparator"));
    m_redSeparator->setFixedHeight(2);
    m_redSeparator->setFrameShape(QFrame::NoFrame);
    m_redSeparator->setAutoFillBackground(true);

    m_sideBar = new GroupSideBar(m_document->collection(), this);
    m_tableView = new ContactsTableView(*m_tableController, this);
    // The find bar sits above the table it searches.
    auto* tableArea = new QWidget(this);
    auto* tableLayout = new QVBoxLayout(tableArea);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->setSpacing(0);
    m_findBar = new FindBar(*m_textFinder, tableArea);
    tableLayout->addWidget(m_findBar);
    tableLayout->addWidget(m_tableView, 1);
    m_splitView = new QSplitter(Qt::Horizontal, this);
    m_splitView->setObjectName(QStringLiteral("splitView"));
    m_splitView->addWidget(m_sideBar);
    m_splitView->addWidget(tableArea);
    m_splitView->setStretchFactor(1, 1);
    m_splitView->setCollapsible(1, false);
    connect(m_splitView, &QSplitter::splitterMoved, this, [this] {
        m_groupViewHidden = m_splitView->sizes().value(0) == 0;
        m_menus->validate();
    });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_redSeparator);
    layout->addWidget(m_splitView, 1);
    setCentralWidget(central);

    connect(m_sideBar, &GroupSideBar::groupSelectionDidChange, this, &DocumentWindow::groupSelectionDidChange);
    connect(m_sideBar, &GroupSideBar::groupNameWillChange, this, &DocumentWindow::groupNameWillChange);
    connect(m_sideBar, &GroupSideBar::addContactByStringIndexes, this, &DocumentWindow::addContactByStringIndexes);

    connect(m_tableView->editing(), &ContactsTableEditing::windowEdited, this,
            [this] { m_document->setAddressBookDirty(true); });
    m_editors = new TableEditors(m_tableView, m_document->undoRegistry(),
                                 [document = m_document] { return !document->isInViewingMode(); });
}

void DocumentWindow::setUpContactCommands()
{
    ContactsTableEditing* editing = m_tableView->editing();
    // Show QRCode is the output's; the other commands of the menu are the contact commands'.
    QList<MenuAction> commands = WindowContactCommands::contextMenuCommands();
    commands.append(MenuAction::ShowQRCode);
    editing->setWindowCommands(commands);
    editing->setWindowCommandState(
        [this](MenuAction action, int row) { return m_contactCommands->contextMenuCommandState(action, row); });
    connect(editing, &ContactsTableEditing::contactCommandRequested, this,
            [this](MenuAction action, int row, int column) {
                if (action == MenuAction::ShowQRCode)
                    m_outputCommands->showQRCode(row);
                else
                    m_contactCommands->contextMenuCommand(action, row, column);
            });
    m_tableView->setDropHandler([this](const QMimeData& data) { return m_contactCommands->dropContacts(data); });
    connect(m_textFinder, &TableTextFinder::editorRequested, this, [editing](int row, int column) {
        editing->apply(editing->cellEditing().editTableViewCellOrShowPopoverForColumn(column, row, false));
    });
    connect(m_textFinder, &TableTextFinder::findBarStateChanged, this, [this] {
        if (!m_textFinder->isFindBarVisible())
            m_tableView->setFocus();
    });
}

void DocumentWindow::showContactInfo()
{
    m_editors->showContactInfo();
}

void DocumentWindow::setUpTable()
{
    const QFont font = m_preferences.tableFont();
    const ViewTypeDict dict = m_preferences.viewTypeDict(ViewTypes::documentViewTypes());
    m_tableController->setViewTypes(dict, m_preferences.selectedViewType(dict));
    m_document->collection().selectedLabels = {ViewTypes::AllLabels};
    if (!m_document->collection().selectedGroupDict)
        m_document->collection().selectedGroupDict = m_document->collection().topGroup();
    // A CSV document stays in viewing mode; a vCard document starts in the stored mode.
    m_document->setEditState(!m_document->isCsv() && m_preferences.lastEditState());
    m_sideBar->updateFont(font);
    m_splitView->setSizes({0, 1});
    m_groupViewHidden = true;
    m_tableView->updateFont(font);
    // The rows are built once, in the window's mode.
    if (m_tableController->editState() != m_document->editState())
        m_tableController->setEditState(m_document->editState());
    else
        m_tableController->updateTable();
}

// Edit mode ------------------------------------------------------------------------------------

bool DocumentWindow::editState() const
{
    return m_document->editState();
}

void DocumentWindow::editButtonPressed()
{
    setEditMode(!editState());
}

void DocumentWindow::setEditMode(bool on)
{
    m_document->setEditState(on);
    // A refused change (a CSV document) leaves the button as the mode is.
    applyEditState(m_document->editState());
}

void DocumentWindow::applyEditState(bool on)
{
    m_editButton->setChecked(on);
    m_editButton->setText(on ? tr("Lock") : tr("Edit"));
    m_editButton->setEnabled(!m_document->isCsv());
    QPalette palette = m_redSeparator->palette();
    palette.setColor(QPalette::Window, on ? QColor(Qt::red) : QColor(Qt::transparent));
    m_redSeparator->setPalette(palette);
    m_redSeparator->setProperty("editMode", on);
    m_sideBar->setEditState(on);
    m_findBar->updateEditable();
    if (!on)
        m_tableView->editing()->abandonPendingEdit(); // locking drops a half-typed text
    if (on != m_tableController->editState())
        m_tableController->setEditState(on);
    if (!on)
        m_tableView->setFocus();
    m_menus->validate();
}

// Groups ----------------------------------------------------------------------------------------

void DocumentWindow::showGroupView()
{
    if (m_document->isExporting())
        return;
    const int total = m_splitView->width();
    if (m_groupViewHidden)
        m_splitView->setSizes({SideBarWidth, qMax(1, total - SideBarWidth)});
    else
        m_splitView->setSizes({0, qMax(1, total)});
    m_groupViewHidden = !m_groupViewHidden;
    m_menus->validate();
}

void DocumentWindow::groupPopupSelected(const GroupEntryPtr& group)
{
    if (!group || !m_document->collection().groupTable.contains(group))
        return;
    m_document->collection().selectedGroupDict = group;
    m_sideBar->updateTable();
    m_tableController->updateTable();
    m_menus->validate();
}

void DocumentWindow::groupSelectionDidChange(const GroupEntryPtr& group)
{
    if (!group)
        return;
    m_document->collection().selectedGroupDict = group;
    m_tableController->updateTable();
    m_menus->validate();
}

void DocumentWindow::groupNameWillChange(const GroupEntryPtr& group, const QString& name)
{
    if (!DocumentGroups::renameGroup(group, name))
        return;
    m_document->setAddressBookDirty(true);
    m_tableController->updateTable(); // the summary row names the group
    m_menus->validate();
}

void DocumentWindow::addContactByStringIndexes(const QString& text, const GroupEntryPtr& group)
{
    DocumentGroups::addContactByStringIndexes(m_document->undoRegistry(), text, group);
}

bool DocumentWindow::canAddGroup() const
{
    return m_menus->isEnabled(DocumentMenuValidation::Action::AddGroup);
}

bool DocumentWindow::canDeleteGroup() const
{
    return m_menus->isEnabled(DocumentMenuValidation::Action::DeleteGroup);
}

void DocumentWindow::addGroup()
{
    if (!canAddGroup()
        || !MessageBox::confirm(this, tr("Do you want to add the group?"), tr("This operation can't be undone.")))
        return;
    DocumentGroups::addGroup(m_document->collection());
    groupsChanged();
}

void DocumentWindow::deleteGroup()
{
    if (!canDeleteGroup()
        || !MessageBox::confirm(this, tr("Do you want to remove the group?"), tr("This operation can't be undone.")))
        return;
    if (DocumentGroups::deleteGroup(m_document->collection(), m_document->collection().selectedGroupDict))
        groupsChanged();
}

void DocumentWindow::groupsChanged()
{
    m_document->setAddressBookDirty(true);
    m_sideBar->updateTable();
    m_tableController->updateTable();
    m_menus->validate();
}

// View ------------------------------------------------------------------------------------------

void DocumentWindow::viewTypePopupSelected(const QString& name)
{
    m_tableController->viewTypePopupSelected(name);
    m_menus->validate();
}

void DocumentWindow::toggleColumn(const QString& identifier)
{
    m_tableController->toggleColumn(identifier);
    m_menus->validate();
}

void DocumentWindow::labelPopupChanged(const QString& title)
{
    m_tableController->setSelectedLabels(LabelFilter::toggleLabel(m_document->collection().selectedLabels, title));
    m_menus->validate();
}

QFont DocumentWindow::tableFont() const
{
    return m_tableView->tableFont();
}

void DocumentWindow::setTableFont(const QFont& font)
{
    m_preferences.setTableFont(font);
    m_sideBar->updateFont(font);
    m_tableView->updateFont(font);
}

void DocumentWindow::revertToDefaultFont()
{
    if (tableFont() != Preferences::defaultTableFont())
        setTableFont(Preferences::defaultTableFont());
}

void DocumentWindow::chooseFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, tableFont(), this, tr("Fonts"));
    if (ok)
        setTableFont(font);
}

// State -----------------------------------------------------------------------------------------

void DocumentWindow::updateWindowState()
{
    setWindowTitle(m_document->displayName() + QStringLiteral("[*]"));
    setWindowFilePath(m_document->filePath());
    setWindowModified(m_document->isModified());
    m_menus->validate();
}

void DocumentWindow::documentReloaded()
{
    // As when the window opens: the side bar hidden, every label shown.
    m_splitView->setSizes({0, qMax(1, m_splitView->width())});
    m_groupViewHidden = true;
    m_document->collection().selectedLabels = {ViewTypes::AllLabels};
    m_sideBar->updateTable();
    m_tableController->setSelectedLabels(m_document->collection().selectedLabels);
    updateWindowState();
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (m_fileCommands->canClose())
        event->accept();
    else
        event->ignore();
}

void DocumentWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        m_menus->validate();
}

} // namespace Quillary::Ui
