#pragma once
#include "canvas/model/SKTGraphic.h"

// Rectangle, ellipse, rounded rectangle, triangle, diamond, stars and polygons.
class Shape_Control final : public SKTGraphic {
public:
    Shape_Control() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Shape; }

private:
    friend class SKTGraphic;
    explicit Shape_Control(ZeroFields) {}
};
