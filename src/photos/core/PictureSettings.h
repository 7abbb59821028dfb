#pragma once
// The picture settings the editing windows share, and the stored settings text that may follow a
// photo's path.
#include <QColor>
#include <QString>

// Last settings of the picture editing windows; the filter chain's callers pass them on. Written
// and read on the GUI thread only.
extern bool IMG_gray_Scale;
extern bool IMG_Sepia;
extern bool IMG_invert_clr;
extern float IMG_hue_val;
extern float IMG_sat_val;
extern float IMG_brt_val;
extern float IMG_con_val;
extern float IMG_srp_val;
extern float IMG_ev_val;
extern float IMG_blr_val;
extern float IMG_trnsp_val;
extern float IMG_rotate_image;
extern bool IMG_Flip_H;
extern bool IMG_Flip_V;

// Separates a photo's path from its settings fields in a stored photo reference.
inline const QString IMG_Filter_Marker = QStringLiteral("<IMG_FILTER>");

// One set of picture settings; the initial values are the neutral ones, which leave a picture as
// it is.
struct PictureSettings {
    bool flipH = false;
    bool flipV = false;
    bool grayScale = false;
    bool sepia = false;
    float rotate = 0;
    float sharpness = 0;
    float exposure = 0;
    float blur = 0;
    float saturation = 1;
    float brightness = 0;
    float contrast = 1;
    float hue = 0;
    float transparency = 100;
    bool borderOn = false;
    float borderWidth = 0;
    QString borderStyle;  // empty draws solid
    QColor borderColour = Qt::black;
};

// A stored photo reference split at the marker.
struct PictureReference {
    QString path;  // the whole text when there is no marker
    PictureSettings settings;
    int fieldsRead = 0;  // how many fields, in their order, had their closing "_"
};

// Reads "path<IMG_FILTER>f1_f2_..._f17_": each field trimmed, taken only when its closing "_" is
// there. Fields not present keep the neutral values. Numbers follow the C locale whatever the
// user's locale; anything after a field's leading number is ignored.
PictureReference ParsePictureSettingsText(const QString& text);

// Sets IMG_Flip_H ... IMG_trnsp_val from the first 13 fields that were read; the globals of fields
// not read keep their values. Returns the reference for its path and border.
PictureReference Read_IMG_Filter_Settings(const QString& text);
