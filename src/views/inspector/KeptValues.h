#pragma once
// A writer puts every control of its panel into every selected element, also the controls the user
// did not touch. Where a control shows a stored value only roughly (a border width in whole points,
// a slider in its steps and range), writing what it shows would change the element each time.
// These keep the stored value while the control still shows what it showed for it.
#include <cmath>

// The width a whole-point field shows for a stored width, truncated toward zero.
int widthShown(double stored);
// The stored width while the field still shows it, else the field's value.
double keptWidth(double stored, int shown);

// A slider of `stepsPerUnit` steps per unit between its lowest and highest step: the step it shows
// for a stored value (rounded, held within the range).
int sliderStepShown(double stored, int stepsPerUnit, int lowestStep, int highestStep);
// The stored value while the slider still stands on the step it shows for it, else the slider's.
float keptSliderValue(float stored, int sliderStep, int stepsPerUnit, int lowestStep, int highestStep);
