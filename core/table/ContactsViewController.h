#pragma once

#include "SortKeys.h"
#include "SortedRows.h"
#include "SubContactRow.h"
#include "TableCells.h"
#include "TableRows.h"
#include "documents/ContactCollection.h"
#include "documents/Preferences.h"
#include "documents/SortDescriptor.h"
#include "documents/ViewTypes.h"

#include <QMap>
#include <QObject>

#include <optional>

namespace Quillary {

class ContactsTableModel;
class Preferences;
class UndoRegistry;

/// The contacts table without pixels: the rows of the owner's selected group (every labelled value
/// of a contact can have a row), the columns and view types, sorting, what each cell shows, the
/// summary row, and a selection that survives reloads. A window only displays it and passes on the
/// user's gestures; the owner's undo registry is its delegate for every edit.
class ContactsViewController final : public QObject, public ContactTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactsViewController)

public:
    /// `preferences` may be null (nothing is read or stored then).
    ContactsViewController(ContactCollection& collection, UndoRegistry* delegate, Preferences* preferences,
                           QObject* parent = nullptr);
    ~ContactsViewController() override;

    [[nodiscard]] ContactCollection& collection() { return m_collection; }
    [[nodiscard]] const ContactCollection& collection() const { return m_collection; }
    [[nodiscard]] UndoRegistry* delegate() const { return m_delegate; }
    [[nodiscard]] ContactsTableModel* model() const { return m_model; }

    // Rows ----------------------------------------------------------------------------------------
    [[nodiscard]] const SubContactTable& subContactTable() const { return m_rows; }
    /// The rows plus the summary row; 0 without a group or contacts.
    [[nodiscard]] int rowCount() const;
    [[nodiscard]] bool isSummaryRow(int row) const { return row == m_rows.size(); }
    [[nodiscard]] CellContent cell(int row, int column) const;
    /// Text lines of a row, computed when first asked after a reload.
    [[nodiscard]] int numLines(int row) const;
    [[nodiscard]] QString summaryText() const;
    [[nodiscard]] const CellOptions& cellOptions() const { return m_options; }

    // Reloads (what the owner asks of the table) -----------------------------------------------------
    /// Rebuilds and re-sorts the rows; the selected values stay selected where they moved.
    void updateTable() override;
    void updateTableForContact(const ContactEntryPtr& contact) override;
    void updateTableThenSelectByUniquId(const QString& uniqueId) override;
    void updateTableThenSelectByUniquIds(const QStringList& uniqueIds) override;
    [[nodiscard]] QStringList uniqueIdsOfSelectedContacts() const override;
    [[nodiscard]] ContactTable selectedContacts() const override;
    [[nodiscard]] ContactTable contactsForIndexes(const QList<int>& rows) const override;

    // Selection -------------------------------------------------------------------------------------
    [[nodiscard]] const QList<int>& selectedIndexes() const { return m_selection; }
    /// Sets the selected rows (the summary row is never selected); the window reports the user's
    /// selection through this. A table with rows always has one selected: an empty selection keeps
    /// the one before, or selects the first row.
    void setSelectedIndexes(QList<int> rows);
    /// Selects rows from the core side (after an edit) and tells the window, scrolling to the first.
    void selectRowIndexes(const QList<int>& rows) { selectRows(rows); }
    [[nodiscard]] QString uniqueIdOfSelectedContact() const;
    /// The selected rows with the clicked one (-1 for none): their contacts in table order.
    [[nodiscard]] ContactTable selectedContactsWithClickedRowIndex(int clickedRow) const;

    // Columns and view types ----------------------------------------------------------------------
    /// The column identifiers in display order; "Name" is always first.
    [[nodiscard]] const QStringList& tableIdentfiers() const { return m_columns; }
    [[nodiscard]] ViewTypeDict& viewTypeDict() { return m_viewTypeDict; }
    [[nodiscard]] const QString& selectedViewType() const { return m_selectedViewType; }
    /// The setting a chosen view type is kept in: a document's, or the address-book window's.
    void setViewTypeKey(Preferences::Key key) { m_viewTypeKey = key; }
    void setViewTypes(const ViewTypeDict& dict, const QString& selected);
    /// Shows a view type's columns and keeps the selected contact selected.
    void viewTypePopupSelected(const QString& name);
    /// Replaces the columns by a list ("Name" and "Label" are not repeated).
    void updateColumnsInTableView(const QStringList& identifiers);
    /// Adds a column right of "Name"; removes one. The table is not reloaded.
    void addColumn(const QString& identifier);
    void deleteColumn(const QString& identifier);
    /// The owner's columns menu: adds the column to the view type, or removes it when it is there.
    void toggleColumn(const QString& identifier);
    /// A column may not be dragged from or to the "Name" position, nor while the find bar is open.
    [[nodiscard]] bool shouldReorderColumn(int from, int to) const;
    void tableViewColumnDidMove(int from, int to);
    [[nodiscard]] double columnWidth(const QString& identifier) const;
    /// Whether the user gave the column a width (else the window may fit it to its content).
    [[nodiscard]] bool hasStoredWidth(const QString& identifier) const { return m_columnWidths.contains(identifier); }
    void tableViewColumnDidResize(const QString& identifier, double width);
    void setFindBarVisible(bool visible) { m_findBarVisible = visible; }

    // Sorting -------------------------------------------------------------------------------------------
    [[nodiscard]] const std::optional<SortDescriptor>& sortDescriptor() const { return m_sort; }
    /// The table's sort descriptor changed (a header click): reload and remember it.
    void sortDescriptorsDidChange(const SortDescriptor& descriptor);
    [[nodiscard]] const SortOptionsDict& sortOptionsDictionary() const { return m_sortOptions; }
    /// The sort key a column's header sorts by.
    [[nodiscard]] QString sortKeyForColumn(const QString& identifier) const;
    /// A key chosen in a column's header menu.
    void sortOptionsSelected(const QString& identifier, const QString& sortKey);
    /// A key chosen in the owner's sort options pop-up.
    void sortOptionsSelectForIdentifier(const QString& identifier, const QString& sortKey);

    // Settings of the display -----------------------------------------------------------------------
    void setEditState(bool on);
    [[nodiscard]] bool editState() const { return m_options.editState; }
    void setSelectedLabels(const QStringList& labels);
    void toggleShowNameInAllRows();
    void toggleShowCompany();
    [[nodiscard]] bool showNameInAllRows() const { return m_options.showNameInAllRows; }
    [[nodiscard]] bool showCompanyInNameCell() const { return m_options.showCompanyInNameCell; }
    /// The find text the cells mark wherever it occurs; "" for none.
    void setSearchString(const QString& text, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    [[nodiscard]] const QString& searchString() const { return m_searchString; }
    [[nodiscard]] Qt::CaseSensitivity searchCaseSensitivity() const { return m_searchCase; }
    /// The match the find bar stands on, drawn apart from the other occurrences; cleared by a reload.
    void setCurrentMatch(const CellMatch& match);
    [[nodiscard]] const CellMatch& currentMatch() const { return m_currentMatch; }
    /// Where a cell's text is marked: every occurrence of the search string, and the current match.
    [[nodiscard]] QList<TextHighlight> highlights(int row, int column, const QString& text) const;

Q_SIGNALS:
    /// The selection changed from the core side (after a reload or a select call).
    void selectionChanged(const QList<int>& rows);
    /// Columns were added, removed, moved or replaced.
    void columnsChanged();
    /// The columns or the label filter are about to change: rows and columns will no longer be
    /// what they are, so text being typed into a cell has to be committed now.
    void layoutAboutToChange();
    /// Scroll this row into view.
    void scrollToRow(int row);

private:
    void reload();
    void selectRows(QList<int> rows);
    /// Rows of the table in order, each once; the first row when none is left and there are rows.
    [[nodiscard]] QList<int> validSelection(QList<int> rows, const QList<int>& fallback) const;
    void selectRowsOf(const QStringList& uniqueIds);
    void applySortChoice(const QString& identifier, const QString& sortKey);
    void storeViewTypes();

    ContactCollection& m_collection;
    UndoRegistry* m_delegate;
    Preferences* m_preferences;
    Preferences::Key m_viewTypeKey = Preferences::Key::SelectedViewType;
    ContactsTableModel* m_model;
    SortedRows m_sortedRows; ///< rows and sort values kept between reloads
    const SubContactTable& m_rows = m_sortedRows.current(); ///< the rows shown, in display order
    mutable QList<qint8> m_numLines;
    QList<int> m_selection;
    QStringList m_columns{ViewTypes::NameColumn};
    ViewTypeDict m_viewTypeDict;
    QString m_selectedViewType;
    QMap<QString, double> m_columnWidths;
    std::optional<SortDescriptor> m_sort{SortDescriptor{QStringLiteral("compositeName"), true}};
    SortOptionsDict m_sortOptions;
    CellOptions m_options;
    QString m_searchString;
    Qt::CaseSensitivity m_searchCase = Qt::CaseSensitive;
    CellMatch m_currentMatch;
    TableRows::LabelCollector m_labels;
    bool m_findBarVisible = false;
    bool m_hasSummaryRow = false; ///< a group is selected and there are contacts, as of the last reload
};

} // namespace Quillary
