#pragma once
// What the inspector shows for the user's unit (_setLabels reads it), and the unit change of the
// card size fields. The size conversions between points and a unit are in platform/Units.h
// (unitToPoints, pointsToUnit); the size page and the canvas's size fields share them.
#include <QString>

struct UnitLabels {
    QString position;     // "(pt)": positions are always shown in points
    QString size;         // "(in)", "(cm)" or "(mm)": card and element width and height
    QString cardSizeBox;  // "Card Size (in)" ...
    QString abbreviation; // "in", "cm" or "mm": the unit the size fields name in their messages
};

// The captions for a unit code: 0 inch, 1 cm, any other millimetres.
UnitLabels unitLabels(int unit);

// Apply_unit_Chaneg_Values for one size field: its value, held in last_unit, in unit (the caller
// passes last_unit_val and Measument_Unit_Is), in single precision. The same unit gives the
// value unchanged.
float Apply_unit_Chaneg_Values(float value, int last_unit, int unit);
