// The picture page on the real main window: the sample card's picture, selected with a click,
// takes sepia and a quarter turn from the page; the drawn picture shows both, and Undo brings the
// picture back as it was. The signature page's Browse… hands the chosen file to the signature, and
// to every selected one. A picture drawn after its file panel or library was cancelled shows the
// no-picture picture.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SnapshotUndo.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"
#include "platform/ResourcePaths.h"
#include "probes/SampleCard.h"
#include "support/CanvasMouse.h"
#include "support/QtPrinting.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/FieldTyping.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/PropertyInspector.h"
#include "views/output/ExportSheet.h"

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

// Two signatures of their own pictures, the second added with Shift+click so that the page shows
// its path: Browse… of that same file gives it to both, and the canvas draws both in its colour.
TEST_F(PicturePageRoad, TheSignaturePagesBrowseGivesTheChosenFileToEverySelectedSignature)
{
    const QRectF boxes[] = {QRectF(20, 20, 90, 30), QRectF(20, 80, 90, 30)};
    GraphicList signatures;
    for (const auto& [name, colour] : {std::pair{"sigA.png", QColor(200, 0, 0)}, std::pair{"sigB.png", QColor(0, 0, 200)}}) {
        QImage ink(90, 30, QImage::Format_RGB32);
        ink.fill(colour);
        ASSERT_TRUE(ink.save(scratch.filePath(QLatin1String(name))));
        auto signature = std::make_shared<SKTSignature>();
        signature->setFilePath(scratch.filePath(QLatin1String(name)));
        signature->setBounds(boxes[signatures.size()]);
        signatures << signature;
    }
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, signatures);
    controller.inspector().setUpControls({});
    controller.showWindow();
    SKTGraphicView& view = *controller.graphicView(SKTDocument::FrontSide);
    canvas_mouse::drag(view, boxes[0].center(), boxes[0].center());
    QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier, (boxes[1].center() * view.zoomFactor()).toPoint());
    ASSERT_EQ(view.selectedGraphics().size(), 2);
    ASSERT_TRUE(inspector().showPage(QStringLiteral("sign_tab")));
    const QString sigB = scratch.filePath(QStringLiteral("sigB.png"));
    ASSERT_EQ(control<QPlainTextEdit>("Sign_image_path").toPlainText(), sigB);

    dialogs.queueOpenFile(sigB);
    control<QPushButton>("Sign_Browse_btn").click();
    view.changeSelectionIndexes({});
    QApplication::processEvents();
    for (const QRectF& box : boxes)
        EXPECT_EQ(drawnNearCorner(view, box), QColor(0, 0, 200)) << box.y();
    EXPECT_EQ(signatures[0]->_file_path.toStdString(), sigB.toStdString());
}

// The picture tool whose file panel was cancelled, and the library tool whose library gave no
// picture, place with the drag that follows the program's no-picture picture: drawn on the canvas
// and on the exported card, named in the saved design (plistlib) and shown again when it is opened.
TEST_F(PicturePageRoad, APictureDrawnAfterItsFileWasNotChosenShowsTheNoPicturePicture)
{
    controller.inspector().setUpControls({});
    controller.showWindow();
    SKTGraphicView& view = *controller.graphicView(SKTDocument::FrontSide);
    const QRectF box(20, 20, 80, 90);
    // Between the picture's two diagonals, clear of the selection handles: its light grey.
    const QPointF probe(box.center().x(), box.top() + box.height() * 0.3);
    const auto greyAt = [](const QImage& shown, QPointF point) {
        const QColor colour = shown.pixelColor(point.toPoint());
        return std::abs(colour.red() - 225) + std::abs(colour.green() - 225) + std::abs(colour.blue() - 225) <= 9;
    };
    const auto greyOnCanvas = [&] {
        QApplication::processEvents();
        const QImage shown = view.grab().toImage();
        return greyAt(shown, probe * view.zoomFactor() * shown.devicePixelRatio());
    };
    for (const QString tool : {QStringLiteral("image_tool_btn"), QStringLiteral("image_library_tool_btn")}) {
        SCOPED_TRACE(tool.toStdString());
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
        action(tool).trigger();  // cancelled, or no library
        ASSERT_TRUE(document.graphics().isEmpty());
        canvas_mouse::drag(view, box.topLeft(), box.bottomRight());
        ASSERT_EQ(document.graphics().size(), 1);
        ASSERT_EQ(document.graphics()[0]->bounds(), box);
        EXPECT_TRUE(greyOnCanvas());

        dialogs.queueHook([](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            sheet.fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            sheet.exportOkay();
        });
        dialogs.queueSaveFile(scratch.filePath(tool + QStringLiteral(".png")));
        dialogs.queueHook([](QDialog&) {});  // the closing box
        Export_Button(controller);
        const QStringList cards = QDir(scratch.path()).entryList({tool + QStringLiteral("*Front*")}, QDir::Files);
        ASSERT_EQ(cards.size(), 1) << qPrintable(QDir(scratch.path()).entryList().join(u'|'));
        const QImage exported(scratch.filePath(cards.first()));
        EXPECT_TRUE(greyAt(exported, probe * (exported.width() / controller.Front_card_Prop.Card_Size().width())));

        const QString design = scratch.filePath(tool + QStringLiteral(".did"));
        dialogs.queueSaveFile(design);
        ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
        const auto stored = TestEnvironment::runPython(
            "import plistlib, sys\n"
            "print('|'.join(e[39] + ' ' + e[40] for e in plistlib.load(open(sys.argv[1], 'rb')) if isinstance(e, list) and e[:1] == ['I']))\n",
            {design});
        EXPECT_EQ(QString::fromUtf8(stored.out).trimmed(), QStringLiteral("/Applications/ZOVA ID Card.app/Contents/Resources/no.png Text here"))
            << stored.err.constData();

        dialogs.queueOpenFile(design);
        ASSERT_TRUE(Open_Btn_Clicked(controller));
        ASSERT_EQ(document.graphics().size(), 1);
        EXPECT_EQ(document.graphics()[0]->_file_path, No_Image_Path());
        EXPECT_TRUE(greyOnCanvas());
    }
}

}  // namespace

// Every picture or signature element made new puts the picture page back to its neutral settings:
// a sepia, half-transparent page does not wait for the next element's writer.
TEST_F(PicturePageRoad, ANewPictureElementPutsThePageBackToNeutral)
{
    Card_Front_Or_Back = 0;
    controller.inspector().setUpControls({});
    controller.showWindow();
    const QString file = scratch.filePath(QStringLiteral("dot.png"));
    QImage dot(8, 8, QImage::Format_RGB32);
    dot.fill(Qt::blue);
    ASSERT_TRUE(dot.save(file));
    const std::pair<const char*, std::function<void()>> makers[] = {
        {"picture from a file", [&] { SKTImage::initWithPath(QPointF(40, 40), file); }},
        {"picture from pixels", [&] { SKTImage::initWithPosition(QPointF(40, 40), dot, file); }},
        {"signature from a file", [&] { SKTSignature::initWithPath(QPointF(40, 40), file, QStringLiteral("S")); }},
        {"signature from pixels",
         [&] { SKTSignature::initWithPosition(QPointF(40, 40), dot, QStringLiteral("F"), file); }},
    };
    for (const auto& [made, make] : makers) {
        SCOPED_TRACE(made);
        {
            const NotDrawOnlyPropChangeGuard filling;
            control<QDoubleSpinBox>("Trsp_slidr_val").setValue(50);
            control<QCheckBox>("Image_Sepia_chk").setChecked(true);
        }
        make();
        EXPECT_EQ(control<QDoubleSpinBox>("Trsp_slidr_val").value(), 100);
        EXPECT_FALSE(control<QCheckBox>("Image_Sepia_chk").isChecked());
    }
}
