#include "ContactWindow.h"

#include "DocumentMenus.h"
#include "documents/ContactOwner.h"
#include "table/ContactsTableView.h"

#include <QEvent>
#include <QMenuBar>
#include <QToolBar>

namespace Quillary::Ui {

ContactWindow::ContactWindow(Preferences& preferences, DocumentHost* host, QWidget* parent)
    : QMainWindow(parent), m_preferences(preferences), m_host(host)
{ }

ContactWindow::~ContactWindow() = default;

void ContactWindow::setUpPane(ContactOwner& owner)
{
    m_pane = new ContactPane(owner, m_preferences, this, this);
    setCentralWidget(m_pane);
    connectFileCommands(*m_pane->menus());
    m_pane->menus()->buildMenuBar(menuBar());
    auto* toolBar = addToolBar(tr("Toolbar"));
    toolBar->setObjectName(QStringLiteral("toolbar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_pane->menus()->buildToolBar(toolBar, m_pane->editButton());
    resize(960, 640);
}

void ContactWindow::releaseOwner(QObject* owner)
{
    // The owner may outlive this window's parts (a document is deleted after them, as a child): its
    // signals, and those of its undo stack as it is cleared, must not reach them.
    owner->disconnect(this);
    m_pane->owner()->undoStack()->disconnect(this);
    m_pane->owner()->undoStack()->disconnect(m_pane);
    delete takeCentralWidget();
    m_pane = nullptr;
}

void ContactWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && m_pane)
        m_pane->menus()->validate();
}

} // namespace Quillary::Ui
