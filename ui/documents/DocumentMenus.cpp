#include "DocumentMenus.h"

#include "ContactActions.h"
#include "ContactPane.h"
#include "DocumentPanelCommands.h"
#include "ExchangeCommands.h"
#include "PaneHost.h"
#include "DocumentHost.h"
#include "documents/ContactOwner.h"
#include "documents/DocumentGroups.h"
#include "documents/LabelFilter.h"
#include "groups/GroupMenuList.h"
#include "output/OutputCommands.h"
#include "support/ThemeIcons.h"
#include "support/UiTr.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace Quillary::Ui {

namespace {

using DocumentMenuValidation::Action;
using DocumentMenuValidation::DocumentMenuItem;
using DocumentMenuValidation::DocumentMenuState;

DocumentMenuItem itemOf(Action action, const QString& representedObject = {}, const QString& title = {})
{
    DocumentMenuItem item;
    item.action = action;
    item.representedObject = representedObject;
    item.title = title;
    return item;
}

QString translated(const QString& key)
{
    return QCoreApplication::translate("Quillary::Core", key.toUtf8().constData());
}

/// A toolbar control with its caption below it, as the toolbar shows its items.
QWidget* captioned(QWidget* control, const QString& caption, QWidget* parent)
{
    auto* item = new QWidget(parent);
    auto* layout = new QVBoxLayout(item);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(1);
    layout->addWidget(control, 0, Qt::AlignHCenter);
    auto* label = new QLabel(caption, item);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    layout->addWidget(label, 0, Qt::AlignHCenter);
    return item;
}

void showAbout(QWidget* parent)
{
    QMessageBox::about(parent, Tr::tr("About Quillary"),
                       Tr::tr("<h3>Quillary %1</h3><p>A contacts editor for vCard and CSV files: every phone number, "
                              "e-mail address and address of a contact in a row of its own.</p>")
                           .arg(QApplication::applicationVersion()));
}

} // namespace

DocumentMenus::DocumentMenus(ContactPane* pane) : QObject(pane), m_pane(pane)
{
    createActions();
}

DocumentMenus::~DocumentMenus() = default;

QAction* DocumentMenus::addAction(Command command, const QString& name, const QString& text,
                                  const QKeySequence& shortcut)
{
    auto* action = new QAction(text, m_pane);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    m_actions.insert(command, action);
    return action;
}

void DocumentMenus::createActions()
{
    ContactPane* w = m_pane;
    ExchangeCommands* exchange = w->exchangeCommands();
    DocumentHost* app = w->host() ? w->host()->documentHost() : nullptr;

    connect(addAction(Command::New, QStringLiteral("newAction"), tr("&New"), QKeySequence::New), &QAction::triggered,
            this, [app] {
                if (app)
                    app->newDocument();
            });
    connect(addAction(Command::Open, QStringLiteral("openAction"), tr("&Open…"), QKeySequence::Open),
            &QAction::triggered, this, [app, w] {
                if (app)
                    app->openDocumentWithPanel(w->window());
            });
    connect(addAction(Command::Close, QStringLiteral("closeAction"), tr("&Close"), QKeySequence::Close),
            &QAction::triggered, this, [w] { w->window()->close(); });
    // Saving and reverting are the window's: it connects them.
    addAction(Command::Save, QStringLiteral("saveAction"), tr("&Save"), QKeySequence::Save);
    addAction(Command::Revert, QStringLiteral("revertAction"), tr("Revert to Saved"));
    connect(addAction(Command::ExportAsCsv, QStringLiteral("exportAsCsvAction"), tr("Export as CSV…")),
            &QAction::triggered, exchange, &ExchangeCommands::exportAsCSV);
    connect(addAction(Command::ExportAsVCard, QStringLiteral("exportAsVCardAction"), tr("Export as vCard…")),
            &QAction::triggered, exchange, &ExchangeCommands::exportAsVCard);
    connect(addAction(Command::ImportFromVCard, QStringLiteral("importFromVCardAction"), tr("Import from vCard…")),
            &QAction::triggered, exchange, &ExchangeCommands::importFromVCard);
    connect(addAction(Command::Quit, QStringLiteral("quitAction"), tr("&Quit"), QKeySequence::Quit),
            &QAction::triggered, this, [app] {
                if (app)
                    app->quit();
            });

    QUndoStack* stack = w->owner()->undoStack();
    QAction* undo = stack->createUndoAction(w, tr("Undo"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence::Undo);
    m_actions.insert(Command::Undo, undo);
    QAction* redo = stack->createRedoAction(w, tr("Redo"));
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcut(QKeySequence::Redo);
    m_actions.insert(Command::Redo, redo);
    connect(
        addAction(Command::SelectAll, QStringLiteral("selectAllAction"), tr("Select &All"), QKeySequence::SelectAll),
        &QAction::triggered, w->tableView(), &QAbstractItemView::selectAll);
    // Ctrl+E is "Use Selection for Find".
    QAction* editMode = addAction(Command::EditMode, QStringLiteral("editModeAction"), tr("Edit"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    editMode->setCheckable(true);
    connect(editMode, &QAction::triggered, w, &ContactPane::editButtonPressed);

    connect(addAction(Command::ShowGroups, QStringLiteral("showGroupsAction"), tr("Show Groups"),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G)),
            &QAction::triggered, w, &ContactPane::showGroupView);
    connect(addAction(Command::AddGroup, QStringLiteral("addGroupAction"), tr("Add Group")), &QAction::triggered, w,
            &ContactPane::addGroup);
    connect(addAction(Command::DeleteGroup, QStringLiteral("deleteGroupAction"), tr("Delete Group")),
            &QAction::triggered, w, &ContactPane::deleteGroup);
    connect(addAction(Command::Font, QStringLiteral("fontAction"), tr("Font…"), QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, w, &ContactPane::chooseFont);
    connect(addAction(Command::DefaultFont, QStringLiteral("defaultFontAction"), tr("Use Default Font")),
            &QAction::triggered, w, &ContactPane::revertToDefaultFont);
    QAction* company =
        addAction(Command::ShowCompanyInNameCell, QStringLiteral("showCompanyAction"), tr("Show Company in Name Cell"));
    company->setCheckable(true);
    connect(company, &QAction::triggered, this, [w] { w->tableController()->toggleShowCompany(); });
    QAction* allRows =
        addAction(Command::ShowNameInAllRows, QStringLiteral("showNameInAllRowsAction"), tr("Show Name in all rows"));
    allRows->setCheckable(true);
    connect(allRows, &QAction::triggered, this, [w] { w->tableController()->toggleShowNameInAllRows(); });
    connect(addAction(Command::ShowContactInfo, QStringLiteral("showContactInfoAction"), tr("Show Contact Info"),
                      QKeySequence(Qt::CTRL | Qt::Key_I)),
            &QAction::triggered, w, &ContactPane::showContactInfo);
    connect(addAction(Command::About, QStringLiteral("aboutAction"), tr("&About Quillary")), &QAction::triggered, this,
            [w] { showAbout(w->window()); });
}

QMenu* DocumentMenus::dynamicMenu(QWidget* parent, const QString& objectName, const QString& title,
                                  void (DocumentMenus::*fill)(QMenu*))
{
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(objectName);
    connect(menu, &QMenu::aboutToShow, this, [this, menu, fill] { (this->*fill)(menu); });
    (this->*fill)(menu); // so that keyboard navigation finds items before the first opening
    return menu;
}

void DocumentMenus::buildMenuBar(QMenuBar* bar)
{
    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(action(Command::New));
    file->addAction(action(Command::Open));
    m_recentMenu = file->addMenu(tr("Open Recent"));
    m_recentMenu->setObjectName(QStringLiteral("recentMenu"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, [this] {
        if (DocumentHost* app = m_pane->host() ? m_pane->host()->documentHost() : nullptr)
            app->fillRecentMenu(m_recentMenu, m_pane->window());
    });
    file->addSeparator();
    file->addAction(action(Command::Close));
    file->addAction(action(Command::Save));
    file->addAction(action(Command::Revert));
    if (m_pane->host())
        m_pane->host()->addFileMenuItems(file);
    file->addSeparator();
    file->addAction(action(Command::ExportAsCsv));
    file->addAction(action(Command::ExportAsVCard));
    file->addAction(action(Command::ImportFromVCard));
    file->addSeparator();
    file->addAction(m_pane->outputCommands()->printAction());
    file->addAction(m_pane->outputCommands()->printPreviewAction());
    file->addSeparator();
    file->addAction(action(Command::Quit));

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(action(Command::Undo));
    edit->addAction(action(Command::Redo));
    edit->addSeparator();
    ContactActions* contacts = m_pane->contactActions();
    contacts->addClipboardItems(edit);
    edit->addAction(action(Command::SelectAll));
    edit->addSeparator();
    QMenu* find = contacts->findMenu(edit);
    find->addSeparator();
    find->addAction(m_pane->panelCommands()->findPanelAction());
    edit->addMenu(find);
    edit->addMenu(contacts->transformationsMenu(edit));
    edit->addSeparator();
    edit->addAction(action(Command::EditMode));

    QMenu* view = bar->addMenu(tr("&View"));
    view->addMenu(dynamicMenu(view, QStringLiteral("viewTypeMenu"), tr("View Type"), &DocumentMenus::fillViewTypeMenu));
    view->addMenu(dynamicMenu(view, QStringLiteral("columnsMenu"), tr("Columns"), &DocumentMenus::fillColumnsMenu));
    view->addMenu(
        dynamicMenu(view, QStringLiteral("sortOptionsMenu"), tr("Sort Options"), &DocumentMenus::fillSortOptionsMenu));
    view->addSeparator();
    view->addAction(action(Command::ShowGroups));
    view->addAction(action(Command::ShowContactInfo));
    view->addSeparator();
    view->addAction(action(Command::ShowCompanyInNameCell));
    view->addAction(action(Command::ShowNameInAllRows));
    view->addSeparator();
    view->addAction(action(Command::Font));
    view->addAction(action(Command::DefaultFont));

    QMenu* contact = contacts->contactMenu(bar);
    contact->addSeparator();
    contact->addAction(action(Command::ShowContactInfo));
    contact->addAction(m_pane->outputCommands()->showQRCodeAction());
    contact->addAction(m_pane->outputCommands()->useAsMyCardAction());
    contact->addSeparator();
    contact->addAction(m_pane->panelCommands()->mergeAction());
    contact->addAction(m_pane->panelCommands()->findDuplicatesAction());
    bar->addMenu(contact);

    QMenu* navigate = bar->addMenu(tr("&Navigate"));
    navigate->addMenu(
        dynamicMenu(navigate, QStringLiteral("selectGroupMenu"), tr("Select Group"), &DocumentMenus::fillGroupMenu));
    navigate->addMenu(
        dynamicMenu(navigate, QStringLiteral("selectLabelMenu"), tr("Select Label"), &DocumentMenus::fillLabelMenu));

    QMenu* help = bar->addMenu(tr("&Help"));
    if (m_pane->host())
        m_pane->host()->addHelpMenuItems(help);
    help->addAction(action(Command::About));
    for (QMenu* menu : {file, edit, view, contact, navigate, help})
        connect(menu, &QMenu::aboutToShow, this, &DocumentMenus::validate);
}

QToolButton* DocumentMenus::popupButton(const QString& objectName, const QString& title,
                                        void (DocumentMenus::*fill)(QMenu*))
{
    auto* button = new QToolButton(m_pane);
    button->setObjectName(objectName);
    button->setText(title);
    button->setIcon(ThemeIcons::toolbarIcon(objectName));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(dynamicMenu(button, objectName + QStringLiteral("Menu"), title, fill));
    ThemeIcons::clearHoverAfterMenu(button);
    return button;
}

void DocumentMenus::buildToolBar(QToolBar* toolBar, QToolButton* editButton)
{
    toolBar->addWidget(captioned(editButton, tr("Edit"), toolBar));
    toolBar->addSeparator();
    toolBar->addWidget(popupButton(QStringLiteral("groupPopup"), tr("Select Group"), &DocumentMenus::fillGroupMenu));
    m_viewTypePopup = new QComboBox(toolBar);
    m_viewTypePopup->setObjectName(QStringLiteral("viewTypePopup"));
    m_viewTypePopup->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    rebuildViewTypePopup();
    connect(m_viewTypePopup, &QComboBox::activated, this,
            [this](int index) { m_pane->viewTypePopupSelected(m_viewTypePopup->itemData(index).toString()); });
    toolBar->addWidget(captioned(m_viewTypePopup, tr("View Type"), toolBar));
    toolBar->addWidget(popupButton(QStringLiteral("columnsPopup"), tr("Columns"), &DocumentMenus::fillColumnsMenu));
    toolBar->addWidget(popupButton(QStringLiteral("labelPopup"), tr("Label"), &DocumentMenus::fillLabelMenu));
    toolBar->addWidget(popupButton(QStringLiteral("contactPopup"), tr("Contact"), &DocumentMenus::fillContactMenu));
    toolBar->addWidget(
        popupButton(QStringLiteral("sortOptionsPopup"), tr("Sort Options"), &DocumentMenus::fillSortOptionsMenu));
    QAction* print = m_pane->outputCommands()->printAction();
    if (print->icon().isNull())
        print->setIcon(ThemeIcons::toolbarIcon(print->objectName()));
    toolBar->addAction(print);
}

void DocumentMenus::rebuildViewTypePopup()
{
    if (!m_viewTypePopup)
        return;
    ContactsViewController* table = m_pane->tableController();
    const QStringList names = m_pane->owner()->viewTypeNames(table->viewTypeDict());
    QSignalBlocker blocker(m_viewTypePopup);
    if (m_viewTypePopup->count() != names.size()) {
        m_viewTypePopup->clear();
        for (const QString& name : names)
            m_viewTypePopup->addItem(translated(name), name);
    }
    m_viewTypePopup->setCurrentIndex(m_viewTypePopup->findData(table->selectedViewType()));
}

void DocumentMenus::fillGroupMenu(QMenu* menu)
{
    menu->clear();
    const ContactCollection& collection = m_pane->owner()->collection();
    const DocumentMenuState state = menuState();
    for (const GroupMenuItem& item : DocumentGroups::groupMenuItems(collection, !m_pane->isGroupViewHidden())) {
        switch (item.kind) {
        case GroupMenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case GroupMenuItem::Kind::ToggleSideBar:
            applyValidation(menu->addAction(item.title, m_pane, &ContactPane::showGroupView),
                            itemOf(Action::ShowGroupView), state);
            break;
        case GroupMenuItem::Kind::AddGroup:
            applyValidation(menu->addAction(item.title, m_pane, &ContactPane::addGroup), itemOf(Action::AddGroup),
                            state);
            break;
        case GroupMenuItem::Kind::DeleteGroup:
            applyValidation(menu->addAction(item.title, m_pane, &ContactPane::deleteGroup), itemOf(Action::DeleteGroup),
                            state);
            break;
        case GroupMenuItem::Kind::GroupList:
            addGroupList(menu, item.group);
            break;
        case GroupMenuItem::Kind::Group: {
            QAction* action = menu->addAction(item.title);
            action->setCheckable(true);
            applyValidation(action, itemOf(Action::GroupPopupSelected, item.group->uniqueId), state);
            const GroupEntryPtr group = item.group;
            connect(action, &QAction::triggered, m_pane, [this, group] { m_pane->groupPopupSelected(group); });
            break;
        }
        }
    }
}

void DocumentMenus::addGroupList(QMenu* menu, const GroupEntryPtr& selected)
{
    auto* list = new GroupMenuList(m_pane->owner()->collection().groupTable, selected, menu);
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(list);
    menu->addAction(action);
    connect(list, &GroupMenuList::groupChosen, m_pane, [this, menu](const GroupEntryPtr& group) {
        // The whole menu closes, as after choosing an item: the submenu and the menus it opened from.
        for (QWidget* open = menu; qobject_cast<QMenu*>(open); open = open->parentWidget())
            open->hide();
        m_pane->groupPopupSelected(group);
    });
}

void DocumentMenus::fillLabelMenu(QMenu* menu)
{
    menu->clear();
    const DocumentMenuState state = menuState();
    for (const QString& title : LabelFilter::labelMenuTitles(m_pane->tableController()->tableIdentfiers())) {
        QAction* action = menu->addAction(translated(title));
        action->setCheckable(true);
        applyValidation(action, itemOf(Action::LabelPopupChanged, {}, title), state);
        connect(action, &QAction::triggered, m_pane, [this, title] { m_pane->labelPopupChanged(title); });
    }
}

void DocumentMenus::fillViewTypeMenu(QMenu* menu)
{
    menu->clear();
    ContactsViewController* table = m_pane->tableController();
    const DocumentMenuState state = menuState();
    for (const QString& name : m_pane->owner()->viewTypeNames(table->viewTypeDict())) {
        QAction* action = menu->addAction(translated(name));
        action->setCheckable(true);
        applyValidation(action, itemOf(Action::ViewTypePopupSelected, name), state);
        connect(action, &QAction::triggered, m_pane, [this, name] { m_pane->viewTypePopupSelected(name); });
    }
}

void DocumentMenus::fillColumnsMenu(QMenu* menu)
{
    menu->clear();
    const DocumentMenuState state = menuState();
    for (const QString& identifier : ViewTypes::columnChoices()) {
        QAction* action = menu->addAction(translated(identifier));
        action->setCheckable(true);
        applyValidation(action, itemOf(Action::ColumnsPopupChanged, identifier), state);
        connect(action, &QAction::triggered, m_pane, [this, identifier] { m_pane->toggleColumn(identifier); });
    }
}

void DocumentMenus::fillSortOptionsMenu(QMenu* menu)
{
    menu->clear();
    ContactsViewController* table = m_pane->tableController();
    const SortOptionsDict& options = table->sortOptionsDictionary();
    const DocumentMenuState state = menuState();
    for (const QString& identifier : SortKeys::popupIdentifiers()) {
        const auto it = options.constFind(identifier);
        if (it == options.constEnd())
            continue;
        QMenu* keys = menu->addMenu(translated(identifier));
        for (const QString& key : it->items) {
            QAction* action = keys->addAction(translated(key));
            action->setCheckable(true);
            DocumentMenuItem item = itemOf(Action::SortOptionsSelected, key);
            item.parentRepresentedObject = identifier;
            applyValidation(action, item, state);
            connect(action, &QAction::triggered, m_pane,
                    [table, identifier, key] { table->sortOptionsSelectForIdentifier(identifier, key); });
        }
    }
}

void DocumentMenus::fillContactMenu(QMenu* menu)
{
    menu->clear();
    validate();
    ContactActions* contacts = m_pane->contactActions();
    menu->addAction(action(Command::ShowContactInfo));
    for (const ContactActions::Id id : {ContactActions::Id::AddContact, ContactActions::Id::DeleteContact,
                                        ContactActions::Id::DuplicateContact, ContactActions::Id::ExportContactAsVCard})
        menu->addAction(contacts->action(id));
    menu->addAction(m_pane->panelCommands()->mergeAction());
    menu->addAction(m_pane->panelCommands()->findDuplicatesAction());
    menu->addAction(m_pane->outputCommands()->showQRCodeAction());
    menu->addAction(m_pane->outputCommands()->useAsMyCardAction());
    menu->addSeparator();
    menu->addAction(action(Command::ShowCompanyInNameCell));
    menu->addAction(action(Command::ShowNameInAllRows));
}

DocumentMenuState DocumentMenus::menuState() const
{
    ContactOwner* document = m_pane->owner();
    const ContactCollection& collection = document->collection();
    ContactsViewController* table = m_pane->tableController();
    DocumentMenuState state;
    state.csv = document->isInViewingMode();
    state.addressBook = document->isAddressBook();
    state.modified = document->isModified();
    state.ownerAllowsAddGroup = document->canAddGroup();
    state.ownerAllowsDeleteGroup = document->canDeleteGroup();
    state.selectedRowCount = int(table->selectedIndexes().size());
    state.groupCount = int(collection.groupTable.size());
    state.selectedGroupUniqueId = collection.selectedGroupDict ? collection.selectedGroupDict->uniqueId : QString();
    state.selectedGroupIsTop = !collection.selectedGroupDict || collection.selectedGroupDict->top;
    state.sideBarHidden = m_pane->isGroupViewHidden();
    state.exporting = document->isExporting();
    state.editState = m_pane->editState();
    state.keyWindow = true; // each window has menus of its own
    state.canUndo = document->undoStack()->canUndo();
    state.canRedo = document->undoStack()->canRedo();
    state.selectedViewType = table->selectedViewType();
    state.selectedViewTypeColumns = table->viewTypeDict().columns(table->selectedViewType());
    state.selectedLabels = collection.selectedLabels;
    const SortOptionsDict& options = table->sortOptionsDictionary();
    for (auto it = options.cbegin(); it != options.cend(); ++it)
        state.selectedSortKeys.insert(it.key(), it->selected);
    return state;
}

bool DocumentMenus::isEnabled(Action action) const
{
    return DocumentMenuValidation::validateMenuItem(itemOf(action), menuState()).enabled;
}

void DocumentMenus::applyValidation(QAction* action, const DocumentMenuItem& item, const DocumentMenuState& state,
                                    bool alsoEnabled)
{
    const DocumentMenuValidation::Validation validation = DocumentMenuValidation::validateMenuItem(item, state);
    action->setEnabled(validation.enabled && alsoEnabled);
    if (action->isCheckable())
        action->setChecked(validation.checked);
    if (!validation.title.isEmpty())
        action->setText(validation.title);
}

void DocumentMenus::applyValidation(Command command, Action action, const DocumentMenuState& state, bool alsoEnabled)
{
    applyValidation(this->action(command), itemOf(action), state, alsoEnabled);
}

void DocumentMenus::validate()
{
    if (m_actions.isEmpty())
        return;
    const DocumentMenuState state = menuState();
    const bool exporting = state.exporting;
    const bool hasApp = m_pane->host() && m_pane->host()->documentHost();
    action(Command::New)->setEnabled(hasApp);
    action(Command::Open)->setEnabled(hasApp);
    action(Command::Quit)->setEnabled(hasApp);
    // The owner decides; the window adds its own rules for saving and reverting, and that one export
    // or import runs at a time.
    if (m_pane->host())
        m_pane->host()->validateFileCommands(*this, state);
    applyValidation(action(Command::ExportAsCsv), itemOf(Action::ExportAsCSV), state,
                    !exporting && m_pane->owner()->exportsCsv());
    applyValidation(action(Command::ExportAsVCard), itemOf(Action::ExportAsVCard), state, !exporting);
    action(Command::ImportFromVCard)->setEnabled(!exporting);
    applyValidation(action(Command::EditMode), itemOf(Action::EditButtonPressed), state);
    applyValidation(action(Command::ShowGroups), itemOf(Action::ShowGroupView), state);
    applyValidation(action(Command::AddGroup), itemOf(Action::AddGroup), state);
    applyValidation(action(Command::DeleteGroup), itemOf(Action::DeleteGroup), state);
    // The font applies to viewing; in edit mode it stays as it is.
    action(Command::Font)->setEnabled(!m_pane->editState());
    action(Command::DefaultFont)->setEnabled(!m_pane->editState());
    action(Command::ShowCompanyInNameCell)->setChecked(m_pane->tableController()->showCompanyInNameCell());
    action(Command::ShowNameInAllRows)->setChecked(m_pane->tableController()->showNameInAllRows());
    action(Command::ShowContactInfo)->setEnabled(state.selectedRowCount > 0);
    m_pane->outputCommands()->validate();
    m_pane->contactActions()->validate(state);
    m_pane->panelCommands()->validate();
    rebuildViewTypePopup();
}

} // namespace Quillary::Ui
