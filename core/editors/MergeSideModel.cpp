#include "MergeSideModel.h"

#include "support/Localized.h"

#include <QCoreApplication>
#include <QImage>
#include <QMimeData>

namespace Quillary {

namespace {

/// What ties a drag to the panel it started in: no drag from another panel or program is taken.
QByteArray panelToken(const MergePanelModel& panel)
{
    return QByteArray::number(quintptr(&panel), 16);
}

} // namespace

const QString MergeSideModel::MimeType = QStringLiteral("application/x-quillary-merge-row");

MergeSideModel::MergeSideModel(MergePanelModel& panel, MergePanelModel::Side side, QObject* parent)
    : QAbstractTableModel(parent), m_panel(panel), m_side(side), m_shownRows(int(panel.rows(side).size()))
{
    connect(&panel, &MergePanelModel::rowsReloaded, this, &MergeSideModel::panelReloaded);
    connect(&panel, &MergePanelModel::stateChanged, this, [this] {
        if (m_shownRows > 0)
            Q_EMIT dataChanged(index(0, 0), index(m_shownRows - 1, ColumnCount - 1));
    });
}

void MergeSideModel::panelReloaded()
{
    const int rows = int(m_panel.rows(m_side).size());
    if (rows != m_shownRows) {
        beginResetModel();
        m_shownRows = rows;
        endResetModel();
    } else if (rows > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, ColumnCount - 1));
    }
}

int MergeSideModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int MergeSideModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MergeSideModel::data(const QModelIndex& index, int role) const
{
    const MergeRows& rows = m_panel.rows(m_side);
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const MergeRow& row = rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        switch (index.column()) {
        case FieldColumn: // on the first row of each field
            return index.row() == 0 || rows.at(index.row() - 1).type != row.type ? localized(row.type) : QString();
        case LabelColumn:
            return localized(row.label);
        default:
            return row.value;
        }
    case Qt::ToolTipRole:
        if (row.type == MergeRowBuilder::NameOrdering && !m_nameOrderingToolTip.isEmpty())
            return m_nameOrderingToolTip;
        return localized(row.type);
    case TypeRole:
        return row.type;
    case ValueCountRole:
        return row.valueCount;
    case LineCountRole:
        return row.numLines;
    case LabelChoicesRole:
        return m_panel.labelChoices(m_side, index.row());
    default:
        return {};
    }
}

QVariant MergeSideModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    static const QString titles[] = {QStringLiteral("Field"), QStringLiteral("Label"), QStringLiteral("Value")};
    return localized(titles[section]);
}

Qt::ItemFlags MergeSideModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index) | Qt::ItemIsDropEnabled;
    if (!index.isValid() || !m_panel.editState())
        return flags;
    const MergeRow& row = m_panel.rows(m_side).at(index.row());
    if (!row.isFiller())
        flags |= Qt::ItemIsDragEnabled;
    if (index.column() == ValueColumn
            ? m_panel.isTextEditable(m_side, index.row())
            : index.column() == LabelColumn && !m_panel.labelChoices(m_side, index.row()).isEmpty())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool MergeSideModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    if (index.column() == ValueColumn)
        return m_panel.setText(m_side, index.row(), value.toString());
    return m_panel.setLabel(m_side, index.row(), value.toString());
}

QStringList MergeSideModel::mimeTypes() const
{
    return {MimeType};
}

QMimeData* MergeSideModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid())
        return nullptr;
    const int row = indexes.first().row();
    auto* data = new QMimeData;
    data->setData(MimeType,
                  panelToken(m_panel) + ' ' + QByteArray::number(int(m_side)) + ' ' + QByteArray::number(row));
    if (m_panel.rows(m_side).at(row).type == Field::Photo) {
        const QImage photo = m_panel.copy(m_side)->person->photo();
        if (!photo.isNull())
            data->setImageData(photo);
    } else {
        data->setText(m_panel.dragText(m_side, row));
    }
    return data;
}

Qt::DropActions MergeSideModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions MergeSideModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

std::optional<MergeSideModel::Drop> MergeSideModel::dropFor(const QMimeData* data, int row,
                                                            const QModelIndex& parent) const
{
    if (!data)
        return std::nullopt;
    const QList<QByteArray> fields = data->data(MimeType).split(' ');
    if (fields.size() != 3 || fields.at(0) != panelToken(m_panel))
        return std::nullopt;
    const auto source = MergePanelModel::Side(fields.at(1).toInt());
    if (source == m_side)
        return std::nullopt;
    // A drop on a row gives its index as the parent; a drop between rows the row it goes above.
    const bool above = !parent.isValid();
    const int targetRow = above ? row : parent.row();
    if (targetRow < 0 || targetRow >= m_shownRows)
        return std::nullopt;
    return Drop{source, fields.at(2).toInt(), targetRow, above};
}

bool MergeSideModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                     const QModelIndex& parent) const
{
    const std::optional<Drop> drop = dropFor(data, row, parent);
    return drop && m_panel.canDrop(drop->source, drop->sourceRow, drop->targetRow, drop->above);
}

bool MergeSideModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex& parent)
{
    const std::optional<Drop> drop = dropFor(data, row, parent);
    if (!drop || !m_panel.drop(drop->source, drop->sourceRow, drop->targetRow, drop->above, action == Qt::CopyAction))
        return false;
    m_lastDropRow = drop->targetRow;
    return true;
}

} // namespace Quillary
