// The picture page on the real main window: the sample card's picture, selected with a click,
// takes sepia and a quarter turn from the page; the drawn picture shows both, and Undo brings the
// picture back as it was. The signature page's Browse… hands the chosen file to the signature.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/SnapshotUndo.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"
#include "probes/SampleCard.h"
#include "support/CanvasMouse.h"
#include "support/QtPrinting.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/FieldTyping.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/PropertyInspector.h"

namespace {

// A point of the picture's background, clear of the selection handles, as the canvas shows it.
QColor drawnNearCorner(SKTGraphicView& view, const QRectF& box)
{
    const QImage shown = view.grab().toImage();
    const QPointF point = (box.topLeft() + QPointF(10, 10)) * view.zoomFactor() * shown.devicePixelRatio();
    return shown.pixelColor(point.toPoint());
}

using PicturePageRoad = MainWindowFixture;

TEST_F(PicturePageRoad, SepiaAndAQuarterTurnFromThePageAndUndoBringsThePictureBack)
{
    Card_Front_Or_Back = 0;
    controller.inspector().setUpControls({});
    sample::putOnSide(document, SKTDocument::FrontSide, sample::front(QDir(scratch.path())));
    controller.showWindow();
    controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History();
    SKTGraphicView& view = *controller.graphicView(SKTDocument::FrontSide);
    QApplication::processEvents();

    const QRectF box(10, 10, 52, 65);  // the sample's picture
    const auto picture = [this, &box]() -> std::shared_ptr<SKTImage> {
        for (const GraphicPtr& graphic : document.graphics()) {
            if (graphic->kind() == GraphicKind::Image && graphic->bounds() == box)
                return std::static_pointer_cast<SKTImage>(graphic);
        }
        return nullptr;
    };
    const QColor before = drawnNearCorner(view, box);
    const QByteArray archiveBefore = picture()->archiveDigest();

    canvas_mouse::drag(view, box.center(), box.center());
    ASSERT_EQ(view.selectedGraphics(), GraphicList({picture()}));
    ASSERT_TRUE(inspector().showPage(QStringLiteral("image_tab")));
    auto& turn = control<QDoubleSpinBox>("Rotate_slidr_val");

    QTest::mouseClick(&control<QCheckBox>("Image_Sepia_chk"), Qt::LeftButton);
    controller.inspector().imagePanel().finishRendering();
    turn.setFocus();
    typeAndEnter(turn, QStringLiteral("90"));
    controller.inspector().imagePanel().finishRendering();
    QApplication::processEvents();
    ASSERT_TRUE(picture()->picture.Sepia);
    ASSERT_EQ(picture()->picture.rotate_image, 90);
    const QColor toned = drawnNearCorner(view, box);
    EXPECT_NE(toned, before);
    // Sepia's brown: red over green over blue, where the photo's background was green and blue.
    EXPECT_GT(toned.red(), toned.green());
    EXPECT_GT(toned.green(), toned.blue());

    // The turn and the tone were two edits.
    QAction& undo = action(QStringLiteral("Undo_btn"));
    ASSERT_TRUE(undo.isEnabled());
    undo.trigger();
    EXPECT_TRUE(picture()->picture.Sepia);
    EXPECT_EQ(picture()->picture.rotate_image, 0);
    undo.trigger();
    EXPECT_FALSE(picture()->picture.Sepia);
    EXPECT_EQ(picture()->archiveDigest(), archiveBefore);
    QApplication::processEvents();
    EXPECT_EQ(drawnNearCorner(view, box), before);
}

// A chosen file that holds no picture goes to the signature as a typed path does: it shows none,
// and no message comes.
TEST_F(PicturePageRoad, TheSignaturePagesBrowseHandsTheChosenFileToTheSignature)
{
    auto signature = std::make_shared<SKTSignature>();
    signature->setFilePath(QStringLiteral("Default"));
    signature->setBounds(QRectF(20, 20, 90, 30));
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {signature});
    controller.inspector().setUpControls({});
    controller.showWindow();
    canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), QPointF(60, 35), QPointF(60, 35));
    ASSERT_TRUE(inspector().showPage(QStringLiteral("sign_tab")));
    const QString chosen = scratch.filePath(QStringLiteral("scan.png"));
    QFile text(chosen);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
    text.close();

    dialogs.queueOpenFile(chosen);
    control<QPushButton>("Sign_Browse_btn").click();
    EXPECT_EQ(signature->_file_path, chosen);
    EXPECT_TRUE(signature->_contents_img.isNull());
    EXPECT_EQ(messages.texts(), QStringList());
}

}  // namespace
