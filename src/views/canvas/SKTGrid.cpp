#include "views/canvas/SKTGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

SKTGrid::SKTGrid(QObject* parent)
    : QObject(parent)
    , _color(QColor::fromRgbF(2.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f))
{
}

void SKTGrid::setColor(const QColor& color)
{
    if (color == _color)
        return;
    _color = color;
    Q_EMIT changed();
}

void SKTGrid::setSpacing(double spacing)
{
    if (spacing == _spacing)
        return;
    _spacing = spacing;
    Q_EMIT changed();
}

void SKTGrid::setAlwaysShown(bool shown)
{
    if (shown == _isAlwaysShown)
        return;
    _isAlwaysShown = shown;
    Q_EMIT alwaysShownChanged(shown);
    Q_EMIT changed();
}

void SKTGrid::setConstraining(bool constraining)
{
    if (constraining == _isConstraining)
        return;
    _isConstraining = constraining;
    Q_EMIT changed();
}

double SKTGrid::snapped(double coordinate) const
{
    // An exact half goes up, also for negative coordinates.
    return std::floor(coordinate / _spacing + 0.5) * _spacing;
}

QPointF SKTGrid::constrainedPoint(QPointF point) const
{
    if (!isUsable() || !_isConstraining)
        return point;
    return {snapped(point.x()), snapped(point.y())};
}

QRectF SKTGrid::alignedRect(const QRectF& rect) const
{
    const double left = snapped(rect.x());
    const double top = snapped(rect.y());
    const double right = snapped(rect.x() + rect.width());
    const double bottom = snapped(rect.y() + rect.height());
    return {left, top, right - left, bottom - top};
}

void SKTGrid::drawRect(QPainter& painter, const QRectF& rect) const
{
    if (!isUsable() || !_isAlwaysShown || rect.isEmpty() || !std::isfinite(_spacing))
        return;
    // A typed spacing far below a pixel would build millions of lines that paint a solid area.
    constexpr double kMostLinesPerAxis = 100000;
    if (std::max(rect.width(), rect.height()) / _spacing > kMostLinesPerAxis)
        return;
    // Lines are found from the rectangle's own extent: limiting the index by the rectangle's size
    // would leave dirty rectangles away from the origin without lines.
    const auto forEachLine = [this](double from, double to, const auto& addLine) {
        const auto first = static_cast<long long>(std::ceil(from / _spacing));
        const auto last = static_cast<long long>(std::floor(to / _spacing));
        for (long long n = first; n <= last; ++n)
            addLine(double(n) * _spacing);
    };
    QPainterPath path;
    forEachLine(rect.left(), rect.right(), [&](double x) {
        path.moveTo(x, rect.top());
        path.lineTo(x, rect.bottom());
    });
    forEachLine(rect.top(), rect.bottom(), [&](double y) {
        path.moveTo(rect.left(), y);
        path.lineTo(rect.right(), y);
    });
    painter.save();
    QPen pen(_color, 0.0);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}
