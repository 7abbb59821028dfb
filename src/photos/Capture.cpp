#include "photos/Capture.h"

#include <QMetaObject>

Capture::Capture(const QString& callFrom, QObject* parent) : QObject(parent), call_from_(callFrom) {}

Capture::~Capture() = default;

void Capture::deliver(std::unique_ptr<CameraFrame> frame)
{
    if (stopped_)
        return;
    std::unique_ptr<CameraFrame> replaced;
    bool showQueued = false;
    {
        const QMutexLocker locker(&lock_);
        replaced = std::move(currentImage_);
        currentImage_ = std::move(frame);
        ++count_;
        // A frame already pending has its showing queued; one queued call serves any number.
        showQueued = replaced != nullptr;
    }
    // The replaced frame is released here, outside the lock.
    if (!showQueued)
        QMetaObject::invokeMethod(this, &Capture::save, Qt::QueuedConnection);
}

void Capture::save()
{
    std::unique_ptr<CameraFrame> frame;
    {
        const QMutexLocker locker(&lock_);
        frame = std::move(currentImage_);
    }
    // Converting outside the lock keeps the camera's thread from waiting on it.
    if (!frame || stopped_)
        return;
    final_image_ = frame->toImage();
    {
        const QMutexLocker locker(&lock_);
        ++converted_;
    }
    frame.reset();
    Q_EMIT frameShown(final_image_);
}

void Capture::setStopped(bool stopped)
{
    stopped_ = stopped;
    if (!stopped)
        return;
    std::unique_ptr<CameraFrame> dropped;
    const QMutexLocker locker(&lock_);
    dropped = std::move(currentImage_);
}

int Capture::count() const
{
    const QMutexLocker locker(&lock_);
    return count_;
}

int Capture::converted() const
{
    const QMutexLocker locker(&lock_);
    return converted_;
}

bool Capture::hasPending() const
{
    const QMutexLocker locker(&lock_);
    return currentImage_ != nullptr;
}
