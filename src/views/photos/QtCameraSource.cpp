#include "views/photos/QtCameraSource.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMutex>
#include <QVideoFrame>
#include <QVideoSink>

namespace {

// The frame as the sink handed it over; mapping and converting wait until it is shown.
class VideoFrame final : public CameraFrame {
public:
    explicit VideoFrame(const QVideoFrame& frame) : frame_(frame) {}
    QImage toImage() const override { return frame_.toImage(); }

private:
    QVideoFrame frame_;
};

}  // namespace

std::unique_ptr<CameraFrame> cameraFrameOf(const QVideoFrame& frame)
{
    return std::make_unique<VideoFrame>(frame);
}

// The sink may deliver on its own thread while stop() runs on the window's; the handler is
// swapped out under this lock so that nothing reaches it after stop() returns.
struct QtCameraSource::Relay {
    QMutex lock;
    FrameHandler frames;

    void deliver(const QVideoFrame& frame)
    {
        const QMutexLocker locker(&lock);
        if (frames && frame.isValid())
            frames(cameraFrameOf(frame));
    }
};

QtCameraSource::QtCameraSource(QObject* parent) : QObject(parent) {}

QtCameraSource::~QtCameraSource()
{
    stop();
}

QList<CameraDevice> QtCameraSource::cameras() const
{
    QList<CameraDevice> found;
    for (const QCameraDevice& device : QMediaDevices::videoInputs())
        found.append({QString::fromLatin1(device.id()), device.description()});
    return found;
}

QString QtCameraSource::start(const QString& id, FrameHandler frames, LostHandler lost)
{
    stop();
    QCameraDevice chosen;
    for (const QCameraDevice& device : QMediaDevices::videoInputs()) {
        if (QString::fromLatin1(device.id()) == id)
            chosen = device;
    }
    if (chosen.isNull())
        return tr("The camera is no longer connected.");
    relay_ = std::make_shared<Relay>();
    relay_->frames = std::move(frames);
    lost_ = std::move(lost);
    runningId_ = id;
    ++started_;
    camera_ = std::make_unique<QCamera>(chosen);
    sink_ = std::make_unique<QVideoSink>();
    session_ = std::make_unique<QMediaCaptureSession>();
    session_->setCamera(camera_.get());
    session_->setVideoSink(sink_.get());
    // Direct: the frame is only wrapped here, on the delivering thread; the receiver queues it.
    connect(sink_.get(), &QVideoSink::videoFrameChanged, sink_.get(),
            [relay = relay_](const QVideoFrame& frame) { relay->deliver(frame); }, Qt::DirectConnection);
    connect(camera_.get(), &QCamera::errorOccurred, this, [this](QCamera::Error error, const QString& text) {
        if (error != QCamera::NoError)
            cameraGoneLater(text.isEmpty() ? tr("The camera stopped working.") : text);
    });
    // Made with the first camera started: it brings up the media back end, which the many runs
    // that never use a camera should not pay for at start-up.
    if (!devices_)
        devices_ = std::make_unique<QMediaDevices>();
    connect(devices_.get(), &QMediaDevices::videoInputsChanged, this, [this] {
        for (const CameraDevice& device : cameras()) {
            if (device.id == runningId_)
                return;
        }
        cameraGoneLater(tr("The camera was disconnected."));
    });
    camera_->start();
    if (camera_->error() != QCamera::NoError) {
        const QString reason = camera_->errorString();
        stop();
        return reason.isEmpty() ? tr("The camera could not be opened.") : reason;
    }
    return {};
}

void QtCameraSource::cameraGoneLater(const QString& reason)
{
    // Not inside the camera's own signal, which stopping would delete it under; and only for the
    // camera that reported it, not one started since.
    QMetaObject::invokeMethod(this, [this, reason, started = started_] {
        if (started == started_)
            cameraGone(reason);
    }, Qt::QueuedConnection);
}

void QtCameraSource::cameraGone(const QString& reason)
{
    if (!camera_)
        return;
    LostHandler lost = std::move(lost_);
    stop();
    if (lost)
        lost(reason);
}

void QtCameraSource::stop()
{
    if (relay_) {
        const QMutexLocker locker(&relay_->lock);
        relay_->frames = nullptr;
    }
    if (devices_)
        disconnect(devices_.get(), nullptr, this, nullptr);
    if (camera_) {
        camera_->disconnect(this);
        camera_->stop();
    }
    session_.reset();
    sink_.reset();
    camera_.reset();
    relay_.reset();
    lost_ = nullptr;
    runningId_.clear();
}

bool QtCameraSource::isRunning() const
{
    return camera_ && camera_->isActive();
}
