#pragma once

#include "model/ContactEntry.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace Quillary {
class QRCodePanelModel;
}

namespace Quillary::Ui {

/// The QR code sheet of one contact: the format menu, the tick list of its phones, e-mails,
/// addresses, URLs and organisation fields, the payload text and its QR code, large enough for a
/// phone's camera to read from the screen. Copy puts the image on the clipboard; Save PNG writes it.
class QRCodePanel final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QRCodePanel)

public:
    /// Screen pixels per module at the least: fewer and a phone camera misreads the code.
    static constexpr int MinimumPixelsPerModule = 4;

    explicit QRCodePanel(QWidget* parent = nullptr);
    ~QRCodePanel() override;

    /// Shows a contact with the first ticks and the current format's payload.
    void setContact(ContactEntryPtr contact);
    [[nodiscard]] QRCodePanelModel& model() const { return *m_model; }
    /// The image as shown, enlarged from the model's.
    [[nodiscard]] QImage shownImage() const;

    /// Puts the image on the clipboard as PNG data and as an image.
    void copy();
    /// Asks for a file and writes the image there as PNG, atomically; false when cancelled or failed.
    bool savePng();

private:
    void payloadChanged(const QString& payload);

    QRCodePanelModel* m_model;
    QComboBox* m_formatPopup;
    QListView* m_table;
    QPlainTextEdit* m_payloadView;
    QLabel* m_imageView;
    QPushButton* m_copyButton;
    QPushButton* m_saveButton;
};

} // namespace Quillary::Ui
