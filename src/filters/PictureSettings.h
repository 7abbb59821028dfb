#pragma once
// One set of picture settings: what an image element stores and what the filter chain applies.
// The members carry the element's field names. A default value is neutral: it leaves a picture
// as it is.

struct PictureSettings {
    bool _isFlippedHorizontally = false;
    bool _isFlippedVertically = false;
    bool invert_clr = false;  // stored and passed on; no stage inverts
    bool gray_Scale = false;
    bool Sepia = false;
    float img_trnsp_val = 100;  // opacity in per cent, applied when the element is drawn
    float hue_val = 0;          // radians
    float sat_val = 1;
    float brt_val = 0;
    float con_val = 1;
    float srp_val = 0;
    float ev_val = 0;  // stops
    float blr_val = 0;  // radius in pixels
    float rotate_image = 0;  // degrees, clockwise on screen

    // Every member zero, as an element decoded from an archive starts.
    static constexpr PictureSettings zero()
    {
        PictureSettings s;
        s.img_trnsp_val = s.sat_val = s.con_val = 0;
        return s;
    }

    // Calls visit(name, member) for every member, in the declared order: the order the design
    // file stores them in, under the names that are their keys in the keyed archive.
    template <typename Visit>
    static void forEachField(Visit&& visit)
    {
        visit("_isFlippedHorizontally", &PictureSettings::_isFlippedHorizontally);
        visit("_isFlippedVertically", &PictureSettings::_isFlippedVertically);
        visit("invert_clr", &PictureSettings::invert_clr);
        visit("gray_Scale", &PictureSettings::gray_Scale);
        visit("Sepia", &PictureSettings::Sepia);
        visit("img_trnsp_val", &PictureSettings::img_trnsp_val);
        visit("hue_val", &PictureSettings::hue_val);
        visit("sat_val", &PictureSettings::sat_val);
        visit("brt_val", &PictureSettings::brt_val);
        visit("con_val", &PictureSettings::con_val);
        visit("srp_val", &PictureSettings::srp_val);
        visit("ev_val", &PictureSettings::ev_val);
        visit("blr_val", &PictureSettings::blr_val);
        visit("rotate_image", &PictureSettings::rotate_image);
    }

    bool operator==(const PictureSettings&) const = default;
};
