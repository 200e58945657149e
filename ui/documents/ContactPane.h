#pragma once

#include "model/GroupEntry.h"

#include <QWidget>

class QFrame;
class QSplitter;
class QToolButton;

namespace Quillary {
class ContactOwner;
class ContactsViewController;
class Preferences;
class TableTextFinder;
} // namespace Quillary

namespace Quillary::Ui {

class ContactActions;
class ContactsTableView;
class DocumentMenus;
class DocumentPanelCommands;
class ExchangeCommands;
class FindBar;
class GroupSideBar;
class OutputCommands;
class PaneHost;
class TableEditors;
class WindowContactCommands;

/// The contacts of an owner as a window shows them, whether the owner is a contact document or the
/// address book: the red bar of edit mode, the group side bar beside the contacts table with its
/// find bar, the Edit/Lock button and the toolbar pop-ups, the menus, and every command on contacts,
/// groups and the view. The window around it adds what is its own through its PaneHost.
class ContactPane final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactPane)

public:
    ContactPane(ContactOwner& owner, Preferences& preferences, PaneHost* host, QWidget* parent = nullptr);
    ~ContactPane() override;

    [[nodiscard]] ContactOwner* owner() const { return &m_owner; }
    [[nodiscard]] PaneHost* host() const { return m_host; }
    [[nodiscard]] Preferences& preferences() const { return m_preferences; }
    [[nodiscard]] ContactsViewController* tableController() const { return m_tableController; }
    [[nodiscard]] ContactsTableView* tableView() const { return m_tableView; }
    [[nodiscard]] GroupSideBar* sideBar() const { return m_sideBar; }
    [[nodiscard]] DocumentMenus* menus() const { return m_menus; }
    [[nodiscard]] ExchangeCommands* exchangeCommands() const { return m_exchangeCommands; }
    [[nodiscard]] WindowContactCommands* contactCommands() const { return m_contactCommands; }
    [[nodiscard]] ContactActions* contactActions() const { return m_contactActions; }
    [[nodiscard]] TableTextFinder* textFinder() const { return m_textFinder; }
    [[nodiscard]] FindBar* findBar() const { return m_findBar; }
    [[nodiscard]] OutputCommands* outputCommands() const { return m_outputCommands; }
    [[nodiscard]] DocumentPanelCommands* panelCommands() const { return m_panelCommands; }
    /// The field editors and the contact card of the table.
    [[nodiscard]] TableEditors* editors() const { return m_editors; }
    /// The card of the current row's contact (Show Contact Info).
    void showContactInfo();

    // Edit mode ---------------------------------------------------------------------------------
    [[nodiscard]] bool editState() const;
    /// The Edit/Lock button: flips edit mode (never on while the owner is only looked at).
    void editButtonPressed();
    void setEditMode(bool on);
    /// Shows the owner's edit mode on the button, the red bar, the side bar and the table.
    void applyEditState(bool on);
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
    /// The group table or the selection changed: the side bar, the table and the menus follow.
    void groupsChanged();

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

    /// After the owner's contacts or groups were replaced (a revert, a reload): the side bar hidden
    /// and every label shown, as when the window opens.
    void ownerReloaded();

private:
    void setUpLayout();
    void setUpTable();
    void setUpContactCommands();
    void groupSelectionDidChange(const GroupEntryPtr& group);
    void groupNameWillChange(const GroupEntryPtr& group, const QString& name);
    void addContactByStringIndexes(const QString& text, const GroupEntryPtr& group);
    void hideSideBar();

    ContactOwner& m_owner;
    Preferences& m_preferences;
    PaneHost* m_host;
    ContactsViewController* m_tableController;
    ContactsTableView* m_tableView = nullptr;
    GroupSideBar* m_sideBar = nullptr;
    QSplitter* m_splitView = nullptr;
    QFrame* m_redSeparator = nullptr;
    QToolButton* m_editButton = nullptr;
    DocumentMenus* m_menus = nullptr;
    ExchangeCommands* m_exchangeCommands = nullptr;
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
