#include "model/SKTLine.h"

void SKTLine::copyFieldsInto(SKTGraphic& target) const
{
    SKTGraphic::copyFieldsInto(target);
    auto& line = static_cast<SKTLine&>(target);
    line._pointsRight = _pointsRight;
    line._pointsDown = _pointsDown;
}
