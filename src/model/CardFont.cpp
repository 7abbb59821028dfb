#include "model/CardFont.h"

QFont CardFont::toQFont() const
{
    QFont font(name);
    if (size > 0)
        font.setPointSizeF(size);
    return font;
}
