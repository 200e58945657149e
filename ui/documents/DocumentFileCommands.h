#pragma once

#include <QObject>
#include <QString>

namespace Quillary::Ui {

class DocumentWindow;

/// The file commands of a document window: saving, reverting, and whether the window may close.
/// Long work runs under the progress window; failures end in the document's alerts.
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
    /// The close rules: a CSV document with changes asks; a vCard document writes its changes.
    bool canClose();

private:
    bool saveTo(const QString& path);
    bool closeVCardDocument();

    DocumentWindow* m_window;
};

} // namespace Quillary::Ui
