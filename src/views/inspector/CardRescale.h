#pragma once
// What a change of the card's size does to the design: every element of both sides moved and
// scaled in proportion, or the other-orientation variant of the template the design came from.
#include <QString>

#include "model/SKTGraphic.h"

// Moves and scales the front list, then the back list, by the change from the old card size to
// the new one (points), in single precision; locked elements too. A barcode keeps its size; a
// text stays at least 50 x 20 points. Nothing happens when the size is unchanged, or when either
// size is not a positive finite number: a zero old size would turn every position into NaN, and
// a zero new size would collapse the layout past any later rescale. Fonts keep their sizes, so
// change_font_size changes nothing. No redraw and no undo step: the caller's writer does both.
void Set_Control_Location_Size_IF_Card_Size_Change(const GraphicList& front, const GraphicList& back,
                                                   float old_width, float old_height, float new_width,
                                                   float new_height, bool change_font_size);
// One list by the percentages of change of the card's width and height.
void Chane_control_size_location_for_both_side(const GraphicList& list, float percent_value_width,
                                               float percent_value_height);

// The other-orientation variant of a template: for a change from "Horizontal" to "Vertical" the
// file in the same folder whose name is the template's name with "(h)" replaced by "(v)", and
// the reverse for "Vertical" to "Horizontal", both compared without regard to case. Only the last
// path component changes. Empty for any other change, a name without the mark, or no such file.
QString templateVariantPath(const QString& templatePath, const QString& old_preset, const QString& new_preset);

// The size page's choice: orientation ("Horizontal", "Vertical", "Custom"), category and size row
// (-1 for none). The front record holds the last applied one (Card_Preset, Card_Category,
// Card_Cat_index).
struct CardSizeChoice {
    QString preset;
    QString category;
    int row = -1;
    bool operator==(const CardSizeChoice&) const = default;
};

// What Card_Control_Size_Change_or_not learns about the design.
struct DesignFacts {
    // An edit of either side recorded, undone or redone since the design started (a start
    // records the design as it stands, which is no edit).
    bool editedSinceStart = false;
    QString projectFileName;  // Project_File_Name
    QString startOption;      // Start_Card_Option
    QString templatePath;     // Selected_Template_Path
};

struct CardSizeChange {
    bool rescale = false;     // then Set_Control_Location_Size_IF_Card_Size_Change
    QString templateVariant;  // read it as a template first; when it does not load, stop there
};

// The decision of Card_Control_Size_Change_or_not. A custom size and an unchanged choice change
// nothing. An untouched, never saved design from a template, outside group mode, whose
// orientation changed swaps to the template's variant when there is one; the elements are then
// rescaled as in every other case.
CardSizeChange cardSizeChangeFor(const CardSizeChoice& before, const CardSizeChoice& after, const DesignFacts& design);
