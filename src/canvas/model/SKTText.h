#pragma once
#include "canvas/model/SKTGraphic.h"

// A box of text.
class SKTText final : public SKTGraphic {
public:
    SKTText() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Text; }
    bool canSetDrawingStroke() const override { return false; }

    // Text storage of the in-place editor; never archived.
    QString contents_val;
    bool _contentsBeingChangedByScripting = false;

private:
    friend class SKTGraphic;
    explicit SKTText(ZeroFields) {}
};
