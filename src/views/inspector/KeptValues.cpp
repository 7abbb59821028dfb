#include "views/inspector/KeptValues.h"

#include <algorithm>

int widthShown(double stored)
{
    if (!std::isfinite(stored))
        return 0;
    return int(std::clamp(std::trunc(stored), -2147483648.0, 2147483647.0));
}

double keptWidth(double stored, int shown)
{
    return std::isfinite(stored) && widthShown(stored) == shown ? stored : double(shown);
}

int sliderStepShown(double stored, int stepsPerUnit, int lowestStep, int highestStep)
{
    if (!std::isfinite(stored))
        return std::clamp(0, lowestStep, highestStep);
    const double step = std::clamp(std::round(stored * stepsPerUnit), double(lowestStep), double(highestStep));
    return int(step);
}

float keptSliderValue(float stored, int sliderStep, int stepsPerUnit, int lowestStep, int highestStep)
{
    if (std::isfinite(stored) && sliderStepShown(stored, stepsPerUnit, lowestStep, highestStep) == sliderStep)
        return stored;
    return float(double(sliderStep) / stepsPerUnit);
}
