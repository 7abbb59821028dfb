#pragma once
// What the barcode window asks of the card being edited: the canvas redrawn when a series or
// column entry is chosen, the element the window was opened on made the side's current element
// again after Cancel, and the record whose column values the card shows. The main window answers;
// without it nothing is asked and the card shows the first record.
class SKTGraphic;

class BarcodeWindowCanvas {
public:
    virtual ~BarcodeWindowCanvas() = default;
    virtual void Refresh_Canvas() = 0;
    // The element, when it stands on the side being edited, becomes its current element.
    virtual void Set_Selected_Graphic(const SKTGraphic& element) = 0;
    // The spreadsheet row (0 the first) whose values the card shows.
    virtual int recordOnCard() const { return 0; }
};
