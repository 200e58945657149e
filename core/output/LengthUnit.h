#pragma once

#include <QString>
#include <optional>

namespace Quillary {

/// The units the print accessory shows lengths in; lengths are always stored in points.
enum class LengthUnit : quint8 { Points, Inches, Millimetres };

namespace LengthUnits {

/// "points", "inches" or "mm", as stored under "unitType".
[[nodiscard]] const QString& name(LengthUnit unit);
[[nodiscard]] std::optional<LengthUnit> fromName(QStringView name);

/// A length converted between units, in single precision as the length fields hold it.
[[nodiscard]] float changeValue(float value, LengthUnit from, LengthUnit to);
/// The same by unit name; an unknown name leaves the value as it is.
[[nodiscard]] float changeValue(float value, QStringView fromUnit, QStringView toUnit);

/// How far one click of a length stepper goes.
[[nodiscard]] double stepSize(LengthUnit unit);

} // namespace LengthUnits

} // namespace Quillary
