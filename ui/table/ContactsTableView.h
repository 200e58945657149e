#pragma once

#include <QBitArray>
#include <QFont>
#include <QTableView>
#include <QTimer>

#include <functional>

class QDropEvent;
class QMenu;
class QMimeData;

namespace Quillary {
class ContactsViewController;
namespace ContactPasteboard {
struct DropProposal;
}
} // namespace Quillary

namespace Quillary::Ui {

class ContactCellDelegate;
class ContactsTableEditing;

/// The contacts table of a window over the core's table model. It shows the columns of the view
/// type with their stored widths, sorts by a header click or the header's menu of sort keys, lets
/// columns be dragged (never before "Name"), and keeps its selection in step with the core's.
///
/// Rows are as high as their text lines. Only rows that come into view are measured: a row of one
/// line keeps the header's default height, and only taller rows get a size of their own, so that
/// neither a reload nor a scroll walks the hundreds of thousands of rows a table can have.
class ContactsTableView final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactsTableView)

public:
    explicit ContactsTableView(ContactsViewController& controller, QWidget* parent = nullptr);
    ~ContactsTableView() override;

    [[nodiscard]] ContactsViewController& controller() const { return m_controller; }
    [[nodiscard]] ContactCellDelegate* cellDelegate() const { return m_delegate; }
    [[nodiscard]] ContactsTableEditing* editing() const { return m_editing; }

    /// The table font: its bold form and the line height follow; the table reloads.
    void updateFont(const QFont& font);
    [[nodiscard]] const QFont& tableFont() const { return m_font; }
    /// The height of one text line, at least 20.
    [[nodiscard]] int lineHeight() const { return m_lineHeight; }
    /// The height a row gets from its text lines.
    [[nodiscard]] int heightForRow(int row) const;
    /// Measures the rows now in view (as painting does), for tests and after a scroll.
    void measureVisibleRows();

    /// The header menu of sort keys of a column; empty for columns without choices.
    void fillSortMenu(QMenu* menu, int column);
    /// The drag data of the selected rows: their contacts as vCard text, plain text and a .vcf file,
    /// and their numbers as the private row-index type.
    [[nodiscard]] QMimeData* mimeDataForSelectedRows() const;
    /// Takes the data of a drop the table accepted; answers whether contacts were added.
    using DropHandler = std::function<bool(const QMimeData&)>;
    void setDropHandler(DropHandler handler) { m_dropHandler = std::move(handler); }
    /// A drop at a point of the viewport, from `source` (null: another application); answers
    /// whether the table took it and contacts were added.
    bool dropData(const QPoint& position, const QMimeData& data, const QObject* source);
    /// Where a drag at a point of the viewport would drop.
    [[nodiscard]] ContactPasteboard::DropProposal dropProposal(const QPoint& position, const QObject* source,
                                                               const QMimeData* data) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void modelWasReset();
    void applyColumnWidths();
    /// A width for a column the user never sized: its widest value among the first rows.
    [[nodiscard]] int fittedColumnWidth(int column) const;
    void showSortIndicator();
    void selectRowsFromCore(const QList<int>& rows);
    /// A table with rows always has one selected: the current row, else the first.
    void keepARowSelected();
    void sectionMoved(int logical, int oldVisual, int newVisual);
    void sectionResized(int logical, int oldSize, int newSize);
    void sortIndicatorChanged(int section, Qt::SortOrder order);
    void headerMenuRequested(const QPoint& pos);
    /// Opens the label pop-up of a labelled cell in edit mode; false when the cell has none.
    bool openLabelMenu(const QModelIndex& index);
    [[nodiscard]] int defaultRowHeight() const;
    /// Whether the table takes the drop of `event`; shows where it would go.
    bool takesDrop(QDropEvent* event);
    void paintDropLine();

    ContactsViewController& m_controller;
    ContactCellDelegate* m_delegate;
    ContactsTableEditing* m_editing;
    // A click in a selection of several rows keeps it until it is clear that no double click,
    // which edits every selected row, follows.
    QTimer m_collapseSelection;
    int m_collapseRow = -1;
    bool m_keepSelection = false;
    QFont m_font;
    int m_lineHeight = 20;
    QBitArray m_measured;
    bool m_bottomMeasured = false;
    bool m_syncing = false;
    bool m_movingBack = false;
    DropHandler m_dropHandler;
    int m_dropLineY = -1; ///< where a drop between rows would go, in viewport coordinates
};

} // namespace Quillary::Ui
