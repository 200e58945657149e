#pragma once

#include "documents/ContactCollection.h"

#include <QTreeWidget>

class QMimeData;

namespace Quillary::Ui {

/// The group side bar: an outline of the owner's accounts with their groups under them. Choosing a
/// group shows its members in the table; in edit mode a group of the owner's account can be renamed
/// in place (double click) and contacts dragged from the table can be dropped on a group.
class GroupSideBar final : public QTreeWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GroupSideBar)

public:
    explicit GroupSideBar(ContactCollection& collection, QWidget* parent = nullptr);
    ~GroupSideBar() override;

    /// Rebuilds the outline from the group table, expands it and selects the selected group.
    void updateTable();
    void updateFont(const QFont& font);
    [[nodiscard]] int rowHeight() const { return m_rowHeight; }
    void setEditState(bool on);
    [[nodiscard]] bool editState() const { return m_editState; }

    [[nodiscard]] QTreeWidgetItem* itemForGroup(const GroupEntryPtr& group) const;
    [[nodiscard]] GroupEntryPtr groupOfItem(const QTreeWidgetItem* item) const;

    /// Whether dragged data may be dropped on a group, and the drop itself: the owner adds the
    /// contacts of the dragged rows to the group, which then becomes the selection.
    [[nodiscard]] bool canDrop(const QMimeData* data, const GroupEntryPtr& target, bool fromSideBar) const;
    bool dropContacts(const QMimeData* data, const GroupEntryPtr& target, bool fromSideBar = false);

Q_SIGNALS:
    void groupSelectionDidChange(const Quillary::GroupEntryPtr& group);
    void groupNameWillChange(const Quillary::GroupEntryPtr& group, const QString& name);
    void addContactByStringIndexes(const QString& text, const Quillary::GroupEntryPtr& group);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void selectionDidChange();
    void itemWasChanged(QTreeWidgetItem* item, int column);
    [[nodiscard]] Qt::ItemFlags flagsForGroup(const GroupEntryPtr& group) const;
    [[nodiscard]] GroupEntryPtr dropTarget(const QPoint& position) const;
    void highlightDropTarget(const QRect& rect);

    ContactCollection& m_collection;
    GroupTable m_groups; ///< the groups of the items, by the index an item stores
    int m_rowHeight = 20;
    bool m_editState = false;
    bool m_rebuilding = false;
    QRect m_dropHighlight; ///< the group that takes the contacts being dragged, in viewport coordinates
};

} // namespace Quillary::Ui
