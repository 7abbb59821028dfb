#pragma once
// The cameras of this computer through Qt Multimedia: the list of video inputs, and one camera
// running at a time whose frames go to the handler from the thread the video sink delivers on.
// A camera unplugged while it runs is reported once and stopped.
#include <QObject>
#include <memory>

#include "photos/CameraSource.h"

class QCamera;
class QMediaCaptureSession;
class QMediaDevices;
class QVideoFrame;
class QVideoSink;

// A frame from the video sink, kept as it came; converted only by toImage().
std::unique_ptr<CameraFrame> cameraFrameOf(const QVideoFrame& frame);

class QtCameraSource : public QObject, public CameraSource {
    Q_OBJECT
public:
    explicit QtCameraSource(QObject* parent = nullptr);
    ~QtCameraSource() override;

    QList<CameraDevice> cameras() const override;
    QString start(const QString& id, FrameHandler frames, LostHandler lost) override;
    void stop() override;
    bool isRunning() const override;

private:
    struct Relay;
    void cameraGone(const QString& reason);
    void cameraGoneLater(const QString& reason);

    std::unique_ptr<QMediaDevices> devices_;
    std::unique_ptr<QMediaCaptureSession> session_;
    std::unique_ptr<QCamera> camera_;
    std::unique_ptr<QVideoSink> sink_;
    std::shared_ptr<Relay> relay_;
    LostHandler lost_;
    QString runningId_;
    int started_ = 0;  // counts the starts, so a late report finds its own camera gone
};
