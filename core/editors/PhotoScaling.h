#pragma once

#include <QByteArray>
#include <QImage>

namespace Quillary::PhotoScaling {

/// The longest side a contact's photo keeps.
constexpr int MaximumSide = 512;

/// The image scaled down so that its longer side is 512 pixels, keeping its aspect ratio, with
/// smooth interpolation; smaller images come back unchanged.
[[nodiscard]] QImage scaled(const QImage& image);

/// The photo data a contact stores for an image: scaled as above, PNG when it has transparency,
/// else JPEG. Empty for a null image.
[[nodiscard]] QByteArray encoded(const QImage& image);

} // namespace Quillary::PhotoScaling
