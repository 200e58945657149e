#pragma once

#include "support/TextCellDelegate.h"

namespace Quillary::Ui {

/// Draws the values of the find panel's results with every occurrence on a background: orange for
/// the current one, the selected-text colour for the others. Values are typed in place, on several
/// lines where they have several.
class FindResultDelegate final : public TextCellDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindResultDelegate)

public:
    using TextCellDelegate::TextCellDelegate;
    ~FindResultDelegate() override = default;

    /// The background of the current occurrence.
    static QColor currentColor() { return QColor(255, 149, 0); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace Quillary::Ui
