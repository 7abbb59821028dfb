#pragma once
// The receiver of a running camera's frames. Frames arrive on the camera's thread faster than the
// window may show them; only the newest is kept, under a lock, and turned into a picture when the
// window's thread gets to it. A frame replaced before it was shown is dropped unconverted.
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

#include "photos/CameraFrame.h"

class Capture : public QObject {
    Q_OBJECT
public:
    // callFrom names the window the frames are for ("CAM" or "CROP").
    explicit Capture(const QString& callFrom, QObject* parent = nullptr);
    ~Capture() override;

    // Any thread: the frame becomes the pending one and showing it is queued on the receiver's
    // thread. Dropped at once while stopped.
    void deliver(std::unique_ptr<CameraFrame> frame);
    // Receiver's thread: converts the pending frame, keeps it as final_image() and emits
    // frameShown. Does nothing with nothing pending or while stopped.
    void save();

    // Once stopped, frames still on their way are never shown.
    void setStopped(bool stopped);
    bool stopped() const { return stopped_; }

    QImage final_image() const { return final_image_; }
    QString call_from() const { return call_from_; }
    int count() const;      // frames received
    int converted() const;  // frames turned into pictures
    bool hasPending() const;

Q_SIGNALS:
    void frameShown(const QImage& picture);

private:
    mutable QMutex lock_;
    std::unique_ptr<CameraFrame> currentImage_;
    int count_ = 0;
    int converted_ = 0;
    std::atomic<bool> stopped_{false};
    QImage final_image_;
    QString call_from_;
};
