#pragma once
// What the card model asks of the main window controller. The controller implements it once it
// exists; until then, and in tests, a stand-in answers.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include "canvas/model/CardFont.h"

class Card_Property;
class SKTGraphic;
class SKTImage;

class CardHost {
public:
    virtual ~CardHost() = default;

    // Bounds of the front canvas view: the whole card, used for both sides.
    virtual QRectF frontCanvasBounds() const = 0;
    // Shows an element's position and size in the inspector (called on the GUI thread only).
    virtual void Set_Control_Pos_And_Size(SKTGraphic& graphic) = 0;
    // The cascading position for a new or pasted element of side "F" or "B".
    virtual QPointF Control_New_Point(const QString& side) = 0;
    // The next free extra picture identifier ("F_Pic%d").
    virtual QString Generate_Extra_image_control_ID() = 0;
    // The font and colour new text elements take.
    virtual CardFont All_Text_font() const = 0;
    virtual QColor All_Text_clr() const = 0;

    // Marks the canvas of the side being edited for redisplay. A request made while that canvas
    // paints, or off the GUI thread, is ignored. The stand-in does nothing.
    virtual void Refresh_Canvas() {}
    // The picture of an image element with its settings applied by the picture filter chain,
    // turned within its box; null when the element has no picture.
    virtual QImage Get_Image_With_Update_Settings(SKTImage& image);
    // The card settings of side 0 (front) or any other (back). The stand-in answers defaults.
    virtual const Card_Property& cardProperty(int side) const;
    // What a render of the live state draws with: the side being edited (0 front, 1 back) and the
    // card's outline (0 rectangle, 1 rounded rectangle, 2 ellipse). The stand-in answers the front
    // and the rectangle.
    virtual int sideInForce() const { return 0; }
    virtual int cardOutline() const { return 0; }
};

// Held while a canvas paints on the GUI thread: redisplay requests that the drawing itself makes
// are ignored, so a paint never schedules another paint.
class CanvasPaintScope {
public:
    CanvasPaintScope();
    ~CanvasPaintScope();
    CanvasPaintScope(const CanvasPaintScope&) = delete;
    CanvasPaintScope& operator=(const CanvasPaintScope&) = delete;
    static bool isActive();
};

// The host in use: a built-in stand-in (a 243 x 154 point card, no inspector) until another is
// installed.
CardHost& cardHost();
// Installs a host (not owned); nullptr restores the stand-in.
void setCardHost(CardHost* host);
