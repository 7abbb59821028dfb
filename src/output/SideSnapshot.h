#pragma once
// A card side made ready for output: a snapshot of its elements that carries every picture its
// drawing needs at the output resolution, so that workers may draw and encode it while the GUI
// thread binds the next record. A picture it cannot have makes the side fail with the reason;
// output never shows a blank where the design has a photo.
#include <QString>

#include "model/CardSide.h"
#include "model/SKTGraphic.h"
#include "render/CardImage.h"

class OutputPictures;

struct SideSnapshot {
    CardImage image;  // null when the side failed
    QString failure;  // why, empty when the side is whole
    bool isWhole() const { return failure.isEmpty() && !image.isNull(); }
};

// The output resolution of exported and printed cards.
inline constexpr double kOutputDpi = 600.0;

// The side's elements (index 0 topmost) on the side's card base at the card's bounds, each
// drawn picture read from its file at the pixels its box takes at dpi and adjusted at that size.
// A picture element that is drawn, names a file and has no picture from it nor one of its own is a
// failure. Reads the card's settings: GUI thread.
SideSnapshot snapshotForOutput(const GraphicList& elements, CardSide side, OutputPictures& pictures,
                               double dpi = kOutputDpi);
// The same on copies of the elements that nothing else holds, which become the snapshot's own.
SideSnapshot snapshotOfCopies(GraphicList copies, CardSide side, OutputPictures& pictures, double dpi = kOutputDpi);
