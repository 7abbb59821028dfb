#include "views/photos/PhotoWindows.h"

#include "views/photos/PhotoWindowsStandIn.h"

namespace {

PhotoWindowsStandIn& standIn()
{
    static PhotoWindowsStandIn windows;
    return windows;
}

CameraWindow* installedCamera = nullptr;
PictureLibraryWindow* installedLibrary = nullptr;
CroppingTool* installedCropping = nullptr;

}  // namespace

CameraWindow& cameraWindow()
{
    return installedCamera ? *installedCamera : standIn();
}

PictureLibraryWindow& pictureLibraryWindow()
{
    return installedLibrary ? *installedLibrary : standIn();
}

CroppingTool& croppingTool()
{
    return installedCropping ? *installedCropping : standIn();
}

void setPhotoWindows(CameraWindow* camera, PictureLibraryWindow* library, CroppingTool* cropping)
{
    installedCamera = camera;
    installedLibrary = library;
    installedCropping = cropping;
}
