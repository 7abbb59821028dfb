// The cropping tool on a real (virtual) X server: both pages with a photo, its selection and
// handles, a face found and changed adjustments, and the end of a Crop All that left pictures
// out, left as pictures for people to look at.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/SelectionCanvasWidget.h"

namespace {

class CroppingToolShots {
public:
    CroppingToolShots() : artifacts(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR))
    {
        QDir().mkpath(artifacts.path());
        Data_Folder_Path = work.path();
    }

    template <class Widget>
    Widget& control(const char* name)
    {
        return *tool.findChild<Widget*>(QString::fromLatin1(name));
    }
    bool shoot(const QString& name)
    {
        tool.show();
        if (!QTest::qWaitForWindowExposed(&tool))
            return false;
        QTest::qWait(100);
        return tool.grab().toImage().save(artifacts.filePath(name));
    }

    QDir artifacts;
    QTemporaryDir work;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    Cropping_Tool tool{{{QStringLiteral("png"), QStringLiteral("jpg")}, {}}};
};

}  // namespace

TEST(CroppingToolScreenshots, BothPagesTheSelectionAFaceAndTheAdjustments)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    CroppingToolShots shots;
    Cropping_Tool& tool = shots.tool;
    tool.Set_Default_Values();
    shots.control<QLineEdit>("file_path").setText(QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/astronaut.png"));
    shots.control<QLineEdit>("output_path").setText(shots.work.filePath(QStringLiteral("out")));
    shots.control<QRadioButton>("output_custom_radio").click();
    shots.control<QLineEdit>("output_custom_name").setText(QStringLiteral("Badge"));
    EXPECT_TRUE(shots.shoot(QStringLiteral("cropping-tool-page1.png")));

    tool.OK_Btn_Clicked();
    tool.canvas().model().addSelectorWithFrame(QRectF(140, 90, 180, 220));
    tool.Show_hide_Crop_Selection(true);
    EXPECT_TRUE(shots.shoot(QStringLiteral("cropping-tool-page2-selection.png")));

    shots.control<QRadioButton>("crop_face_radio").click();
    ASSERT_TRUE(tool.Find_Face);
    shots.control<QSpinBox>("Face_Size_Stepper").setValue(60);
    EXPECT_TRUE(shots.shoot(QStringLiteral("cropping-tool-face.png")));

    shots.control<QCheckBox>("Image_Sepia_chk").click();
    shots.control<QSlider>("Brt_slidr").setValue(15);
    shots.control<QSlider>("Rotate_slidr").setValue(150);
    shots.control<QCheckBox>("Image_FIH_chk").click();
    EXPECT_TRUE(shots.shoot(QStringLiteral("cropping-tool-adjusted.png")));
    EXPECT_EQ(shots.messages.texts(), QStringList());
}

// Crop All of a folder with the face method: one face cropped, the other pictures left out and
// listed in the closing box, which is grabbed as the user sees it.
TEST(CroppingToolScreenshots, CropAllEndsWithThePicturesLeftOut)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QString data = QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/");
    if (!QFileInfo::exists(data + QStringLiteral("astronaut.png")))
        GTEST_SKIP() << "needs python3-skimage's pictures";
    CroppingToolShots shots;
    Cropping_Tool& tool = shots.tool;
    const QDir in(shots.work.filePath(QStringLiteral("in")));
    const QDir out(shots.work.filePath(QStringLiteral("out")));
    ASSERT_TRUE(in.mkpath(QStringLiteral(".")) && out.mkpath(QStringLiteral(".")));
    for (const char* name : {"astronaut.png", "brick.png", "coffee.png", "grass.png"})
        ASSERT_TRUE(QFile::copy(data + name, in.filePath(QString::fromLatin1(name))));
    ASSERT_TRUE(QFile::copy(data + QStringLiteral("astronaut.png"), in.filePath(QStringLiteral("portrait.png"))));
    QFile junk(in.filePath(QStringLiteral("notes.png")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly) && junk.write("no picture here") > 0);
    junk.close();
    ASSERT_TRUE(QFile::copy(data + QStringLiteral("brick.png"), out.filePath(QStringLiteral("Badge_1.png"))));

    tool.Set_Default_Values();
    shots.control<QRadioButton>("input_folder_radio").click();
    shots.control<QLineEdit>("folder_path").setText(in.path());
    shots.control<QLineEdit>("output_path").setText(out.path());
    shots.control<QRadioButton>("output_custom_radio").click();
    shots.control<QLineEdit>("output_custom_name").setText(QStringLiteral("Badge"));
    shots.control<QComboBox>("output_format_combo").setCurrentIndex(2);
    tool.OK_Btn_Clicked();
    tool.show();
    shots.control<QRadioButton>("crop_face_radio").click();
    ASSERT_TRUE(tool.Find_Face);
    // Badge_1.png is kept; then the closing box is shown, grabbed and closed.
    shots.dialogs.queueHook([](QDialog& question) { dynamic_cast<Replcae_Confirm_Box&>(question).CancelPressed(); });
    QString message;
    bool grabbed = false;
    shots.dialogs.queueHook([&](QDialog& report) {
        message = dynamic_cast<Open_Export_Log&>(report)._open_log_message->text();
        report.show();
        if (QTest::qWaitForWindowExposed(&report)) {
            QTest::qWait(100);
            grabbed = report.grab().toImage().save(shots.artifacts.filePath(QStringLiteral("crop-all-left-out.png")));
        }
        report.hide();
    });
    shots.control<QPushButton>("crop_all_btn").click();
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(message.toStdString(), "1 picture was cropped.\n\n5 pictures were left out:");
    EXPECT_EQ(out.entryList(QDir::Files), QStringList({"Badge.png", "Badge_1.png"}));
}
