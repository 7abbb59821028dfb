#pragma once
// One corner handle of a selection rectangle. Its frame is laid out only when the handle is drawn,
// and hit tests use that last layout (zero before the first), so what is hit is what was shown.
#include <QRectF>

#include "photos/SelectionStyles.h"

class SelectionHandle {
public:
    enum Type { TopLeft = 1, TopRight = 2, BottomLeft = 3, BottomRight = 4 };

    SelectionHandle(int type, const HandleStyle& style);

    int type() const { return type_; }
    const HandleStyle& handleStyle() const { return style_; }
    void setHandleStyle(const HandleStyle& style) { style_ = style; }
    QRectF frame() const { return frame_; }
    QRectF bounds() const { return bounds_; }
    SelectionCursor cursor() const;

    // Places the handle's circle on its corner of the (possibly signed) selector frame.
    void makeHandleFrameWithSelectorFrame(const QRectF& selectorFrame);

private:
    int type_;
    HandleStyle style_;
    QRectF frame_;
    QRectF bounds_;
};
