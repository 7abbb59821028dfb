#pragma once
// The picture settings the editing windows share, and the stored settings text that may follow a
// photo's path.
#include <QColor>
#include <QString>

#include "filters/PictureSettings.h"

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

// The IMG_ globals as one settings value, and all of them set from one.
PictureSettings Get_IMG_Settings();
void Set_IMG_Settings(const PictureSettings& settings);
// What an editing window leaves behind: every IMG_ global but the two flips, which a window passes
// to the chain itself and only a stored settings text sets.
void Set_IMG_Adjustments(const PictureSettings& settings);

// Separates a photo's path from its settings fields in a stored photo reference.
inline const QString IMG_Filter_Marker = QStringLiteral("<IMG_FILTER>");

// The border a stored photo reference asks for; by default none.
struct PictureBorder {
    bool on = false;
    float width = 0;
    QString style;  // empty draws solid
    QColor colour = Qt::black;
};

// A stored photo reference split at the marker.
struct PictureReference {
    QString path;  // the whole text when there is no marker
    PictureSettings settings;  // neutral where no field was read
    PictureBorder border;
    int fieldsRead = 0;  // how many fields, in their order, had their closing "_"
};

// Reads "path<IMG_FILTER>f1_f2_..._f17_": fields 1 to 13 are settings, 14 to 17 the border. Each
// field is trimmed and taken only when its closing "_" is there. Numbers follow the C locale
// whatever the user's locale; anything after a field's leading number is ignored.
PictureReference ParsePictureSettingsText(const QString& text);

// Sets the IMG_ globals of the settings fields that were read; the others keep their values.
// Returns the reference for its path and border.
PictureReference Read_IMG_Filter_Settings(const QString& text);
