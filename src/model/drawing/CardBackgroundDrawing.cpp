#include "model/drawing/CardBackgroundDrawing.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "model/Card_Property.h"
#include "model/drawing/PaintRules.h"
#include "platform/PictureResolution.h"

namespace {

constexpr double kRoundedCornerRadius = 10.0;

// Opacity fields are fractions; the default 100 and anything above 1 mean opaque.
double opacityFraction(float value)
{
    return std::isfinite(value) ? std::clamp(static_cast<double>(value), 0.0, 1.0) : 1.0;
}

void fillGradient(QPainter& painter, const Card_Property& side, const QPainterPath& outline,
                  const QRectF& card)
{
    const QColor c1 = side.Card_fill_Grd_1_clr();
    const QColor c2 = side.Card_fill_Grd_2_clr();
    const int angle = side.Card_grad_Stepper();
    painter.fillPath(outline, c1);
    painter.fillPath(outline, angledGradient(outline.boundingRect(), angle, c1, c2));
    // Once more over the whole card; the outline's clip keeps it inside the shape.
    painter.fillRect(card, angledGradient(card, angle, c1, c2));
}

void fillPicture(QPainter& painter, const Card_Property& side, const QPainterPath& outline,
                 const QRectF& card)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage picture = side.Card_BG_Image();
    if (picture.isNull())
        return;
    if (side.Card_BG_Image_Layout() == QLatin1String("Tile")) {
        // Each tile at the picture's size in points, which its resolution states.
        QBrush tile(picture);
        const QSizeF points = sizeInPoints(picture);
        tile.setTransform(QTransform::fromScale(points.width() / picture.width(), points.height() / picture.height()));
        painter.fillPath(outline, tile);
        return;
    }
    painter.save();
    painter.setOpacity(opacityFraction(side.Card_alpha_Stepper()));
    painter.drawImage(card, picture);
    painter.restore();
}

// The top of the watermark's first line for its alignment: 0 top, 1 middle, 2 bottom.
float watermarkTop(qint32 alignment, const QRectF& card, float textHeight)
{
    switch (alignment) {
    case 1: return (static_cast<float>(card.height()) - textHeight) / 2;
    case 2: return static_cast<float>(card.height()) - textHeight;
    default: return static_cast<float>(card.y());
    }
}

void drawWatermark(QPainter& painter, const Card_Property& side, const QRectF& card)
{
    QColor color = side.Watermark_Color();
    color.setAlphaF(opacityFraction(side.Watermark_Transp()));
    const QFont font = deviceFont(side.Watermark_Font(), painter.device());
    const QString text = side.Watermark_Text();
    constexpr int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

    // Measured as it is drawn, wrapped at the card width, so a long text still ends on the
    // card's bottom edge.
    const QFontMetricsF metrics(font, painter.device());
    const double height =
        metrics.boundingRect(QRectF(0, 0, card.width(), 1e6), flags, text).height();
    const float top = watermarkTop(side.Watermark_Alignment(), card, static_cast<float>(height));

    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRectF(static_cast<float>(card.x()), top, card.width(), card.height()), flags,
                     text);
    painter.restore();
}

// Curves as straight segments, so the dashes run along the same outline everywhere.
QPainterPath flattened(const QPainterPath& outline)
{
    QPainterPath result;
    for (const QPolygonF& polygon : outline.toSubpathPolygons()) {
        result.addPolygon(polygon);
        result.closeSubpath();
    }
    return result;
}

void drawBorder(QPainter& painter, const Card_Property& side, const QPainterPath& outline)
{
    painter.strokePath(flattened(outline), outlinePen(side.Card_bordr_clr(), side.Card_bor_Stepper(),
                                                      side.Card_border_style()));
}

}  // namespace

QPainterPath cardShapePath(const QRectF& card, int cardShape)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (cardShape == 1)
        path.addRoundedRect(card, kRoundedCornerRadius, kRoundedCornerRadius);
    else if (cardShape == 2)
        path.addEllipse(card);
    else
        path.addRect(card);
    return path;
}

void drawCardBase(QPainter& painter, const Card_Property& side, int cardShape, const QRectF& card)
{
    const QPainterPath outline = cardShapePath(card, cardShape);
    painter.fillPath(outline, Qt::white);
    painter.setClipPath(outline, Qt::IntersectClip);
    if (!side.Card_fill_chk())
        return;

    const QString style = side.Card_fill_style();
    if (style == QLatin1String("G"))
        fillGradient(painter, side, outline, card);
    else if (style == QLatin1String("H"))
        fillHatchPattern(painter, outline, side.Card_hatch_style(), side.Card_hatch_bk_clr());
    else if (style == QLatin1String("I"))
        fillPicture(painter, side, outline, card);
    else
        painter.fillPath(outline, side.Card_fill_clr());
}

void drawCardOverlay(QPainter& painter, const Card_Property& side, int cardShape, const QRectF& card)
{
    if (side.Watermark_Used())
        drawWatermark(painter, side, card);
    // Qt strokes a zero width as a one-pixel hairline; a border of width 0 is no border.
    if (side.Card_border_chk() && side.Card_bor_Stepper() > 0)
        drawBorder(painter, side, cardShapePath(card, cardShape));
}
