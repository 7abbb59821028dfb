#pragma once
// What belongs to the card side itself: the base (outline, fill or picture) under the elements
// and the overlay (watermark and border) above them.
#include <QPainterPath>
#include <QRectF>

class QPainter;
class Card_Property;

// The card outline: 1 rounded rectangle (radius 10), 2 ellipse, anything else the rectangle.
QPainterPath cardShapePath(const QRectF& card, int cardShape);

// Fills the outline white and clips to it (the clip stays in force for the caller's further
// drawing), then paints the side's fill when it is switched on.
void drawCardBase(QPainter& painter, const Card_Property& side, int cardShape, const QRectF& card);

// Paints the watermark and the border of the side; a border of width 0 or less draws nothing.
void drawCardOverlay(QPainter& painter, const Card_Property& side, int cardShape,
                     const QRectF& card);
