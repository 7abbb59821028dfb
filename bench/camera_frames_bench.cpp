// Live camera frames through the camera window: 720p NV12 frames, as webcams deliver them, come
// from a thread of their own at 30 frames a second into a window whose GUI thread is now and then
// held up. Counts the frames delivered and the frames converted (only the newest is converted),
// and the GUI thread's time per shown frame, from the start of the conversion until the live view
// holds it (target 10 ms). The ratio compares that with the bare conversion and scaling of one
// frame, the least any window could do.
//   bench_camera_frames [seconds]
#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <thread>

#include "photos/Capture.h"
#include "views/photos/Camera.h"
#include "views/photos/QtCameraSource.h"
#include "BenchSupport.h"

namespace {

constexpr QSize k720p(1280, 720);
constexpr double kTargetMs = 10;

// A moving NV12 picture: luma ramps that shift with the frame number, flat chroma.
QVideoFrame nv12Frame(int number)
{
    QVideoFrame frame(QVideoFrameFormat(k720p, QVideoFrameFormat::Format_NV12));
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < k720p.height(); ++y) {
        uchar* line = frame.bits(0) + y * frame.bytesPerLine(0);
        for (int x = 0; x < k720p.width(); ++x)
            line[x] = uchar((x + y + number * 8) & 0xff);
    }
    for (int y = 0; y < k720p.height() / 2; ++y)
        memset(frame.bits(1) + y * frame.bytesPerLine(1), 128, k720p.width());
    frame.unmap();
    return frame;
}

// The frame as it came, timing its own conversion on the GUI thread.
class TimedFrame final : public CameraFrame {
public:
    TimedFrame(QVideoFrame frame, std::atomic<qint64>& conversionStart, const QElapsedTimer& clock)
        : inner_(cameraFrameOf(frame)), conversionStart_(conversionStart), clock_(clock)
    {
    }
    QImage toImage() const override
    {
        conversionStart_ = clock_.nsecsElapsed();
        return inner_->toImage();
    }

private:
    std::unique_ptr<CameraFrame> inner_;
    std::atomic<qint64>& conversionStart_;
    const QElapsedTimer& clock_;
};

// One camera that plays a list of prepared frames at a steady rate from its own thread.
class PlayedCamera : public CameraSource {
public:
    PlayedCamera(QList<QVideoFrame> frames, std::atomic<qint64>& conversionStart, const QElapsedTimer& clock)
        : frames_(std::move(frames)), conversionStart_(conversionStart), clock_(clock)
    {
    }
    ~PlayedCamera() override { stop(); }
    QList<CameraDevice> cameras() const override { return {{QStringLiteral("bench"), QStringLiteral("Bench camera")}}; }
    QString start(const QString&, FrameHandler handler, LostHandler) override
    {
        stop();
        running_ = true;
        player_ = std::thread([this, handler] {
            auto next = std::chrono::steady_clock::now();
            for (int i = 0; running_ && i < framesToPlay; ++i) {
                handler(std::make_unique<TimedFrame>(frames_[i % frames_.size()], conversionStart_, clock_));
                ++delivered;
                next += std::chrono::microseconds(1000000 / 30);
                std::this_thread::sleep_until(next);
            }
            finished = true;
        });
        return {};
    }
    void stop() override
    {
        running_ = false;
        if (player_.joinable())
            player_.join();
    }
    bool isRunning() const override { return running_; }

    int framesToPlay = 0;
    std::atomic<int> delivered{0};
    std::atomic<bool> finished{false};

private:
    QList<QVideoFrame> frames_;
    std::atomic<qint64>& conversionStart_;
    const QElapsedTimer& clock_;
    std::atomic<bool> running_{false};
    std::thread player_;
};

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    const int seconds = countArgument(argc, argv, 4);
    QTemporaryDir folder;

    QList<QVideoFrame> frames;
    for (int i = 0; i < 8; ++i)
        frames.append(nv12Frame(i));
    QElapsedTimer clock;
    clock.start();
    std::atomic<qint64> conversionStart{0};
    PlayedCamera camera(frames, conversionStart, clock);
    camera.framesToPlay = seconds * 30;
    Camera window(camera, {[&folder] { return folder.path(); }, {}, {}});
    window.prepareToOpen();
    window.show();

    std::vector<double> guiMs;
    window.Start_Btn_Clicked();
    // After the window's own live-view slot: the frame is on the label when this runs.
    QObject::connect(window.capture(), &Capture::frameShown, [&] {
        guiMs.push_back((clock.nsecsElapsed() - conversionStart) / 1e6);
    });
    // The GUI thread is held up 80 ms every half second, as a busy window would be.
    qint64 nextStall = clock.elapsed() + 500;
    while (!camera.finished) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (clock.elapsed() >= nextStall) {
            QThread::msleep(80);
            nextStall += 500;
        }
        QThread::msleep(1);
    }
    QCoreApplication::processEvents();
    const int delivered = camera.delivered;
    const int converted = window.capture()->converted();
    std::printf("camera_frames_720p: %d frames delivered at 30 fps, %d converted and shown, %d dropped unconverted\n",
                delivered, converted, delivered - converted);
    printBudget("camera_frames_720p", "GUI time per shown frame (median)", median(guiMs), kTargetMs, " ms");
    printBudget("camera_frames_720p", "GUI time per shown frame (longest)",
                guiMs.empty() ? 0 : *std::max_element(guiMs.begin(), guiMs.end()), kTargetMs, " ms");
    window.Cancel_Btn_Clicked();

    // One frame handed over and shown through the receiver against its bare conversion and scaling.
    QLabel bareView;
    bareView.resize(480, 360);
    Capture receiver(QStringLiteral("CAM"));
    QLabel shownView;
    shownView.resize(480, 360);
    QObject::connect(&receiver, &Capture::frameShown, [&shownView](const QImage& picture) {
        shownView.setPixmap(QPixmap::fromImage(picture.scaled(shownView.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    });
    int next = 0;
    const BenchSide ours{[&] {
        receiver.deliver(cameraFrameOf(frames[next++ % frames.size()]));
        QCoreApplication::processEvents();
    }};
    const BenchSide peer{[&] {
        const QImage picture = frames[next++ % frames.size()].toImage();
        bareView.setPixmap(QPixmap::fromImage(picture.scaled(bareView.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }};
    const PairedTimings timings = runPairedRounds(Rounds{40, 3, 1}, ours, peer);
    printRatio("camera_frame_shown_720p", timings, "QVideoFrame::toImage and scaling of the same frame, no hand-over");
    return 0;
}
