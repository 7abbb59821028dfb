#pragma once
// The card elements the shipped templates are made of, each made through the model as the tools
// make them, and a side that collects them in the order they are painted.
#include <QColor>
#include <QRectF>
#include <QString>

#include "model/SKTGraphic.h"

namespace templates {

// A font of the DejaVu families every Debian desktop has.
struct Face {
    double size = 9;
    bool bold = false;
    bool serif = false;
};

CardFont fontOf(Face face);

// How a text sits in its box: 0 left, 1 right, 2 centred (the element's alignment codes).
enum Align { Left = 0, Right = 1, Centre = 2 };

enum class Code { Code128, QR };

// Elements in painting order, bottom first; elements() gives the list as a side keeps it, topmost
// first.
class Side {
public:
    void add(GraphicPtr element) { m_painted.append(std::move(element)); }
    GraphicList elements() const;

private:
    GraphicList m_painted;
};

GraphicPtr box(const QRectF& bounds, const QColor& fill, const QString& shape = QStringLiteral("R"), float radius = 0);
// A fill from `from` to `to` along the angle in degrees (0 left to right, 90 top to bottom).
GraphicPtr gradientBox(const QRectF& bounds, const QColor& from, const QColor& to, double angle,
                       const QString& shape = QStringLiteral("R"), float radius = 0);
// A shape outline of the width, not filled.
GraphicPtr outline(const QRectF& bounds, const QColor& colour, double width, const QString& shape, float radius = 0);
// The fill at an opacity in per cent.
GraphicPtr veil(const QRectF& bounds, const QColor& fill, float opacityPercent, const QString& shape,
                float radius = 0);

// A text, centred vertically in its box; an identifier ("Fup_Name" ...) lets the profile and
// group modes fill it.
GraphicPtr text(const QRectF& bounds, const QString& value, Face face, const QColor& colour, Align align = Left,
                const QString& id = {});

// The photo element: the placeholder portrait of the resource folder, stored under the path that
// every copy of the application resolves into its own resources, framed in the colour.
GraphicPtr photo(const QRectF& bounds, const QColor& frame, double frameWidth);
// The placeholder's path as a design file keeps it.
QString storedPhotoPath();
// Its file in this build's resource folder.
QString photoFile();

// A barcode of the value with no header, footer or caption at the card's origin, its size its
// picture's. `size` is the bar height in millimetres for Code 128, the side in points for QR Code.
GraphicPtr barcode(Code code, const QString& value, double size);

}  // namespace templates
