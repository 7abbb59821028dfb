#pragma once
// The camera window, run modally by the picture page's camera button.
#include <QString>

class CameraWindow {
public:
    virtual ~CameraWindow() = default;
    // 1 when a picture was taken and saved, its file then in Camera_Capture_Image(); anything else
    // means that nothing was taken.
    virtual int Open_Wnd() = 0;
    virtual QString Camera_Capture_Image() const = 0;
};
