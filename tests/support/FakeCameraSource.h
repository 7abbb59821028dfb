#pragma once
// A camera for tests: a list of made-up devices, and frames pushed by the test (from any thread)
// that count how often they are converted and released.
#include <QColor>
#include <QImage>
#include <QMutex>
#include <QSet>
#include <atomic>

#include "photos/CameraSource.h"

struct FrameLedger {
    std::atomic<int> converted{0};
    std::atomic<int> released{0};
    QMutex lock;
    QList<int> releasedIds;  // in order; an id twice means a double release
};

class FakeFrame final : public CameraFrame {
public:
    FakeFrame(int id, QImage picture, FrameLedger& ledger) : id_(id), picture_(std::move(picture)), ledger_(ledger) {}
    ~FakeFrame() override
    {
        ++ledger_.released;
        const QMutexLocker locker(&ledger_.lock);
        ledger_.releasedIds.append(id_);
    }
    QImage toImage() const override
    {
        ++ledger_.converted;
        return picture_;
    }

private:
    int id_;
    QImage picture_;
    FrameLedger& ledger_;
};

class FakeCameraSource : public CameraSource {
public:
    QList<CameraDevice> devices;
    QString refuseWith;  // a start fails with this reason when set
    QString startedId;
    FrameLedger ledger;

    QList<CameraDevice> cameras() const override { return devices; }
    QString start(const QString& id, FrameHandler frames, LostHandler lost) override
    {
        if (!refuseWith.isEmpty())
            return refuseWith;
        startedId = id;
        frames_ = std::move(frames);
        lost_ = std::move(lost);
        return {};
    }
    void stop() override
    {
        frames_ = nullptr;
        lost_ = nullptr;
    }
    bool isRunning() const override { return bool(frames_); }

    // A frame of one colour; dropped like a real one would be when the camera is not running.
    void push(int id, QColor colour, QSize size = {64, 48})
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        auto frame = std::make_unique<FakeFrame>(id, picture, ledger);
        if (frames_)
            frames_(std::move(frame));
    }
    // A frame that arrives after stop, as one already on its way from the camera's thread would.
    FrameHandler handler() const { return frames_; }
    void unplug(const QString& reason)
    {
        LostHandler lost = std::move(lost_);
        stop();
        if (lost)
            lost(reason);
    }

private:
    FrameHandler frames_;
    LostHandler lost_;
};
