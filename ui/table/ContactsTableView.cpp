#include "ContactsTableView.h"

#include "ContactCellDelegate.h"
#include "ContactsTableEditing.h"
#include "DragPixmap.h"
#include "documents/DocumentGroups.h"
#include "table/ContactPasteboard.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsViewController.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <memory>

namespace Quillary::Ui {

namespace {

constexpr int MinimumColumnWidth = 80;
// A fitted column is measured on this many rows and gets no more than this width.
constexpr int FittedRows = 50;
constexpr int MaximumFittedWidth = 360;
/// From this many rows on, sorting takes long enough to show the busy cursor.
constexpr qsizetype BusySortRows = 50000;

/// The busy cursor for the lifetime of the guard, when `busy`.
class BusyCursor
{
public:
    explicit BusyCursor(bool busy) : m_busy(busy)
    {
        if (m_busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor()
    {
        if (m_busy)
            QApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool m_busy;
};

QFont boldFontOf(const QFont& font)
{
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

QString translated(const QString& key)
{
    return QCoreApplication::translate("Quillary::Core", key.toUtf8().constData());
}

} // namespace

ContactsTableView::ContactsTableView(ContactsViewController& controller, QWidget* parent)
    : QTableView(parent), m_controller(controller), m_delegate(new ContactCellDelegate(controller, this)),
      m_editing(new ContactsTableEditing(this, m_delegate))
{
    setObjectName(QStringLiteral("contactsTable"));
    setModel(controller.model());
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setDragEnabled(true);
    // Drops are decided here, not by the model: contacts are added, never moved between rows.
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setDefaultDropAction(Qt::CopyAction);
    m_collapseSelection.setSingleShot(true);
    connect(&m_collapseSelection, &QTimer::timeout, this, [this] {
        if (m_collapseRow >= 0 && m_collapseRow < model()->rowCount())
            selectRow(m_collapseRow);
    });
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* columns = horizontalHeader();
    columns->setObjectName(QStringLiteral("contactsHeader"));
    columns->setSectionsMovable(true);
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(true);
    columns->setStretchLastSection(true); // the table reaches the window's edge
    columns->setMinimumSectionSize(MinimumColumnWidth);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(model(), &QAbstractItemModel::modelReset, this, &ContactsTableView::modelWasReset);
    connect(&controller, &ContactsViewController::selectionChanged, this, &ContactsTableView::selectRowsFromCore);
    connect(&controller, &ContactsViewController::scrollToRow, this,
            [this](int row) { scrollTo(model()->index(row, 0)); });
    connect(columns, &QHeaderView::sectionMoved, this, &ContactsTableView::sectionMoved);
    connect(columns, &QHeaderView::sectionResized, this, &ContactsTableView::sectionResized);
    connect(columns, &QHeaderView::sortIndicatorChanged, this, &ContactsTableView::sortIndicatorChanged);
    connect(columns, &QWidget::customContextMenuRequested, this, &ContactsTableView::headerMenuRequested);
    updateFont(font());
}

ContactsTableView::~ContactsTableView() = default;

void ContactsTableView::updateFont(const QFont& font)
{
    m_font = font;
    setFont(font);
    m_lineHeight = DocumentGroups::rowHeightForFont(font);
    m_delegate->setFonts(font, boldFontOf(font), m_lineHeight);
    // Rows not built yet are built with the font; built ones are measured again.
    if (!m_controller.subContactTable().isEmpty())
        m_controller.updateTable();
    else
        modelWasReset();
}

int ContactsTableView::defaultRowHeight() const
{
    // With the company in the name cell every row has two lines, a little tighter.
    return m_controller.showCompanyInNameCell() ? (m_lineHeight - 4) * 2 : m_lineHeight;
}

int ContactsTableView::heightForRow(int row) const
{
    if (m_controller.isSummaryRow(row))
        return m_lineHeight;
    const int lines = m_controller.numLines(row);
    return m_controller.showCompanyInNameCell() ? (m_lineHeight - 4) * lines : m_lineHeight * lines;
}

void ContactsTableView::modelWasReset()
{
    // Sections keep their sizes across a reset; a new default size puts every section back to it,
    // announcing only those that differ.
    QHeaderView* rows = verticalHeader();
    if (rows->defaultSectionSize() != defaultRowHeight() || rows->count() > 0)
        rows->setDefaultSectionSize(defaultRowHeight());
    m_measured = QBitArray(model()->rowCount());
    m_bottomMeasured = false;
    m_delegate->clearThumbnails();
    clearSpans();
    const int last = model()->rowCount() - 1;
    if (last >= 0 && model()->columnCount() > 1)
        setSpan(last, 0, 1, model()->columnCount());
    applyColumnWidths();
    showSortIndicator();
    selectRowsFromCore(m_controller.selectedIndexes());
    // After the reload is over: the core selects again what was selected only once the model is reset.
    QMetaObject::invokeMethod(this, &ContactsTableView::keepARowSelected, Qt::QueuedConnection);
    viewport()->update();
}

void ContactsTableView::keepARowSelected()
{
    const int dataRows = model()->rowCount() - 1; // without the summary row
    if (dataRows <= 0 || !m_controller.selectedIndexes().isEmpty())
        return;
    const int current = currentIndex().row();
    const int row = current >= 0 && current < dataRows ? current : 0;
    m_controller.setSelectedIndexes({row});
    selectRowsFromCore({row});
}

void ContactsTableView::measureVisibleRows()
{
    const int count = model()->rowCount();
    if (count == 0)
        return;
    if (m_measured.size() != count) {
        m_measured = QBitArray(count);
        m_bottomMeasured = false;
    }
    QHeaderView* header = verticalHeader();
    const int bottom = viewport()->height();
    QList<std::pair<int, int>> changes;
    // The height a row has once measured; measuring it the first time notes a change of size.
    const auto measure = [&](int row) {
        const int height = header->sectionSize(row);
        if (m_measured.testBit(row))
            return height;
        m_measured.setBit(row);
        const int wanted = heightForRow(row);
        if (wanted != height)
            changes.append({row, wanted});
        return wanted;
    };
    int row = qMax(0, header->logicalIndexAt(0));
    for (int y = header->sectionViewportPosition(row); row < count && y < bottom; ++row)
        y += measure(row);
    // The last rows decide how far the table scrolls: they are measured once from the start.
    if (!m_bottomMeasured) {
        for (int last = count - 1, height = 0; last >= 0 && height < bottom; --last)
            height += measure(last);
        m_bottomMeasured = true;
    }
    if (changes.isEmpty())
        return;
    // Without updates the header does not recompute every section's position after each resize.
    header->setUpdatesEnabled(false);
    for (const auto& [changed, height] : std::as_const(changes))
        header->resizeSection(changed, height);
    header->setUpdatesEnabled(true);
}

void ContactsTableView::paintEvent(QPaintEvent* event)
{
    measureVisibleRows();
    QTableView::paintEvent(event);
    paintDropLine();
}

void ContactsTableView::paintDropLine()
{
    if (m_dropLineY < 0)
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, m_dropLineY, viewport()->width(), m_dropLineY);
}

void ContactsTableView::applyColumnWidths()
{
    QHeaderView* header = horizontalHeader();
    const QStringList& identifiers = m_controller.tableIdentfiers();
    m_syncing = true;
    for (int column = 0; column < identifiers.size() && column < header->count(); ++column) {
        const QString& identifier = identifiers.at(column);
        const bool stored = m_controller.hasStoredWidth(identifier);
        header->resizeSection(column, stored ? int(m_controller.columnWidth(identifier)) : fittedColumnWidth(column));
    }
    m_syncing = false;
}

int ContactsTableView::fittedColumnWidth(int column) const
{
    const int rows = qMin(FittedRows, model()->rowCount() - 1); // not the summary row
    if (rows <= 0)
        return int(m_controller.columnWidth(m_controller.tableIdentfiers().at(column)));
    int width = MinimumColumnWidth;
    for (int row = 0; row < rows; ++row)
        width = qMax(width, m_delegate->contentWidth(m_controller.cell(row, column)));
    return qMin(width, MaximumFittedWidth);
}

void ContactsTableView::showSortIndicator()
{
    const std::optional<SortDescriptor>& sort = m_controller.sortDescriptor();
    const QStringList& identifiers = m_controller.tableIdentfiers();
    int section = -1;
    if (sort) {
        for (int column = 0; column < identifiers.size() && section < 0; ++column) {
            if (m_controller.sortKeyForColumn(identifiers.at(column)) == sort->key)
                section = column;
        }
        const QString field = SortKeys::separateSortKeyIntoIdentifierAndKey(sort->key).first;
        if (section < 0)
            section = int(identifiers.indexOf(field));
    }
    m_syncing = true;
    horizontalHeader()->setSortIndicator(section, sort && !sort->ascending ? Qt::DescendingOrder : Qt::AscendingOrder);
    m_syncing = false;
}

void ContactsTableView::sortIndicatorChanged(int section, Qt::SortOrder order)
{
    const QStringList& identifiers = m_controller.tableIdentfiers();
    if (m_syncing || section < 0 || section >= identifiers.size())
        return;
    const QString key = m_controller.sortKeyForColumn(identifiers.at(section));
    const BusyCursor busy(m_controller.subContactTable().size() >= BusySortRows);
    m_controller.sortDescriptorsDidChange(SortDescriptor{key, order == Qt::AscendingOrder});
}

void ContactsTableView::sectionMoved(int logical, int oldVisual, int newVisual)
{
    Q_UNUSED(logical)
    if (m_movingBack)
        return;
    // The header only shows the move: the core decides on it and reorders the model's columns, so
    // the header's own order goes back to the model's.
    m_movingBack = true;
    horizontalHeader()->moveSection(newVisual, oldVisual);
    m_movingBack = false;
    // After the header's mouse handling: the move resets the model under it.
    if (m_controller.shouldReorderColumn(oldVisual, newVisual)) {
        QMetaObject::invokeMethod(
            this, [this, oldVisual, newVisual] { m_controller.tableViewColumnDidMove(oldVisual, newVisual); },
            Qt::QueuedConnection);
    }
}

void ContactsTableView::sectionResized(int logical, int oldSize, int newSize)
{
    Q_UNUSED(oldSize)
    const QStringList& identifiers = m_controller.tableIdentfiers();
    // The last column's width follows the window, not the user.
    const bool stretched = horizontalHeader()->visualIndex(logical) == horizontalHeader()->count() - 1;
    if (!m_syncing && !stretched && logical >= 0 && logical < identifiers.size())
        m_controller.tableViewColumnDidResize(identifiers.at(logical), newSize);
}

void ContactsTableView::fillSortMenu(QMenu* menu, int column)
{
    menu->clear();
    const QStringList& identifiers = m_controller.tableIdentfiers();
    if (column < 0 || column >= identifiers.size())
        return;
    const QString identifier = identifiers.at(column);
    const SortOptionsDict& options = m_controller.sortOptionsDictionary();
    const auto it = options.constFind(identifier);
    if (!SortKeys::headerMenuIdentifiers().contains(identifier) || it == options.constEnd())
        return;
    menu->setTitle(identifier);
    menu->addAction(tr("Sort by"))->setEnabled(false);
    for (const QString& key : it->items) {
        QAction* action = menu->addAction(translated(key));
        action->setCheckable(true);
        action->setChecked(key == it->selected);
        connect(action, &QAction::triggered, this,
                [this, identifier, key] { m_controller.sortOptionsSelected(identifier, key); });
    }
}

void ContactsTableView::headerMenuRequested(const QPoint& pos)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("sortMenu"));
    fillSortMenu(&menu, horizontalHeader()->logicalIndexAt(pos));
    if (!menu.isEmpty())
        menu.exec(horizontalHeader()->viewport()->mapToGlobal(pos));
}

bool ContactsTableView::openLabelMenu(const QModelIndex& index)
{
    if (!index.isValid())
        return false;
    std::unique_ptr<QMenu> menu(m_editing->labelMenu(index.row(), index.column(), this));
    if (!menu)
        return false;
    const QRect label = m_delegate->labelRect(visualRect(index));
    menu->exec(viewport()->mapToGlobal(label.bottomLeft()));
    return true;
}

void ContactsTableView::contextMenuEvent(QContextMenuEvent* event)
{
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    const QModelIndex index = keyboard ? currentIndex() : indexAt(event->pos());
    if (!index.isValid() || m_controller.isSummaryRow(index.row()))
        return;
    std::unique_ptr<QMenu> menu(m_editing->contextMenu(index.row(), index.column(), this));
    if (menu->isEmpty())
        return;
    const QPoint at = keyboard ? viewport()->mapToGlobal(visualRect(index).center()) : event->globalPos();
    menu->exec(at);
}

void ContactsTableView::mousePressEvent(QMouseEvent* event)
{
    m_collapseSelection.stop();
    const QModelIndex index = indexAt(event->position().toPoint());
    // The empty area below the rows and the summary row select nothing, and keep the selection.
    if (!index.isValid() || m_controller.isSummaryRow(index.row())) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    if (event->button() == Qt::LeftButton && index.isValid()
        && m_delegate->labelRect(visualRect(index)).contains(event->position().toPoint()) && openLabelMenu(index))
        return;
    m_keepSelection = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && index.isValid()
        && m_controller.selectedIndexes().size() > 1 && selectionModel()->isRowSelected(index.row(), {});
    QTableView::mousePressEvent(event);
}

void ContactsTableView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!std::exchange(m_keepSelection, false)) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    const QItemSelection kept = selectionModel()->selection();
    QTableView::mouseReleaseEvent(event); // would leave the clicked row alone selected
    if (state() == DraggingState)
        return;
    m_collapseRow = indexAt(event->position().toPoint()).row();
    selectionModel()->select(kept, QItemSelectionModel::ClearAndSelect);
    m_collapseSelection.start(QApplication::doubleClickInterval());
}

void ContactsTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_collapseSelection.stop();
    m_keepSelection = false;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || m_controller.isSummaryRow(index.row())) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    m_editing->startEdit(index.row(), index.column(), event->modifiers() & Qt::ControlModifier);
}

void ContactsTableView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex index = currentIndex();
    const bool onCell = index.isValid() && !m_controller.isSummaryRow(index.row()) && state() != EditingState;
    if (onCell && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_F2)) {
        m_editing->startEdit(index.row(), index.column(), event->modifiers() & Qt::ControlModifier);
        return;
    }
    if (onCell && event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier && openLabelMenu(index))
        return;
    QTableView::keyPressEvent(event);
}

void ContactsTableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (hint == QAbstractItemDelegate::RevertModelCache)
        m_editing->editorReverted();
    m_delegate->editorClosed(editor);
    QTableView::closeEditor(editor, hint);
}

QModelIndex ContactsTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // The summary row is no stop for the keyboard: Down, Page Down and End end on the last contact.
    const QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    if (next.isValid() && m_controller.isSummaryRow(next.row()) && next.row() > 0)
        return model()->index(next.row() - 1, next.column());
    return next;
}

void ContactsTableView::selectRowsFromCore(const QList<int>& rows)
{
    QItemSelection selection;
    const int columns = model()->columnCount();
    if (columns == 0)
        return;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype j = i;
        while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) + 1)
            ++j;
        selection.select(model()->index(rows.at(i), 0), model()->index(rows.at(j), columns - 1));
        i = j + 1;
    }
    m_syncing = true;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.isEmpty())
        selectionModel()->setCurrentIndex(model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
    m_syncing = false;
}

void ContactsTableView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTableView::selectionChanged(selected, deselected);
    if (m_syncing)
        return;
    QList<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    m_controller.setSelectedIndexes(rows);
    // A row stays selected (a Ctrl-click on the only selected row leaves it so); the view follows
    // once this change of its selection is over.
    std::sort(rows.begin(), rows.end());
    if (m_controller.selectedIndexes() != rows)
        QMetaObject::invokeMethod(
            this, [this] { selectRowsFromCore(m_controller.selectedIndexes()); }, Qt::QueuedConnection);
}

QMimeData* ContactsTableView::mimeDataForSelectedRows() const
{
    return ContactPasteboard::mimeData(ContactPasteboard::dragPayload(m_controller, m_controller.selectedIndexes()));
}

ContactPasteboard::DropProposal ContactsTableView::dropProposal(const QPoint& position, const QObject* source,
                                                                const QMimeData* data) const
{
    ContactPasteboard::DropProposal proposal;
    proposal.editState = m_controller.editState();
    proposal.rowCount = model()->rowCount();
    proposal.fromThisTable = source == this;
    proposal.fromThisApplication = source != nullptr;
    proposal.offersContacts = data && ContactPasteboard::offersContacts(*data);
    const QModelIndex index = indexAt(position);
    if (!index.isValid()) {
        proposal.row = proposal.rowCount;
        return proposal;
    }
    // Near a row's top or bottom edge the drop goes between rows; over its middle, onto it.
    const QRect rect = visualRect(index);
    const int edge = qMax(3, rect.height() / 4);
    proposal.row = index.row();
    if (position.y() >= rect.bottom() - edge)
        proposal.row = index.row() + 1;
    proposal.onRow = position.y() > rect.top() + edge && position.y() < rect.bottom() - edge;
    return proposal;
}

bool ContactsTableView::takesDrop(QDropEvent* event)
{
    const QPoint position = event->position().toPoint();
    const ContactPasteboard::DropProposal proposal = dropProposal(position, event->source(), event->mimeData());
    const bool takes = ContactPasteboard::validateDrop(proposal);
    const int line = takes && proposal.row < proposal.rowCount ? rowViewportPosition(proposal.row) : -1;
    if (line != m_dropLineY) {
        m_dropLineY = line;
        viewport()->update();
    }
    return takes;
}

void ContactsTableView::dragEnterEvent(QDragEnterEvent* event)
{
    // Taken for now, so that moves follow; each move decides whether the point takes the drop.
    event->acceptProposedAction();
}

void ContactsTableView::dragMoveEvent(QDragMoveEvent* event)
{
    if (takesDrop(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ContactsTableView::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dropLineY = -1;
    viewport()->update();
    event->accept();
}

void ContactsTableView::dropEvent(QDropEvent* event)
{
    m_dropLineY = -1;
    viewport()->update();
    if (event->mimeData() && dropData(event->position().toPoint(), *event->mimeData(), event->source())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

bool ContactsTableView::dropData(const QPoint& position, const QMimeData& data, const QObject* source)
{
    return ContactPasteboard::validateDrop(dropProposal(position, source, &data)) && m_dropHandler
        && m_dropHandler(data);
}

void ContactsTableView::startDrag(Qt::DropActions supportedActions)
{
    QMimeData* data = m_controller.selectedIndexes().isEmpty() ? nullptr : mimeDataForSelectedRows();
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const ContactTable contacts = m_controller.selectedContacts();
    drag->setPixmap(DragPixmap::forContacts(
        int(contacts.size()), contacts.size() == 1 ? contacts.first()->person->compositeName() : QString(), this));
    drag->exec(supportedActions & Qt::CopyAction ? Qt::CopyAction : supportedActions);
}

} // namespace Quillary::Ui
