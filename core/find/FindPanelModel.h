#pragma once

#include "FindRecordChange.h"
#include "FindSearch.h"
#include "FindTypes.h"

#include <QAbstractTableModel>
#include <QUndoStack>

namespace Quillary {

class TextMatcher;
class UndoRegistry;

/// The find panel without pixels: it searches the text of every contact of a collection, lists each
/// field that holds the search text as a result row with the occurrences in its value, steps
/// through the occurrences, and replaces one or all of them. Its rows are the table the panel
/// shows (Name, Item, SubItem, Label, Value). Every change goes through the owner's undo registry
/// (the delegate), and the panel keeps an undo stack of its own whose steps put back both the
/// result rows and, through the registry again, the contacts.
class FindPanelModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindPanelModel)

public:
    enum Column { NameColumn, ItemColumn, SubItemColumn, LabelColumn, ValueColumn, ColumnCount };
    enum Role {
        RangesRole = Qt::UserRole + 1, ///< the row's occurrences, as a list of QPoint(location, length)
        CurrentRangeRole, ///< the position of the current occurrence in the row's ranges; -1 for none
        LineCountRole, ///< the number of text lines of the value
    };
    /// The value of `selectedRow` and `selectedRangeIndex` when nothing is current.
    static constexpr qsizetype None = -1;
    static constexpr int RowHeight = 24;

    explicit FindPanelModel(QObject* parent = nullptr);
    ~FindPanelModel() override;

    // What the opener sets before the panel shows ----------------------------------------------
    void setContacts(const ContactTable& contacts) { m_contacts = contacts; }
    void setDelegate(UndoRegistry* delegate) { m_delegate = delegate; }
    [[nodiscard]] UndoRegistry* delegate() const { return m_delegate; }
    /// The identifiers the item menu offers; all of them by default.
    void setItems(const QStringList& identifiers) { m_items = identifiers; }
    void setSelectedItems(const QStringList& identifiers) { m_selectedItems = identifiers; }
    void setLabels(const QStringList& labels) { m_labels = labels; }
    void setSearchString(const QString& text) { m_searchString = text; }
    /// Whether the contacts may be changed at all (a CSV document never may).
    void setEditable(bool editable);
    void setEditState(bool on);
    /// Fills the menus that the opener left empty; runs once, as the panel loads.
    void setUp();

    // Menus ------------------------------------------------------------------------------------
    [[nodiscard]] const QStringList& items() const { return m_items; }
    [[nodiscard]] const QStringList& selectedItems() const { return m_selectedItems; }
    [[nodiscard]] const QStringList& subItems() const { return m_subItems; }
    [[nodiscard]] const QStringList& selectedSubItems() const { return m_selectedSubItems; }
    [[nodiscard]] const QStringList& labels() const { return m_labels; }
    [[nodiscard]] const QStringList& selectedLabels() const { return m_selectedLabels; }
    [[nodiscard]] const QStringList& dateLabels() const { return m_dateLabels; }
    void chooseItem(const QString& identifier);
    void chooseSubItem(const QString& identifier);
    void chooseLabel(const QString& label);
    [[nodiscard]] QString itemMenuTitle() const;
    [[nodiscard]] QString subItemMenuTitle() const;
    [[nodiscard]] QString labelMenuTitle() const;
    [[nodiscard]] SearchMode searchMode() const { return m_mode; }
    /// The search-mode menu: sets the mode and searches.
    void chooseSearchMode(SearchMode mode);
    // Setters that do not search (for a caller that searches once it has set everything).
    void setSearchMode(SearchMode mode) { m_mode = mode; }
    void setSelectedSubItems(const QStringList& subItems) { m_selectedSubItems = subItems; }
    void setSelectedLabels(const QStringList& labels) { m_selectedLabels = labels; }
    [[nodiscard]] const QString& searchString() const { return m_searchString; }
    /// The search field's text was entered: search for it.
    void searchTextEntered(const QString& text);

    // Results ------------------------------------------------------------------------------------
    /// Searches again and makes the first occurrence current.
    void updateTable();
    [[nodiscard]] const FindRecords& searchResults() const { return m_results; }
    /// Why the last search found nothing though it had a text: the pattern's error or "pattern too
    /// complex"; "" otherwise.
    [[nodiscard]] const QString& errorString() const { return m_error; }
    [[nodiscard]] qsizetype selectedRow() const { return m_selectedRow; }
    [[nodiscard]] qsizetype selectedRangeIndex() const { return m_selectedRangeIndex; }
    /// The user selected a row: its first occurrence becomes current.
    void selectRow(qsizetype row);
    void stepNext();
    void stepPrevious();

    // Changes ------------------------------------------------------------------------------------
    [[nodiscard]] bool editState() const { return m_editState; }
    [[nodiscard]] bool isEditable() const { return m_editable; }
    /// Whether Replace and Replace All may run: editing is on and the current row is not a date.
    [[nodiscard]] bool canReplace() const;
    /// Replaces the current occurrence and makes the next one current; false when nothing changed.
    bool replace(const QString& replacement);
    [[nodiscard]] bool canReplaceAll() const;
    /// Replaces every occurrence of every row as one undo step; answers how many rows changed.
    qsizetype replaceAll(const QString& replacement);
    /// A row's value typed in the table; false when unchanged, a date row, or editing is off.
    bool setValueText(qsizetype row, const QString& text);
    /// A Birthday or Dates row's new date from the date editor (invalid removes a birthday).
    bool setDateValue(qsizetype row, const DateComponents& date);
    [[nodiscard]] QUndoStack* undoStack() { return &m_undoStack; }

    // QAbstractTableModel ----------------------------------------------------------------------------
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    /// Sorts the rows by a column; the current row stays current.
    void sort(int column, Qt::SortOrder order) override;

Q_SIGNALS:
    /// The current row or occurrence changed: the view selects the row and scrolls to it.
    void currentChanged(qsizetype row);
    /// The menus' selections, the search mode, the error or the edit state changed.
    void stateChanged();

private:
    [[nodiscard]] FindSelection selection() const;
    [[nodiscard]] qsizetype rangeCount(qsizetype row) const;
    bool canStep();
    [[nodiscard]] const FindRecordPtr* recordAt(qsizetype row) const;
    void setCurrent(qsizetype row, qsizetype rangeIndex);
    void recordsChanged(const FindRecords& records);
    void pushChange(const QString& text, QList<FindRecordChange::Change> changes);
    [[nodiscard]] qsizetype rowWithRanges(qsizetype from, int direction) const;

    ContactTable m_contacts;
    UndoRegistry* m_delegate = nullptr;
    QString m_searchString;
    SearchMode m_mode = SearchMode::CaseInsensitive;
    QStringList m_items;
    QStringList m_selectedItems;
    QStringList m_subItems;
    QStringList m_selectedSubItems;
    QStringList m_labels;
    QStringList m_selectedLabels;
    QStringList m_dateLabels;
    FindRecords m_results;
    QString m_error;
    qsizetype m_selectedRow = None;
    qsizetype m_selectedRangeIndex = None;
    bool m_editable = true;
    bool m_editState = false;
    QUndoStack m_undoStack;
};

} // namespace Quillary
