#include "views/inspector/FloatSlider.h"

#include <cmath>

FloatSlider::FloatSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    // actionTriggered comes from the user only (drags, clicks, keys), never from setValue.
    connect(this, &QSlider::actionTriggered, this, [this] {
        Q_EMIT floatValueChanged(sliderPosition() / double(m_stepsPerUnit));
    });
}

void FloatSlider::setFloatRange(double minimum, double maximum, int stepsPerUnit)
{
    m_stepsPerUnit = stepsPerUnit > 0 ? stepsPerUnit : 1;
    setRange(int(std::lround(minimum * m_stepsPerUnit)), int(std::lround(maximum * m_stepsPerUnit)));
}

void FloatSlider::setFloatValue(double value)
{
    if (!std::isfinite(value))
        value = 0;
    setValue(int(std::lround(value * m_stepsPerUnit)));
}
