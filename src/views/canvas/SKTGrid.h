#pragma once
// The design grid shared by the canvases: drawn under the elements, and the snapping rule for
// moving, resizing, creating and the align-with-grid command.
#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>

class QPainter;

class SKTGrid : public QObject {
    Q_OBJECT
public:
    explicit SKTGrid(QObject* parent = nullptr);

    QColor color() const { return _color; }
    double spacing() const { return _spacing; }
    // The grid panel writes colour and spacing and then calls setAlwaysShown.
    void setColor(const QColor& color);
    void setSpacing(double spacing);

    bool isAlwaysShown() const { return _isAlwaysShown; }
    // The window enables its align-with-grid button from alwaysShownChanged.
    void setAlwaysShown(bool shown);
    bool isConstraining() const { return _isConstraining; }
    void setConstraining(bool constraining);

    bool isUsable() const { return _spacing > 0.0; }
    bool canAlign() const { return isUsable(); }
    bool canSetColor() const { return _isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return _isAlwaysShown || _isConstraining; }

    // The nearest grid point while the grid is usable and constraining, else the point itself.
    QPointF constrainedPoint(QPointF point) const;
    // Every edge moved to its nearest grid line, whether or not the grid constrains.
    QRectF alignedRect(const QRectF& rect) const;
    // Strokes the lines crossing `rect` (canvas points) with the thinnest pen the device draws.
    void drawRect(QPainter& painter, const QRectF& rect) const;

Q_SIGNALS:
    // Any of colour, spacing, shown or constraining changed; canvases redraw on it.
    void changed();
    void alwaysShownChanged(bool shown);

private:
    double snapped(double coordinate) const;

    QColor _color;
    double _spacing = 9.0;
    bool _isAlwaysShown = false;
    bool _isConstraining = false;
};
