#include "views/inspector/KeptNumber.h"

#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

namespace {

// A whole-number field truncates toward zero and keeps to its range.
int shownIn(const QSpinBox& field, double stored)
{
    if (!std::isfinite(stored))
        return field.minimum();
    return int(std::clamp(std::trunc(stored), double(field.minimum()), double(field.maximum())));
}

// A decimal field rounds to its decimals and keeps to its range.
double shownIn(const QDoubleSpinBox& field, double stored)
{
    if (!std::isfinite(stored))
        return field.minimum();
    const double scale = std::pow(10.0, field.decimals());
    return std::clamp(std::round(stored * scale) / scale, field.minimum(), field.maximum());
}

}  // namespace

void showStoredNumber(QSpinBox& field, double stored)
{
    const QSignalBlocker quiet(field);
    field.setValue(shownIn(field, stored));
}

void showStoredNumber(QDoubleSpinBox& field, double stored)
{
    const QSignalBlocker quiet(field);
    field.setValue(shownIn(field, stored));
}

double numberToWrite(const QSpinBox& field, double stored)
{
    return std::isfinite(stored) && field.value() == shownIn(field, stored) ? stored : double(field.value());
}

double numberToWrite(const QDoubleSpinBox& field, double stored)
{
    const double halfStep = std::pow(10.0, -field.decimals()) / 2;
    return std::isfinite(stored) && std::abs(field.value() - shownIn(field, stored)) < halfStep ? stored : field.value();
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
