#pragma once
// What the sheet preview shows of one sheet, worked out from the sheet settings alone: the
// printable area, every cell of the block with the names of the sides printed there, the card
// outlines and the crop marks. No card pictures, no records. In the sheet's coordinates (y up).
#include <QList>
#include <QLineF>
#include <QRectF>
#include <QString>

#include "output/PrintSheetSettings.h"

struct SheetPreviewLabel {
    QString text;     // "Front 3", "Back 3", or "Invalid Data"
    QRectF rect;      // the side rectangle it is centred in
    bool turned = false;  // drawn upside down, the side being printed turned
    bool invalid = false; // red: the design has no picture
};

struct SheetPreviewOutline {
    QRectF rect;
    int Card_Shape = 0;  // 1 rounded with radius 10, 2 the inscribed ellipse, else the rectangle
};

struct SheetPreviewScene {
    QRectF paper;
    QRectF printable;
    QList<SheetPreviewLabel> labels;
    QList<SheetPreviewOutline> outlines;
    QList<QLineF> cropMarks;
};

// Nothing but an empty scene while the sheet has no paper.
SheetPreviewScene sheetPreviewScene(const PrintSheetSettings& sheet);
