#include "QRCodePanel.h"

#include "output/QRCodeImage.h"
#include "output/QRCodePanelModel.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace Quillary::Ui {

QRCodePanel::QRCodePanel(QWidget* parent)
    : QDialog(parent), m_model(new QRCodePanelModel(this)), m_formatPopup(new QComboBox(this)),
      m_table(new QListView(this)), m_payloadView(new QPlainTextEdit(this)), m_imageView(new QLabel(this)),
      m_copyButton(new QPushButton(tr("Copy"), this)), m_saveButton(new QPushButton(tr("Save PNG…"), this))
{
    setObjectName(QStringLiteral("qrCodePanel"));
    setWindowTitle(tr("QR Code"));
    setWindowModality(Qt::WindowModal);
    for (const QRCodeFormat format : QRCodeFormats::all())
        m_formatPopup->addItem(QRCodeFormats::title(format), int(format));
    m_formatPopup->setObjectName(QStringLiteral("formatPopup"));
    m_formatPopup->setAccessibleName(tr("Format"));
    m_table->setObjectName(QStringLiteral("selectionTable"));
    m_table->setAccessibleName(tr("Values in the code"));
    m_table->setModel(m_model);
    m_payloadView->setObjectName(QStringLiteral("payloadView"));
    m_payloadView->setAccessibleName(tr("Payload"));
    m_payloadView->setReadOnly(true);
    m_imageView->setObjectName(QStringLiteral("imageView"));
    m_imageView->setAccessibleName(tr("QR code"));
    m_imageView->setAlignment(Qt::AlignCenter);
    m_imageView->setStyleSheet(QStringLiteral("background: white"));
    m_imageView->setMinimumSize(240, 240);
    m_copyButton->setObjectName(QStringLiteral("copyButton"));
    m_copyButton->setAccessibleName(tr("Copy the QR code"));
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setAccessibleName(tr("Save the QR code as PNG"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_copyButton, QDialogButtonBox::ActionRole);
    buttons->addButton(m_saveButton, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    connect(m_copyButton, &QPushButton::clicked, this, &QRCodePanel::copy);
    connect(m_saveButton, &QPushButton::clicked, this, &QRCodePanel::savePng);
    connect(m_formatPopup, &QComboBox::activated, this,
            [this](int index) { m_model->setFormat(QRCodeFormat(m_formatPopup->itemData(index).toInt())); });
    connect(m_model, &QRCodePanelModel::payloadChanged, this, &QRCodePanel::payloadChanged);

    auto* left = new QVBoxLayout;
    left->addWidget(m_formatPopup);
    left->addWidget(m_table, 1);
    left->addWidget(m_payloadView, 1);
    auto* row = new QHBoxLayout;
    row->addLayout(left, 1);
    row->addWidget(m_imageView, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(buttons);
}

QRCodePanel::~QRCodePanel() = default;

void QRCodePanel::setContact(ContactEntryPtr contact)
{
    m_payloadView->clear();
    m_model->setContact(std::move(contact));
}

QImage QRCodePanel::shownImage() const
{
    const QImage& image = m_model->image();
    if (image.isNull())
        return {};
    const int perModule = QRCodeImage::scaleFactor(QRCodeImage::modules(m_model->payload()).width());
    // Whole multiples keep every module a sharp square of screen pixels.
    const int factor = (MinimumPixelsPerModule + perModule - 1) / perModule;
    return factor == 1 ? image : image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void QRCodePanel::payloadChanged(const QString& payload)
{
    m_payloadView->setPlainText(payload);
    const QImage image = shownImage();
    m_imageView->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    m_copyButton->setEnabled(!image.isNull());
    m_saveButton->setEnabled(!image.isNull());
}

void QRCodePanel::copy()
{
    const QByteArray png = m_model->pngData();
    if (png.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(m_model->image());
    QApplication::clipboard()->setMimeData(data);
}

bool QRCodePanel::savePng()
{
    const QByteArray png = m_model->pngData();
    if (png.isEmpty())
        return false;
    FileDialog::Options options;
    options.title = tr("Save PNG");
    options.acceptLabel = tr("Save");
    options.nameFilters = {tr("PNG image (*.png)")};
    options.defaultSuffix = QStringLiteral("png");
    options.directory = QStringLiteral("QRCode.png");
    const QString path = FileDialog::getSaveFileName(this, options);
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(png) == png.size() && file.commit())
        return true;
    MessageBox::alert(this, tr("Can't save the file"), file.errorString());
    return false;
}

} // namespace Quillary::Ui
