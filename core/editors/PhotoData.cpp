#include "PhotoData.h"

#include "support/CoreTr.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace Quillary::PhotoData {

QByteArray fromImage(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage scaled = image;
    if (image.width() > MaxSide || image.height() > MaxSide)
        scaled = image.scaled(MaxSide, MaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    const bool alpha = scaled.hasAlphaChannel();
    if (!alpha)
        scaled = scaled.convertToFormat(QImage::Format_RGB32);
    scaled.save(&buffer, alpha ? "PNG" : "JPEG", alpha ? -1 : 90);
    return data;
}

Result fromEncoded(const QByteArray& encoded)
{
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    const bool storedAsIs =
        (format == "jpeg" || format == "png") && size.isValid() && size.width() <= MaxSide && size.height() <= MaxSide;
    const QImage image = reader.read();
    if (image.isNull())
        return {{}, Tr::tr("The image cannot be read: %1").arg(reader.errorString())};
    return {storedAsIs ? encoded : fromImage(image), {}};
}

Result fromFile(const QString& path)
{
    // A photo is a few hundred kilobytes; a far larger file is not read into memory at all.
    constexpr qint64 LargestFile = 64 * 1024 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, Tr::tr("The file cannot be read: %1").arg(file.errorString())};
    if (file.size() > LargestFile)
        return {{}, Tr::tr("The file is too large for a photo.")};
    return fromEncoded(file.readAll());
}

} // namespace Quillary::PhotoData
