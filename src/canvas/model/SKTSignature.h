#pragma once
#include "canvas/model/SKTGraphic.h"

// A signature or fingerprint picture.
class SKTSignature final : public SKTGraphic {
public:
    SKTSignature() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Signature; }
    bool isDrawingFill() const override { return false; }

    // The picture shown and the path it came from; never archived (drawing reloads it from
    // _file_path).
    QImage _contents_img;
    QString file_path;

private:
    friend class SKTGraphic;
    explicit SKTSignature(ZeroFields) {}
};
