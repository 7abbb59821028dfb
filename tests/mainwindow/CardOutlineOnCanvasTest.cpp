// The card's outline on the real window's canvas: outside a rounded or elliptical card the screen
// shows what lies behind the card (the grey gradient and the shadow) at 50, 100 and 200 %, even
// over an element in the corner; inside it shows the card's fill, a selected element's handle in
// a corner stays visible, the grid's lines stay sharp, and another outline chosen leaves no stale
// shadow. Pictures of the window go to the test artifacts.
#include <QDir>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "MainWindowFixture.h"
#include "views/canvas/SKTGrid.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/canvas/SWCenteringClipView.h"
#include "views/inspector/InspectorGlobals.h"

namespace {

const QColor kFill(40, 110, 190);
const QColor kCornerElement(200, 40, 40);
const QColor kHandle(56, 117, 215);

class CardOutlineOnCanvas : public MainWindowFixture {
protected:
    void SetUp() override
    {
        controller.inspector().setUpControls({});
        controller.showWindow();
        controller.Front_card_Prop.setCard_fill_chk(true);
        controller.Front_card_Prop.setCard_fill_style(QStringLiteral("S"));
        controller.Front_card_Prop.setCard_fill_clr(kFill);
        controller.inspector().Show_RHS_Properties(nullptr);
        // A red square over the top right corner, and a selected one at the top left.
        const QRectF card = controller.frontCanvasBounds();
        for (const QRectF& box : {QRectF(card.right() - 30, 0, 30, 30), QRectF(0, 0, 30, 30)}) {
            GraphicPtr square = SKTGraphic::create(GraphicKind::Shape);
            square->Set_Shape_Type(QStringLiteral("R"));
            square->setBounds(box);
            square->_isDrawingStroke = false, square->_isDrawingFill = true;
            square->_fillColor = kCornerElement;
            canvas().insertGraphics({square}, {0});
        }
        canvas().changeSelectionIndexes({0});
    }
    void TearDown() override
    {
        Card_Shape = 0;
        MainWindowFixture::TearDown();
    }
    SKTGraphicView& canvas() const { return *controller.graphicView(SKTDocument::FrontSide); }
    SKTZoomingScrollView& scrollView() const { return *controller.zoomingScrollView(SKTDocument::FrontSide); }
    SWCenteringClipView& clipView() const { return *scrollView().clipView(); }
    // A pixel of the canvas, scrolled into view, as the screen holds it (the window's backing
    // store, stale pixels and all) and as the clip view paints it behind the card.
    struct Shown {
        QRgb screen;
        QRgb behind;
    };
    Shown shownAt(QPoint canvasPixel) const
    {
        scrollView().ensureVisible(canvasPixel.x(), canvasPixel.y(), 8, 8);
        QTest::qWait(50);
        const QPoint at = canvas().mapTo(&clipView(), canvasPixel);
        const QPoint global = clipView().mapToGlobal(at);
        const QImage screen = controller.window()->screen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage();
        QImage behind(clipView().size(), QImage::Format_RGB32);
        clipView().render(&behind, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return {screen.isNull() ? 0u : screen.pixel(0, 0), behind.pixel(at)};
    }
    // The shown grid across the middle of the card, 40 points in from either edge, between two rows
    // of lines: the vertical lines crossed, and the pixels in the grid's grey and in neither it
    // nor the card's fill.
    struct GridRow {
        int lines = 0, grey = 0, other = 0;
    };
    GridRow gridAcrossTheCard() const
    {
        SKTGrid& grid = controller.windowLayout().grid();
        grid.setAlwaysShown(true);
        const QImage shown = canvas().grab().toImage();
        grid.setAlwaysShown(false);
        const double zoom = canvas().zoomFactor(), spacing = grid.spacing();
        const double from = 40, to = canvas().viewBounds().width() - 40;
        const int row = int((std::floor(canvas().viewBounds().height() / 2 / spacing) + 0.5) * spacing * zoom);
        GridRow scan;
        scan.lines = int(std::floor(to / spacing) - std::ceil(from / spacing)) + 1;
        for (int x = int(from * zoom); x <= int(to * zoom); ++x) {
            const QRgb pixel = shown.pixel(x, row);
            scan.grey += pixel == grid.color().rgb();
            scan.other += pixel != grid.color().rgb() && pixel != kFill.rgb();
        }
        return scan;
    }
};

std::string rgb(QRgb pixel)
{
    return QColor(pixel).name().toStdString();
}

}  // namespace

TEST_F(CardOutlineOnCanvas, OutsideTheOutlineTheCanvasShowsTheGreyBehindTheCard)
{
    const QDir artifacts(QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    const struct {
        const char* radio;
        bool shaped;  // the card's corners are off the card
    } shapes[] = {{"shapeRectangle", false}, {"shapeRoundedRectangle", true}, {"shapeEllipse", true}};
    for (const auto& shape : shapes) {
        control<QRadioButton>(shape.radio).click();
        // Beside the card the shadow is the new outline's, not an earlier one's.
        const Shown shadow = shownAt({canvas().width() + 4, canvas().height() + 4});
        EXPECT_EQ(rgb(shadow.screen), rgb(shadow.behind)) << shape.radio;
        for (const double zoom : {2.0, 0.5, 1.0}) {
            SCOPED_TRACE(std::string(shape.radio) + " at " + std::to_string(int(zoom * 100)) + " %");
            scrollView().setFactor(zoom);
            const QSize size = canvas().size();
            scrollView().ensureVisible(0, 0);
            QTest::qWait(50);
            EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(
                QStringLiteral("card-outline-%1-%2.png").arg(QLatin1String(shape.radio)).arg(zoom * 100))));

            // The very corners of a shaped card; a pixel in on a rectangle, whose last column
            // and row the card's edge only partly covers.
            const int in = shape.shaped ? 0 : 1;
            const Shown topRight = shownAt({size.width() - 1 - in, in});
            const Shown bottomLeft = shownAt({in, size.height() - 1 - in});
            if (shape.shaped) {
                for (const Shown& corner : {topRight, bottomLeft}) {
                    EXPECT_EQ(rgb(corner.screen), rgb(corner.behind)) << "the corner shows what is behind the card";
                    const QRgb grey = corner.screen;
                    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey) && qRed(grey) < 230)
                        << rgb(grey) << " is the grey, neither white nor the card";
                }
            } else {
                EXPECT_EQ(rgb(topRight.screen), kCornerElement.name().toStdString());
                EXPECT_EQ(rgb(bottomLeft.screen), kFill.name().toStdString());
            }
            EXPECT_EQ(rgb(shownAt({size.width() / 2, size.height() / 2}).screen), kFill.name().toStdString());
            EXPECT_EQ(rgb(shownAt({1, 1}).screen), kHandle.name().toStdString()) << "the selected square's corner handle";
            // Each line a single pixel of the grid's own grey: the card's smoothed edge leaves the
            // lines unsmoothed.
            const GridRow grid = gridAcrossTheCard();
            EXPECT_EQ(grid.grey, grid.lines) << "a pixel of grey a line";
            EXPECT_EQ(grid.other, 0) << "no smoothed grey beside the lines";
        }
    }
}
