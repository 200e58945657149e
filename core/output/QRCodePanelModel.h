#pragma once

#include "QRCodeFormat.h"
#include "QRCodeSelection.h"
#include "model/ContactEntry.h"

#include <QAbstractListModel>
#include <QImage>

namespace Quillary {

/// What the QR code sheet shows for one contact: the selection table as a checkable list (one row per
/// phone, e-mail, address, URL and organisation field), the chosen payload format, the payload text
/// and its QR code image. Every change of contact, format or tick rebuilds payload and image.
class QRCodePanelModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QRCodePanelModel)

public:
    explicit QRCodePanelModel(QObject* parent = nullptr);

    /// Shows a contact: rebuilds the rows with their first ticks and the payload of the current format.
    void setContact(ContactEntryPtr contact);
    [[nodiscard]] const ContactEntryPtr& contact() const { return m_contact; }

    [[nodiscard]] QRCodeFormat format() const { return m_format; }
    void setFormat(QRCodeFormat format);

    [[nodiscard]] const QRCodeSelection& selection() const { return m_selection; }
    /// Ticks or unticks a row whose check box is enabled in the current format.
    bool setSelected(int row, bool selected);

    [[nodiscard]] const QString& payload() const { return m_payload; }
    /// The enlarged QR code of the payload; null when there is no contact or the payload does not fit.
    [[nodiscard]] const QImage& image() const { return m_image; }
    /// The image as PNG data for the clipboard.
    [[nodiscard]] QByteArray pngData() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    /// Payload and image were rebuilt.
    void payloadChanged(const QString& payload);

private:
    void rebuildPayload();
    [[nodiscard]] bool isRow(const QModelIndex& index) const;

    ContactEntryPtr m_contact;
    QRCodeFormat m_format = QRCodeFormat::VCard;
    QRCodeSelection m_selection;
    QString m_payload;
    QImage m_image;
};

} // namespace Quillary
