#pragma once

#include "ContactWindow.h"

#include <memory>

namespace Quillary {
class ContactDocument;
class Preferences;
} // namespace Quillary

namespace Quillary::Ui {

class DocumentHost;
class DocumentFileCommands;

/// The window of one contact document: the contacts in a ContactPane, the title with the edited
/// mark, and the document's own commands (saving, reverting, closing).
class DocumentWindow final : public ContactWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentWindow)

public:
    /// Takes the document, read or new; `host` may be null (a window of its own).
    DocumentWindow(std::unique_ptr<ContactDocument> document, Preferences& preferences, DocumentHost* host,
                   QWidget* parent = nullptr);
    ~DocumentWindow() override;

    [[nodiscard]] ContactDocument* document() const { return m_document; }
    [[nodiscard]] DocumentFileCommands* fileCommands() const { return m_fileCommands; }

    /// Refreshes the title, the edited mark and the enabling of commands.
    void updateWindowState() override;
    /// Reloads the table and the side bar after the document's contacts or groups were replaced.
    void documentReloaded();

    // PaneHost ----------------------------------------------------------------------------------
    void connectFileCommands(DocumentMenus& menus) override;
    void validateFileCommands(DocumentMenus& menus, const DocumentMenuValidation::DocumentMenuState& state) override;
    void addFileMenuItems(QMenu*) override { }
    void addHelpMenuItems(QMenu*) override { }

Q_SIGNALS:
    /// The window's document now has a file (after a first save).
    void filePathChanged(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ContactDocument* m_document;
    DocumentFileCommands* m_fileCommands = nullptr;
};

} // namespace Quillary::Ui
