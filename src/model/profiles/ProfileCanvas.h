#pragma once
// What the card-holder fills need of a side's canvas and of the window around it. The main
// window gives its canvases; the tests give a canvas of their own.
#include <QRectF>
#include <QString>

#include "model/SKTGraphic.h"

class ProfileCanvas {
public:
    virtual ~ProfileCanvas() = default;
    // The first element that is exactly a text or picture element with this identifier.
    virtual GraphicPtr Selcect_Ctrl_With_ID(const QString& ctrlId) const = 0;
    // Shows the found element with the value, or creates one (a text at the rect's corner, a
    // picture over the whole rect); either becomes the selected element.
    virtual void ReplaceGraphicText(GraphicKind kind, bool use_rect, const QRectF& bound_rect,
                                    const QString& ctrl_value, const QString& ctrl_ID) = 0;
    // Creates an element unless one with the identifier exists.
    virtual void createGraphicOfClass(GraphicKind kind, const QRectF& bound_rect, const QString& ctrl_value,
                                      const QString& ctrl_ID) = 0;
    // Selects the first element of any kind with the identifier, or none.
    virtual void Set_Selection_Index_According_ID(const QString& ctrlId) = 0;
    virtual GraphicPtr selectedGraphic() const = 0;
    // Hides the profile's text elements and captions, not the photo.
    virtual void Hide_all_Text_control_FUP_Control() = 0;
    virtual void Set_Selected_Control_Tool(int tool) = 0;
    virtual void Insert_In_Undo_Redo() = 0;
};
