#pragma once
// Lengths between the user's units and points, the drawing unit. The barcode symbologies keep
// the factors their own descriptions give.
inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kMillimetresPerInch = 25.4;

// Millimetres in one of the user's units: 0 inch, 1 centimetre, 2 millimetre (any other counts
// as millimetres).
double millimetresPerUnit(int unit);
// A length from one user unit into another.
double convertUnits(double value, int from, int into);
// Millimetres and points by the fixed factors 2.834645669291 and 0.3527777777778.
double millimetresToPoints(double millimetres);
double pointsToMillimetres(double points);
