#include "ContactsTableModel.h"

#include "ContactsViewController.h"
#include "support/CoreTr.h"

#include <QCoreApplication>
#include <QPoint>

namespace Quillary {

ContactsTableModel::ContactsTableModel(const ContactsViewController& controller, QObject* parent)
    : QAbstractTableModel(parent), m_controller(controller)
{
    connect(&controller, &ContactsViewController::columnsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int ContactsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_controller.rowCount();
}

int ContactsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_controller.tableIdentfiers().size());
}

QVariant ContactsTableModel::rowData(int row, int role) const
{
    const bool summary = m_controller.isSummaryRow(row);
    switch (role) {
    case SummaryRole:
        return summary;
    case NumLinesRole:
        return summary ? 1 : m_controller.numLines(row);
    case UniqueIdRole:
        return summary ? QVariant() : QVariant(m_controller.subContactTable().at(row).uniqueId());
    case ValueIndexRole:
        return summary ? QVariant() : QVariant(m_controller.subContactTable().at(row).index);
    case NotFirstRowRole:
        return !summary && m_controller.subContactTable().at(row).notFirstRow;
    default:
        return {};
    }
}

QVariant ContactsTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    if (role >= NumLinesRole && role <= NotFirstRowRole)
        return rowData(row, role);
    if (role == IdentifierRole)
        return m_controller.tableIdentfiers().at(index.column());
    if (m_controller.isSummaryRow(row)) {
        if (index.column() == 0 && (role == Qt::DisplayRole || role == Qt::ToolTipRole))
            return m_controller.summaryText();
        return {};
    }
    const CellContent cell = m_controller.cell(row, index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell.text;
    case CellTemplateRole:
        return int(cell.cellTemplate);
    case DetailTextRole:
        return cell.detailText;
    case LabelRole:
        return cell.label;
    case LabelsRole:
        return cell.labels;
    case EditableRole:
        return cell.editable;
    case HasValueRole:
        return cell.hasValue;
    case BoldRole:
        return cell.boldText;
    case ShowsImageRole:
        return cell.showsImage;
    case HighlightRole: {
        QVariantList ranges;
        for (const TextHighlight& highlight : m_controller.highlights(index.row(), index.column(), cell.text))
            ranges.append(QPoint(highlight.start, highlight.length));
        return ranges;
    }
    default:
        return {};
    }
}

QVariant ContactsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_controller.tableIdentfiers().size())
        return {};
    if (role == Qt::DisplayRole)
        return QCoreApplication::translate("Quillary::Core", m_controller.tableIdentfiers().at(section).toUtf8());
    if (role == IdentifierRole)
        return m_controller.tableIdentfiers().at(section);
    return {};
}

Qt::ItemFlags ContactsTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_controller.isSummaryRow(index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (m_controller.cell(index.row(), index.column()).editable)
        result |= Qt::ItemIsEditable;
    return result;
}

QHash<int, QByteArray> ContactsTableModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert(CellTemplateRole, "cellTemplate");
    names.insert(LabelRole, "label");
    names.insert(NumLinesRole, "numLines");
    names.insert(SummaryRole, "summary");
    names.insert(UniqueIdRole, "uniqueId");
    return names;
}

void ContactsTableModel::refreshAll()
{
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace Quillary
