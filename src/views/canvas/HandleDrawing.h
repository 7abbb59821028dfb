#pragma once
// The selection handles of an element: eight knob squares on its handle rectangle (two on the
// ends of a line), each with a drop shadow, red when the element is locked.
#include <QPointF>

class QPainter;
class SKTGraphic;

// Draws with the painter in card coordinates; the squares are aligned to device pixels.
void drawHandlesInView(QPainter& painter, const SKTGraphic& graphic, bool lock_hai);
void drawHandleInView(QPainter& painter, QPointF point, bool lock_hai);
