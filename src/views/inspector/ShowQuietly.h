#pragma once
// A control shows a stored value without a change signal: filling a page is not a user's edit.
class QAbstractButton;
class QAbstractSlider;
class QDoubleSpinBox;
class QSpinBox;

void showQuietly(QAbstractButton& button, bool checked);
void showQuietly(QAbstractSlider& slider, int value);
void showQuietly(QSpinBox& field, int value);
void showQuietly(QDoubleSpinBox& field, double value);
