#pragma once
// What answers for the barcode settings window until it is built: it says so and changes nothing.
#include "platform/MessageBoxes.h"
#include "views/barcodes/BarcodeWindow.h"

inline const QString kBarcodeWindowNotAvailableMessage = notAvailableYetMessage(QStringLiteral("The barcode window"));

class BarcodeWindowStandIn : public BarcodeWindow {
public:
    GraphicPtr Open_Wnd(const SKTGraphic& element) override;
};
