#pragma once
// Outlines of the shape element's figures in an unturned box (points, y down). Every path uses
// the non-zero winding rule, so star centres and twice-traced polygons are inside.
#include <QPainterPath>
#include <QRectF>
#include <QString>

QPainterPath Rectangle_path(const QRectF& box);
QPainterPath Circle_path(const QRectF& box);
QPainterPath Rounded_Rectangle_path(const QRectF& box, double cornerRadius);
QPainterPath Triangle_path(const QRectF& box);
QPainterPath Diamond_path(const QRectF& box);
// Four outer corners and four inner points a quarter of the box inside each side's middle.
QPainterPath Custom_Polygon(const QRectF& box);
// Visits every second of n points on the inscribed ellipse starting at the top centre: a star
// for odd n, an n/2-gon traced twice for even n, nothing visible for n <= 0 or n > 1000.
QPainterPath Polygon_With_Diffrent_Sides(const QRectF& box, int count);

// Point count of a "DS" star: 1..5 give 7, 9, 11, 13, 15; other values are used as they are.
int doubleStarPointCount(int doubleStarType);
// Point count of a "P" figure: 1..5 give 8, 10, 12, 14, 16; other values are used as they are.
int polygonPointCount(int polygonType);

struct ShapeOutlineSettings {
    QString shapeType;
    double cornerRadius = 0;
    int doubleStarType = 0;
    int polygonType = 0;
};

// The unturned outline of a shape code ("R", "C", "RR", "T", "D", "S", "DS", "P"); empty for any
// other code.
QPainterPath shapeOutline(const QRectF& box, const ShapeOutlineSettings& settings);
