// The frame receiver: only the newest frame is converted and shown, every frame is released once,
// and nothing is shown once the camera is stopped.
#include <QCoreApplication>
#include <QList>
#include <gtest/gtest.h>
#include <thread>

#include "photos/Capture.h"
#include "support/FakeCameraSource.h"

namespace {

std::unique_ptr<CameraFrame> frameOf(int id, QColor colour, FrameLedger& ledger)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(colour);
    return std::make_unique<FakeFrame>(id, picture, ledger);
}

}  // namespace

TEST(CaptureTest, ThreeFramesBeforeARepaintShowOnlyTheThirdAndReleaseEachOnce)
{
    FrameLedger ledger;
    QList<QRgb> shown;
    {
        Capture capture(QStringLiteral("CAM"));
        QObject::connect(&capture, &Capture::frameShown, [&](const QImage& picture) { shown.append(picture.pixel(0, 0)); });
        // Delivered on the camera's own thread, as the platform does.
        std::thread camera([&] {
            capture.deliver(frameOf(1, Qt::red, ledger));
            capture.deliver(frameOf(2, Qt::green, ledger));
            capture.deliver(frameOf(3, Qt::blue, ledger));
        });
        camera.join();
        EXPECT_EQ(ledger.releasedIds, (QList<int>{1, 2}));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(shown, (QList<QRgb>{qRgb(0, 0, 255)}));
        EXPECT_EQ(capture.count(), 3);
        EXPECT_EQ(capture.converted(), 1);
        EXPECT_EQ(ledger.converted, 1);
        EXPECT_EQ(capture.final_image().pixel(0, 0), qRgb(0, 0, 255));
        EXPECT_EQ(capture.call_from(), QStringLiteral("CAM"));
        // Later repaints find nothing pending.
        capture.save();
        EXPECT_EQ(shown.size(), 1);
    }
    EXPECT_EQ(ledger.releasedIds, (QList<int>{1, 2, 3}));
}

TEST(CaptureTest, AFrameAfterStopIsReleasedUnshown)
{
    FrameLedger ledger;
    int shown = 0;
    Capture capture(QStringLiteral("CROP"));
    QObject::connect(&capture, &Capture::frameShown, [&] { ++shown; });
    capture.deliver(frameOf(1, Qt::red, ledger));
    QCoreApplication::processEvents();
    ASSERT_EQ(shown, 1);

    // One pending when the stop comes, one more arriving after it.
    capture.deliver(frameOf(2, Qt::green, ledger));
    capture.setStopped(true);
    capture.deliver(frameOf(3, Qt::blue, ledger));
    QCoreApplication::processEvents();
    capture.save();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(ledger.converted, 1);
    EXPECT_EQ(ledger.releasedIds, (QList<int>{1, 2, 3}));
    EXPECT_EQ(capture.final_image().pixel(0, 0), qRgb(255, 0, 0));
}
