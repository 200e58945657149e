#pragma once

#include "CellEditTypes.h"
#include "CellEdits.h"
#include "ContextMenuModel.h"
#include "ReplaceAlertPanelModel.h"

#include <QDate>
#include <QObject>
#include <functional>
#include <optional>

namespace Quillary {

class ContactsViewController;

/// Changing contacts from the contacts table: typing into a cell, choosing a label, where editing
/// goes on a double click or a key, the cell's context menu, the bulk edits of the selected cells
/// of a column and the results of the field editors. It decides; the window shows what it decides
/// and answers its questions (confirmations and the replace panel) through the handlers. Every
/// change goes through the controller's undo registry, one undo step per command; an edit that
/// changes nothing leaves no step.
class CellEditing final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CellEditing)

public:
    /// Shows an alert and answers whether the user chose "OK".
    using ConfirmationHandler = std::function<bool(const Confirmation&)>;
    /// Runs the replace panel on the model and answers whether the user chose "OK"; the model then
    /// holds the entered text and the chosen label.
    using ReplacePanelHandler = std::function<bool(ReplaceAlertPanelModel&)>;

    explicit CellEditing(ContactsViewController& controller, QObject* parent = nullptr);
    ~CellEditing() override;

    /// Without a handler every confirmation and panel counts as cancelled.
    void setConfirmationHandler(ConfirmationHandler handler) { m_confirm = std::move(handler); }
    void setReplacePanelHandler(ReplacePanelHandler handler) { m_runReplacePanel = std::move(handler); }
    /// The date "Add Item" gives new dates and birthdays.
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }

    // The pending edit -------------------------------------------------------------------------
    /// The table rows the pending edit applies to, in table order; empty when none is pending.
    [[nodiscard]] QList<int> selectedRowIndexes() const;
    [[nodiscard]] bool hasPendingEdit() const { return m_pending.has_value(); }
    /// Ends the pending edit without changing anything (a cancelled editor or alert).
    void clearSelectedRowIndexes() { m_pending.reset(); }

    // Typing and labels ------------------------------------------------------------------------
    /// The text of a cell was edited: applies it to the cell, and to every cell of the pending
    /// edit that has a value. Answers whether a contact changed.
    bool textFieldCellChanged(int row, int column, const QString& text);
    /// A label was chosen in a cell's label pop-up; with several selected cells of the column that
    /// have a value, the same label goes to all of them once confirmed.
    bool popupLabelCellChanged(int row, int column, const QString& label);

    // Opening editors --------------------------------------------------------------------------
    /// A double click on a cell: which editor opens, or the confirmation to ask first.
    EditDecision tableViewDoubleAction(int row, int column, bool commandKey);
    /// The answer to the confirmation of a double click: the editor to open, or nothing.
    EditDecision multiReplaceAlertDidEnd(bool ok, int row, int column, bool commandKey);
    /// The editor a cell opens: text in place, a field editor, or nothing.
    [[nodiscard]] EditDecision editTableViewCellOrShowPopoverForColumn(int column, int row, bool commandKey) const;
    /// Return, Tab, Shift-Tab or Escape while a cell is being edited: where editing goes next.
    EditDecision doCommandBySelector(int row, int column, EditKey key);
    /// A field editor closed: applies its value, when it changed, to every row of the pending edit
    /// (a whole list only to the contact it was opened for). Answers whether a contact changed.
    bool popoverDidClose(const EditorContext& context);

    // Context menu -----------------------------------------------------------------------------
    /// The items of the context menu of a cell; empty outside the contact rows and columns.
    [[nodiscard]] QList<MenuItem> menuNeedsUpdate(int row, int column) const;
    /// The editor an "Open … Panel" item opens for the clicked cell.
    EditDecision showPopoverWrapper(const MenuItem& item, int row, int column);
    /// Carries out a bulk-edit or display item of the menu; false for inactive items and for the
    /// items the window carries out itself (contact commands, workspace actions, editors).
    bool performMenuItem(const MenuItem& item, int row, int column);

    // Bulk edits of the selected cells and the clicked one ------------------------------------
    /// "Delete Item" and "Clear Text": removes each cell's own value once confirmed.
    bool deleteItem(int clickedRow, int column);
    /// "Replace Label and Text", "Replace Text": one text (and label) for every cell with a value.
    bool replaceItem(int clickedRow, int column, ReplaceAlertPanelModel::Type type);
    bool prependItem(int clickedRow, int column);
    bool appendItem(int clickedRow, int column);
    /// "Add Item": a new value for each contact of the cells.
    bool insertItem(int clickedRow, int column);

Q_SIGNALS:
    /// A contact changed outside the undo registry; the window shows itself edited.
    void windowEdited();

private:
    /// A row of a pending edit, kept by contact and value so that it survives reloads.
    struct RowRef
    {
        ContactEntryPtr contact;
        int index = 0;
        int labelIndex = -1; ///< the label index of the row's value in the edit's column
    };
    struct Pending
    {
        QString identifier;
        QList<RowRef> rows;
    };

    // Rows and cells.
    [[nodiscard]] const SubContactRow* rowAt(int row) const;
    [[nodiscard]] QString columnAt(int column) const;
    [[nodiscard]] const QStringList& selectedLabels() const;
    [[nodiscard]] bool hasValue(int row, const QString& identifier) const;
    [[nodiscard]] QList<int> rowsWithValue(const QList<int>& rows, const QString& identifier) const;
    [[nodiscard]] QList<int> bulkRows(int clickedRow) const;
    [[nodiscard]] RowRef refOf(int row, const QString& identifier) const;
    [[nodiscard]] int positionOf(const RowRef& ref, const QString& identifier) const;
    [[nodiscard]] QList<int> positionsOf(const Pending& pending) const;
    void remember(const QString& identifier, const QList<int>& rows);
    void reloadSelecting(const Pending& pending);
    bool apply(const QList<CellEdit>& edits, const QString& stepName);
    bool confirm(Confirmation::Kind kind, const QString& identifier, const QList<int>& rows) const;

    // Editors.
    [[nodiscard]] EditorContext contextFor(int row, const QString& identifier, bool editEnabled) const;
    [[nodiscard]] EditDecision popover(PopoverKind kind, int row, int column, bool editEnabled) const;
    EditDecision startEdit(const QList<int>& rows, int row, int column, bool commandKey);
    EditDecision doubleClickOutsideEditMode(const QList<int>& rows, int row, int column, bool commandKey);
    [[nodiscard]] EditDecision returnKey(int row, int column) const;
    [[nodiscard]] EditDecision tabKey(int row, int column, bool backwards) const;
    [[nodiscard]] int nextRowWith(int start, const QString& identifier) const;
    [[nodiscard]] std::optional<CellEdit> popoverEdit(const EditorContext& context, int row) const;

    // Bulk edits.
    std::optional<CellEdit> textEdit(int row, const QString& identifier, const QString& text) const;
    bool panelEdit(int clickedRow, int column, ReplaceAlertPanelModel::Type type);
    [[nodiscard]] QList<CellEdit> deleteEdits(const QList<int>& rows, const QString& identifier) const;
    [[nodiscard]] ReplaceAlertPanelModel panelFor(int clickedRow, const QString& identifier,
                                                  ReplaceAlertPanelModel::Type type) const;
    bool insertDefaultItems(const QList<int>& rows, const QString& identifier);
    bool insertEnteredItems(int clickedRow, const QList<int>& rows, const QString& identifier);

    ContactsViewController& m_controller;
    std::optional<Pending> m_pending;
    ConfirmationHandler m_confirm;
    ReplacePanelHandler m_runReplacePanel;
    std::function<QDate()> m_today = [] { return QDate::currentDate(); };
};

} // namespace Quillary
