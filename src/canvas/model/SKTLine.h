#pragma once
#include "canvas/model/SKTGraphic.h"

// A straight line between two corners of its bounds.
class SKTLine final : public SKTGraphic {
public:
    SKTLine() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Line; }
    // Which corner the line starts from.
    bool _pointsRight = false;
    bool _pointsDown = false;

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return true; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    QPointF beginPoint() const;
    QPointF endPoint() const;
    QPainterPath bezierPathForDrawing() const override;

protected:
    void copyFieldsInto(SKTGraphic& target) const override;

private:
    friend class SKTGraphic;
    explicit SKTLine(ZeroFields) {}
};
