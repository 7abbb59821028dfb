#pragma once
#include "canvas/model/SKTGraphic.h"

// A photo or picture.
class SKTImage final : public SKTGraphic {
public:
    SKTImage() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Image; }
    bool isDrawingFill() const override { return false; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    // Stores the path (with the flag, also as the value text) and loads its picture into
    // _contents and _contents_with_settings; only a regular file is read, and a path that gives
    // no picture leaves both null.
    void setFilePath(const QString& path, bool setTextPathAlso);

protected:
    void copyFieldsInto(SKTGraphic& target) const override;

private:
    friend class SKTGraphic;
    explicit SKTImage(ZeroFields) {}
};
