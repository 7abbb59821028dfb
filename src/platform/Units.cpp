#include "platform/Units.h"

namespace {

constexpr double kPointsPerMillimetre = 2.834645669291;
constexpr double kMillimetresPerPoint = 0.3527777777778;

// Rows from, columns into: inch, centimetre, millimetre.
constexpr float kUnitFactors[3][3] = {
    {1.0f, 2.54f, 25.4f},
    {0.39370078f, 1.0f, 10.0f},
    {0.03937008f, 0.1f, 1.0f},
};

bool isUnit(int code)
{
    return code >= kUnitInch && code <= kUnitMillimetre;
}

}  // namespace

float Get_Unit_Convertor(int from, int into)
{
    if (!isUnit(from) || !isUnit(into))
        return 1.0f;
    return kUnitFactors[from][into];
}

double millimetresToPoints(double millimetres)
{
    return millimetres * kPointsPerMillimetre;
}

double pointsToMillimetres(double points)
{
    return points * kMillimetresPerPoint;
}

float unitToPoints(float value, int unit)
{
    const float millimetres = value * Get_Unit_Convertor(unit, kUnitMillimetre);
    return float(millimetresToPoints(millimetres));
}

float pointsToUnit(float points, int unit)
{
    const float millimetres = float(pointsToMillimetres(points));
    return millimetres * Get_Unit_Convertor(kUnitMillimetre, unit);
}
