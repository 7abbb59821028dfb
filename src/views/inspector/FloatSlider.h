#pragma once
// A slider over a float range with a stated number of steps per unit: QSlider counts whole
// numbers, the panels store floats. Only the user's moves emit floatValueChanged.
#include <QSlider>

class FloatSlider : public QSlider {
    Q_OBJECT
public:
    explicit FloatSlider(QWidget* parent = nullptr);

    // The range [minimum, maximum] in steps of 1/stepsPerUnit.
    void setFloatRange(double minimum, double maximum, int stepsPerUnit);
    double floatValue() const { return value() / double(m_stepsPerUnit); }
    // Rounded to the nearest step and kept within the range.
    void setFloatValue(double value);

Q_SIGNALS:
    void floatValueChanged(double value);

private:
    int m_stepsPerUnit = 1;
};
