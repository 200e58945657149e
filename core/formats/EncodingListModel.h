#pragma once

#include <QAbstractTableModel>

namespace Quillary {

class EncodingAccessoryModel;

/// The table of the "Customize Encoding List…" panel: a check-box column and a name column over the
/// accessory's encoding table. Only the check box can be changed; a change goes to the accessory,
/// which updates its pop-up.
class EncodingListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncodingListModel)

public:
    enum Column { CheckBoxColumn, NameColumn, ColumnCount };

    explicit EncodingListModel(EncodingAccessoryModel* accessory, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    EncodingAccessoryModel* m_accessory;
};

} // namespace Quillary
