#include "photos/Selector.h"

#include <cmath>

#include "photos/SelectionCanvasModel.h"

namespace {

// Rectangles meet when their standardised interiors overlap; a zero-size rectangle is a point,
// which meets a rectangle that holds it inside. (QRectF::intersects never counts an empty one.)
bool rectsMeet(const QRectF& a, const QRectF& b)
{
    const QRectF r = a.normalized(), s = b.normalized();
    return r.left() < s.right() && s.left() < r.right() && r.top() < s.bottom() && s.top() < r.bottom();
}

SelectorStyle styleOf(const SelectionCanvasModel* canvas)
{
    return canvas && canvas->selectorStyle() ? *canvas->selectorStyle() : SelectorStyle();
}

HandleStyle handleStyleOf(const SelectionCanvasModel* canvas)
{
    return canvas && canvas->handleStyle() ? *canvas->handleStyle() : HandleStyle();
}

}  // namespace

Selector::Selector(const QRectF& frame, SelectionCanvasModel* canvas, bool picker)
    : frame_(frame),
      canvas_(canvas),
      isPicker_(picker),
      style_(styleOf(canvas)),
      handles_{SelectionHandle(SelectionHandle::TopLeft, handleStyleOf(canvas)),
               SelectionHandle(SelectionHandle::TopRight, handleStyleOf(canvas)),
               SelectionHandle(SelectionHandle::BottomLeft, handleStyleOf(canvas)),
               SelectionHandle(SelectionHandle::BottomRight, handleStyleOf(canvas))}
{
    prepareAction(DrawOut);
    setSelected();
}

SelectionBoundaries Selector::canvasBoundaries() const
{
    const QSizeF size = canvas_ ? canvas_->canvasFrame().size() : QSizeF(0, 0);
    SelectionBoundaries b;
    b.top.position = size.height();
    b.right.position = size.width();
    return b;
}

void Selector::setSelected()
{
    strokeColor_ = isPicker_ ? style_.strokeColorPicker : style_.strokeColorSelected;
    fillColor_ = isPicker_ ? style_.fillColorPicker : style_.fillColorSelected;
    isSelected_ = true;
}

void Selector::setUnselected()
{
    strokeColor_ = isPicker_ ? style_.strokeColorPicker : style_.strokeColorUnselected;
    fillColor_ = isPicker_ ? style_.fillColorPicker : style_.fillColorUnselected;
    isSelected_ = false;
}

bool Selector::intersectsFrame(const QRectF& r)
{
    const bool hit = rectsMeet(r, frame_) || touchedHandle(r);
    if (hit)
        setSelected();
    return hit;
}

bool Selector::touchedHandle(const QRectF& r)
{
    for (SelectionHandle& handle : handles_) {
        if (rectsMeet(handle.bounds(), r)) {
            currentHandle_ = &handle;
            prepareAction(Resize);
            return true;
        }
    }
    prepareAction(Move);
    return false;
}

bool Selector::intersectsOthers(const QList<Selector*>& others)
{
    for (Selector* other : others) {
        if (other->frame() != frame_ && intersectsFrame(other->frame()))
            return true;
    }
    return false;
}

void Selector::prepareAction(int action)
{
    action_ = action;
    if (action == Resize)
        makeOriginAtHandle();
    else if (action == Move || action == DrawOut)
        prepareBoundaries();
}

void Selector::prepareBoundaries()
{
    const double x = frame_.x(), y = frame_.y(), w = frame_.width(), h = frame_.height();
    const SelectionBoundaries canvas = canvasBoundaries();
    const double W = canvas.right.position, H = canvas.top.position;
    switch (action_) {
    case Resize:
        boundaries_ = {{H, y + h - H}, {0, y + h}, {0, x + w}, {W, x + w - W}};
        break;
    case Move:
        boundaries_ = {{H - h, h}, {0, h}, {0, w}, {W - w, w}};
        break;
    default:
        boundaries_ = {{y, H - y}, {y, -y}, {x, -x}, {x, W - x}};
        break;
    }
}

void Selector::makeOriginAtHandle()
{
    if (currentHandle_) {
        const QPointF c = currentHandle_->bounds().center();
        const double w = std::abs(frame_.width()), h = std::abs(frame_.height());
        switch (currentHandle_->type()) {
        case SelectionHandle::TopLeft:
            frame_ = QRectF(c.x(), c.y(), w, -h);
            break;
        case SelectionHandle::TopRight:
            frame_ = QRectF(c.x(), c.y(), -w, -h);
            break;
        case SelectionHandle::BottomLeft:
            frame_ = QRectF(c.x(), c.y(), w, h);
            break;
        case SelectionHandle::BottomRight:
            frame_ = QRectF(c.x(), c.y(), -w, h);
            break;
        default:
            break;
        }
    }
    prepareBoundaries();
}

void Selector::resizeToPoint(const QPointF& p)
{
    const double x = frame_.x(), y = frame_.y(), w = frame_.width(), h = frame_.height();
    if (!currentHandle_ || currentHandle_->type() == 0)
        frame_ = QRectF(x, y, p.x() - x, p.y() - y);
    else
        frame_ = QRectF(p.x(), p.y(), w - (p.x() - x), h - (p.y() - y));
}

void Selector::moveSelectorToPoint(const QPointF& p)
{
    const double w = frame_.width(), h = frame_.height();
    frame_ = QRectF(p.x() - w / 2, p.y() - h / 2, w, h);
}

int Selector::verticalInBounds(const QRectF& r) const
{
    const QRectF s = SelectionCanvasModel::defaultRectForFrame(r);
    const SelectionBoundaries canvas = canvasBoundaries();
    if (s.x() + s.width() > canvas.right.position)
        return PastRight;
    if (s.x() < canvas.left.position)
        return PastLeft;
    return Inside;
}

int Selector::horizontalInBounds(const QRectF& r) const
{
    const QRectF s = SelectionCanvasModel::defaultRectForFrame(r);
    const SelectionBoundaries canvas = canvasBoundaries();
    if (s.y() + s.height() > canvas.top.position)
        return PastTop;
    if (s.y() < canvas.bottom.position)
        return PastBottom;
    return Inside;
}

bool Selector::touchedBoundaries()
{
    if (isPicker_)
        return false;
    const int v = verticalInBounds(frame_);
    const int h = horizontalInBounds(frame_);
    if (v == PastRight) {
        frame_.setX(boundaries_.right.position);
        frame_.setWidth(boundaries_.right.size);
    } else if (v == PastLeft) {
        frame_.setX(boundaries_.left.position);
        frame_.setWidth(boundaries_.left.size);
    }
    if (h == PastTop) {
        frame_.setY(boundaries_.top.position);
        frame_.setHeight(boundaries_.top.size);
    } else if (h == PastBottom) {
        frame_.setY(boundaries_.bottom.position);
        frame_.setHeight(boundaries_.bottom.size);
    }
    return v != Inside || h != Inside;
}

bool Selector::isBigEnough() const
{
    return std::abs(frame_.width()) >= style_.minWidth && std::abs(frame_.height()) >= style_.minHeight;
}

bool Selector::canDropOnCanvas()
{
    QList<Selector*> others;
    bool allowIntersections = true;
    if (canvas_) {
        others = canvas_->selectors();
        others.removeAll(this);
        allowIntersections = canvas_->allowIntersections();
    }
    const bool ok = isBigEnough() && (allowIntersections || !intersectsOthers(others));
    if (ok)
        restoreOrigin();
    return ok;
}

void Selector::restoreOrigin()
{
    frame_ = SelectionCanvasModel::defaultRectForFrame(frame_);
}

double Selector::lineWidth() const
{
    return isSelected_ || isPicker_ ? style_.lineWidthSelected : style_.lineWidthUnselected;
}

bool Selector::isDashed() const
{
    return isSelected_ || isPicker_ ? style_.lineDashedSelected : style_.lineDashedUnselected;
}

void Selector::layOutHandles()
{
    for (SelectionHandle& handle : handles_)
        handle.makeHandleFrameWithSelectorFrame(frame_);
}

SelectionCursor Selector::cursorAt(const QPointF& p) const
{
    if (isPicker_)
        return SelectionCursor::Arrow;
    const QRectF point(p, QSizeF(0, 0));
    for (const SelectionHandle& handle : handles_) {
        if (rectsMeet(handle.bounds(), point))
            return handle.cursor();
    }
    const QSizeF inset = handles_[0].frame().size();
    const QRectF area = SelectionCanvasModel::defaultRectForFrame(frame_).adjusted(
        inset.width(), inset.height(), -inset.width(), -inset.height());
    return rectsMeet(area, point) ? SelectionCursor::OpenHand : SelectionCursor::Arrow;
}
