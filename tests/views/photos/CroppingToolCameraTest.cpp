// The cropping tool's camera source with a scripted camera: the live view, a still cropped into
// the output folder, Resume, and the camera stopped whichever way the window ends.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "photos/Capture.h"
#include "photos/SelectionCanvasModel.h"
#include "photos/Selector.h"
#include "platform/AppContext.h"
#include "support/FakeCameraSource.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/SelectionCanvasWidget.h"

namespace {

class CroppingToolCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Data_Folder_Path = work.filePath(QStringLiteral("DataSet"));
        source.devices = {{QStringLiteral("usb-1"), QStringLiteral("Desk Camera")}};
    }
    template <class Widget>
    Widget& control(const char* name)
    {
        return *tool.findChild<Widget*>(QString::fromLatin1(name));
    }
    // Page 1: the camera into "out" as Snap.png.
    void chooseCamera()
    {
        control<QRadioButton>("input_camera_radio").click();
        control<QLineEdit>("output_path").setText(work.filePath(QStringLiteral("out")));
        control<QLineEdit>("output_custom_name").setText(QStringLiteral("Snap"));
        control<QComboBox>("output_format_combo").setCurrentIndex(2);
        tool.OK_Btn_Clicked();
    }

    QTemporaryDir work;
    FakeCameraSource source;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    Cropping_Tool tool{{{QStringLiteral("png")}, {}, &source}};
};

}  // namespace

TEST_F(CroppingToolCameraTest, AStillFromTheLiveViewIsCroppedIntoTheOutputFolder)
{
    dialogs.queueHook([this](QDialog&) {
        EXPECT_EQ(control<QComboBox>("camera_list").currentText(), QStringLiteral("Desk Camera"));
        chooseCamera();
        ASSERT_EQ(control<QStackedWidget>("pages").currentIndex(), 1);
        EXPECT_EQ(control<QLabel>("Used_Option").text(), QStringLiteral("Crop Picture from Camera"));
        EXPECT_EQ(source.startedId, QStringLiteral("usb-1"));
        EXPECT_FALSE(control<QPushButton>("capture_btn").isEnabled());
        source.push(1, Qt::red, {400, 300});
        source.push(2, QColor(10, 120, 200), {400, 300});
        QCoreApplication::processEvents();
        EXPECT_EQ(source.ledger.converted, 1);
        ASSERT_TRUE(control<QPushButton>("capture_btn").isEnabled());
        control<QPushButton>("capture_btn").click();
        EXPECT_FALSE(source.isRunning());
        EXPECT_EQ(control<QPushButton>("capture_btn").text(), QStringLiteral("Resume"));
        ASSERT_EQ(tool.User_Picture.size(), QSize(400, 300));
        tool.canvas().model().removeAllSelectorsFromCanvas();
        tool.canvas().model().addSelectorWithFrame(QRectF(0, 0, 100, 50));
        tool.Crop_Single_Image_Clicked();
        // Resume goes live again; Cancel stops it.
        control<QPushButton>("capture_btn").click();
        EXPECT_TRUE(source.isRunning());
        tool.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(tool.Open_Wnd(), 0);
    EXPECT_FALSE(source.isRunning());
    EXPECT_EQ(tool.capture(), nullptr);
    EXPECT_EQ(messages.texts(), QStringList());
    const QImage cropped(work.filePath(QStringLiteral("out/Snap.png")));
    ASSERT_EQ(cropped.size(), QSize(100, 50));
    EXPECT_EQ(cropped.pixel(50, 25), qRgb(10, 120, 200));
}

TEST_F(CroppingToolCameraTest, ACameraThatCannotStartKeepsPageOneAndBackStopsTheCamera)
{
    tool.Set_Default_Values();
    source.refuseWith = QStringLiteral("Device busy");
    chooseCamera();
    EXPECT_EQ(control<QStackedWidget>("pages").currentIndex(), 0);
    EXPECT_EQ(messages.texts(), QStringList({"\n[error] Device busy"}));

    source.refuseWith.clear();
    chooseCamera();
    ASSERT_TRUE(source.isRunning());
    tool.Back_Btn_Clicked();
    EXPECT_FALSE(source.isRunning());
    EXPECT_EQ(control<QStackedWidget>("pages").currentIndex(), 0);

    // Back from the camera to a picture file or a folder: no Capture or Resume is left on page 2.
    QImage still(40, 30, QImage::Format_RGB32);
    still.fill(Qt::gray);
    ASSERT_TRUE(QDir().mkpath(work.filePath(QStringLiteral("in"))));
    ASSERT_TRUE(still.save(work.filePath(QStringLiteral("in/a.png"))));
    for (const char* radio : {"input_file_radio", "input_folder_radio"}) {
        control<QRadioButton>(radio).click();
        control<QLineEdit>("file_path").setText(work.filePath(QStringLiteral("in/a.png")));
        control<QLineEdit>("folder_path").setText(work.filePath(QStringLiteral("in")));
        tool.OK_Btn_Clicked();
        ASSERT_EQ(control<QStackedWidget>("pages").currentIndex(), 1) << radio;
        EXPECT_TRUE(control<QPushButton>("capture_btn").isHidden()) << radio;
        tool.Back_Btn_Clicked();
    }
}

// The crop method chosen while the camera is live is kept for the still, which is not there yet.
TEST_F(CroppingToolCameraTest, ChangingTheMethodWhileLiveAsksForACaptureFirst)
{
    tool.Set_Default_Values();
    chooseCamera();
    ASSERT_TRUE(source.isRunning());
    source.push(1, Qt::red, {400, 300});
    QCoreApplication::processEvents();
    control<QRadioButton>("crop_size_radio").click();
    EXPECT_EQ(messages.texts(), QStringList({"\nPlease first capture image."}));
    EXPECT_EQ(tool.croping_selection, 2);
    EXPECT_TRUE(control<QWidget>("cropping_wid_size").isEnabled());
    EXPECT_FALSE(control<QWidget>("extend_face_box").isEnabled());
    EXPECT_TRUE(source.isRunning());

    control<QPushButton>("capture_btn").click();
    control<QRadioButton>("crop_select_radio").click();
    EXPECT_EQ(messages.texts().size(), 1) << "no camera is live once the still is taken";
    EXPECT_FALSE(control<QWidget>("cropping_wid_size").isEnabled());
    EXPECT_TRUE(tool.canvas().model().selectors().back()->isShown());
}
