#pragma once

#include <QStyledItemDelegate>

namespace Quillary::Ui {

/// Cells typed in place: a one-line field, or for values of several lines (notes, street lines) a
/// multi-line field, so that editing keeps their line breaks.
class TextCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextCellDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~TextCellDelegate() override = default;

    [[nodiscard]] QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};

} // namespace Quillary::Ui
