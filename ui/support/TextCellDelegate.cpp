#include "TextCellDelegate.h"

#include <QPlainTextEdit>

namespace Quillary::Ui {

QWidget* TextCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    if (!index.data(Qt::EditRole).toString().contains(u'\n'))
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* editor = new QPlainTextEdit(parent);
    editor->setAccessibleName(tr("Value"));
    return editor;
}

void TextCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* text = qobject_cast<QPlainTextEdit*>(editor))
        text->setPlainText(index.data(Qt::EditRole).toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void TextCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* text = qobject_cast<QPlainTextEdit*>(editor))
        model->setData(index, text->toPlainText(), Qt::EditRole);
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

void TextCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const
{
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    // A multi-line field gets room for a few lines more than the row shows.
    if (qobject_cast<QPlainTextEdit*>(editor))
        editor->resize(editor->width(), qMax(editor->height(), editor->fontMetrics().lineSpacing() * 5));
}

} // namespace Quillary::Ui
