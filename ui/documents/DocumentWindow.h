#pragma once

#include "model/GroupEntry.h"

#include <QMainWindow>

#include <memory>

class QFrame;
class QSplitter;
class QToolButton;

namespace Quillary {
class ContactDocument;
class ContactsViewController;
class Preferences;
class TableTextFinder;
} // namespace Quillary

namespace Quillary::Ui {

class ContactActions;
class ContactsTableView;
class DocumentController;
class DocumentFileCommands;
class DocumentMenus;
class DocumentPanelCommands;
class FindBar;
class GroupSideBar;
class WindowContactCommands;
class TableEditors;
class OutputCommands;

/// The window of one contact document: the toolbar with the Edit/Lock button and the pop-ups, the
/// red bar of edit mode, the group side bar beside the contacts table, and the title with the
/// edited mark. It turns the user's gestures into calls of the document and the table controller.
class DocumentWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentWindow)

public:
    /// Takes the document, read or new; `controller` may be null (a window of its own).
    DocumentWindow(std::unique_ptr<ContactDocument> document, Preferences& preferences, DocumentController* controller,
                   QWidget* parent = nullptr);
    ~DocumentWindow() override;

    [[nodiscard]] ContactDocument* document() const { return m_document; }
    [[nodiscard]] ContactsViewController* tableController() const { return m_tableController; }
    [[nodiscard]] ContactsTableView* tableView() const { return m_tableView; }
    [[nodiscard]] GroupSideBar* sideBar() const { return m_sideBar; }
    [[nodiscard]] DocumentController* documentController() const { return m_controller; }
    [[nodiscard]] DocumentMenus* menus() const { return m_menus; }
    [[nodiscard]] DocumentFileCommands* fileCommands() const { return m_fileCommands; }
    [[nodiscard]] WindowContactCommands* contactCommands() const { return m_contactCommands; }
    [[nodiscard]] ContactActions* contactActions() const { return m_contactActions; }
    [[nodiscard]] TableTextFinder* textFinder() const { return m_textFinder; }
    [[nodiscard]] FindBar* findBar() const { return m_findBar; }
    [[nodiscard]] OutputCommands* outputCommands() const { return m_outputCommands; }
    [[nodiscard]] DocumentPanelCommands* panelCommands() const { return m_panelCommands; }
    [[nodiscard]] Preferences& preferences() const { return m_preferences; }
    /// The field editors and the contact card of the table.
    [[nodiscard]] TableEditors* editors() const { return m_editors; }
    /// The card of the current row's contact (Show Contact Info).
    void showContactInfo();

    // Edit mode ---------------------------------------------------------------------------------
    [[nodiscard]] bool editState() const;
    /// The Edit/Lock button: flips edit mode (never on for a CSV document).
    void editButtonPressed();
    void setEditMode(bool on);
    [[nodiscard]] QToolButton* editButton() const { return m_editButton; }

    // Groups ------------------------------------------------------------------------------------
    [[nodiscard]] bool isGroupViewHidden() const { return m_groupViewHidden; }
    void showGroupView();
    void groupPopupSelected(const GroupEntryPtr& group);
    /// Asks, then adds a group; asks, then deletes the selected group.
    void addGroup();
    void deleteGroup();
    [[nodiscard]] bool canAddGroup() const;
    [[nodiscard]] bool canDeleteGroup() const;

    // View --------------------------------------------------------------------------------------
    void viewTypePopupSelected(const QString& name);
    void toggleColumn(const QString& identifier);
    /// Toggles a label of the label filter ("All" resets it).
    void labelPopupChanged(const QString& title);
    void setTableFont(const QFont& font);
    void revertToDefaultFont();
    /// Opens the font dialog over the window.
    void chooseFont();
    [[nodiscard]] QFont tableFont() const;

    /// Refreshes the title, the edited mark and the enabling of commands.
    void updateWindowState();
    /// Reloads the table and the side bar after the document's contacts or groups were replaced.
    void documentReloaded();

Q_SIGNALS:
    /// The window's document now has a file (after a first save).
    void filePathChanged(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpLayout();
    void setUpTable();
    void setUpContactCommands();
    void applyEditState(bool on);
    void groupSelectionDidChange(const GroupEntryPtr& group);
    void groupNameWillChange(const GroupEntryPtr& group, const QString& name);
    void addContactByStringIndexes(const QString& text, const GroupEntryPtr& group);
    void groupsChanged();

    ContactDocument* m_document;
    Preferences& m_preferences;
    DocumentController* m_controller;
    ContactsViewController* m_tableController;
    ContactsTableView* m_tableView = nullptr;
    GroupSideBar* m_sideBar = nullptr;
    QSplitter* m_splitView = nullptr;
    QFrame* m_redSeparator = nullptr;
    QToolButton* m_editButton = nullptr;
    DocumentMenus* m_menus = nullptr;
    DocumentFileCommands* m_fileCommands = nullptr;
    WindowContactCommands* m_contactCommands = nullptr;
    ContactActions* m_contactActions = nullptr;
    TableTextFinder* m_textFinder = nullptr;
    FindBar* m_findBar = nullptr;
    TableEditors* m_editors = nullptr;
    OutputCommands* m_outputCommands = nullptr;
    DocumentPanelCommands* m_panelCommands = nullptr;
    bool m_groupViewHidden = true;
};

} // namespace Quillary::Ui
