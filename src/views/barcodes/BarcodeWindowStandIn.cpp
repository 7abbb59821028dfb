#include "views/barcodes/BarcodeWindowStandIn.h"

#include "platform/MessageBoxes.h"

GraphicPtr BarcodeWindowStandIn::Open_Wnd(const SKTGraphic&)
{
    Show_MessageBox(kBarcodeWindowNotAvailableMessage);
    return nullptr;
}
