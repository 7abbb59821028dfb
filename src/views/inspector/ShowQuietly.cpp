#include "views/inspector/ShowQuietly.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>

void showQuietly(QAbstractButton& button, bool checked)
{
    const QSignalBlocker quiet(button);
    button.setChecked(checked);
}

void showQuietly(QAbstractSlider& slider, int value)
{
    const QSignalBlocker quiet(slider);
    slider.setValue(value);
}

void showQuietly(QSpinBox& field, int value)
{
    const QSignalBlocker quiet(field);
    field.setValue(value);
}

void showQuietly(QDoubleSpinBox& field, double value)
{
    const QSignalBlocker quiet(field);
    field.setValue(value);
}
