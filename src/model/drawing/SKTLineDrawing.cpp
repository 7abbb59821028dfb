// The line element's drawing, hit test, handles and properties dictionary.
#include <QCoreApplication>
#include <QLineF>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "model/CardHost.h"
#include "model/SKTLine.h"
#include "model/drawing/PaintRules.h"

namespace {

// How far beside the stroke's edge a click still picks the line, in points.
constexpr double kPickSlack = 2.0;

Qt::PenCapStyle capStyle(qint32 code)
{
    switch (code) {
    case 1: return Qt::RoundCap;
    case 2: return Qt::SquareCap;
    default: return Qt::FlatCap;
    }
}

double distanceToSegment(QPointF point, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    double t = lengthSquared > 0 ? QPointF::dotProduct(point - a, ab) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return QLineF(point, a + ab * t).length();
}

QString pointString(QPointF point)
{
    return QStringLiteral("{%1, %2}").arg(QString::number(point.x(), 'g', QLocale::FloatingPointShortest),
                                          QString::number(point.y(), 'g', QLocale::FloatingPointShortest));
}

// "{x, y}"; anything else, or a value that is not a string, gives (0, 0).
QPointF pointFromValue(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return {};
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*\{\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)\s*,\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)\s*\}\s*$)"));
    const QRegularExpressionMatch match = form.match(value.toString());
    if (!match.hasMatch())
        return {};
    const double x = match.captured(1).toDouble();
    const double y = match.captured(2).toDouble();
    if (!std::isfinite(x) || !std::isfinite(y))
        return {};
    return {x, y};
}

}  // namespace

void SKTLine::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    QPen pen = outlinePen(strokeColor(), strokeWidth(), strokeBorderType());
    pen.setCapStyle(capStyle(_line_cap_style));
    painter.strokePath(bezierPathForDrawing(), pen);
    cardHost().Refresh_Canvas();
}

bool SKTLine::isContentsUnderPoint(QPointF point) const
{
    // The box test accepts every point inside a slanted line's box; users rely on it.
    const QRectF box = _bounds.normalized();
    if (!box.isEmpty() && QRectF(point, QSizeF(1, 1)).intersects(box))
        return true;
    const double tolerance = std::max(0.5, strokeWidth() / 2) + kPickSlack;
    return distanceToSegment(point, beginPoint(), endPoint()) <= tolerance;
}

int SKTLine::handleUnderPoint(QPointF point) const
{
    if (isHandleAtPoint(beginPoint(), point))
        return BeginHandle;
    if (isHandleAtPoint(endPoint(), point))
        return EndHandle;
    return SKTGraphicNoHandle;
}

int SKTLine::resizeByMovingHandle(int handle, QPointF point)
{
    if (handle == BeginHandle)
        setBeginPoint(point);
    else if (handle == EndHandle)
        setEndPoint(point);
    return handle;
}

void SKTLine::setColor(const QColor& color)
{
    setValueForKey(SKTGraphicStrokeColorKey, color);
}

QRectF SKTLine::boundsWithBeginPoint(QPointF begin, QPointF end, bool* pointsRight, bool* pointsDown)
{
    if (pointsRight)
        *pointsRight = end.x() > begin.x();
    if (pointsDown)
        *pointsDown = end.y() > begin.y();
    return QRectF(QPointF(std::min(begin.x(), end.x()), std::min(begin.y(), end.y())),
                  QSizeF(std::abs(end.x() - begin.x()), std::abs(end.y() - begin.y())));
}

void SKTLine::setBeginPoint(QPointF point)
{
    const QRectF box = boundsWithBeginPoint(point, endPoint(), &_pointsRight, &_pointsDown);
    setBounds(box);
}

void SKTLine::setEndPoint(QPointF point)
{
    const QRectF box = boundsWithBeginPoint(beginPoint(), point, &_pointsRight, &_pointsDown);
    setBounds(box);
}

QVariantMap SKTLine::properties() const
{
    QVariantMap result = SKTGraphic::properties();
    result.remove(SKTGraphicBoundsKey);
    result.insert(SKTLineBeginPointKey, pointString(beginPoint()));
    result.insert(SKTLineEndPointKey, pointString(endPoint()));
    return result;
}

std::shared_ptr<SKTLine> SKTLine::initWithProperties(const QVariantMap& properties)
{
    auto line = std::static_pointer_cast<SKTLine>(SKTGraphic::initWithProperties(GraphicKind::Line, properties));
    const QPointF begin = pointFromValue(properties.value(SKTLineBeginPointKey));
    const QPointF end = pointFromValue(properties.value(SKTLineEndPointKey));
    line->_bounds = boundsWithBeginPoint(begin, end, &line->_pointsRight, &line->_pointsDown);
    return line;
}

QString SKTLine::presentablePropertyNameForKey(const QString& key)
{
    if (key == SKTLineBeginPointKey)
        return QCoreApplication::translate("UndoStrings", "Beginpoint");
    if (key == SKTLineEndPointKey)
        return QCoreApplication::translate("UndoStrings", "Endpoint");
    return SKTGraphic::presentablePropertyNameForKey(key);
}
