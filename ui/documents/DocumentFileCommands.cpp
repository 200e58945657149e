#include "DocumentFileCommands.h"

#include "ContactPane.h"
#include "DocumentWindow.h"
#include "ExchangeCommands.h"
#include "ProgressAlert.h"
#include "documents/ContactDocument.h"
#include "documents/Preferences.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableView.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace Quillary::Ui {

DocumentFileCommands::DocumentFileCommands(DocumentWindow* window) : QObject(window), m_window(window) { }

DocumentFileCommands::~DocumentFileCommands() = default;

bool DocumentFileCommands::saveDocument()
{
    m_window->pane()->tableView()->editing()->commitPendingEdit();
    ContactDocument* document = m_window->document();
    if (document->isCsv() || document->isExporting())
        return false;
    QString path = document->filePath();
    if (path.isEmpty()) {
        FileDialog::Options options;
        options.title = tr("Save");
        options.acceptLabel = tr("Save");
        options.nameFilters = ExchangeCommands::vCardFilters();
        options.defaultSuffix = QStringLiteral("vcf");
        options.directory = document->displayName() + QStringLiteral(".vcf");
        path = FileDialog::getSaveFileName(m_window, options);
        if (path.isEmpty())
            return false;
    }
    return saveTo(path);
}

bool DocumentFileCommands::saveTo(const QString& path)
{
    ContactDocument* document = m_window->document();
    const bool hadFile = !document->filePath().isEmpty();
    const auto refresh = qScopeGuard([this] { m_window->updateWindowState(); });
    const ProgressAlert::Outcome outcome = ProgressAlert::run(document->startSave(path), m_window);
    if (outcome.cancelled)
        return false;
    if (outcome.error.isError()) {
        MessageBox::alert(m_window, tr("The document “%1” could not be saved.").arg(QFileInfo(path).fileName()),
                          outcome.error.recoverySuggestion);
        return false;
    }
    m_window->pane()->preferences().addRecentDocument(document->filePath());
    if (!hadFile)
        Q_EMIT m_window->filePathChanged(document->filePath());
    return true;
}

bool DocumentFileCommands::saveDocumentAs()
{
    if (m_window->document()->isCsv())
        return m_window->pane()->exchangeCommands()->exportAsVCard();
    return false;
}

bool DocumentFileCommands::revertDocumentToSaved()
{
    ContactDocument* document = m_window->document();
    if (document->isCsv() || document->filePath().isEmpty())
        return false;
    if (document->isModified()
        && !MessageBox::confirm(m_window, tr("Do you want to revert to the most recently saved version?"),
                                tr("Your current changes will be lost.")))
        return false;
    const DocumentError error = document->revert();
    if (error.isError()) {
        MessageBox::alert(m_window, tr("The document “%1” could not be opened.").arg(document->displayName()),
                          error.recoverySuggestion);
        return false;
    }
    m_window->documentReloaded();
    return true;
}

bool DocumentFileCommands::canClose()
{
    m_window->pane()->tableView()->editing()->commitPendingEdit();
    ContactDocument* document = m_window->document();
    if (document->isExporting())
        return false;
    if (!document->isModified())
        return true;
    if (document->isCsv()) {
        const int answer = MessageBox::ask(m_window, tr("Do you want to close while the document is edited?"),
                                           tr("You can not save as CSV file."), {tr("Cancel"), tr("Discard")}, 0, 0);
        return answer == 1;
    }
    return closeVCardDocument();
}

bool DocumentFileCommands::closeVCardDocument()
{
    ContactDocument* document = m_window->document();
    if (document->filePath().isEmpty()) {
        // A new document has nowhere to write itself on its own.
        const int answer = MessageBox::ask(
            m_window, tr("Do you want to save the changes made to the document “%1”?").arg(document->displayName()),
            tr("Your changes will be lost if you don't save them."), {tr("Save…"), tr("Cancel"), tr("Don't Save")}, 0,
            1);
        if (answer == 0)
            return saveDocument();
        return answer == 2;
    }
    // vCard documents keep their changes: they are written in place as the window closes.
    const DocumentError error = document->save();
    if (!error.isError())
        return true;
    const int answer =
        MessageBox::ask(m_window, tr("The document “%1” could not be saved.").arg(document->displayName()),
                        error.recoverySuggestion, {tr("Cancel"), tr("Discard")}, 0, 0);
    return answer == 1;
}

} // namespace Quillary::Ui
