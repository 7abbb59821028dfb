#pragma once
// Conversions between what the inspector's controls show and what the records store, shared by
// every panel.
#include <QString>

#include "model/CardFont.h"

// Border and line dash codes in the order of the style lists: 0 "S", 1 "DA", 2 "DO", 3 "DD",
// 4 "DDD"; any other index gives "S".
QString Return_Border_Style_Str_On_index(int index);
// The list index of a dash code; -1 for a code outside the list.
int borderStyleIndex(const QString& code);

// A stored fraction shown as a whole per cent, at most 100. The small allowance keeps a value
// that was stored from a whole per cent from showing one less (0.53f * 100 is 52.99...), so a
// load and a save never lower an opacity.
int percentShown(double fraction);

// A pattern's file stem as the pattern lists show it: spaces for underscores and the later words
// in lower case unless they are all capitals ("Diagonal_Backward" shows "Diagonal backward").
QString patternCaption(const QString& stem);

// "name ( size )" with two decimals, as the panels caption a font.
QString fontCaption(const CardFont& font);

// The card outline code of Card_Shape: "R" 0, "RR" 1, anything else (with "E") 2; and back.
int cardShapeIndex(const QString& code);
QString cardShapeCode(int index);
