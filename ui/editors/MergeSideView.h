#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

namespace Quillary::Ui {

/// One side of the merge panel: rows dragged to the other side move their value, or copy it with
/// Ctrl held; a dropped row becomes the selected one.
class MergeSideView final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MergeSideView)

public:
    explicit MergeSideView(QWidget* parent = nullptr);
    ~MergeSideView() override = default;

Q_SIGNALS:
    /// The context menu of a row was asked for.
    void rowMenuRequested(int row, const QPoint& globalPosition);

protected:
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

/// The label cells of the merge panel: a menu of the row's label choices.
class MergeLabelDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MergeLabelDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~MergeLabelDelegate() override = default;

    [[nodiscard]] QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace Quillary::Ui
