#pragma once
// What answers for the barcode settings window until it is built: it says so and changes nothing.
#include "views/barcodes/BarcodeWindow.h"

inline const QString kBarcodeWindowNotAvailableMessage = QStringLiteral("The barcode window is not available yet.");

class BarcodeWindowStandIn : public BarcodeWindow {
public:
    GraphicPtr Open_Wnd(const SKTGraphic& element) override;
};
