// How a text element draws itself.
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/CardHost.h"
#include "model/NumberBounds.h"
#include "model/RotationGeometry.h"
#include "model/SKTText.h"
#include "model/drawing/ImageBlur.h"
#include "model/drawing/PaintRules.h"
#include "model/drawing/TextLayout.h"

namespace {

// The frame of an element being dragged out.
const QColor kKnobColor(0x4a, 0x90, 0xe2);

// Blurred shadows are rasterised at no fewer pixels per point than this, so that they stay
// smooth on 72-dpi devices such as PDF pages.
constexpr double kMinShadowPixelsPerPoint = 4.0;

double finiteOrZero(float value)
{
    return std::isfinite(value) ? value : 0.0;
}

// A one-point frame just outside the box.
void frameBeingCreated(QPainter& painter, const QRectF& box)
{
    QPainterPath ring;  // odd-even fill: the outer rectangle minus the box
    ring.addRect(box.adjusted(-1, -1, 1, 1));
    ring.addRect(box);
    painter.fillPath(ring, kKnobColor);
}

// The shadow colour: Shadow_Color with its alpha replaced by the shadow opacity (a fraction;
// anything above 1 is opaque), stored back into the style.
QColor shadowColor(TextStyle& style)
{
    const float opacity = style.Shadow_transparency;
    style.Shadow_Color.setAlphaF(std::isfinite(opacity) ? std::clamp(opacity, 0.0f, 1.0f) : 1.0f);
    return style.Shadow_Color;
}

struct ShadowStyle {
    QColor color;
    QTransform offset;  // in the unturned card's points
    double blurRadius;  // points
};

// The style's shadow. Its offsets count y upwards, as they did where the designs were first
// made, so a positive Shadow_offset_Y moves the shadow up.
ShadowStyle shadowStyle(TextStyle& style)
{
    return {shadowColor(style),
            QTransform::fromTranslate(finiteOrZero(style.Shadow_offset_X), -finiteOrZero(style.Shadow_offset_Y)),
            std::clamp(finiteOrZero(style.Shadow_blur), NumberBounds::kShadowBlur.low, NumberBounds::kShadowBlur.high)};
}

// The shadow drawn into a picture of device pixels (or more, on coarse devices), blurred, then
// laid onto the device. toDevice maps the text's own coordinates to device pixels.
void drawBlurredShadow(QPainter& painter, const TextBoxLayout& layout, QPointF topLeft,
                       const QTransform& toDevice, const ShadowStyle& shadow)
{
    const QTransform& card = painter.deviceTransform();
    const double devicePerPoint = std::hypot(card.m11(), card.m12());
    if (!(devicePerPoint > 0))
        return;
    const double supersample = std::max(1.0, kMinShadowPixelsPerPoint / devicePerPoint);
    // The blur radius spans about two standard deviations.
    const double sigma = shadow.blurRadius / 2 * devicePerPoint;
    const double margin = std::ceil(3 * sigma) + 1;

    const QPaintDevice* device = painter.device();
    const QRectF nearDevice = QRectF(0, 0, device->width(), device->height())
                                  .adjusted(-margin, -margin, margin, margin);
    const QRectF area = toDevice.mapRect(layout.inkArea(topLeft))
                            .adjusted(-margin, -margin, margin, margin)
                            .intersected(nearDevice);
    if (area.isEmpty())
        return;

    QImage image((area.size() * supersample).toSize().expandedTo(QSize(1, 1)),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return;
    image.fill(Qt::transparent);
    {
        QPainter picture(&image);
        picture.setRenderHints(painter.renderHints());
        picture.setTransform(toDevice * QTransform::fromTranslate(-area.left(), -area.top())
                             * QTransform::fromScale(supersample, supersample));
        picture.setPen(shadow.color);
        layout.draw(picture, topLeft);
    }
    gaussianBlur(image, sigma * supersample);

    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, image);
    painter.restore();
}

// Draws the text's shadow; turn maps the text into the card. The offset keeps the unturned
// card's directions whatever the text's rotation.
void drawShadow(QPainter& painter, const TextBoxLayout& layout, QPointF topLeft,
                const QTransform& turn, const ShadowStyle& shadow)
{
    const QTransform shadowTurn = turn * shadow.offset;
    if (shadow.blurRadius > 0) {
        drawBlurredShadow(painter, layout, topLeft, shadowTurn * painter.deviceTransform(), shadow);
        return;
    }
    painter.save();
    painter.setTransform(shadowTurn, true);
    painter.setPen(shadow.color);
    layout.draw(painter, topLeft);
    painter.restore();
}

// How far past its box a text may run and still be seen: the device's diagonal in points (the
// card, the page or the canvas), so that only absurd layouts stop early.
double overflowReach(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const QTransform& card = painter.deviceTransform();
    const double devicePerPoint = std::hypot(card.m11(), card.m12());
    if (!device || !(devicePerPoint > 0) || !std::isfinite(devicePerPoint))
        return 0.0;
    const double reach = std::hypot(double(device->width()), double(device->height())) / devicePerPoint;
    return std::min(reach, NumberBounds::kCoordinate.high - NumberBounds::kCoordinate.low);
}

// Fill, shadow, text and border of a visible element that is not being dragged out.
void drawTextBox(QPainter& painter, SKTText& graphic)
{
    const QRectF box = graphic.bounds();
    const QPainterPath outline = graphic.Rotated_Control_Path();
    fillElementPath(painter, graphic, outline);
    const QString text = shownText(graphic);
    if (text.isEmpty())
        return;

    // Text that overflows its box is drawn whole; only lines beyond anything the device can show
    // are not laid out.
    const auto layout = layOutElementText(graphic, text, box.height() + overflowReach(painter));
    // The text keeps the box's place; only its top moves for the vertical alignment.
    TextStyle& style = graphic.textStyle;
    const QPointF topLeft = elementTextTopLeft(graphic, *layout);
    const QTransform turn =
        RotationTransform(graphic.text_rotation, static_cast<float>(box.center().x()),
                          static_cast<float>(box.center().y()));

    if (style.Drawing_Shadow)
        drawShadow(painter, *layout, topLeft, turn, shadowStyle(style));
    painter.save();
    painter.setTransform(turn, true);
    painter.setPen(graphic.Text_Color_Value());
    layout->draw(painter, topLeft);
    painter.restore();

    strokeElementPath(painter, graphic, outline);
}

}  // namespace

void SKTText::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    if (!ctrl_is_visible)
        return;
    if (isBeingCreateOrEdited)
        frameBeingCreated(painter, _bounds);
    else
        drawTextBox(painter, *this);
    cardHost().Refresh_Canvas();
}
