#pragma once
// The design's sides as the print window takes them when it opens: the pictures the sheet prints
// when no record data is used, and the cell they give.
#include "model/SKTGraphic.h"
#include "output/PrintSheetSettings.h"

// The sides card_side_str prints ("BOTH" the back first, then the front; "F" the front; "B" the
// back) drawn from their elements into front_image and back_image; a side not drawn stays as it
// was. GUI thread: it reads the card's settings.
void Generate_No_Batch_Card_Image(PrintSheetSettings& sheet, const GraphicList& front, const GraphicList& back,
                                  const QString& card_side_str);

// One card's size in points: the front picture's, or nothing without one.
QSizeF printedCardSize(const PrintSheetSettings& sheet);
