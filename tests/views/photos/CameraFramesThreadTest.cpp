// Live frames as a camera delivers them, from a thread of its own: the camera window and the
// cropping tool show the newest one, set from the GUI thread, and no widget is made or picture of
// the screen used on the camera's thread (the test application fails such a test).
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

#include "photos/Capture.h"
#include "platform/AppContext.h"
#include "support/FakeCameraSource.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/photos/Camera.h"
#include "views/photos/Cropping_Tool.h"

namespace {

constexpr int kFrames = 30;

// Frames 1 to kFrames from a thread of the camera's own, the last one blue, the others red.
void pushFromCameraThread(FakeCameraSource& source)
{
    std::thread camera([&source] {
        for (int id = 1; id <= kFrames; ++id)
            source.push(id, id == kFrames ? Qt::blue : Qt::red);
    });
    camera.join();
}

// The thread the receiver shows its frames on, once they have all been dealt with; and the
// colour in the middle of the label showing them.
struct Shown {
    QThread* thread = nullptr;
    QColor middle;
};

Shown showAll(FakeCameraSource& source, Capture& receiver, const QLabel& live)
{
    Shown shown;
    QObject::connect(&receiver, &Capture::frameShown, &receiver, [&shown] { shown.thread = QThread::currentThread(); },
                     Qt::DirectConnection);
    pushFromCameraThread(source);
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.ledger.released == kFrames; }, 5000));
    const QImage picture = live.pixmap().toImage();
    shown.middle = picture.isNull() ? QColor() : picture.pixelColor(picture.width() / 2, picture.height() / 2);
    return shown;
}

class CameraFramesThread : public ::testing::Test {
protected:
    void SetUp() override { source.devices = {{QStringLiteral("usb-1"), QStringLiteral("Desk Camera")}}; }

    QTemporaryDir work;
    FakeCameraSource source;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
};

}  // namespace

TEST_F(CameraFramesThread, TheCameraWindowShowsTheNewestFrameFromTheGuiThread)
{
    Camera window{source, {[this] { return work.path(); }, [this] { return work.path(); }, [](const QString&) {}}};
    window.prepareToOpen();
    window.Start_Btn_Clicked();
    ASSERT_NE(window.capture(), nullptr);
    const Shown shown = showAll(source, *window.capture(), *window.findChild<QLabel*>(QStringLiteral("capture_image")));
    EXPECT_EQ(shown.thread, qApp->thread());
    EXPECT_EQ(shown.middle, QColor(Qt::blue));
    EXPECT_GE(source.ledger.converted, 1);
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(CameraFramesThread, TheCroppingToolsLiveViewShowsTheNewestFrameFromTheGuiThread)
{
    Data_Folder_Path = work.filePath(QStringLiteral("DataSet"));
    Cropping_Tool tool{{{QStringLiteral("png")}, {}, &source}};
    Shown shown;
    dialogs.queueHook([&](QDialog&) {
        tool.findChild<QRadioButton*>(QStringLiteral("input_camera_radio"))->click();
        tool.findChild<QLineEdit*>(QStringLiteral("output_path"))->setText(work.filePath(QStringLiteral("out")));
        tool.OK_Btn_Clicked();
        ASSERT_NE(tool.capture(), nullptr);
        shown = showAll(source, *tool.capture(), *tool.findChild<QLabel*>(QStringLiteral("capture_image")));
        tool.Cancel_Btn_Clicked();
    });
    tool.Open_Wnd();
    EXPECT_EQ(shown.thread, qApp->thread());
    EXPECT_EQ(shown.middle, QColor(Qt::blue));
    EXPECT_EQ(messages.texts(), QStringList());
}
