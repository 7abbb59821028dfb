#pragma once
// A number field shows a stored number as well as it can: a width as a whole number, an angle to
// the field's decimals, a count within the field's range. The panels write every field back into
// the selected elements, and that must not change a number the user left alone: a 1.5-point
// border from a template stays 1.5 points when only its colour is changed. So a field's number is
// written only once it differs from what the field showed for the element's own number.
class QDoubleSpinBox;
class QSpinBox;

// Shows the stored number in the field without a change signal.
void showStoredNumber(QSpinBox& field, double stored);
void showStoredNumber(QDoubleSpinBox& field, double stored);

// The number for an element holding `stored`: `stored` itself while the field shows what it
// shows for it, else the field's value.
double numberToWrite(const QSpinBox& field, double stored);
double numberToWrite(const QDoubleSpinBox& field, double stored);

// A slider of `stepsPerUnit` steps per unit between its lowest and highest step: the step it shows
// for a stored value (rounded, held within the range).
int sliderStepShown(double stored, int stepsPerUnit, int lowestStep, int highestStep);
// The stored value while the slider still stands on the step it shows for it, else the slider's.
float keptSliderValue(float stored, int sliderStep, int stepsPerUnit, int lowestStep, int highestStep);
