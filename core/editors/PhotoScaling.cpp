#include "PhotoScaling.h"

#include <QBuffer>

namespace Quillary::PhotoScaling {

QImage scaled(const QImage& image)
{
    const int width = image.width();
    const int height = image.height();
    if (width <= MaximumSide && height <= MaximumSide)
        return image;
    const QSize size = width > height ? QSize(MaximumSide, int(qint64(height) * MaximumSide / width))
                                      : QSize(int(qint64(width) * MaximumSide / height), MaximumSide);
    return image.scaled(size.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray encoded(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage photo = scaled(image);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (photo.hasAlphaChannel())
        photo.save(&buffer, "PNG");
    else
        photo.save(&buffer, "JPEG", 90);
    return data;
}

} // namespace Quillary::PhotoScaling
