#pragma once
// The sheet layout the print window publishes and the printing view and the sheet preview read
// while they draw: one set for the whole program, as one print window runs modally at a time.
// Lengths are in points (1/72 inch) on the paper, origin at its bottom-left corner, y upwards;
// the window's fields show millimetres and convert on their way here.
#include <QImage>
#include <QString>

#include "render/CardImage.h"

struct PrintSheetSettings {
    // The paper at the chosen orientation, and its unprintable margins read from the printer.
    float paperWidth = 0;
    float paperHeight = 0;
    bool landscape = false;
    float Left_Mar = 0;
    float Rite_Mar = 0;
    float Top_Mar = 0;
    float Bot_Mar = 0;

    // One cell: a card, or a front and back pair with side_mar between them.
    float label_width = 0;
    float label_hight = 0;
    float horz_mar = 0;  // gap between columns; under auto-centre also before the first
    float vert_mar = 0;  // gap between rows; under auto-centre also above the first
    float side_mar = 0;  // between the front and the back of a pair
    int Print_Row = 1;
    int Print_Col = 1;

    // Sides "BOTH", "F" or "B"; for both sides the layout "UD", "U", "L", "DU" or "DD"; for one
    // side "U" upright or "D" turned.
    QString Print_Card_Side = QStringLiteral("BOTH");
    QString Print_Card_Algn = QStringLiteral("UD");
    QString Print_One_Card_Algn = QStringLiteral("U");
    bool Duplex_Printing = false;  // front on odd pages, back on even pages

    int label_align_val = 1;  // where the block sits: 1-9 row by row from the top left
    bool auto_center_flag = false;
    bool Fit_Picture_To_Frame = false;
    bool Mirror_Image_Create = false;
    bool Mirror_Vertical_Not_Horz = false;  // mirror top to bottom, else left to right
    bool Enable_Crop_Marks = false;
    bool Show_margin_rect = true;  // the preview outlines each card
    int Card_Shape = 0;            // outline in the preview: 0 rectangle, 1 rounded, 2 ellipse

    // The design as the window opened it: the side current in the main window (0 front, 1 back),
    // whether the card has a back, and both sides drawn as vectors; a null side has no picture.
    int sel_card_side = 0;
    bool twoSidedDesign = false;
    CardImage front_image;
    CardImage back_image;

    // A visitor pass printed alone, at its own size, instead of a sheet of cards.
    bool draw_printing_or_visitor_pass = false;
    QImage Visitor_Pass_Image;  // its dots per metre give its size in points
};

// The settings the print window last published.
inline PrintSheetSettings Print_Sheet_Settings;
