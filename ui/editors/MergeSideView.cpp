#include "MergeSideView.h"

#include "editors/MergeSideModel.h"
#include "support/TextCellDelegate.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHeaderView>

namespace Quillary::Ui {

MergeSideView::MergeSideView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragDropOverwriteMode(false);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::SelectedClicked);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    setItemDelegateForColumn(MergeSideModel::LabelColumn, new MergeLabelDelegate(this));
    setItemDelegateForColumn(MergeSideModel::ValueColumn, new TextCellDelegate(this));
}

void MergeSideView::dropEvent(QDropEvent* event)
{
    QTableView::dropEvent(event);
    auto* side = qobject_cast<MergeSideModel*>(model());
    if (event->isAccepted() && side && side->lastDropRow() >= 0)
        selectRow(side->lastDropRow());
}

void MergeSideView::contextMenuEvent(QContextMenuEvent* event)
{
    const int row = rowAt(event->pos().y());
    if (row >= 0) {
        selectRow(row);
        Q_EMIT rowMenuRequested(row, event->globalPos());
    }
}

QWidget* MergeLabelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* menu = new QComboBox(parent);
    menu->setAccessibleName(tr("Label"));
    menu->addItems(index.data(MergeSideModel::LabelChoicesRole).toStringList());
    // A choice is taken at once, as a menu would.
    auto* self = const_cast<MergeLabelDelegate*>(this);
    connect(menu, &QComboBox::activated, self, [self, menu] {
        Q_EMIT self->commitData(menu);
        Q_EMIT self->closeEditor(menu);
    });
    return menu;
}

void MergeLabelDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QComboBox*>(editor)->setCurrentText(index.data(Qt::EditRole).toString());
}

void MergeLabelDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString label = static_cast<QComboBox*>(editor)->currentText();
    if (label != index.data(Qt::EditRole).toString())
        model->setData(index, label, Qt::EditRole);
}

} // namespace Quillary::Ui
