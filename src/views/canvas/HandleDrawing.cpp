#include "views/canvas/HandleDrawing.h"

#include <QColor>
#include <QPainter>
#include <QTransform>
#include <cmath>

#include "model/SKTGraphic.h"
#include "model/SKTLine.h"

namespace {

const QColor kShadowColor(64, 64, 64);
const QColor kKnobColor(56, 117, 215);
const QColor kLockedKnobColor(Qt::red);

// The square in card coordinates whose corners fall on whole device pixels.
QRectF centerScanRect(const QPainter& painter, const QRectF& rect)
{
    const QTransform toDevice = painter.worldTransform();
    bool invertible = false;
    const QTransform toCard = toDevice.inverted(&invertible);
    if (!invertible)
        return rect;
    const QRectF device = toDevice.mapRect(rect);
    const QRectF snapped(QPointF(std::round(device.left()), std::round(device.top())),
                         QPointF(std::round(device.right()), std::round(device.bottom())));
    return toCard.mapRect(snapped);
}

}  // namespace

void drawHandleInView(QPainter& painter, QPointF point, bool lock_hai)
{
    const QRectF square = centerScanRect(
        painter, QRectF(point.x() - SKTGraphicHandleHalfWidth, point.y() - SKTGraphicHandleHalfWidth,
                        SKTGraphicHandleWidth, SKTGraphicHandleWidth));
    painter.fillRect(square.translated(1.0, 1.0), kShadowColor);
    painter.fillRect(square, lock_hai ? kLockedKnobColor : kKnobColor);
}

void drawHandlesInView(QPainter& painter, const SKTGraphic& graphic, bool lock_hai)
{
    painter.save();
    painter.setOpacity(1.0);
    if (graphic.kind() == GraphicKind::Line) {
        const auto& line = static_cast<const SKTLine&>(graphic);
        drawHandleInView(painter, line.beginPoint(), lock_hai);
        drawHandleInView(painter, line.endPoint(), lock_hai);
    } else {
        const QRectF rect = graphic.handleRect();
        for (int handle = 1; handle <= 8; ++handle)
            drawHandleInView(painter, SKTGraphic::handlePosition(rect, handle), lock_hai);
    }
    painter.restore();
}
