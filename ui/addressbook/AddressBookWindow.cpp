#include "AddressBookWindow.h"

#include "AddressBookPanels.h"
#include "app/DocumentController.h"
#include "documents/AddressBookOwner.h"
#include "documents/DocumentMenus.h"
#include "documents/Preferences.h"
#include "groups/GroupSideBar.h"
#include "model/UserAddressFormats.h"
#include "support/DesktopLinks.h"
#include "support/MessageBox.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>

namespace Quillary::Ui {

namespace {

/// How often activating the window looks for changes other programs made.
constexpr qint64 ActivationCheckInterval = 5000;
/// How many unreadable files an alert names; the others are counted.
constexpr qsizetype ListedFiles = 20;

QString listed(const QStringList& lines)
{
    QStringList shown = lines.mid(0, ListedFiles);
    if (lines.size() > ListedFiles)
        shown.append(AddressBookWindow::tr("and %n more", nullptr, int(lines.size() - ListedFiles)));
    return shown.join(u'\n');
}

} // namespace

AddressBookWindow::AddressBookWindow(std::unique_ptr<AddressBookOwner> owner, Preferences& preferences,
                                     DocumentController* controller, QWidget* parent)
    : ContactWindow(preferences, controller, parent), m_controller(controller), m_owner(std::move(owner))
{
    setObjectName(QStringLiteral("addressBookWindow"));
    setUpPane(*m_owner);
    followOwner(m_owner.get());
    connect(m_owner.get(), &AddressBookOwner::reloaded, pane(), &ContactPane::groupsChanged);
    connect(m_owner.get(), &AddressBookOwner::changedExternally, this, &AddressBookWindow::changedExternally);
    updateWindowState();
    tableView()->setFocus();
}

AddressBookWindow::~AddressBookWindow()
{
    releaseOwner(m_owner.get());
}

// Commands ----------------------------------------------------------------------------------------

bool AddressBookWindow::saveAddressBook()
{
    tableView()->editing()->commitPendingEdit();
    if (!m_owner->isModified())
        return true;
    const VdirStore::SaveReport report = m_owner->saveAddressBook();
    // New contacts have their records now, deleted ones are gone: the rows follow.
    tableController()->updateTable();
    updateWindowState();
    if (report.ok())
        return true;
    MessageBox::alert(this, tr("AddressBook could not be saved."), listed(report.failures));
    return false;
}

bool AddressBookWindow::revertAddressBookToSaved()
{
    if (!MessageBox::confirm(this, tr("Do you want to revert AddressBook?"), QString()))
        return false;
    reloadAddressBook();
    return true;
}

void AddressBookWindow::reloadAddressBook()
{
    tableView()->editing()->abandonPendingEdit();
    m_owner->reloadAddressBook();
    updateWindowState();
}

void AddressBookWindow::showDefaultAccountPanel()
{
    QStringList names;
    for (const AccountName& account : m_owner->accounts())
        names.append(account.remote);
    const std::optional<QString> chosen =
        AddressBookPanels::chooseDefaultAccount(this, names, m_owner->collection().defaultAccount);
    if (!chosen || *chosen == m_owner->collection().defaultAccount)
        return;
    m_owner->setDefaultAccount(*chosen);
    pane()->groupsChanged();
}

void AddressBookWindow::newSmartGroup()
{
    if (const std::optional<SmartGroup> group = AddressBookPanels::newSmartGroup(this)) {
        m_owner->addSmartGroup(*group);
        pane()->groupsChanged();
    }
}

void AddressBookWindow::showHelp()
{
    // The documentation installed with the application, wherever the data folders are.
    const QStringList candidates{
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("doc/quillary/README.md")),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/doc/quillary/README.md"))};
    for (const QString& file : candidates) {
        if (!file.isEmpty() && QFileInfo::exists(file) && DesktopLinks::open(QUrl::fromLocalFile(file)))
            return;
    }
    MessageBox::alert(this, tr("The documentation of Quillary is not installed."));
}

void AddressBookWindow::sendFeedback()
{
    const QString subject = tr("Feedback of %1").arg(QCoreApplication::applicationName());
    DesktopLinks::open(QUrl(QStringLiteral("mailto:?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(subject))));
}

// Launch ------------------------------------------------------------------------------------------

void AddressBookWindow::showLaunchAlerts()
{
    if (!m_owner->errorString().isEmpty()) {
        MessageBox::alert(this, tr("Quillary can't use the folder of its address book."),
                          tr("%1\n%2").arg(m_owner->storeRoot().isEmpty() ? QString() : m_owner->storeRoot(),
                                           m_owner->errorString()));
    } else if (m_owner->isReadOnly()) {
        MessageBox::alert(this, tr("AddressBook is in use by another Quillary."),
                          tr("It is shown read-only: changes can't be saved here. It is held by %1.")
                              .arg(m_owner->lockHolder()));
    }
    if (const QStringList skipped = m_owner->skippedFiles(); !skipped.isEmpty())
        MessageBox::alert(this, tr("Some cards of AddressBook could not be read."),
                          tr("They are left as they are:\n%1").arg(listed(skipped)));
    QTimer::singleShot(100, this, &AddressBookWindow::applyUserAddressFormats);
}

void AddressBookWindow::applyUserAddressFormats()
{
    switch (UserAddressFormats::apply()) {
    case UserAddressFormats::Outcome::NoFile:
        break;
    case UserAddressFormats::Outcome::Applied:
        tableController()->updateTable(); // addresses are written in their country's order
        break;
    case UserAddressFormats::Outcome::Unreadable:
        MessageBox::alert(this, tr("Cannot read AddressFormat.json."), tr("Please make sure the format is valid."));
        break;
    }
}

void AddressBookWindow::changedExternally(const QStringList&)
{
    // One question at a time, however many changes arrive meanwhile.
    if (m_askingToReload)
        return;
    m_askingToReload = true;
    const bool reload = MessageBox::confirm(this, tr("AddressBook is Changed. Do you want to reload AddressBook?"),
                                            tr("Your changes will be lost."));
    m_askingToReload = false;
    if (reload)
        reloadAddressBook();
}

// PaneHost ----------------------------------------------------------------------------------------

void AddressBookWindow::updateWindowState()
{
    const QString title = m_owner->isReadOnly() ? tr("Quillary (read-only)") : QCoreApplication::applicationName();
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(m_owner->isModified());
    if (pane())
        menus()->validate();
}

void AddressBookWindow::connectFileCommands(DocumentMenus& menus)
{
    using Command = DocumentMenus::Command;
    connect(menus.action(Command::Save), &QAction::triggered, this, &AddressBookWindow::saveAddressBook);
    connect(menus.action(Command::Revert), &QAction::triggered, this, &AddressBookWindow::revertAddressBookToSaved);
}

void AddressBookWindow::validateFileCommands(DocumentMenus& menus,
                                             const DocumentMenuValidation::DocumentMenuState& state)
{
    using Command = DocumentMenus::Command;
    using DocumentMenuValidation::Action;
    menus.applyValidation(Command::Save, Action::SaveDocument, state, !state.exporting);
    menus.applyValidation(Command::Revert, Action::RevertDocumentToSaved, state, !state.exporting);
}

void AddressBookWindow::addFileMenuItems(QMenu* file)
{
    file->addSeparator();
    QAction* account = file->addAction(tr("Default Account…"), this, &AddressBookWindow::showDefaultAccountPanel);
    account->setObjectName(QStringLiteral("defaultAccountAction"));
    QAction* smart = file->addAction(tr("New Smart Group…"), this, &AddressBookWindow::newSmartGroup);
    smart->setObjectName(QStringLiteral("newSmartGroupAction"));
}

void AddressBookWindow::addHelpMenuItems(QMenu* help)
{
    QAction* manual = help->addAction(tr("Quillary Help"), this, &AddressBookWindow::showHelp);
    manual->setObjectName(QStringLiteral("helpAction"));
    manual->setShortcut(QKeySequence::HelpContents);
    help->addAction(tr("Feedback via Email…"), this, &AddressBookWindow::sendFeedback)
        ->setObjectName(QStringLiteral("feedbackAction"));
    help->addSeparator();
}

// Closing -----------------------------------------------------------------------------------------

void AddressBookWindow::closeEvent(QCloseEvent* event)
{
    // The address book stays while documents are open: it is the application's main window.
    if (!m_quitting && m_controller && !m_controller->windows().isEmpty()) {
        event->ignore();
        return;
    }
    tableView()->editing()->commitPendingEdit();
    if (!settleChangesBeforeClosing()) {
        event->ignore();
        return;
    }
    storeViewTypes();
    if (m_owner->store())
        m_owner->store()->close(); // another process may write the store now
    event->accept();
}

bool AddressBookWindow::settleChangesBeforeClosing()
{
    // Changes are never dropped without asking.
    if (!m_owner->isModified() || m_owner->isReadOnly())
        return true;
    const int answer = MessageBox::ask(this, tr("Do you want to save the changes made to AddressBook?"),
                                       tr("Your changes will be lost if you don't save them."),
                                       {tr("Save"), tr("Cancel"), tr("Don't Save")}, 0, 1);
    if (answer == 0)
        return saveAddressBook();
    return answer == 2;
}

void AddressBookWindow::storeViewTypes()
{
    m_preferences.setLastViewType(tableController()->selectedViewType());
    m_preferences.setViewTypeDict(tableController()->viewTypeDict());
}

void AddressBookWindow::changeEvent(QEvent* event)
{
    ContactWindow::changeEvent(event);
    // A card rewritten in place by another program leaves its folder as it was: coming back to the
    // window is when to look, at most every few seconds.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()
        && (!m_sinceLastCheck.isValid() || m_sinceLastCheck.elapsed() > ActivationCheckInterval)) {
        m_sinceLastCheck.start();
        m_owner->checkForExternalChanges();
    }
}

} // namespace Quillary::Ui
