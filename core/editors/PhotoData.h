#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Quillary::PhotoData {

/// The longest side a stored photo has; larger images are scaled down to it.
inline constexpr int MaxSide = 512;

/// The image data stored for an image: scaled smoothly to `MaxSide` on its longer side when it is
/// larger, PNG when it has transparency, else JPEG. Empty for a null image.
[[nodiscard]] QByteArray fromImage(const QImage& image);

/// A photo read from a file or from dropped data in any format Qt reads.
struct Result
{
    QByteArray data; ///< what to store; empty when the image cannot be read
    QString error; ///< why not, for the user
};

/// A JPEG or PNG that is small enough is stored as it is (no second compression); anything else
/// goes through `fromImage`.
[[nodiscard]] Result fromEncoded(const QByteArray& encoded);
[[nodiscard]] Result fromFile(const QString& path);

} // namespace Quillary::PhotoData
