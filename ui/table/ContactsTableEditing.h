#pragma once

#include "table/CellEditTypes.h"
#include "table/ContextMenuModel.h"

#include <QObject>
#include <QPoint>

#include <functional>

#include <optional>

class QMenu;
class QWidget;

namespace Quillary {
class CellEditing;
}

namespace Quillary::Ui {

class ContactCellDelegate;
class ContactsTableView;

/// Editing in the contacts table: it passes double clicks, keys, label choices and context-menu
/// commands to the core's cell editing and carries out what that decides — a text field in the
/// cell, the confirmations, the replace panel. Fields with editors of their own (addresses,
/// instant messages, dates, the phonetic name, the contact information) are not edited here:
/// their editors are asked for with `fieldEditorRequested`.
class ContactsTableEditing final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactsTableEditing)

public:
    ContactsTableEditing(ContactsTableView* view, ContactCellDelegate* delegate);
    ~ContactsTableEditing() override;

    [[nodiscard]] CellEditing& cellEditing() const { return *m_editing; }

    /// A double click on a cell (or Return on the current one); `commandKey` widens what opens.
    void startEdit(int row, int column, bool commandKey);
    /// Carries out a decision of the core.
    void apply(const EditDecision& decision);
    /// Opens the text field of a cell.
    void beginEditing(int row, int column);
    [[nodiscard]] bool isEditing() const;
    /// Ends the editing in progress with its text applied (before saving or closing).
    void commitPendingEdit();
    /// Ends the editing in progress without its text (edit mode switched off).
    void abandonPendingEdit();
    /// The editor was closed without its text (Escape).
    void editorReverted();

    /// The context menu of a cell, built from the core's items.
    [[nodiscard]] QMenu* contextMenu(int row, int column, QWidget* parent);
    /// The contact commands of the context menu the window carries out; the others stay inactive.
    void setWindowCommands(const QList<MenuAction>& actions) { m_windowCommands = actions; }
    /// Whether the window allows one of its commands on a row now, and why not (a tool tip).
    using WindowCommandState = std::function<std::pair<bool, QString>(MenuAction action, int row)>;
    void setWindowCommandState(WindowCommandState state) { m_windowCommandState = std::move(state); }
    /// The labels a labelled cell offers in edit mode, the cell's own ticked.
    [[nodiscard]] QMenu* labelMenu(int row, int column, QWidget* parent);

Q_SIGNALS:
    void fieldEditorRequested(const Quillary::EditDecision& decision);
    /// A contact command of the context menu that the window carries out.
    void contactCommandRequested(Quillary::MenuAction action, int row, int column);
    /// Contacts changed outside the undo steps.
    void windowEdited();

private:
    void commit(int row, int column, const QString& text);
    void flushCommit();
    bool editorKey(QWidget* editor, int row, int column, EditKey key);
    void menuItemChosen(const MenuItem& item, int row, int column);

    struct PendingCommit
    {
        int row = -1;
        int column = -1;
        QString text;
    };

    ContactsTableView* m_view;
    ContactCellDelegate* m_delegate;
    CellEditing* m_editing;
    std::optional<PendingCommit> m_commit;
    QList<MenuAction> m_windowCommands;
    WindowCommandState m_windowCommandState;
};

} // namespace Quillary::Ui
