// Pictures of the picture page (sepia on, the picture turned) and of the signature page, each with
// its element selected on the sample card, on a real X server at 1280 x 800. Every label and button
// on the shown page must have the room its text asks for.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "probes/SampleCard.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

QStringList crampedControls(const QWidget& page)
{
    QStringList cramped;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        if (!control->isVisible() || !(qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control)))
            continue;
        if (control->width() < control->minimumSizeHint().width())
            cramped << control->objectName();
    }
    return cramped;
}

TEST(InspectorScreenshots, PicturePageWithAFilterAndSignaturePage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QTemporaryDir scratch;
    SKTDocument document;
    SKTWindowController controller(document);
    controller.inspector().setUpControls({});
    sample::putOnSide(document, SKTDocument::FrontSide, sample::front(QDir(scratch.path())));
    controller.SetDocumentCanvasSize(QSizeF(242.65, 153.07));
    const QDir artifacts(QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    controller.showWindow();
    controller.window()->showNormal();
    controller.window()->resize(1280, 800);
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    InspectorView& view = controller.windowLayout().inspectorView();

    const auto select = [&](GraphicKind kind) {
        const GraphicList& graphics = document.graphics();
        for (int i = 0; i < graphics.size(); ++i) {
            if (graphics.at(i)->kind() == kind) {
                canvas.changeSelectionIndexes({i});
                canvas._Selected_Graphic = graphics.at(i);
                controller.canvasHostOfWindow().Show_RHS_Properties(graphics.at(i).get());
                return;
            }
        }
        FAIL() << "no element of the kind";
    };

    select(GraphicKind::Image);
    ASSERT_TRUE(view.showPage(QStringLiteral("image_tab")));
    QTest::mouseClick(view.findChild<QCheckBox*>(QStringLiteral("Image_Sepia_chk")), Qt::LeftButton);
    controller.inspector().imagePanel().finishRendering();
    QTest::qWait(150);
    EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(QStringLiteral("element-picture-1280x800.png"))));
    EXPECT_EQ(crampedControls(*view.page(QStringLiteral("image_tab"))), QStringList());

    select(GraphicKind::Signature);
    ASSERT_TRUE(view.showPage(QStringLiteral("sign_tab")));
    QTest::qWait(150);
    EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(QStringLiteral("element-signature-1280x800.png"))));
    EXPECT_EQ(crampedControls(*view.page(QStringLiteral("sign_tab"))), QStringList());
}

}  // namespace
