#include "views/barcodes/BarcodeWindow.h"

#include "views/barcodes/BarcodeWindowStandIn.h"

namespace {

BarcodeWindow* installedWindow = nullptr;

}  // namespace

BarcodeWindow& barcodeWindow()
{
    static BarcodeWindowStandIn standIn;
    return installedWindow != nullptr ? *installedWindow : standIn;
}

void setBarcodeWindow(BarcodeWindow* window)
{
    installedWindow = window;
}
