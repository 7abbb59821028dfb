#pragma once
// Lengths between the user's units and points, the drawing unit. The barcode symbologies keep
// the factors their own descriptions give.
inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kMillimetresPerInch = 25.4;

// The user's units as the unit dialog numbers them.
inline constexpr int kUnitInch = 0;
inline constexpr int kUnitCentimetre = 1;
inline constexpr int kUnitMillimetre = 2;

// The factor by which a length in unit `from` is multiplied to give it in unit `into`, in single
// precision as the size fields compute (so 2 in gives 5.0799999 cm and that back 1.9999999 in).
// The same unit, and any code outside 0..2, gives 1.
float Get_Unit_Convertor(int from, int into);

// Millimetres and points by the fixed factors 2.834645669291 and 0.3527777777778.
double millimetresToPoints(double millimetres);
double pointsToMillimetres(double points);

// A size typed in a user unit, in points: through millimetres, value x factor(unit -> mm) x
// 2.834645669291, rounded to single precision at each step.
float unitToPoints(float value, int unit);
// A size in points as a user unit shows it: points x 0.3527777777778 x factor(mm -> unit).
float pointsToUnit(float points, int unit);
