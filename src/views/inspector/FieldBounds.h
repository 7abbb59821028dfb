#pragma once
// A checked number field takes the model's range for its value (NumberBounds), so that whatever
// it accepts is kept when the design is saved and opened, and names its unit when it refuses.
#include <QString>

#include "model/NumberBounds.h"

template <typename Field>
void setBounds(Field& field, NumberBounds::Range range, const QString& unit)
{
    field.setRange(range.low, range.high);
    field.setUnit(unit);
}
