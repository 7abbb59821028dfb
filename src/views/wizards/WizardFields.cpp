#include "views/wizards/WizardFields.h"

#include <algorithm>
#include <cmath>

int Card_Wizard_Opacity_Percent(double stepper)
{
    if (!std::isfinite(stepper))
        return 100;
    const double percent = stepper <= 1.0 ? stepper * 100.0 : stepper;
    // The small addition keeps fractions such as 0.29 from showing one per cent less.
    return int(std::floor(std::clamp(percent, 0.0, 100.0) + 0.001));
}

QString Card_Fill_Kind(const Card_Wizard_Fields& wizard)
{
    if (wizard.Card_gradient_fill_rd)
        return QStringLiteral("G");
    if (wizard.Card_Style_fill_rd)
        return QStringLiteral("H");
    return wizard.Card_Image_fill_rd ? QStringLiteral("I") : QStringLiteral("S");
}
