#pragma once
// Turning of element outlines about a centre. Canvas coordinates are y-down, so a positive angle
// turns clockwise on screen.
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>

// Translate to (cx, cy), rotate by the angle in degrees, translate back: p -> c + R(angle)(p - c).
QTransform RotationTransform(double angleDegrees, double cx, double cy);

// The path turned by the angle about the point; an angle of exactly 0 gives the path back as is.
QPainterPath rotatedPath(const QPainterPath& path, double angle, QPointF aboutPoint);

// The axis-aligned bounding box of the rect turned about its centre; the rect itself on failure.
QRectF Rotated_Path_Rect(const QRectF& rect, float rotateAngle);

// The rect as a path turned about its centre, the centre rounded as Rotated_Path_Rect rounds it.
QPainterPath rotatedRectPath(const QRectF& rect, float rotateAngle);
