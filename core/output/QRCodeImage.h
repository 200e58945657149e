#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Quillary {

/// Renders a payload as a QR code: its UTF-8 bytes encoded at error-correction level L, drawn black
/// on white with each module a sharp square.
class QRCodeImage
{
public:
    QRCodeImage() = delete;

    /// One pixel per module, without a quiet zone; a null image when the payload is empty or too long
    /// for a QR code.
    [[nodiscard]] static QImage modules(const QString& payload);
    /// The module image enlarged for showing: a square of (w + 2) × f pixels for a code w modules
    /// wide, one module of white around it, each module f × f pixels.
    [[nodiscard]] static QImage render(const QString& payload);
    [[nodiscard]] static QImage enlarge(const QImage& modules);
    /// Pixels per module for a code w modules wide: 3 below 49, 4 below 57, 5 from 57 on.
    [[nodiscard]] static int scaleFactor(int moduleWidth);
    /// The image as PNG data, for the clipboard; empty for a null image.
    [[nodiscard]] static QByteArray pngData(const QImage& image);
};

} // namespace Quillary
