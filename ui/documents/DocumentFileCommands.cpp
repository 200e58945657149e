#include "DocumentFileCommands.h"

#include "DocumentWindow.h"
#include "ProgressAlert.h"
#include "app/DocumentController.h"
#include "documents/ContactDocument.h"
#include "documents/Preferences.h"
#include "formats/EncodingAccessory.h"
#include "formats/EncodingAccessoryModel.h"
#include "formats/ImportPanel.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ContactCommands.h"
#include "table/ContactsTableEditing.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace Quillary::Ui {

namespace {

QStringList vCardFilters()
{
    return {DocumentFileCommands::tr("vCard (*.vcf *.vcard)"), DocumentFileCommands::tr("All files (*)")};
}

} // namespace

DocumentFileCommands::DocumentFileCommands(DocumentWindow* window) : QObject(window), m_window(window) { }

DocumentFileCommands::~DocumentFileCommands() = default;

bool DocumentFileCommands::saveDocument()
{
    m_window->tableView()->editing()->commitPendingEdit();
    ContactDocument* document = m_window->document();
    if (document->isCsv() || document->isExporting())
        return false;
    QString path = document->filePath();
    if (path.isEmpty()) {
        FileDialog::Options options;
        options.title = tr("Save");
        options.acceptLabel = tr("Save");
        options.nameFilters = vCardFilters();
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
    m_window->preferences().addRecentDocument(document->filePath());
    if (!hadFile)
        Q_EMIT m_window->filePathChanged(document->filePath());
    return true;
}

bool DocumentFileCommands::saveDocumentAs()
{
    if (m_window->document()->isCsv())
        return exportAsVCard();
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

QString DocumentFileCommands::askExportPath(const QString& extension, const QStringList& nameFilters,
                                            const QString& defaultName)
{
    const ContactDocument* document = m_window->document();
    FileDialog::Options options;
    options.title = tr("Export");
    options.acceptLabel = tr("Export");
    options.fileNameLabel = tr("Export As:");
    options.nameFilters = nameFilters;
    options.defaultSuffix = extension;
    const QFileInfo file(document->filePath().isEmpty() ? document->displayName() : document->filePath());
    const QString name = defaultName.isEmpty() ? file.completeBaseName() + u'.' + extension : defaultName;
    options.directory = document->filePath().isEmpty() ? name : file.absoluteDir().filePath(name);
    return FileDialog::getSaveFileName(m_window, options);
}

void DocumentFileCommands::exportFailed(int code)
{
    MessageBox::alert(m_window, ContactDocument::exportFailedTitle(), ContactDocument::exportFailedMessage(code));
}

bool DocumentFileCommands::exportAsCSV()
{
    ContactDocument* document = m_window->document();
    const ContactTable contacts = m_window->tableController()->selectedContacts();
    if (document->isExporting() || document->isCsv() || contacts.isEmpty())
        return false;
    return runExport(QStringLiteral("csv"), {tr("CSV (*.csv)"), tr("Text (*.txt)")},
                     [document, contacts](const QString& path) { return document->startExportAsCsv(path, contacts); });
}

bool DocumentFileCommands::runExport(const QString& extension, const QStringList& nameFilters,
                                     const std::function<DocumentTask*(const QString&)>& start,
                                     const QString& defaultName)
{
    ContactDocument* document = m_window->document();
    // The commands come back once the export has ended, whichever way.
    const auto refresh = qScopeGuard([this] { m_window->updateWindowState(); });
    // No second export or import while the panel is open.
    document->setExporting(true);
    const QString path = askExportPath(extension, nameFilters, defaultName);
    document->setExporting(false);
    if (path.isEmpty())
        return false;
    const ProgressAlert::Outcome outcome = ProgressAlert::run(start(path), m_window);
    if (outcome.cancelled)
        return false;
    if (outcome.error.isError()) {
        exportFailed(outcome.error.code);
        return false;
    }
    return true;
}

bool DocumentFileCommands::exportAsVCard()
{
    ContactDocument* document = m_window->document();
    const ContactTable contacts = m_window->tableController()->selectedContacts();
    if (document->isExporting() || contacts.isEmpty())
        return false;
    return runExport(QStringLiteral("vcf"), vCardFilters(), [document, contacts](const QString& path) {
        return document->startExportAsVCard(path, contacts);
    });
}

bool DocumentFileCommands::exportContactAsVCard(int clickedRow)
{
    const ContactCommands::ExportRequest request =
        ContactCommands(*m_window->tableController()).exportToVCard(clickedRow);
    if (m_window->document()->isExporting() || request.contacts.isEmpty())
        return false;
    if (request.asksMultipleFirst && !MessageBox::confirm(m_window, ContactCommands::multipleContactsMessage(), {}))
        return false;
    return exportRequestAsVCard(request);
}

bool DocumentFileCommands::exportContactsAsVCard(int clickedRow)
{
    return exportRequestAsVCard(
        ContactCommands(*m_window->tableController()).exportContacts(clickedRow, QStringLiteral("vcf")));
}

bool DocumentFileCommands::exportRequestAsVCard(const ContactCommands::ExportRequest& request)
{
    ContactDocument* document = m_window->document();
    if (document->isExporting() || request.contacts.isEmpty())
        return false;
    const ContactTable contacts = request.contacts;
    return runExport(
        QStringLiteral("vcf"), vCardFilters(),
        [document, contacts](const QString& path) { return document->startExportAsVCard(path, contacts); },
        request.defaultFileName);
}

bool DocumentFileCommands::exportContactsAsCSV(int clickedRow)
{
    ContactDocument* document = m_window->document();
    const ContactCommands::ExportRequest request =
        ContactCommands(*m_window->tableController()).exportContacts(clickedRow, QStringLiteral("csv"));
    if (document->isExporting() || request.rows.isEmpty())
        return false;
    const CsvRows rows = request.rows;
    return runExport(
        QStringLiteral("csv"), {tr("CSV (*.csv)"), tr("Text (*.txt)")},
        [document, rows](const QString& path) { return document->startExportRowsAsCsv(path, rows); },
        request.defaultFileName);
}

bool DocumentFileCommands::importFromVCard()
{
    ContactDocument* document = m_window->document();
    if (document->isExporting())
        return false;
    document->setExporting(true);
    const auto done = qScopeGuard([this, document] {
        document->setExporting(false);
        m_window->updateWindowState();
    });
    EncodingAccessoryModel encodings(m_window->preferences().settings());
    EncodingAccessory accessory(&encodings);
    FileDialog::Options options;
    options.title = tr("Import from vCard");
    options.acceptLabel = tr("Import");
    options.nameFilters = vCardFilters();
    options.accessory = &accessory;
    const QString path = FileDialog::getOpenFileNames(m_window, options).value(0);
    if (path.isEmpty())
        return false;
    const QByteArray encoding = DocumentController::encodingName(encodings.encodingType());
    const ProgressAlert::Outcome outcome = ProgressAlert::run(document->startImportFromVCard(path, encoding), m_window);
    if (outcome.cancelled)
        return false;
    if (outcome.error.isError()) {
        MessageBox::alert(m_window, tr("Couldn't read the file."), outcome.error.recoverySuggestion);
        return false;
    }
    const ContactTable chosen = ImportPanel::choose(m_window, QFileInfo(path).fileName(), document->importedContacts());
    if (chosen.isEmpty())
        return false;
    document->importContacts(chosen);
    return true;
}

bool DocumentFileCommands::canClose()
{
    m_window->tableView()->editing()->commitPendingEdit();
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
