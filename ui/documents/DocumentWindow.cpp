#include "DocumentWindow.h"

#include "DocumentFileCommands.h"
#include "DocumentMenus.h"
#include "documents/ContactDocument.h"
#include "table/ContactsTableView.h"

#include <QCloseEvent>

namespace Quillary::Ui {

DocumentWindow::DocumentWindow(std::unique_ptr<ContactDocument> document, Preferences& preferences,
                               DocumentHost* host, QWidget* parent)
    : ContactWindow(preferences, host, parent), m_document(document.release())
{
    setObjectName(QStringLiteral("documentWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_document->setParent(this);
    m_fileCommands = new DocumentFileCommands(this);
    setUpPane(*m_document);
    followOwner(m_document);
    updateWindowState();
    tableView()->setFocus();
}

DocumentWindow::~DocumentWindow()
{
    // The document is a child: QWidget deletes it after this destructor.
    releaseOwner(m_document);
}

void DocumentWindow::connectFileCommands(DocumentMenus& menus)
{
    using Command = DocumentMenus::Command;
    connect(menus.action(Command::Save), &QAction::triggered, m_fileCommands, &DocumentFileCommands::saveDocument);
    connect(menus.action(Command::Revert), &QAction::triggered, m_fileCommands,
            &DocumentFileCommands::revertDocumentToSaved);
}

void DocumentWindow::validateFileCommands(DocumentMenus& menus, const DocumentMenuValidation::DocumentMenuState& state)
{
    using Command = DocumentMenus::Command;
    using DocumentMenuValidation::Action;
    // Only a document with a file has a saved version to go back to.
    menus.applyValidation(Command::Save, Action::SaveDocument, state, !state.exporting);
    menus.applyValidation(Command::Revert, Action::RevertDocumentToSaved, state,
                          !state.exporting && !m_document->filePath().isEmpty());
}

void DocumentWindow::updateWindowState()
{
    setWindowTitle(tr("%1[*] — %2").arg(m_document->displayName(), QStringLiteral("Quillary")));
    setWindowFilePath(m_document->filePath());
    setWindowModified(m_document->isModified());
    if (pane())
        menus()->validate();
}

void DocumentWindow::documentReloaded()
{
    pane()->ownerReloaded();
    updateWindowState();
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (m_fileCommands->canClose())
        event->accept();
    else
        event->ignore();
}

} // namespace Quillary::Ui
