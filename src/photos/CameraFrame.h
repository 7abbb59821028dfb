#pragma once
// One frame as a camera delivered it, still in the camera's own pixel format. Turning it into a
// picture costs time, so that happens only for the frames that are actually shown.
#include <QImage>

class CameraFrame {
public:
    virtual ~CameraFrame() = default;
    virtual QImage toImage() const = 0;
};
