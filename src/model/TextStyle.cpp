#include "model/TextStyle.h"

TextStyle TextStyle::defaults(const CardFont& font, const QColor& colour)
{
    TextStyle s;
    s.text_ctrl_font = font;
    s.txt_clr = colour;
    s.text_alignmnet_Vert = 2;
    s.text_alignmnet = 2;
    s.Drawing_Shadow = true;
    s.Shadow_Color = Qt::blue;
    s.Shadow_offset_X = 5.0f;
    s.Shadow_offset_Y = 5.0f;
    s.Shadow_transparency = 50.0f;
    return s;
}
