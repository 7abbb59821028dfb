#pragma once
// Where live frames come from: the cameras that are connected and the one that is running. The
// real one sits on the platform's video capture; tests drive a scripted one.
#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "photos/CameraFrame.h"

struct CameraDevice {
    QString id;    // stays the same while the camera is connected
    QString name;  // shown to the user
};

class CameraSource {
public:
    // Called on whatever thread the frames arrive on.
    using FrameHandler = std::function<void(std::unique_ptr<CameraFrame>)>;
    // Called on the thread that started the camera, with the reason the camera went away.
    using LostHandler = std::function<void(const QString& reason)>;

    virtual ~CameraSource() = default;
    virtual QList<CameraDevice> cameras() const = 0;
    // Opens the camera and starts its frames; the reason when it cannot, else empty.
    virtual QString start(const QString& id, FrameHandler frames, LostHandler lost) = 0;
    // No handler is called once this has returned.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
};
