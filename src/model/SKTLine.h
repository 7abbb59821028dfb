#pragma once
#include "model/SKTGraphic.h"

inline const QString SKTLineBeginPointKey = QStringLiteral("beginPoint");
inline const QString SKTLineEndPointKey = QStringLiteral("endPoint");

// A straight line between two corners of its bounds.
class SKTLine final : public SKTGraphic {
public:
    // The line's own handles.
    static constexpr int BeginHandle = 1;
    static constexpr int EndHandle = 2;

    SKTLine() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Line; }
    // Which corner the line starts from.
    bool _pointsRight = false;
    bool _pointsDown = false;

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return true; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    QPointF beginPoint() const;
    QPointF endPoint() const;
    QPainterPath bezierPathForDrawing() const override;

    // ---- model/drawing/SKTLineDrawing.cpp ----------------------------------------------------
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The bounding box test, and for any line a pick tolerance around the segment itself, so
    // that horizontal and vertical lines (empty bounds) can be clicked.
    bool isContentsUnderPoint(QPointF point) const override;
    int handleUnderPoint(QPointF point) const override;
    // Moves the begin (1) or end (2) point; the handles never swap.
    int resizeByMovingHandle(int handle, QPointF point) override;
    bool canMakeNaturalSize() const override { return false; }
    // A colour applied to a line colours its stroke.
    void setColor(const QColor& color) override;

    void setBeginPoint(QPointF point);
    void setEndPoint(QPointF point);
    // The box spanned by two points; the flags tell whether the end lies right of and below
    // the begin point.
    static QRectF boundsWithBeginPoint(QPointF begin, QPointF end, bool* pointsRight, bool* pointsDown);

    // The base dictionary without "bounds", with "beginPoint" and "endPoint" as "{x, y}".
    QVariantMap properties() const override;
    // A line from such a dictionary; a missing or malformed point is (0, 0).
    static std::shared_ptr<SKTLine> initWithProperties(const QVariantMap& properties);
    static QString presentablePropertyNameForKey(const QString& key);

protected:
    void copyFieldsInto(SKTGraphic& target) const override;

private:
    friend class SKTGraphic;
    explicit SKTLine(ZeroFields) {}
};
