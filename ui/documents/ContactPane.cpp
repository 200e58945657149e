#include "ContactPane.h"

#include "ContactActions.h"
#include "DocumentMenus.h"
#include "DocumentPanelCommands.h"
#include "ExchangeCommands.h"
#include "WindowContactCommands.h"
#include "documents/ContactOwner.h"
#include "documents/DocumentGroups.h"
#include "documents/LabelFilter.h"
#include "documents/Preferences.h"
#include "groups/GroupSideBar.h"
#include "output/OutputCommands.h"
#include "support/MessageBox.h"
#include "support/ThemeIcons.h"
#include "table/CellEditing.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/EmptyStateOverlay.h"
#include "table/FindBar.h"
#include "table/TableEditors.h"
#include "table/TableTextFinder.h"

#include <QFontDialog>
#include <QFrame>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

constexpr int SideBarWidth = 160;

} // namespace

ContactPane::ContactPane(ContactOwner& owner, Preferences& preferences, PaneHost* host, QWidget* parent)
    : QWidget(parent), m_owner(owner), m_preferences(preferences), m_host(host),
      m_tableController(new ContactsViewController(owner.collection(), &owner.undoRegistry(), &preferences, this))
{
    setObjectName(QStringLiteral("contactPane"));
    m_tableController->setViewTypeKey(owner.viewTypeKey());
    m_owner.undoRegistry().setView(m_tableController);
    m_exchangeCommands = new ExchangeCommands(this);
    m_contactCommands = new WindowContactCommands(this);
    m_textFinder = new TableTextFinder(*m_tableController, this);
    m_outputCommands = new OutputCommands(this, &owner, m_tableController, preferences);
    m_panelCommands = new DocumentPanelCommands(this);
    setUpLayout();
    m_contactActions = new ContactActions(this);
    setUpContactCommands();
    m_menus = new DocumentMenus(this);
    setUpTable();
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, m_menus, &DocumentMenus::validate);
    connect(m_tableController->model(), &QAbstractItemModel::modelReset, m_menus, &DocumentMenus::validate);
    applyEditState(m_owner.editState());
}

ContactPane::~ContactPane()
{
    // The views read the owner through the table controller: they go before either.
    m_owner.undoRegistry().setView(nullptr);
    delete m_splitView;
}

void ContactPane::setUpLayout()
{
    m_editButton = new QToolButton(this);
    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_editButton->setCheckable(true);
    m_editButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_editButton->setMinimumWidth(56);
    connect(m_editButton, &QToolButton::clicked, this, [this](bool on) { setEditMode(on); });

    m_redSeparator = new QFrame(this);
    m_redSeparator->setObjectName(QStringLiteral("redSeparator"));
    m_redSeparator->setFixedHeight(2);
    m_redSeparator->setFrameShape(QFrame::NoFrame);
    m_redSeparator->setAutoFillBackground(true);

    m_sideBar = new GroupSideBar(m_owner.collection(), this);
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
        m_sideBar->setCollapsed(m_groupViewHidden);
        m_menus->validate();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_redSeparator);
    layout->addWidget(m_splitView, 1);
    new EmptyStateOverlay(m_tableView, tr("No Contacts"),
                          tr("Drop vCard files here, or choose File > Import from vCard…"));

    connect(m_sideBar, &GroupSideBar::groupSelectionDidChange, this, &ContactPane::groupSelectionDidChange);
    connect(m_sideBar, &GroupSideBar::groupNameWillChange, this, &ContactPane::groupNameWillChange);
    connect(m_sideBar, &GroupSideBar::addContactByStringIndexes, this, &ContactPane::addContactByStringIndexes);

    connect(m_tableView->editing(), &ContactsTableEditing::windowEdited, this,
            [this] { m_owner.setAddressBookDirty(true); });
    m_editors =
        new TableEditors(m_tableView, m_owner.undoRegistry(), [owner = &m_owner] { return !owner->isInViewingMode(); });
}

void ContactPane::setUpContactCommands()
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

void ContactPane::showContactInfo()
{
    m_editors->showContactInfo();
}

void ContactPane::setUpTable()
{
    const QFont font = m_preferences.tableFont();
    const ViewTypeDict dict = m_preferences.viewTypeDict(m_owner.builtInViewTypes());
    m_tableController->setViewTypes(
        dict, m_owner.viewTypeToShow(m_preferences.value(m_owner.viewTypeKey()).toString(), dict));
    m_owner.collection().selectedLabels = {ViewTypes::AllLabels};
    if (!m_owner.collection().selectedGroupDict)
        m_owner.collection().selectedGroupDict = m_owner.collection().topGroup();
    // What is only looked at stays in viewing mode; the rest starts in the stored mode.
    m_owner.setEditState(!m_owner.isInViewingMode() && m_preferences.lastEditState());
    m_sideBar->setCollapsed(true);
    m_sideBar->updateFont(font);
    m_splitView->setSizes({0, 1});
    m_groupViewHidden = true;
    m_tableView->updateFont(font);
    // The rows are built once, in the window's mode.
    if (m_tableController->editState() != m_owner.editState())
        m_tableController->setEditState(m_owner.editState());
    else
        m_tableController->updateTable();
}

// Edit mode ------------------------------------------------------------------------------------

bool ContactPane::editState() const
{
    return m_owner.editState();
}

void ContactPane::editButtonPressed()
{
    setEditMode(!editState());
}

void ContactPane::setEditMode(bool on)
{
    m_owner.setEditState(on);
    // A refused change (an owner only looked at) leaves the button as the mode is.
    applyEditState(m_owner.editState());
}

void ContactPane::applyEditState(bool on)
{
    m_editButton->setChecked(on);
    m_editButton->setText(on ? tr("Lock") : tr("Edit"));
    m_editButton->setIcon(ThemeIcons::toolbarIcon(on ? QStringLiteral("lockButton") : QStringLiteral("editButton")));
    m_editButton->setEnabled(!m_owner.isInViewingMode());
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

void ContactPane::showGroupView()
{
    if (m_owner.isExporting())
        return;
    const int total = m_splitView->width();
    if (m_groupViewHidden)
        m_splitView->setSizes({SideBarWidth, qMax(1, total - SideBarWidth)});
    else
        m_splitView->setSizes({0, qMax(1, total)});
    m_groupViewHidden = !m_groupViewHidden;
    m_sideBar->setCollapsed(m_groupViewHidden);
    m_menus->validate();
}

void ContactPane::groupPopupSelected(const GroupEntryPtr& group)
{
    if (!group || !m_owner.collection().groupTable.contains(group))
        return;
    m_owner.collection().selectedGroupDict = group;
    m_sideBar->updateTable();
    m_tableController->updateTable();
    m_menus->validate();
}

void ContactPane::groupSelectionDidChange(const GroupEntryPtr& group)
{
    if (!group)
        return;
    m_owner.collection().selectedGroupDict = group;
    m_tableController->updateTable();
    m_menus->validate();
}

void ContactPane::groupNameWillChange(const GroupEntryPtr& group, const QString& name)
{
    if (!m_owner.renameGroup(group, name))
        return;
    m_tableController->updateTable(); // the summary row names the group
    m_menus->validate();
}

void ContactPane::addContactByStringIndexes(const QString& text, const GroupEntryPtr& group)
{
    DocumentGroups::addContactByStringIndexes(m_owner.undoRegistry(), text, group);
}

bool ContactPane::canAddGroup() const
{
    return m_menus->isEnabled(DocumentMenuValidation::Action::AddGroup);
}

bool ContactPane::canDeleteGroup() const
{
    return m_menus->isEnabled(DocumentMenuValidation::Action::DeleteGroup);
}

void ContactPane::addGroup()
{
    if (!canAddGroup()
        || !MessageBox::confirm(this, tr("Do you want to add the group?"), tr("This operation can't be undone.")))
        return;
    if (m_owner.addGroup())
        groupsChanged();
}

void ContactPane::deleteGroup()
{
    if (!canDeleteGroup()
        || !MessageBox::confirm(this, tr("Do you want to remove the group?"), tr("This operation can't be undone.")))
        return;
    if (m_owner.deleteGroup(m_owner.collection().selectedGroupDict))
        groupsChanged();
}

void ContactPane::groupsChanged()
{
    m_sideBar->updateTable();
    m_tableController->updateTable();
    m_menus->validate();
}

// View ------------------------------------------------------------------------------------------

void ContactPane::viewTypePopupSelected(const QString& name)
{
    m_tableController->viewTypePopupSelected(name);
    m_menus->validate();
}

void ContactPane::toggleColumn(const QString& identifier)
{
    m_tableController->toggleColumn(identifier);
    m_menus->validate();
}

void ContactPane::labelPopupChanged(const QString& title)
{
    m_tableController->setSelectedLabels(LabelFilter::toggleLabel(m_owner.collection().selectedLabels, title));
    m_menus->validate();
}

QFont ContactPane::tableFont() const
{
    return m_tableView->tableFont();
}

void ContactPane::setTableFont(const QFont& font)
{
    m_preferences.setTableFont(font);
    m_sideBar->updateFont(font);
    m_tableView->updateFont(font);
}

void ContactPane::revertToDefaultFont()
{
    if (tableFont() != Preferences::defaultTableFont())
        setTableFont(Preferences::defaultTableFont());
}

void ContactPane::chooseFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, tableFont(), this, tr("Fonts"));
    if (ok)
        setTableFont(font);
}

void ContactPane::ownerReloaded()
{
    hideSideBar();
    m_owner.collection().selectedLabels = {ViewTypes::AllLabels};
    m_sideBar->updateTable();
    m_tableController->setSelectedLabels(m_owner.collection().selectedLabels);
    m_menus->validate();
}

void ContactPane::hideSideBar()
{
    m_splitView->setSizes({0, qMax(1, m_splitView->width())});
    m_groupViewHidden = true;
    m_sideBar->setCollapsed(true);
}

} // namespace Quillary::Ui
