#pragma once
// The photo windows in use: the camera, the picture library and the cropping tool. Until they are
// built the stand-in answers for each: it says the window is not available yet and that nothing
// was chosen. Tests install scripted ones.
class CameraWindow;
class CroppingTool;
class PictureLibraryWindow;

CameraWindow& cameraWindow();
PictureLibraryWindow& pictureLibraryWindow();
CroppingTool& croppingTool();
// Installs the windows (not owned); a nullptr puts the stand-in back for that one.
void setPhotoWindows(CameraWindow* camera, PictureLibraryWindow* library, CroppingTool* cropping);
