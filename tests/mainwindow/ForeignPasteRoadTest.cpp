// On an X server: a picture another program (xclip) puts on the clipboard enables Paste at once,
// and pasted on Classic blue (h) after the photo was edited it shows its own settings on the
// Picture page, so a later change gives it none of the photo's: the saved design (plistlib) names
// its own file, opacity and border, and opened again it shows the pasted pixels.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "StartRoadFixture.h"
#include "mainwindow/FileCommands.h"
#include "model/SKTImage.h"
#include "support/CanvasMouse.h"

namespace {

class ForeignPasteRoad : public StartRoadFixture {};

TEST_F(ForeignPasteRoad, APictureFromAnotherProgramPastesWithItsOwnSettings)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and xclip: ctest runs this under with-display.sh";
    copyClassicBlueTwoSided();
    queueTemplateStart(QStringLiteral("Employee"), QStringLiteral("Classic blue (h)"));
    ASSERT_TRUE(Open_Start_Window(controller));
    controller.showWindow();
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    const GraphicPtr photo = canvas.Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo"));
    ASSERT_NE(photo, nullptr);
    canvas_mouse::drag(canvas, photo->bounds().center(), photo->bounds().center());
    ASSERT_TRUE(inspector().showPage(QStringLiteral("image_tab")));
    control<QDoubleSpinBox>("Trsp_slidr_val").setValue(50);
    ASSERT_EQ(photo->picture.img_trnsp_val, 50);

    // A 40 x 30 picture of four coloured quarters, served by xclip as another program would.
    QImage quarters(40, 30, QImage::Format_RGB32);
    quarters.fill(Qt::red);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            quarters.setPixelColor(x, y, x < 20 ? (y < 15 ? Qt::red : Qt::green) : (y < 15 ? Qt::blue : Qt::yellow));
    const QString source = scratch.filePath(QStringLiteral("quarters.png"));
    ASSERT_TRUE(quarters.save(source));
    QAction& paste = action(QStringLiteral("Paste_btn"));
    ASSERT_FALSE(paste.isEnabled());
    ASSERT_EQ(TestEnvironment::run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                                             QStringLiteral("-t"), QStringLiteral("image/png"),
                                                             QStringLiteral("-i"), source})
                  .exitCode,
              0);
    EXPECT_TRUE(QTest::qWaitFor([&paste] { return paste.isEnabled(); }, 10000)) << "Paste stayed greyed";
    paste.trigger();

    const GraphicPtr pasted = canvas._Selected_Graphic;
    ASSERT_TRUE(pasted && pasted != photo && pasted->kind() == GraphicKind::Image);
    EXPECT_EQ(control<QDoubleSpinBox>("Trsp_slidr_val").value(), 100);
    EXPECT_EQ(control<QPlainTextEdit>("Manual_image_path").toPlainText(), pasted->_file_path);
    control<QCheckBox>("Image_Gray_Scale_chk").click();

    // Image entries: the head, the binding, the picture's settings from item 25, then its path.
    const QString read = savedAsAndRead(QStringLiteral("pasted.did"),
                                        "import plistlib, sys\n"
                                        "for e in plistlib.load(open(sys.argv[1], 'rb')):\n"
                                        "    if isinstance(e, list) and e[:1] == ['I'] and e[18] != 'Fup_Photo':\n"
                                        "        print(e[39], e[28], e[30], e[5])\n");
    const QStringList saved = read.split(u' ');
    ASSERT_EQ(saved.size(), 4) << qPrintable(read);
    EXPECT_NE(saved[0], photo->_file_path);
    EXPECT_EQ(QImage(saved[0]).convertToFormat(QImage::Format_RGB32), quarters) << qPrintable(saved[0]);
    EXPECT_EQ(saved.mid(1), (QStringList{"Y", "100.00", "N"}));  // grey, opaque, no border

    dialogs.queueOpenFile(scratch.filePath(QStringLiteral("pasted.did")));
    messages.queueAnswers({1});
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    const auto reopened = std::find_if(canvas.graphics().begin(), canvas.graphics().end(), [](const GraphicPtr& e) {
        return e->kind() == GraphicKind::Image && e->control_ID != QLatin1String("Fup_Photo");
    });
    ASSERT_NE(reopened, canvas.graphics().end());
    EXPECT_EQ(static_cast<SKTImage&>(**reopened)._contents.convertToFormat(QImage::Format_RGB32), quarters);
}

}  // namespace
