#include "GroupMenuModel.h"

#include <numeric>

namespace Quillary {

GroupMenuModel::GroupMenuModel(GroupTable groups, GroupEntryPtr selected, QObject* parent)
    : QAbstractListModel(parent), m_groups(std::move(groups)), m_selected(std::move(selected)), m_shown(m_groups.size())
{
    std::iota(m_shown.begin(), m_shown.end(), 0);
}

GroupMenuModel::~GroupMenuModel() = default;

void GroupMenuModel::setFilterText(const QString& text)
{
    if (text == m_filterText)
        return;
    beginResetModel();
    m_filterText = text;
    m_shown.clear();
    for (qsizetype i = 0; i < m_groups.size(); ++i) {
        if (text.isEmpty() || m_groups.at(i)->groupId.contains(text, Qt::CaseInsensitive))
            m_shown.append(i);
    }
    endResetModel();
}

GroupEntryPtr GroupMenuModel::groupAt(int row) const
{
    return row >= 0 && row < m_shown.size() ? m_groups.at(m_shown.at(row)) : GroupEntryPtr();
}

int GroupMenuModel::selectedRow() const
{
    for (qsizetype row = 0; row < m_shown.size(); ++row) {
        if (m_groups.at(m_shown.at(row)) == m_selected)
            return int(row);
    }
    return -1;
}

int GroupMenuModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant GroupMenuModel::data(const QModelIndex& index, int role) const
{
    const GroupEntryPtr group = groupAt(index.row());
    if (!group || index.column() != 0)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return group->groupId;
    if (role == Qt::CheckStateRole)
        return group == m_selected ? Qt::Checked : Qt::Unchecked;
    return {};
}

Qt::ItemFlags GroupMenuModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

} // namespace Quillary
