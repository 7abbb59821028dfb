#pragma once
// Where a field added to a live-mode card goes when the design leaves its place open, and the ink
// its text takes there.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "model/SKTGraphic.h"

struct ClearPlace {
    enum class Covers { Nothing, ShapesOnly, Content };
    QRectF box;
    double scale = 1;  // of the size asked for, and of a text's font
    Covers covers = Covers::Nothing;

    // The better of two places for the same thing: covering less, then larger.
    bool betterThan(const ClearPlace& other) const
    {
        return covers != other.covers ? covers < other.covers : scale > other.scale;
    }
};

// The box nearest the point asked for, on the card and a few points inside its edge: one that
// covers none of the other elements at the size asked for or, where the card has no such room, at
// the largest size down to the smallest scale that does; else one that covers none of their
// texts, pictures or symbols (a band or a panel may lie under it); else the box, at any of those
// sizes, that covers the least of them.
ClearPlace clearPlaceFor(QSizeF card, const GraphicList& others, QSizeF size, QPointF wanted, double smallest);

// Black or white, whichever reads better on the ground: a picture of what lies under the text.
QColor inkReadableOn(const QImage& ground);
