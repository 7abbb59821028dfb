#pragma once
#include <memory>

#include "model/SKTGraphic.h"

// A barcode picture made by the barcode factory, drawn at its own size at the box's top-left.
// _contents holds the picture's stored raster once barcode_image_var_assign puts it there;
// drawing reads the picture itself, so a drawn copy never makes the raster.
class SKTBarcode final : public SKTGraphic {
public:
    SKTBarcode() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Barcode; }

    // A new element whose box, centred on the position, has the size of its picture: empty
    // until its creator stores the generated picture with Set_Barcode_image. The picture given
    // is not used.
    static std::shared_ptr<SKTBarcode> initWithPosition(QPointF position, const QImage& contents);
    // The picture to draw becomes the current generated one.
    void barcode_image_var_assign() { _contents = _barcode_image.image(); }

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

private:
    friend class SKTGraphic;
    explicit SKTBarcode(ZeroFields) {}
};
