// The camera window driven with a scripted camera: start, frames, still, adjustments, crop and
// import, the numbered names, Cancel, no camera, a camera unplugged and a write that fails.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "photos/Capture.h"
#include "photos/ImgFilterSettings.h"
#include "photos/SelectionCanvasModel.h"
#include "support/FakeCameraSource.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/dialogs/AccessoryViewController.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/photos/Camera.h"
#include "views/photos/SelectionCanvasWidget.h"

namespace {

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = work.filePath(QStringLiteral("Images_save_by_user"));
        source.devices = {{QStringLiteral("usb-1"), QStringLiteral("Desk Camera")},
                          {QStringLiteral("usb-2"), QStringLiteral("Side Camera")}};
    }

    template <class Widget>
    Widget& control(const char* name)
    {
        return *window.findChild<Widget*>(QString::fromLatin1(name));
    }
    // Start, three frames of which the last is a 200x100 picture, a repaint, Capture.
    void takeStill()
    {
        window.Start_Btn_Clicked();
        source.push(1, Qt::red);
        source.push(2, Qt::green);
        source.push(3, QColor(200, 40, 40), {200, 100});
        QCoreApplication::processEvents();
        window.Capture_Btn_Clicked();
    }
    // One whole opening of the window; the hook works it while it runs.
    int openAndRun(std::function<void()> work)
    {
        dialogs.queueHook([work](QDialog&) { work(); });
        return window.Open_Wnd();
    }

    QTemporaryDir work;
    QString folder;
    FakeCameraSource source;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    QString storedFolder;
    Camera window{source,
                  {[this] { return folder; }, [this] { return work.filePath(QStringLiteral("default")); },
                   [this](const QString& chosen) { storedFolder = chosen; }}};
};

}  // namespace

TEST_F(CameraTest, StartFramesCaptureAdjustCropAndImportWriteNumberedPictures)
{
    window.prepareToOpen();
    EXPECT_EQ(control<QComboBox>("camera_list").count(), 2);
    EXPECT_EQ(control<QComboBox>("camera_list").currentText(), QStringLiteral("Desk Camera"));
    EXPECT_EQ(control<QLabel>("connection_msg_label").text(), kStartCameraHint);

    const int first = openAndRun([this] {
        takeStill();
        EXPECT_EQ(source.startedId, QStringLiteral("usb-1"));
        EXPECT_FALSE(source.isRunning());
        EXPECT_EQ(window.User_Picture.size(), QSize(200, 100));
        // Grayscale: red 200,40,40 becomes one grey.
        control<QCheckBox>("Image_Gray_Scale_chk").click();
        const QRgb grey = window.editedPicture().pixel(10, 10);
        EXPECT_EQ(qRed(grey), qGreen(grey));
        EXPECT_EQ(qGreen(grey), qBlue(grey));
        // The left half, drawn on the canvas over the picture as shown.
        const QSizeF ratio = window.originalImageRatio();
        window.canvas().model().addSelectorWithFrame(QRectF(0, 0, 100 * ratio.width(), 100 * ratio.height()));
        control<QCheckBox>("enable_cropping_btn").click();
        control<QPushButton>("crop_btn").click();
        EXPECT_EQ(window.editedPicture().size(), QSize(100, 100));
        EXPECT_FALSE(window.canvas().model().hasSelectors());
        // The cut is grey already: the controls start again from neutral, and a further change
        // works on the cut as it is, never greying or turning it twice.
        EXPECT_FALSE(control<QCheckBox>("Image_Gray_Scale_chk").isChecked());
        EXPECT_FALSE(IMG_gray_Scale);  // the settings the picture windows share say so too
        const QRgb cutGrey = window.editedPicture().pixel(50, 50);
        control<QCheckBox>("Image_Gray_Scale_chk").click();
        control<QCheckBox>("Image_Gray_Scale_chk").click();
        EXPECT_EQ(window.editedPicture().pixel(50, 50), cutGrey);
        control<QPushButton>("ok_btn").click();
    });
    EXPECT_EQ(first, 1);
    const QString firstPath = QDir(folder).filePath(QStringLiteral("zova_user_save.png"));
    EXPECT_EQ(window.Camera_Capture_Image(), firstPath);
    const QImage written(firstPath);
    ASSERT_EQ(written.size(), QSize(100, 100));
    EXPECT_EQ(qRed(written.pixel(50, 50)), qBlue(written.pixel(50, 50)));

    const int second = openAndRun([this] {
        // Each opening starts from neutral adjustments.
        EXPECT_FALSE(control<QCheckBox>("Image_Gray_Scale_chk").isChecked());
        takeStill();
        // Live again with the still kept: importing it stops the camera.
        window.Start_Btn_Clicked();
        ASSERT_TRUE(source.isRunning());
        control<QPushButton>("ok_btn").click();
    });
    EXPECT_EQ(second, 1);
    EXPECT_FALSE(source.isRunning());
    EXPECT_EQ(window.Camera_Capture_Image(), QDir(folder).filePath(QStringLiteral("zova_user_save_2.png")));
    EXPECT_EQ(QImage(window.Camera_Capture_Image()).size(), QSize(200, 100));
    EXPECT_EQ(window.Camera_Capture_Count, 3);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(CameraTest, NumberingSkipsTakenNamesAndRenamesOnlyTheFile)
{
    // A folder that happens to carry the picture's name must stay as it is.
    folder = work.filePath(QStringLiteral("zova_user_save.png"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* taken : {"zova_user_save.png", "zova_user_save_1.png"}) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(taken)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    const QString base = QDir(folder).filePath(QStringLiteral("zova_user_save.png"));
    EXPECT_EQ(window.Create_New_Camera_File_Path(base), QDir(folder).filePath(QStringLiteral("zova_user_save_2.png")));
    const QString free = QDir(folder).filePath(QStringLiteral("other.png"));
    EXPECT_EQ(window.Create_New_Camera_File_Path(free), free);
}

TEST_F(CameraTest, CancelAndNoPictureAnswerNothing)
{
    const int cancelled = openAndRun([this] {
        window.Start_Btn_Clicked();
        // Import before any still: the window says so and stays open.
        control<QPushButton>("ok_btn").click();
        EXPECT_EQ(messages.texts(), QStringList{u'\n' + kNoImageToImportMessage});
        control<QPushButton>("cancel_btn").click();
    });
    EXPECT_EQ(cancelled, 0);
    EXPECT_FALSE(source.isRunning());
    EXPECT_EQ(window.Camera_Capture_Image(), QDir(folder).filePath(QStringLiteral("zova_user_save.png")));
    EXPECT_FALSE(QFile::exists(window.Camera_Capture_Image()));
}

TEST_F(CameraTest, WithoutACameraTheWindowSaysSoAndStartsNothing)
{
    source.devices.clear();
    window.prepareToOpen();
    EXPECT_EQ(control<QLabel>("connection_msg_label").text(), kConnectCameraHint);
    window.Start_Btn_Clicked();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nPlease select camera.")});
    EXPECT_FALSE(source.isRunning());
    window.Capture_Btn_Clicked();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\nPlease first select and start the camera."));

    source.devices = {{QStringLiteral("usb-1"), QStringLiteral("Desk Camera")}};
    source.refuseWith = QStringLiteral("Device busy");
    control<QPushButton>("refresh_btn").click();
    window.Start_Btn_Clicked();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\n[error] Device busy"));
    EXPECT_EQ(window.capture(), nullptr);
    // Nothing live to take: Capture stays greyed and the hint stays.
    EXPECT_FALSE(control<QPushButton>("capture_btn").isEnabled());
    EXPECT_FALSE(control<QLabel>("connection_msg_label").isHidden());
    EXPECT_EQ(control<QLabel>("connection_msg_label").text(), kStartCameraHint);
    EXPECT_TRUE(control<QPushButton>("start_btn").isEnabled());
}

TEST_F(CameraTest, AfterStopOrUnplugNoFrameIsShown)
{
    window.prepareToOpen();
    window.Start_Btn_Clicked();
    source.push(1, Qt::red);
    QCoreApplication::processEvents();
    const CameraSource::FrameHandler late = source.handler();
    control<QPushButton>("stop_btn").click();
    // A frame already on its way from the camera's thread.
    late(std::make_unique<FakeFrame>(2, QImage(4, 4, QImage::Format_RGB32), source.ledger));
    QCoreApplication::processEvents();
    EXPECT_EQ(source.ledger.converted, 1);
    EXPECT_EQ(source.ledger.released, 2);
    EXPECT_FALSE(control<QPushButton>("capture_btn").isEnabled());
    EXPECT_EQ(control<QLabel>("connection_msg_label").text(), kStartCameraHint);

    window.Start_Btn_Clicked();
    ASSERT_TRUE(source.isRunning());
    source.unplug(QStringLiteral("The camera was disconnected."));
    EXPECT_FALSE(source.isRunning());
    EXPECT_FALSE(control<QPushButton>("capture_btn").isEnabled());
    EXPECT_TRUE(control<QPushButton>("start_btn").isEnabled());
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\nThe live view has stopped: The camera was disconnected."));
}

TEST_F(CameraTest, AnImportThatCannotBeWrittenSaysWhyAndAnswersNothing)
{
    // The camera folder is a file, so nothing can be written inside it.
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const int answer = openAndRun([this] {
        takeStill();
        control<QPushButton>("ok_btn").click();
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(window.Camera_Capture_Count, 1);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().first().startsWith(QStringLiteral("\nThe picture could not be saved as ")))
        << messages.texts().first().toStdString();
}

TEST_F(CameraTest, ChangingTheFolderStartsItsNamesAgainButKeepsTheCount)
{
    window.prepareToOpen();
    window.Camera_Capture_Count = 4;
    const QString chosen = work.filePath(QStringLiteral("chosen"));
    dialogs.queueFolder(chosen);
    control<QPushButton>("browse_path_btn").click();
    EXPECT_EQ(storedFolder, chosen);
    EXPECT_EQ(control<QLineEdit>("def_save_path").text(), chosen);
    EXPECT_EQ(window.Camera_Capture_Image(), QDir(chosen).filePath(QStringLiteral("zova_user_save.png")));
    control<QPushButton>("reset_path_btn").click();
    EXPECT_EQ(storedFolder, work.filePath(QStringLiteral("default")));
    EXPECT_EQ(window.Camera_Capture_Count, 4);
}

// Save As writes the format chosen in the panel under the typed name with that format's extension,
// then shows the box of written files.
TEST_F(CameraTest, SaveAsWritesTheChosenFormatWhateverTheTypedExtensionAndShowsTheWrittenFile)
{
    Open_Export_Log::defaultInstance().openPath = [](const QString&) {};
    const auto answerPanel = [this](const QString& typed, int format) {
        dialogs.queueHook([typed, format](QDialog& dialog) {
            auto* chooser = dialog.findChild<AccessoryViewController*>();
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->ext_btn->currentIndex(), 0);
            chooser->ext_btn->setCurrentIndex(format);
            Q_EMIT chooser->ext_btn->activated(format);
            static_cast<QFileDialog&>(dialog).selectFile(typed);
            dialog.setResult(QDialog::Accepted);
        });
    };
    QStringList reported;
    const auto readReport = [&] {
        dialogs.queueHook([&](QDialog& dialog) {
            auto& report = dynamic_cast<Open_Export_Log&>(dialog);
            reported << report._open_log_path->text() << report._open_log_message->text() << report._open_log_chk->text();
        });
    };
    openAndRun([&] {
        takeStill();
        answerPanel(work.filePath(QStringLiteral("portrait.jpg")), 2);
        readReport();
        control<QPushButton>("save_btn").click();
        answerPanel(work.filePath(QStringLiteral("badge")), 3);
        readReport();
        control<QPushButton>("save_btn").click();
        window.Cancel_Btn_Clicked();
    });
    EXPECT_FALSE(QFileInfo::exists(work.filePath(QStringLiteral("portrait.jpg"))));
    const auto identify = [](const QString& path) {
        const QStringList arguments{QStringLiteral("-format"), QStringLiteral("%m %wx%h"), path};
        return TestEnvironment::run(QStringLiteral("identify"), arguments).out.toStdString();
    };
    EXPECT_EQ(identify(work.filePath(QStringLiteral("portrait.png"))), "PNG 200x100");
    EXPECT_EQ(identify(work.filePath(QStringLiteral("badge.tiff"))), "TIFF 200x100");
    const QString exported = QStringLiteral("File has been exported successfully.");
    EXPECT_EQ(reported, QStringList({work.filePath(QStringLiteral("portrait.png")), exported, "Open file.",
                                     work.filePath(QStringLiteral("badge.tiff")), exported, "Open file."}));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();
}
