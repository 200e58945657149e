#pragma once

#include <QStyledItemDelegate>

namespace Quillary::Ui {

/// Draws the values of the find panel's results with every occurrence on a background: orange for
/// the current one, the selected-text colour for the others.
class FindResultDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindResultDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~FindResultDelegate() override = default;

    /// The background of the current occurrence.
    static QColor currentColor() { return QColor(255, 149, 0); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace Quillary::Ui
