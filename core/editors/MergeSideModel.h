#pragma once

#include "MergePanelModel.h"

#include <QAbstractTableModel>

namespace Quillary {

/// The rows of one side of the merge panel as an item model (field, label and value columns), with
/// dragging rows to the other side: a drop is accepted, and acts, as the panel decides. A drag
/// with Qt's copy action (Ctrl held) copies the value, any other moves it.
class MergeSideModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MergeSideModel)

public:
    enum Column { FieldColumn, LabelColumn, ValueColumn, ColumnCount };
    enum Role {
        TypeRole = Qt::UserRole + 1, ///< the row's field identifier
        ValueCountRole, ///< the row's value count (0 or less on filler rows)
        LineCountRole, ///< the value's number of text lines
        LabelChoicesRole, ///< the entries of the row's label menu
    };
    /// The private drag type: which panel, side and row a dragged row comes from.
    static const QString MimeType;

    MergeSideModel(MergePanelModel& panel, MergePanelModel::Side side, QObject* parent = nullptr);

    [[nodiscard]] MergePanelModel::Side side() const { return m_side; }
    /// The tool tip of the name-ordering row ("Changes will not be saved" where it is not kept).
    void setNameOrderingToolTip(const QString& text) { m_nameOrderingToolTip = text; }
    /// The row that the last accepted drop changed on this side; -1 before any.
    [[nodiscard]] int lastDropRow() const { return m_lastDropRow; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    [[nodiscard]] QStringList mimeTypes() const override;
    [[nodiscard]] QMimeData* mimeData(const QModelIndexList& indexes) const override;
    [[nodiscard]] Qt::DropActions supportedDragActions() const override;
    [[nodiscard]] Qt::DropActions supportedDropActions() const override;
    [[nodiscard]] bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                       const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    struct Drop
    {
        MergePanelModel::Side source;
        int sourceRow;
        int targetRow;
        bool above;
    };
    [[nodiscard]] std::optional<Drop> dropFor(const QMimeData* data, int row, const QModelIndex& parent) const;
    void panelReloaded();

    MergePanelModel& m_panel;
    MergePanelModel::Side m_side;
    int m_shownRows = 0;
    int m_lastDropRow = -1;
    QString m_nameOrderingToolTip;
};

} // namespace Quillary
