#pragma once
// The barcode settings window as the rest of the program reaches it. The window edits a copy of
// an element, modally; until the window itself is built, a stand-in says that it is not there.
#include "model/SKTGraphic.h"

class BarcodeWindow {
public:
    virtual ~BarcodeWindow() = default;
    // Runs the window on a copy of the element. On OK: the copy holding the chosen settings, the
    // picture made from them left in Barcode_output_image; on Cancel: null.
    virtual GraphicPtr Open_Wnd(const SKTGraphic& element) = 0;
};

// The window in use: the stand-in until another is installed.
BarcodeWindow& barcodeWindow();
// Installs a window (not owned); nullptr restores the stand-in.
void setBarcodeWindow(BarcodeWindow* window);
