#pragma once
// How a text element's text looks, by the element's field names: font, colour, alignments, case,
// letter spacing and drop shadow. Picture elements store the shadow flag too and draw none.
// Every member starts zero, as an element decoded from an archive does.
#include <QColor>

#include "model/CardFont.h"

struct TextStyle {
    CardFont text_ctrl_font;
    QColor txt_clr;
    qint32 text_alignmnet_Vert = 0;  // 0 top, 1 bottom, 2 middle
    qint32 text_alignmnet = 0;       // 0 left, 1 right, 2 centre
    qint32 text_transfrom_case = 0;  // 0 as typed, 1 upper, 2 lower, 3 capitalised
    float text_kerning = 0;          // extra letter spacing, points
    bool Drawing_Shadow = false;
    QColor Shadow_Color;
    float Shadow_offset_X = 0;  // points; y counts upwards
    float Shadow_offset_Y = 0;
    float Shadow_blur = 0;
    float Shadow_transparency = 0;  // the shadow colour's alpha as a fraction; above 1 is opaque

    // A new element's style with the given font and colour; the shadow is on, not yet drawn
    // for a text.
    static TextStyle defaults(const CardFont& font, const QColor& colour);

    // Calls visit(name, member) for every member, under the names that are their keys in the
    // keyed archive.
    template <typename Visit>
    static void forEachField(Visit&& visit)
    {
        visit("text_ctrl_font", &TextStyle::text_ctrl_font);
        visit("txt_clr", &TextStyle::txt_clr);
        visit("text_alignmnet_Vert", &TextStyle::text_alignmnet_Vert);
        visit("text_alignmnet", &TextStyle::text_alignmnet);
        visit("text_transfrom_case", &TextStyle::text_transfrom_case);
        visit("text_kerning", &TextStyle::text_kerning);
        visit("Drawing_Shadow", &TextStyle::Drawing_Shadow);
        visit("Shadow_Color", &TextStyle::Shadow_Color);
        visit("Shadow_offset_X", &TextStyle::Shadow_offset_X);
        visit("Shadow_offset_Y", &TextStyle::Shadow_offset_Y);
        visit("Shadow_blur", &TextStyle::Shadow_blur);
        visit("Shadow_transparency", &TextStyle::Shadow_transparency);
    }

    bool operator==(const TextStyle&) const = default;
};
