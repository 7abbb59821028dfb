#pragma once
#include "canvas/model/SKTGraphic.h"

// A barcode picture made by the barcode factory.
class SKTBarcode final : public SKTGraphic {
public:
    SKTBarcode() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Barcode; }
    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }

private:
    friend class SKTGraphic;
    explicit SKTBarcode(ZeroFields) {}
};
