#include "photos/SelectionHandle.h"

SelectionHandle::SelectionHandle(int type, const HandleStyle& style) : type_(type), style_(style) {}

SelectionCursor SelectionHandle::cursor() const
{
    switch (type_) {
    case TopLeft:
    case BottomRight:
        return SelectionCursor::TopBottom;
    case TopRight:
    case BottomLeft:
        return SelectionCursor::BottomTop;
    default:
        return SelectionCursor::Crosshair;
    }
}

void SelectionHandle::makeHandleFrameWithSelectorFrame(const QRectF& selectorFrame)
{
    const double x = selectorFrame.x(), y = selectorFrame.y();
    const double w = selectorFrame.width(), h = selectorFrame.height();
    const double sw = style_.size.width(), sh = style_.size.height();
    switch (type_) {
    case TopLeft:
        frame_ = QRectF(x - sw / 2, y + h - sh / 2, sw, sh);
        break;
    case TopRight:
        frame_ = QRectF(x + w - sw / 2, y + h - sh / 2, sw, sh);
        break;
    case BottomLeft:
        frame_ = QRectF(x - sw / 2, y - sh / 2, sw, sh);
        break;
    case BottomRight:
        frame_ = QRectF(x + w - sw / 2, y - sh / 2, sw, sh);
        break;
    default:
        frame_ = QRectF();
    }
    bounds_ = frame_;
}
