#include "views/photos/PhotoWindowsStandIn.h"

#include "platform/MessageBoxes.h"

int PhotoWindowsStandIn::Open_Wnd()
{
    Show_MessageBox(kCameraNotAvailableMessage);
    return 0;
}

int PhotoWindowsStandIn::Open_Library_Window(const QString&)
{
    Show_MessageBox(kLibraryNotAvailableMessage);
    return 0;
}

int PhotoWindowsStandIn::Open_Crop_Wnd()
{
    Show_MessageBox(kCroppingNotAvailableMessage);
    return 0;
}

int PhotoWindowsStandIn::Open_Wnd_Direct_To_Crop(const QString&)
{
    Show_MessageBox(kCroppingNotAvailableMessage);
    return 0;
}

int PhotoWindowsStandIn::Open_Wnd_Direct_Crop_Series(const QString&)
{
    Show_MessageBox(kCroppingNotAvailableMessage);
    return 0;
}

int PhotoWindowsStandIn::Open_Wnd_Direct_Excel_Column(const QString&, int)
{
    Show_MessageBox(kCroppingNotAvailableMessage);
    return 0;
}
