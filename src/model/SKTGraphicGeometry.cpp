// Bounds, handles, resizing and the list operations shared by every element kind.
#include <stdexcept>

#include "model/CardHost.h"
#include "model/RotationGeometry.h"
#include "model/SKTGraphic.h"
#include "model/SKTLine.h"
#include "platform/GuiThread.h"

namespace {

// Half-open, so that neighbouring rectangles never both claim a point on their shared edge.
bool pointInRect(QPointF point, const QRectF& rect)
{
    return rect.left() <= point.x() && point.x() < rect.right() && rect.top() <= point.y()
        && point.y() < rect.bottom();
}

// Like QRectF::intersects, except that a side of zero length still counts when it lies on the
// card: a horizontal or vertical line has such bounds and must stay movable.
bool spanOverlaps(double low, double high, double cardLow, double cardHigh)
{
    if (low == high)
        return cardLow <= low && low < cardHigh;
    return low < cardHigh && cardLow < high;
}

bool touchesCard(const QRectF& rect, const QRectF& card)
{
    const QRectF r = rect.normalized();
    const QRectF c = card.normalized();
    return spanOverlaps(r.left(), r.right(), c.left(), c.right())
        && spanOverlaps(r.top(), r.bottom(), c.top(), c.bottom());
}

// Where each handle sits: column 0 left, 1 centre, 2 right; row 0 top, 1 middle, 2 bottom.
// Index 0 is "no handle", which moves no edge.
constexpr int handleColumn[] = {1, 0, 1, 2, 0, 2, 0, 1, 2};
constexpr int handleRow[] = {1, 0, 0, 0, 1, 1, 2, 2, 2};

bool isHandle(int handle) { return handle >= 1 && handle <= 8; }
bool handleMovesLeftEdge(int handle) { return isHandle(handle) && handleColumn[handle] == 0; }
bool handleMovesRightEdge(int handle) { return isHandle(handle) && handleColumn[handle] == 2; }
bool handleMovesTopEdge(int handle) { return isHandle(handle) && handleRow[handle] == 0; }
bool handleMovesBottomEdge(int handle) { return isHandle(handle) && handleRow[handle] == 2; }

int horizontalMirror(int handle)
{
    static constexpr int mirror[] = {0, 3, 2, 1, 5, 4, 8, 7, 6};
    return isHandle(handle) ? mirror[handle] : handle;
}

int verticalMirror(int handle)
{
    static constexpr int mirror[] = {0, 6, 7, 8, 4, 5, 1, 2, 3};
    return isHandle(handle) ? mirror[handle] : handle;
}

bool isTurnedWithItsText(GraphicKind kind)
{
    return kind == GraphicKind::Text || kind == GraphicKind::Shape;
}

}  // namespace

void SKTGraphic::keepBarcodeBoxAtBounds()
{
    if (kind() == GraphicKind::Barcode)
        bar_image_ctrl_bounds = _bounds;
}

void SKTGraphic::setBounds(const QRectF& bounds)
{
    const QRectF oldBounds = _bounds;
    _bounds = bounds;
    // Every road that moves or resizes an element comes here; binding puts its own box back.
    keepBarcodeBoxAtBounds();
    notifyValueChanged(SKTGraphicBoundsKey, oldBounds, bounds);
    // Batch runs set bounds on worker threads; the inspector may only be touched from the GUI.
    if (GuiThread::isCurrent())
        cardHost().Set_Control_Pos_And_Size(*this);
}

QRectF SKTGraphic::drawingBounds() const
{
    double outset = SKTGraphicHandleHalfWidth;
    if (isDrawingStroke() && _strokeWidth / 2.0 > outset)
        outset = _strokeWidth / 2.0;

    QRectF area = _bounds;
    if (isTurnedWithItsText(kind()))
        area = Rotated_Path_Rect(area, static_cast<float>(text_rotation));
    else if (kind() == GraphicKind::Line)
        area = bezierPathForDrawing().boundingRect();

    area.adjust(-outset, -outset, outset, outset);
    area.setWidth(area.width() + 1.0);
    area.setHeight(area.height() + 1.0);
    return area;
}

QPainterPath SKTGraphic::Rotated_Control_Path() const
{
    // The stroke width is applied by the pen that draws the path.
    return rotatedRectPath(_bounds, static_cast<float>(text_rotation));
}

QPainterPath SKTGraphic::bezierPathForDrawing() const
{
    throw std::logic_error("Neither -drawContentsInView: nor -bezierPathForDrawing has been overridden.");
}

bool SKTGraphic::isContentsUnderPoint(QPointF point) const
{
    return pointInRect(point, _bounds);
}

QRectF SKTGraphic::handleRect() const
{
    // Shapes draw turned but keep their handles on the unturned bounds.
    if (kind() == GraphicKind::Text)
        return Rotated_Path_Rect(_bounds, static_cast<float>(text_rotation));
    return _bounds;
}

QPointF SKTGraphic::handlePosition(const QRectF& rect, int handle)
{
    if (!isHandle(handle))
        return rect.topLeft();
    // Halving and doubling are exact, so right and bottom are exactly x + width and y + height.
    return QPointF(rect.x() + rect.width() * 0.5 * handleColumn[handle],
                   rect.y() + rect.height() * 0.5 * handleRow[handle]);
}

bool SKTGraphic::isHandleAtPoint(QPointF handlePoint, QPointF point) const
{
    const QRectF square(handlePoint.x() - SKTGraphicHandleHalfWidth,
                        handlePoint.y() - SKTGraphicHandleHalfWidth, SKTGraphicHandleWidth,
                        SKTGraphicHandleWidth);
    return pointInRect(point, square);
}

int SKTGraphic::handleUnderPoint(QPointF point) const
{
    const QRectF rect = handleRect();
    for (int handle = 1; handle <= 8; ++handle) {
        if (isHandleAtPoint(handlePosition(rect, handle), point))
            return handle;
    }
    return SKTGraphicNoHandle;
}

int SKTGraphic::resizeByMovingHandle(int handle, QPointF point)
{
    if (kind() == GraphicKind::Barcode)
        return SKTGraphicNoHandle;

    QRectF box = _bounds;
    if (handleMovesLeftEdge(handle)) {
        box.setWidth(box.x() + box.width() - point.x());
        box.moveLeft(point.x());
    } else if (handleMovesRightEdge(handle)) {
        box.setWidth(point.x() - box.x());
    }
    if (box.width() < 0) {
        handle = horizontalMirror(handle);
        box.setWidth(-box.width());
        box.moveLeft(box.x() - box.width());
        flipHorizontally();
    }

    if (handleMovesTopEdge(handle)) {
        box.setHeight(box.y() + box.height() - point.y());
        box.moveTop(point.y());
    } else if (handleMovesBottomEdge(handle)) {
        box.setHeight(point.y() - box.y());
    }
    if (box.height() < 0) {
        handle = verticalMirror(handle);
        box.setHeight(-box.height());
        box.moveTop(box.y() - box.height());
        flipVertically();
    }

    setBounds(box);
    return handle;
}

int SKTGraphic::creationSizingHandle(GraphicKind kind)
{
    // A new line is dragged out by its end point; every other kind by its lower-right handle.
    return kind == GraphicKind::Line ? 2 : 8;
}

void SKTGraphic::flipHorizontally() {}

void SKTGraphic::flipVertically() {}

bool SKTGraphic::canMakeNaturalSize() const
{
    return _bounds.width() != _bounds.height();
}

void SKTGraphic::makeNaturalSize()
{
    if (kind() == GraphicKind::Barcode || ctrl_is_locked)
        return;
    QRectF box = _bounds;
    if (box.height() > box.width())
        box.setHeight(box.width());
    else if (box.width() > box.height())
        box.setWidth(box.height());
    else
        return;
    setBounds(box);
}

void SKTGraphic::makeSameAsLabelSize()
{
    if (kind() == GraphicKind::Barcode || ctrl_is_locked)
        return;
    setBounds(cardHost().frontCanvasBounds());
}

QRectF SKTGraphic::boundsOfGraphics(const GraphicList& graphics)
{
    QRectF united;
    for (const GraphicPtr& graphic : graphics)
        united = united.united(graphic->bounds());
    return united;
}

QRectF SKTGraphic::drawingBoundsOfGraphics(const GraphicList& graphics)
{
    if (graphics.isEmpty())
        return cardHost().frontCanvasBounds();
    QRectF united;
    for (const GraphicPtr& graphic : graphics)
        united = united.united(graphic->drawingBounds());
    return united;
}

void SKTGraphic::translateGraphics(const GraphicList& graphics, double dx, double dy)
{
    // Both sides share the front canvas's size.
    const QRectF card = cardHost().frontCanvasBounds();
    for (const GraphicPtr& graphic : graphics) {
        if (graphic->ctrl_is_locked)
            continue;
        const QRectF moved = graphic->bounds().translated(dx, dy);
        if (!touchesCard(moved, card))
            continue;
        graphic->setBounds(moved);
    }
}

void SKTGraphic::Paste_Location_Of_Graphics(const GraphicList& graphics, double x, double y,
                                            const QString& side)
{
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        // The cascade advances for every further element, locked or not.
        const QPointF origin = i == 0 ? QPointF(x, y) : cardHost().Control_New_Point(side);
        SKTGraphic& graphic = *graphics[i];
        if (graphic.ctrl_is_locked)
            continue;
        graphic.setBounds(QRectF(origin, graphic.bounds().size()));
    }
}

// ---- Line end points: derived from the bounds and the two direction flags ---------------------

QPointF SKTLine::beginPoint() const
{
    const QRectF box = _bounds.normalized();
    return QPointF(_pointsRight ? box.left() : box.right(), _pointsDown ? box.top() : box.bottom());
}

QPointF SKTLine::endPoint() const
{
    const QRectF box = _bounds.normalized();
    return QPointF(_pointsRight ? box.right() : box.left(), _pointsDown ? box.bottom() : box.top());
}

QPainterPath SKTLine::bezierPathForDrawing() const
{
    // Width and cap belong to the pen that strokes it; a line is never turned.
    QPainterPath path(beginPoint());
    path.lineTo(endPoint());
    return path;
}
