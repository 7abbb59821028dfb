#include "model/drawing/ShapePaths.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QPainterPath windingPath()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    return path;
}

// Corner lists given in single precision, as the figures have always been computed.
QPainterPath closedPolygon(std::initializer_list<std::pair<float, float>> corners)
{
    QPolygonF polygon;
    for (const auto& [x, y] : corners)
        polygon << QPointF(x, y);
    QPainterPath path = windingPath();
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// Counts come from design files; beyond this the figure is not drawn rather than walked for ever.
constexpr int kMaxPointCount = 1000;

int countFromTable(int type, const int (&counts)[5])
{
    return type >= 1 && type <= 5 ? counts[type - 1] : type;
}

}  // namespace

QPainterPath Rectangle_path(const QRectF& box)
{
    QPainterPath path = windingPath();
    path.addRect(box);
    return path;
}

QPainterPath Circle_path(const QRectF& box)
{
    QPainterPath path = windingPath();
    path.addEllipse(box);
    return path;
}

QPainterPath Rounded_Rectangle_path(const QRectF& box, double cornerRadius)
{
    QPainterPath path = windingPath();
    const double radius = std::isfinite(cornerRadius) ? std::max(0.0, cornerRadius) : 0.0;
    path.addRoundedRect(box, radius, radius);
    return path;
}

QPainterPath Triangle_path(const QRectF& box)
{
    const float x = box.x(), y = box.y(), w = box.width(), h = box.height();
    return closedPolygon({{x, y + h}, {x + w / 2, y}, {x + w, y + h}});
}

QPainterPath Diamond_path(const QRectF& box)
{
    const float x = box.x(), y = box.y(), w = box.width(), h = box.height();
    return closedPolygon({{x, y + h / 2}, {x + w / 2, y}, {x + w, y + h / 2}, {x + w / 2, y + h}});
}

QPainterPath Custom_Polygon(const QRectF& box)
{
    const double x = box.x(), y = box.y(), w = box.width(), h = box.height();
    QPainterPath path = windingPath();
    path.addPolygon(QPolygonF{{x, y}, {x + w / 2, y + h / 4}, {x + w, y}, {x + 3 * w / 4, y + h / 2},
                              {x + w, y + h}, {x + w / 2, y + 3 * h / 4}, {x, y + h}, {x + w / 4, y + h / 2}});
    path.closeSubpath();
    return path;
}

QPainterPath Polygon_With_Diffrent_Sides(const QRectF& box, int count)
{
    const double rx = box.width() / 2, ry = box.height() / 2;
    const QPointF centre(box.x() + rx, box.y() + ry);
    // Stepping two points at a time makes odd counts into stars.
    const double step = count != 0 ? 4 * std::numbers::pi / count : 0;
    double angle = -std::numbers::pi / 2;

    QPainterPath path = windingPath();
    if (count > kMaxPointCount)
        return path;
    path.moveTo(centre);
    for (int i = 0; i < count; ++i) {
        const QPointF point(centre.x() + rx * std::cos(angle), centre.y() + ry * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
        angle += step;
    }
    path.closeSubpath();
    return path;
}

int doubleStarPointCount(int doubleStarType)
{
    static constexpr int counts[5] = {7, 9, 11, 13, 15};
    return countFromTable(doubleStarType, counts);
}

int polygonPointCount(int polygonType)
{
    static constexpr int counts[5] = {8, 10, 12, 14, 16};
    return countFromTable(polygonType, counts);
}

QPainterPath shapeOutline(const QRectF& box, const ShapeOutlineSettings& settings)
{
    const QString& type = settings.shapeType;
    if (type == QLatin1String("R"))
        return Rectangle_path(box);
    if (type == QLatin1String("C"))
        return Circle_path(box);
    if (type == QLatin1String("RR"))
        return Rounded_Rectangle_path(box, settings.cornerRadius);
    if (type == QLatin1String("T"))
        return Triangle_path(box);
    if (type == QLatin1String("D"))
        return Diamond_path(box);
    if (type == QLatin1String("S"))
        return Polygon_With_Diffrent_Sides(box, 5);
    if (type == QLatin1String("DS"))
        return Polygon_With_Diffrent_Sides(box, doubleStarPointCount(settings.doubleStarType));
    if (type == QLatin1String("P")) {
        const int count = polygonPointCount(settings.polygonType);
        return count == 8 ? Custom_Polygon(box) : Polygon_With_Diffrent_Sides(box, count);
    }
    return windingPath();
}
