#include "QRCodePanelModel.h"

#include "QRCodeImage.h"
#include "QRCodePayload.h"

namespace Quillary {

QRCodePanelModel::QRCodePanelModel(QObject* parent) : QAbstractListModel(parent) { }

void QRCodePanelModel::setContact(ContactEntryPtr contact)
{
    beginResetModel();
    m_contact = std::move(contact);
    m_selection = m_contact && m_contact->person ? QRCodeSelection(*m_contact->person) : QRCodeSelection();
    endResetModel();
    rebuildPayload();
}

void QRCodePanelModel::setFormat(QRCodeFormat format)
{
    if (format == m_format)
        return;
    m_format = format;
    // Which check boxes can be changed depends on the format.
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    rebuildPayload();
}

bool QRCodePanelModel::setSelected(int row, bool selected)
{
    if (row < 0 || row >= m_selection.size() || !m_selection.at(row).isEnabled(m_format))
        return false;
    if (!m_selection.setSelected(row, selected))
        return false;
    Q_EMIT dataChanged(index(row), index(row), {Qt::CheckStateRole});
    rebuildPayload();
    return true;
}

QByteArray QRCodePanelModel::pngData() const
{
    return QRCodeImage::pngData(m_image);
}

void QRCodePanelModel::rebuildPayload()
{
    if (m_contact && m_contact->person) {
        m_payload = QRCodePayload::payload(m_format, *m_contact->person, m_selection);
        m_image = QRCodeImage::render(m_payload);
    } else {
        m_payload.clear();
        m_image = QImage();
    }
    Q_EMIT payloadChanged(m_payload);
}

bool QRCodePanelModel::isRow(const QModelIndex& index) const
{
    // Views ask about the invalid root index too; that is no misuse worth a warning.
    return index.isValid() && checkIndex(index, CheckIndexOption::ParentIsInvalid);
}

int QRCodePanelModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_selection.size());
}

QVariant QRCodePanelModel::data(const QModelIndex& index, int role) const
{
    if (!isRow(index))
        return {};
    const QRCodeRow& row = m_selection.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return row.displayText();
    case Qt::CheckStateRole:
        return row.selected ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool QRCodePanelModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !isRow(index))
        return false;
    return setSelected(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
}

Qt::ItemFlags QRCodePanelModel::flags(const QModelIndex& index) const
{
    if (!isRow(index))
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
    return m_selection.at(index.row()).isEnabled(m_format) ? flags | Qt::ItemIsEnabled : flags;
}

} // namespace Quillary
