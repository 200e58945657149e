#include "PhotoWell.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace Quillary::Ui {

PhotoWell::PhotoWell(QWidget* parent) : QLabel(parent)
{
    setFixedSize(Side, Side);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    setAcceptDrops(true);
    setAccessibleName(tr("Photo"));
}

void PhotoWell::setPhoto(const QImage& image)
{
    if (image.isNull()) {
        setPixmap({});
        setText(tr("No photo"));
        return;
    }
    setPixmap(QPixmap::fromImage(image.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QImage PhotoWell::imageOf(const QMimeData* data)
{
    if (!data)
        return {};
    if (data->hasImage())
        return qvariant_cast<QImage>(data->imageData());
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            const QImage image(url.toLocalFile());
            if (!image.isNull())
                return image;
        }
    }
    return {};
}

void PhotoWell::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_dropEnabled && (event->mimeData()->hasImage() || event->mimeData()->hasUrls()))
        event->acceptProposedAction();
}

void PhotoWell::dropEvent(QDropEvent* event)
{
    const QImage image = m_dropEnabled ? imageOf(event->mimeData()) : QImage();
    if (image.isNull())
        return;
    event->acceptProposedAction();
    Q_EMIT imageDropped(image);
}

} // namespace Quillary::Ui
