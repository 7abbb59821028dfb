// The camera window on a real (virtual) X server with the scripted camera: a live frame on the
// left, the still taken before it adjusted in the middle with a selection drawn on it.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "photos/SelectionCanvasModel.h"
#include "support/FakeCameraSource.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/photos/Camera.h"
#include "views/photos/SelectionCanvasWidget.h"

namespace {

// A desk scene: a sky-to-floor gradient, a head and shoulders, a badge with the frame's number.
QImage deskScene(int number)
{
    QImage frame(1280, 720, QImage::Format_RGB32);
    QPainter painter(&frame);
    QLinearGradient sky(0, 0, 0, 720);
    sky.setColorAt(0, QColor(120, 170, 220));
    sky.setColorAt(1, QColor(60, 70, 90));
    painter.fillRect(frame.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(40, 60, 110));
    painter.drawEllipse(QRectF(420, 430, 440, 420));
    painter.setBrush(QColor(230, 190, 160));
    painter.drawEllipse(QRectF(540, 160, 200, 260));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(60, 60, 220, 90));
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 36));
    painter.drawText(QRectF(60, 60, 220, 90), Qt::AlignCenter, QStringLiteral("#%1").arg(number));
    return frame;
}

void push(FakeCameraSource& source, int number)
{
    auto frame = std::make_unique<FakeFrame>(number, deskScene(number), source.ledger);
    if (const CameraSource::FrameHandler handler = source.handler())
        handler(std::move(frame));
}

}  // namespace

TEST(CameraScreenshots, LiveViewStillAdjustedAndASelection)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QDir artifacts(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR));
    QDir().mkpath(artifacts.path());
    QTemporaryDir work;
    FakeCameraSource source;
    source.devices = {{QStringLiteral("usb-1"), QStringLiteral("Desk Camera (scripted)")}};
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    Camera window(source, {[&work] { return work.path(); }, {}, {}});
    window.prepareToOpen();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    window.Start_Btn_Clicked();
    push(source, 1);
    QCoreApplication::processEvents();
    window.Capture_Btn_Clicked();
    window.findChild<QSlider*>(QStringLiteral("Sat_slidr"))->setValue(40);
    window.findChild<QSlider*>(QStringLiteral("Brt_slidr"))->setValue(10);
    const QSizeF ratio = window.originalImageRatio();
    window.canvas().model().addSelectorWithFrame(
        QRectF(480 * ratio.width(), 120 * ratio.height(), 320 * ratio.width(), 420 * ratio.height()));
    window.canvas().update();
    // Live again behind the still, as a user taking a second picture sees it.
    window.Start_Btn_Clicked();
    for (int number = 2; number <= 4; ++number)
        push(source, number);
    QTest::qWait(150);
    EXPECT_EQ(source.ledger.converted, 2);
    EXPECT_TRUE(window.grab().toImage().save(artifacts.filePath(QStringLiteral("camera_window.png"))));
    EXPECT_TRUE(messages.texts().isEmpty());
    window.Cancel_Btn_Clicked();
}
