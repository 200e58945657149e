#pragma once

#include "table/ContactCommands.h"

#include <QObject>
#include <QString>

#include <functional>

namespace Quillary {
class DocumentTask;
}

namespace Quillary::Ui {

class ContactPane;

/// The exports and the import of a contact pane, whoever owns the contacts: the selected contacts
/// exported as CSV or vCard, contacts imported from a vCard file through the import panel. The file
/// is asked for in a panel, the work runs under the progress window, and failures end in alerts.
class ExchangeCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExchangeCommands)

public:
    explicit ExchangeCommands(ContactPane* pane);
    ~ExchangeCommands() override;

    bool exportAsCSV();
    bool exportAsVCard();
    bool importFromVCard();
    /// The exports of the contacts table's rows (the selected ones and the clicked one, -1 for
    /// none): "Export Contact as vCard…", "Export Contacts as CSV…" and "Export Contacts as vCard…",
    /// each suggesting a file named after a contact.
    bool exportContactAsVCard(int clickedRow);
    bool exportContactsAsCSV(int clickedRow);
    bool exportContactsAsVCard(int clickedRow);

    [[nodiscard]] static QStringList vCardFilters();

private:
    /// The file an export writes: asked in a save panel, `defaultName` suggested (the owner's choice
    /// when empty); empty when cancelled.
    QString askExportPath(const QString& extension, const QStringList& nameFilters, const QString& defaultName = {});
    void exportFailed(int code);
    /// Asks where to export, then runs the export under the progress window.
    bool runExport(const QString& extension, const QStringList& nameFilters,
                   const std::function<DocumentTask*(const QString&)>& start, const QString& defaultName = {});
    bool exportRequestAsVCard(const ContactCommands::ExportRequest& request);
    void refreshWindow();

    ContactPane* m_pane;
};

} // namespace Quillary::Ui
