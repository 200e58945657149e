#include "LengthUnit.h"

namespace Quillary {

namespace {

constexpr float PointsPerInch = 72.0f;
constexpr float MillimetresPerInch = 25.4f;

} // namespace

const QString& LengthUnits::name(LengthUnit unit)
{
    static const QString names[] = {QStringLiteral("points"), QStringLiteral("inches"), QStringLiteral("mm")};
    return names[int(unit)];
}

std::optional<LengthUnit> LengthUnits::fromName(QStringView name)
{
    for (LengthUnit unit : {LengthUnit::Points, LengthUnit::Inches, LengthUnit::Millimetres}) {
        if (LengthUnits::name(unit) == name)
            return unit;
    }
    return std::nullopt;
}

float LengthUnits::changeValue(float value, LengthUnit from, LengthUnit to)
{
    // Each pair has its own formula (rather than going through inches) so that the figures the user
    // types come back exactly: 25.4 mm is 72 points, not 72.00001.
    switch (from) {
    case LengthUnit::Points:
        if (to == LengthUnit::Inches)
            return value / PointsPerInch;
        if (to == LengthUnit::Millimetres)
            return value * MillimetresPerInch / PointsPerInch;
        break;
    case LengthUnit::Inches:
        if (to == LengthUnit::Points)
            return value * PointsPerInch;
        if (to == LengthUnit::Millimetres)
            return value * MillimetresPerInch;
        break;
    case LengthUnit::Millimetres:
        if (to == LengthUnit::Points)
            return value * PointsPerInch / MillimetresPerInch;
        if (to == LengthUnit::Inches)
            return value / MillimetresPerInch;
        break;
    }
    return value;
}

float LengthUnits::changeValue(float value, QStringView fromUnit, QStringView toUnit)
{
    const auto from = fromName(fromUnit);
    const auto to = fromName(toUnit);
    return from && to ? changeValue(value, *from, *to) : value;
}

double LengthUnits::stepSize(LengthUnit unit)
{
    return unit == LengthUnit::Inches ? 0.1 : 1.0;
}

} // namespace Quillary
