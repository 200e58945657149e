#pragma once

#include "table/ContactCommands.h"

#include <QObject>
#include <QString>

#include <functional>

namespace Quillary {
class DocumentTask;
}

namespace Quillary::Ui {

class DocumentWindow;

/// The file commands of a document window: saving, reverting, exporting the selected contacts as
/// CSV or vCard, importing from a vCard file, and whether the window may close. Long work runs
/// under the progress window; failures end in the document's alerts.
class DocumentFileCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentFileCommands)

public:
    explicit DocumentFileCommands(DocumentWindow* window);
    ~DocumentFileCommands() override;

    /// Saves in place; a document without a file asks for one first. True when saved.
    bool saveDocument();
    /// A CSV document is never saved as CSV: it is exported as vCard instead.
    bool saveDocumentAs();
    bool revertDocumentToSaved();
    bool exportAsCSV();
    bool exportAsVCard();
    bool importFromVCard();
    /// The exports of the contacts table's rows (the selected ones and the clicked one, -1 for
    /// none): "Export Contact as vCard…", "Export Contacts as CSV…" and "Export Contacts as vCard…",
    /// each suggesting a file named after a contact.
    bool exportContactAsVCard(int clickedRow);
    bool exportContactsAsCSV(int clickedRow);
    bool exportContactsAsVCard(int clickedRow);
    /// The close rules: a CSV document with changes asks; a vCard document writes its changes.
    bool canClose();

private:
    bool saveTo(const QString& path);
    /// The file an export writes: asked in a save panel, `defaultName` suggested (the document's
    /// name when empty); empty when cancelled.
    QString askExportPath(const QString& extension, const QStringList& nameFilters, const QString& defaultName = {});
    void exportFailed(int code);
    /// Asks where to export, then runs the export under the progress window.
    bool runExport(const QString& extension, const QStringList& nameFilters,
                   const std::function<DocumentTask*(const QString&)>& start, const QString& defaultName = {});
    bool closeVCardDocument();
    bool exportRequestAsVCard(const ContactCommands::ExportRequest& request);

    DocumentWindow* m_window;
};

} // namespace Quillary::Ui
