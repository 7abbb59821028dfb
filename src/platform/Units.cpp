#include "platform/Units.h"

namespace {

constexpr double kPointsPerMillimetre = 2.834645669291;
constexpr double kMillimetresPerPoint = 0.3527777777778;

}  // namespace

double millimetresPerUnit(int unit)
{
    switch (unit) {
    case 0:
        return kMillimetresPerInch;
    case 1:
        return 10.0;
    default:
        return 1.0;
    }
}

double convertUnits(double value, int from, int into)
{
    return value * millimetresPerUnit(from) / millimetresPerUnit(into);
}

double millimetresToPoints(double millimetres)
{
    return millimetres * kPointsPerMillimetre;
}

double pointsToMillimetres(double points)
{
    return points * kMillimetresPerPoint;
}
