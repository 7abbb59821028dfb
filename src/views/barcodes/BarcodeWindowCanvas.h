#pragma once
// What the barcode window asks of the card being edited: the canvas redrawn when a series or
// column entry is chosen, and the element the window was opened on made the side's current
// element again after Cancel. The main window answers; without it nothing is asked.
class SKTGraphic;

class BarcodeWindowCanvas {
public:
    virtual ~BarcodeWindowCanvas() = default;
    virtual void Refresh_Canvas() = 0;
    // The element, when it stands on the side being edited, becomes its current element.
    virtual void Set_Selected_Graphic(const SKTGraphic& element) = 0;
};
