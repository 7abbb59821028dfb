#pragma once
// The seams between the card model and the main window controller.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include "model/CardFont.h"

class Card_Property;
class SKTGraphic;
class SKTImage;

// The card the elements stand on.
class CardSurface {
public:
    virtual ~CardSurface() = default;
    // Bounds of the front canvas view: the whole card, used for both sides.
    virtual QRectF frontCanvasBounds() const = 0;
    // The card settings of side 0 (front) or any other (back).
    virtual const Card_Property& cardProperty(int side) const = 0;
    // The card's outline: 0 rectangle, 1 rounded rectangle, 2 ellipse.
    virtual int cardOutline() const = 0;
};

// Where new and pasted elements go and what they start with.
class NewElementDefaults {
public:
    virtual ~NewElementDefaults() = default;
    // The cascading position for a new or pasted element of side "F" or "B".
    virtual QPointF Control_New_Point(const QString& side) = 0;
    // The next free extra picture identifier ("F_Pic%d").
    virtual QString Generate_Extra_image_control_ID() = 0;
    // The font and colour new text elements take.
    virtual CardFont All_Text_font() const = 0;
    virtual QColor All_Text_clr() const = 0;
};

// What shows the elements to the user: the canvas and the inspector's position fields.
class ElementDisplay {
public:
    virtual ~ElementDisplay() = default;
    // Marks the canvas of the side being edited for redisplay. A request made while that canvas
    // paints, or off the GUI thread, is ignored.
    virtual void Refresh_Canvas() = 0;
    // Shows an element's position and size in the inspector (called on the GUI thread only).
    virtual void Set_Control_Pos_And_Size(SKTGraphic& graphic) = 0;
};

// The picture of an image element as its settings show it.
class PictureAdjustment {
public:
    virtual ~PictureAdjustment() = default;
    // The picture with its settings applied by the picture filter chain, turned within its box;
    // null when the element has no picture (imageWithSettingsApplied does the work).
    virtual QImage Get_Image_With_Update_Settings(SKTImage& image) = 0;
    // Puts the picture page's controls back to their neutral settings, as a new picture element
    // asks; a host without that page has nothing to reset.
    virtual void Reset_Image_Editing_Controls() {}
};

// What the card model asks of the main window controller, one concern per interface. The
// controller implements it; until it exists, and in tests and tools, a stand-in answers.
class CardHost : public CardSurface, public NewElementDefaults, public ElementDisplay, public PictureAdjustment {
};

// The host's picture page back to neutral settings for a picture element just made: on the GUI
// thread only, where the page lives.
void resetPicturePageForNewPicture();
// The element's picture run through the filter chain with its own settings.
QImage imageWithSettingsApplied(const SKTImage& image);
// Default card settings of side 0 (front) or any other (back, side name "B").
const Card_Property& defaultCardProperty(int side);

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
