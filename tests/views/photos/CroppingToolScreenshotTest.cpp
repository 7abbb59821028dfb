// The cropping tool on a real (virtual) X server: both pages with a photo, its selection and
// handles, a face found and changed adjustments, left as pictures for people to look at.
#include <QCheckBox>
#include <QDir>
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
