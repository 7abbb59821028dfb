#include "model/RotationGeometry.h"

#include <exception>
#include "platform/Log.h"

QTransform RotationTransform(double angleDegrees, double cx, double cy)
{
    QTransform transform;
    transform.translate(cx, cy);
    transform.rotate(angleDegrees);
    transform.translate(-cx, -cy);
    return transform;
}

QPainterPath rotatedPath(const QPainterPath& path, double angle, QPointF aboutPoint)
{
    if (angle == 0.0)
        return path;
    return RotationTransform(angle, aboutPoint.x(), aboutPoint.y()).map(path);
}

QPainterPath rotatedRectPath(const QRectF& rect, float rotateAngle)
{
    QPainterPath path;
    path.addRect(rect);
    // The centre is kept in single precision, as stored designs were laid out with it.
    const float cx = static_cast<float>(rect.x() + rect.width() / 2.0);
    const float cy = static_cast<float>(rect.y() + rect.height() / 2.0);
    return rotatedPath(path, static_cast<double>(rotateAngle), QPointF(cx, cy));
}

QRectF Rotated_Path_Rect(const QRectF& rect, float rotateAngle)
{
    try {
        return rotatedRectPath(rect, rotateAngle).boundingRect();
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
        return rect;
    }
}
