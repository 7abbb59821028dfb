// The shape element's outline, drawing and hit test.
#include <QPainter>

#include "model/CardHost.h"
#include "model/RotationGeometry.h"
#include "model/Shape_Control.h"
#include "model/drawing/PaintRules.h"
#include "model/drawing/ShapePaths.h"

QPainterPath Shape_Control::bezierPathForDrawing() const
{
    QPainterPath outline = shapeOutline(
        _bounds, ShapeOutlineSettings{_shape_type, cor_rad_val, double_star_type, polygon_type});
    if (outline.isEmpty())
        return outline;
    // A star's box is not the element's box, so it turns about its own centre.
    const QRectF box = outline.boundingRect();
    const QPointF centre(static_cast<float>(box.x() + box.width() / 2),
                         static_cast<float>(box.y() + box.height() / 2));
    QPainterPath turned = rotatedPath(outline, text_rotation, centre);
    turned.setFillRule(Qt::WindingFill);
    return turned;
}

bool Shape_Control::isContentsUnderPoint(QPointF point) const
{
    return bezierPathForDrawing().contains(point);
}

void Shape_Control::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    const QPainterPath outline = bezierPathForDrawing();
    if (!outline.isEmpty()) {
        fillElementPath(painter, *this, outline);
        strokeElementPath(painter, *this, outline);
    }
    cardHost().Refresh_Canvas();
}
