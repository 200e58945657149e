#pragma once

#include "table/ContactCommands.h"
#include "table/ContactMenuValidation.h"
#include "table/ContextMenuModel.h"
#include "table/TextTransforms.h"

#include <QObject>

class QMimeData;

namespace Quillary::Ui {

class ContactPane;

/// The commands on contacts of a document window, carried out: it asks the core what to do, asks
/// the user what the core wants asked (alerts), and talks to the desktop (the clipboard, other
/// applications). `clickedRow` is the row of a context menu, -1 for the menu bar and the keyboard.
class WindowContactCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowContactCommands)

public:
    explicit WindowContactCommands(ContactPane* pane);
    ~WindowContactCommands() override;

    /// What the enabling rules read of the window now.
    [[nodiscard]] ContactMenuValidation::ContactMenuState menuState(int clickedRow = -1) const;
    [[nodiscard]] bool isEnabled(ContactMenuValidation::Action action, int clickedRow = -1) const;

    void addContact();
    void deleteContact(int clickedRow = -1);
    void duplicateContact(int clickedRow = -1);
    void copy();
    void copyAsCSV();
    void copyAsVCard();
    /// Copy as vCard, then Delete Contact, as one undo step.
    void cut();
    /// Adds the contacts of vCard text on the clipboard to the selected group, as a drop does.
    void paste();
    /// Contacts dropped on the table; false when none were added.
    bool dropContacts(const QMimeData& data);
    void normalizePhoneNumbers(const QString& layoutTitle, int clickedRow = -1);
    /// A contact command or workspace item of a cell's context menu.
    void contextMenuCommand(MenuAction action, int row, int column);
    /// The commands the context menu leaves to the window.
    [[nodiscard]] static QList<MenuAction> contextMenuCommands();
    /// Whether a context-menu command is allowed on a row, with the tool tip that says why not.
    [[nodiscard]] std::pair<bool, QString> contextMenuCommandState(MenuAction action, int row) const;
    /// Opens a cell's value in another application of the desktop.
    void workspaceAction(MenuAction action, int row, int column);
    /// Transforms the selected text of the cell being edited, or else the text of the current cell.
    void transformText(TextTransforms::Kind kind);

private:
    void putOnClipboard(QMimeData* data);
    void copyRows(ContactMenuValidation::Action action, const QString& separator);
    bool addFromOutside(const ContactTable& contacts);
    [[nodiscard]] ContactCommands commands() const;

    ContactPane* m_pane;
    bool m_clipboardOffersContacts = false;
};

} // namespace Quillary::Ui
