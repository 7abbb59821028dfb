#pragma once
// What the template window and the new-card wizard leave for their caller after OK: the card
// page choices the main window takes over.
#include <QColor>
#include <QString>

// What the template window leaves for its caller after OK (the path goes into
// Selected_Template_Path).
struct Template_Wizard_Fields {
    int Preset_ComboBox = 0;    // orientation index
    int Category_ComboBox = 0;  // card category index
    int ColList = -1;           // selected size row, -1 for none
};

// The new-card wizard's choices after it finished.
struct Card_Wizard_Fields {
    int Sides_ComboBox = 0;  // 0 two sides, any other index front only
    int Preset_ComboBox = 0;
    int Category_ComboBox = 0;
    int ColList = -1;
    double width_Stepper = 0;   // card size in millimetres
    double height_Stepper = 0;
    QString card_name;
    bool Card_border_chk = false;
    QColor Card_bordr_clr = Qt::black;
    int Card_bor_Stepper = 0;   // border width in points
    int Card_border_style = 0;  // 0 "S", 1 "DA", 2 "DO", 3 "DD", 4 "DDD"
    QColor Card_fill_clr = Qt::white;
    bool Card_gradient_fill_rd = false;
    bool Card_Style_fill_rd = false;  // hatch
    bool Card_Image_fill_rd = false;
    QColor Card_fill_Grd_1_clr = Qt::white;
    QColor Card_fill_Grd_2_clr = Qt::white;
    double Card_grad_Stepper = 0;  // gradient angle in degrees
    QColor Card_hatch_bk_clr = Qt::white;
    int Card_hatch_style = 0;      // index in the hatch list
    double Card_alpha_Stepper = 1;  // opacity, a fraction 0 to 1 (a per cent value is accepted too)
    QString Card_Image_path;        // background picture
};

// The card opacity in whole per cent for the card wizard's opacity value. The wizard counts in
// fractions (0.5 is 50 %); a value above 1 is taken as per cent already. Held to 0..100.
int Card_Wizard_Opacity_Percent(double stepper);
// The fill kind the wizard's radios choose: "G", else "H", else "I", else "S".
QString Card_Fill_Kind(const Card_Wizard_Fields& wizard);
