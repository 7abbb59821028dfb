#pragma once
#include "model/SKTGraphic.h"

// Rectangle, ellipse, rounded rectangle, triangle, diamond, stars and polygons.
class Shape_Control final : public SKTGraphic {
public:
    Shape_Control() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Shape; }

    // Drawing and hit testing (model/drawing/Shape_ControlDrawing.cpp).
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The figure of _shape_type turned by text_rotation about its own bounding box's centre.
    QPainterPath bezierPathForDrawing() const override;
    bool isContentsUnderPoint(QPointF point) const override;

private:
    friend class SKTGraphic;
    explicit Shape_Control(ZeroFields) {}
};
