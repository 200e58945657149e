#include "ExchangeCommands.h"

#include "ContactPane.h"
#include "DocumentMenus.h"
#include "PaneHost.h"
#include "ProgressAlert.h"
#include "documents/ContactOwner.h"
#include "documents/DocumentTask.h"
#include "documents/Preferences.h"
#include "formats/EncodedOpenPanel.h"
#include "formats/ImportPanel.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ContactCommands.h"
#include "table/ContactsViewController.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace Quillary::Ui {

ExchangeCommands::ExchangeCommands(ContactPane* pane) : QObject(pane), m_pane(pane) { }

ExchangeCommands::~ExchangeCommands() = default;

void ExchangeCommands::refreshWindow()
{
    if (m_pane->host())
        m_pane->host()->updateWindowState();
}

QStringList ExchangeCommands::vCardFilters()
{
    return {tr("vCard (*.vcf *.vcard)"), tr("All files (*)")};
}

QString ExchangeCommands::askExportPath(const QString& extension, const QStringList& nameFilters,
                                        const QString& defaultName)
{
    FileDialog::Options options;
    options.title = tr("Export");
    options.acceptLabel = tr("Export");
    options.fileNameLabel = tr("Export As:");
    options.nameFilters = nameFilters;
    options.defaultSuffix = extension;
    // In the folder used last.
    options.directory = defaultName.isEmpty() ? m_pane->owner()->exportFileName(extension) : defaultName;
    return FileDialog::getSaveFileName(m_pane, options);
}

void ExchangeCommands::exportFailed(int code)
{
    MessageBox::alert(m_pane, ContactExchange::exportFailedTitle(), ContactExchange::exportFailedMessage(code));
}

bool ExchangeCommands::exportAsCSV()
{
    ContactOwner* owner = m_pane->owner();
    const ContactTable contacts = m_pane->tableController()->selectedContacts();
    if (owner->isExporting() || !owner->exportsCsv() || contacts.isEmpty())
        return false;
    return runExport(
        QStringLiteral("csv"), {tr("CSV (*.csv)"), tr("Text (*.txt)")},
        [owner, contacts](const QString& path) { return owner->exchange().startExportAsCsv(path, contacts); });
}

bool ExchangeCommands::runExport(const QString& extension, const QStringList& nameFilters,
                                 const std::function<DocumentTask*(const QString&)>& start, const QString& defaultName)
{
    ContactOwner* owner = m_pane->owner();
    // The commands come back once the export has ended, whichever way.
    const auto refresh = qScopeGuard([this] { refreshWindow(); });
    // No second export or import while the panel is open.
    owner->setExporting(true);
    const QString path = askExportPath(extension, nameFilters, defaultName);
    owner->setExporting(false);
    if (path.isEmpty())
        return false;
    const ProgressAlert::Outcome outcome = ProgressAlert::run(start(path), m_pane);
    if (outcome.cancelled)
        return false;
    if (outcome.error.isError()) {
        exportFailed(outcome.error.code);
        return false;
    }
    return true;
}

bool ExchangeCommands::exportAsVCard()
{
    ContactOwner* owner = m_pane->owner();
    const ContactTable contacts = m_pane->tableController()->selectedContacts();
    if (owner->isExporting() || contacts.isEmpty())
        return false;
    return runExport(QStringLiteral("vcf"), vCardFilters(), [owner, contacts](const QString& path) {
        return owner->exchange().startExportAsVCard(path, contacts);
    });
}

bool ExchangeCommands::exportContactAsVCard(int clickedRow)
{
    const ContactCommands::ExportRequest request =
        ContactCommands(*m_pane->tableController()).exportToVCard(clickedRow);
    if (m_pane->owner()->isExporting() || request.contacts.isEmpty())
        return false;
    if (request.asksMultipleFirst && !MessageBox::confirm(m_pane, ContactCommands::multipleContactsMessage(), {}))
        return false;
    return exportRequestAsVCard(request);
}

bool ExchangeCommands::exportContactsAsVCard(int clickedRow)
{
    return exportRequestAsVCard(
        ContactCommands(*m_pane->tableController()).exportContacts(clickedRow, QStringLiteral("vcf")));
}

bool ExchangeCommands::exportRequestAsVCard(const ContactCommands::ExportRequest& request)
{
    ContactOwner* owner = m_pane->owner();
    if (owner->isExporting() || request.contacts.isEmpty())
        return false;
    const ContactTable contacts = request.contacts;
    return runExport(
        QStringLiteral("vcf"), vCardFilters(),
        [owner, contacts](const QString& path) { return owner->exchange().startExportAsVCard(path, contacts); },
        request.defaultFileName);
}

bool ExchangeCommands::exportContactsAsCSV(int clickedRow)
{
    ContactOwner* owner = m_pane->owner();
    const ContactCommands::ExportRequest request =
        ContactCommands(*m_pane->tableController()).exportContacts(clickedRow, QStringLiteral("csv"));
    if (owner->isExporting() || request.rows.isEmpty())
        return false;
    const CsvRows rows = request.rows;
    return runExport(
        QStringLiteral("csv"), {tr("CSV (*.csv)"), tr("Text (*.txt)")},
        [owner, rows](const QString& path) { return owner->exchange().startExportRowsAsCsv(path, rows); },
        request.defaultFileName);
}

bool ExchangeCommands::importFromVCard()
{
    ContactOwner* owner = m_pane->owner();
    if (owner->isExporting())
        return false;
    owner->setExporting(true);
    const auto done = qScopeGuard([this, owner] {
        owner->setExporting(false);
        refreshWindow();
    });
    FileDialog::Options options;
    options.title = tr("Import from vCard");
    options.acceptLabel = tr("Import");
    options.nameFilters = vCardFilters();
    const EncodedOpenPanel chosenFile = EncodedOpenPanel::run(m_pane, options, m_pane->preferences());
    const QString path = chosenFile.paths.value(0);
    if (path.isEmpty())
        return false;
    const ProgressAlert::Outcome outcome =
        ProgressAlert::run(owner->exchange().startImportFromVCard(path, chosenFile.encoding), m_pane);
    if (outcome.cancelled)
        return false;
    if (outcome.error.isError()) {
        MessageBox::alert(m_pane, tr("Couldn't read the file."), outcome.error.recoverySuggestion);
        return false;
    }
    const ContactTable chosen =
        ImportPanel::choose(m_pane, QFileInfo(path).fileName(), owner->exchange().importedContacts());
    if (chosen.isEmpty())
        return false;
    owner->importContacts(chosen);
    return true;
}

} // namespace Quillary::Ui
