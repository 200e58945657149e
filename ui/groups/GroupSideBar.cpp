#include "GroupSideBar.h"

#include "documents/DocumentGroups.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>

namespace Quillary::Ui {

namespace {

constexpr int GroupIndexRole = Qt::UserRole + 1;

QString rowIndexText(const QMimeData* data)
{
    if (!data || !data->hasFormat(DocumentGroups::RowIndexesMimeType))
        return {};
    return QString::fromUtf8(data->data(DocumentGroups::RowIndexesMimeType));
}

} // namespace

GroupSideBar::GroupSideBar(ContactCollection& collection, QWidget* parent)
    : QTreeWidget(parent), m_collection(collection)
{
    setObjectName(QStringLiteral("groupSideBar"));
    setColumnCount(1);
    setHeaderLabels({tr("Groups")});
    header()->setSectionsClickable(false);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(true);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &GroupSideBar::selectionDidChange);
    connect(this, &QTreeWidget::itemChanged, this, &GroupSideBar::itemWasChanged);
}

GroupSideBar::~GroupSideBar() = default;

Qt::ItemFlags GroupSideBar::flagsForGroup(const GroupEntryPtr& group) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
    if (m_editState && DocumentGroups::isEditable(group, m_collection.defaultAccount))
        flags |= Qt::ItemIsEditable;
    return flags;
}

void GroupSideBar::updateTable()
{
    m_rebuilding = true;
    clear();
    m_groups.clear();
    QTreeWidgetItem* selectedItem = nullptr;
    for (const GroupContainer& container : DocumentGroups::containerTable(m_collection.groupTable)) {
        auto* account = new QTreeWidgetItem(this, {container.remote});
        account->setFlags(Qt::ItemIsEnabled); // accounts are headings, not choices
        account->setSizeHint(0, QSize(-1, m_rowHeight));
        for (const GroupEntryPtr& group : container.groups) {
            auto* item = new QTreeWidgetItem(account, {group->groupName});
            item->setData(0, GroupIndexRole, int(m_groups.size()));
            item->setFlags(flagsForGroup(group));
            item->setSizeHint(0, QSize(-1, m_rowHeight));
            m_groups.append(group);
            if (group == m_collection.selectedGroupDict)
                selectedItem = item;
        }
    }
    expandAll();
    if (selectedItem)
        setCurrentItem(selectedItem);
    m_rebuilding = false;
}

void GroupSideBar::updateFont(const QFont& font)
{
    setFont(font);
    m_rowHeight = DocumentGroups::rowHeightForFont(font);
    updateTable();
}

void GroupSideBar::setEditState(bool on)
{
    if (m_editState == on)
        return;
    m_editState = on;
    updateTable();
}

QTreeWidgetItem* GroupSideBar::itemForGroup(const GroupEntryPtr& group) const
{
    const qsizetype index = m_groups.indexOf(group);
    if (index < 0)
        return nullptr;
    for (int top = 0; top < topLevelItemCount(); ++top) {
        QTreeWidgetItem* account = topLevelItem(top);
        for (int child = 0; child < account->childCount(); ++child) {
            if (account->child(child)->data(0, GroupIndexRole).toInt() == index)
                return account->child(child);
        }
    }
    return nullptr;
}

GroupEntryPtr GroupSideBar::groupOfItem(const QTreeWidgetItem* item) const
{
    if (!item)
        return {};
    const QVariant index = item->data(0, GroupIndexRole);
    if (!index.isValid() || index.toInt() < 0 || index.toInt() >= m_groups.size())
        return {};
    return m_groups.at(index.toInt());
}

void GroupSideBar::selectionDidChange()
{
    if (m_rebuilding)
        return;
    const QList<QTreeWidgetItem*> items = selectedItems();
    const GroupEntryPtr group = items.isEmpty() ? GroupEntryPtr() : groupOfItem(items.first());
    if (!group || group == m_collection.selectedGroupDict)
        return;
    m_collection.selectedGroupDict = group;
    Q_EMIT groupSelectionDidChange(group);
}

void GroupSideBar::itemWasChanged(QTreeWidgetItem* item, int column)
{
    const GroupEntryPtr group = groupOfItem(item);
    if (m_rebuilding || column != 0 || !group)
        return;
    const QString name = item->text(0);
    if (name != group->groupName)
        Q_EMIT groupNameWillChange(group, name);
    // A refused name (an empty one) goes back to the group's own.
    if (item->text(0) != group->groupName) {
        m_rebuilding = true;
        item->setText(0, group->groupName);
        m_rebuilding = false;
    }
}

bool GroupSideBar::canDrop(const QMimeData* data, const GroupEntryPtr& target, bool fromSideBar) const
{
    DocumentGroups::DropContext context;
    context.editState = m_editState;
    context.fromSideBar = fromSideBar;
    context.onItem = target != nullptr;
    context.rowIndexes = rowIndexText(data);
    return DocumentGroups::acceptsDrop(m_collection, target, context);
}

bool GroupSideBar::dropContacts(const QMimeData* data, const GroupEntryPtr& target, bool fromSideBar)
{
    if (!canDrop(data, target, fromSideBar))
        return false;
    // The rows are the table's rows of the group shown now: they are read before the selection moves.
    Q_EMIT addContactByStringIndexes(rowIndexText(data), target);
    m_collection.selectedGroupDict = target;
    m_rebuilding = true;
    if (QTreeWidgetItem* item = itemForGroup(target))
        setCurrentItem(item);
    m_rebuilding = false;
    Q_EMIT groupSelectionDidChange(target);
    return true;
}

GroupEntryPtr GroupSideBar::dropTarget(const QPoint& position) const
{
    return groupOfItem(itemAt(position));
}

void GroupSideBar::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(DocumentGroups::RowIndexesMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void GroupSideBar::dragMoveEvent(QDragMoveEvent* event)
{
    const GroupEntryPtr target = dropTarget(event->position().toPoint());
    if (canDrop(event->mimeData(), target, event->source() == this)) {
        event->setDropAction(Qt::CopyAction);
        const QRect rect = visualItemRect(itemForGroup(target));
        event->accept(rect);
        highlightDropTarget(rect);
    } else {
        event->ignore();
        highlightDropTarget({});
    }
}

void GroupSideBar::dragLeaveEvent(QDragLeaveEvent* event)
{
    highlightDropTarget({});
    QTreeWidget::dragLeaveEvent(event);
}

void GroupSideBar::highlightDropTarget(const QRect& rect)
{
    if (rect == m_dropHighlight)
        return;
    m_dropHighlight = rect;
    viewport()->update();
}

void GroupSideBar::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    if (m_dropHighlight.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(QPalette::Highlight);
    painter.setPen(QPen(fill, 2));
    fill.setAlpha(60);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(m_dropHighlight).adjusted(1, 1, -1, -1), 4, 4);
}

void GroupSideBar::dropEvent(QDropEvent* event)
{
    highlightDropTarget({});
    const GroupEntryPtr target = dropTarget(event->position().toPoint());
    if (dropContacts(event->mimeData(), target, event->source() == this)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace Quillary::Ui
