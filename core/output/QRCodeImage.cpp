#include "QRCodeImage.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLoggingCategory>
#include <cerrno>
#include <cstring>
#include <memory>
#include <qrencode.h>

namespace Quillary {

namespace {

Q_LOGGING_CATEGORY(lcQRCode, "quillary.core.output")

constexpr uchar Black = 0;
constexpr uchar White = 255;

struct QRcodeDeleter
{
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

QImage QRCodeImage::modules(const QString& payload)
{
    const QByteArray bytes = payload.toUtf8();
    if (bytes.isEmpty())
        return {};
    // Version 0 lets the encoder pick the smallest symbol that holds the data; the whole payload goes
    // in byte mode, so any text survives as its UTF-8 bytes.
    errno = 0;
    QRcode* encoded = QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
                                        QR_ECLEVEL_L);
    // Read at once: the logging below may itself touch errno.
    const int error = errno;
    const std::unique_ptr<QRcode, QRcodeDeleter> code(encoded);
    if (!code) {
        if (error == ERANGE)
            qCWarning(lcQRCode, "ERROR QRcode_encodeData the payload of %lld bytes is too long for a QR code",
                      qint64(bytes.size()));
        else
            qCWarning(lcQRCode, "ERROR QRcode_encodeData %s", std::strerror(error));
        return {};
    }
    const int width = code->width;
    QImage image(width, width, QImage::Format_Grayscale8);
    for (int y = 0; y < width; ++y) {
        uchar* line = image.scanLine(y);
        const unsigned char* source = code->data + qsizetype(y) * width;
        // Bit 0 of each byte tells whether the module is dark; the other bits describe its role.
        for (int x = 0; x < width; ++x)
            line[x] = (source[x] & 1) ? Black : White;
    }
    return image;
}

int QRCodeImage::scaleFactor(int moduleWidth)
{
    if (moduleWidth < 49)
        return 3;
    return moduleWidth < 57 ? 4 : 5;
}

QImage QRCodeImage::enlarge(const QImage& modules)
{
    if (modules.isNull())
        return {};
    const QImage source = modules.convertToFormat(QImage::Format_Grayscale8);
    const int width = source.width();
    const int factor = scaleFactor(width);
    const int side = (width + 2) * factor;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(White);
    // Each module becomes a factor × factor block, copied pixel by pixel so that no edge is blurred.
    for (int y = 0; y < width; ++y) {
        const uchar* moduleLine = source.constScanLine(y);
        uchar* first = image.scanLine((y + 1) * factor);
        for (int x = 0; x < width; ++x)
            std::memset(first + (x + 1) * factor, moduleLine[x], size_t(factor));
        for (int copy = 1; copy < factor; ++copy)
            std::memcpy(image.scanLine((y + 1) * factor + copy), first, size_t(side));
    }
    return image;
}

QImage QRCodeImage::render(const QString& payload)
{
    return enlarge(modules(payload));
}

QByteArray QRCodeImage::pngData(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // A QR code is black and white only: a 1-bit image compresses in a fraction of the time of an
    // 8-bit one and gives a smaller file.
    if (!writer.write(image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither))) {
        qCWarning(lcQRCode, "ERROR pngData %s", qUtf8Printable(writer.errorString()));
        return {};
    }
    return data;
}

} // namespace Quillary
