#include "EncodingListModel.h"

#include "EncodingAccessoryModel.h"

namespace Quillary {

EncodingListModel::EncodingListModel(EncodingAccessoryModel* accessory, QObject* parent)
    : QAbstractTableModel(parent), m_accessory(accessory)
{
    connect(m_accessory, &EncodingAccessoryModel::checkBoxChanged, this, [this](int row) {
        const QModelIndex cell = index(row, CheckBoxColumn);
        Q_EMIT dataChanged(cell, cell, {Qt::CheckStateRole});
    });
    connect(m_accessory, &EncodingAccessoryModel::encodingTableReset, this, [this] {
        if (rowCount() > 0)
            Q_EMIT dataChanged(index(0, CheckBoxColumn), index(rowCount() - 1, CheckBoxColumn), {Qt::CheckStateRole});
    });
}

int EncodingListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_accessory->currentEncodings().size());
}

int EncodingListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EncodingListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const EncodingTableEntry& entry = m_accessory->currentEncodings().at(index.row());
    if (index.column() == CheckBoxColumn && role == Qt::CheckStateRole)
        return entry.checkBox ? Qt::Checked : Qt::Unchecked;
    if (index.column() == NameColumn && role == Qt::DisplayRole)
        return entry.encodingName;
    return {};
}

Qt::ItemFlags EncodingListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == CheckBoxColumn)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

bool EncodingListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != CheckBoxColumn
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    // The accessory announces the change, which emits dataChanged.
    m_accessory->setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

} // namespace Quillary
