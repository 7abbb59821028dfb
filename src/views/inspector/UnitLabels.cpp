#include "views/inspector/UnitLabels.h"

#include "platform/Units.h"

UnitLabels unitLabels(int unit)
{
    QString abbreviation = QStringLiteral("mm");
    if (unit == kUnitInch)
        abbreviation = QStringLiteral("in");
    else if (unit == kUnitCentimetre)
        abbreviation = QStringLiteral("cm");
    const QString bracketed = QStringLiteral("(%1)").arg(abbreviation);
    return {QStringLiteral("(pt)"), bracketed, QStringLiteral("Card Size ") + bracketed, abbreviation};
}

float Apply_unit_Chaneg_Values(float value, int last_unit, int unit)
{
    return value * Get_Unit_Convertor(last_unit, unit);
}
