#pragma once

#include "documents/DocumentMenuValidation.h"
#include "model/GroupEntry.h"

#include <QHash>
#include <QKeySequence>
#include <QObject>

class QAction;
class QComboBox;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace Quillary::Ui {

class ContactPane;

/// The commands of a window of contacts: its menu bar, the pop-ups of its toolbar, and which
/// commands are enabled, ticked or retitled as the owner's state changes. Menus whose items
/// depend on the data (groups, labels, view types, columns, sort keys) are rebuilt when they open.
class DocumentMenus final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentMenus)

public:
    enum class Command {
        New,
        Open,
        Close,
        Save,
        Revert,
        ExportAsCsv,
        ExportAsVCard,
        ImportFromVCard,
        Quit,
        Undo,
        Redo,
        SelectAll,
        EditMode,
        ShowGroups,
        AddGroup,
        DeleteGroup,
        Font,
        DefaultFont,
        ShowCompanyInNameCell,
        ShowNameInAllRows,
        ShowContactInfo,
        About,
    };

    explicit DocumentMenus(ContactPane* pane);
    ~DocumentMenus() override;

    void buildMenuBar(QMenuBar* menuBar);
    void buildToolBar(QToolBar* toolBar, QToolButton* editButton);
    [[nodiscard]] QAction* action(Command command) const { return m_actions.value(command); }
    [[nodiscard]] QComboBox* viewTypePopup() const { return m_viewTypePopup; }

    /// Enables, ticks and titles the commands by the window's state.
    void validate();
    /// What the menu decisions read of the window and its document.
    [[nodiscard]] DocumentMenuValidation::DocumentMenuState menuState() const;
    /// Enables, ticks and titles a command's action as the owner decides; `alsoEnabled` adds the
    /// window's own conditions.
    void applyValidation(Command command, DocumentMenuValidation::Action action,
                         const DocumentMenuValidation::DocumentMenuState& state, bool alsoEnabled = true);
    /// Whether the document allows the action now, as its menu item would show.
    [[nodiscard]] bool isEnabled(DocumentMenuValidation::Action action) const;

    // The menus built from the data, filled afresh each time they open.
    void fillGroupMenu(QMenu* menu);
    void fillLabelMenu(QMenu* menu);
    void fillViewTypeMenu(QMenu* menu);
    void fillColumnsMenu(QMenu* menu);
    void fillSortOptionsMenu(QMenu* menu);
    void fillContactMenu(QMenu* menu);

private:
    QAction* addAction(Command command, const QString& name, const QString& text, const QKeySequence& shortcut = {});
    void createActions();
    QMenu* dynamicMenu(QWidget* parent, const QString& objectName, const QString& title,
                       void (DocumentMenus::*fill)(QMenu*));
    QToolButton* popupButton(const QString& objectName, const QString& title, void (DocumentMenus::*fill)(QMenu*));
    void rebuildViewTypePopup();
    void addGroupList(QMenu* menu, const GroupEntryPtr& selected);
    /// Enables, ticks and retitles one item as the document decides; `alsoEnabled` adds the
    /// window's own conditions.
    static void applyValidation(QAction* action, const DocumentMenuValidation::DocumentMenuItem& item,
                                const DocumentMenuValidation::DocumentMenuState& state, bool alsoEnabled = true);

    ContactPane* m_pane;
    QHash<Command, QAction*> m_actions;
    QComboBox* m_viewTypePopup = nullptr;
    QMenu* m_recentMenu = nullptr;
};

} // namespace Quillary::Ui
