// The canvas driven by mouse and key events on an offscreen widget.
#include "CanvasCommandFixture.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTImage.h"
#include "views/canvas/CanvasMouseTracking.h"

namespace {

using CanvasViewTest = CanvasCommandFixture;

TEST_F(CanvasViewTest, ClickSelectsTheTopmostAndCtrlOrShiftToggles)
{
    const GraphicPtr top = addShape({20, 20, 60, 40});
    addShape({40, 30, 60, 40});
    click({50, 35});
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
    EXPECT_EQ(view._Selected_Graphic, top);
    EXPECT_EQ(host.shown.last(), top.get());

    click({90, 65}, Qt::ShiftModifier);
    click({200, 120}, Qt::ControlModifier);
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{0, 1}));
    // Ctrl on a selected element deselects it, and the drag after that moves nothing.
    drag({30, 30}, {60, 50}, Qt::ControlModifier);
    EXPECT_EQ(view.selectionIndexes(), QList<int>{1});
    EXPECT_EQ(top->bounds(), QRectF(20, 20, 60, 40));
    EXPECT_EQ(host.snapshots, 0);

    click({200, 120});
    EXPECT_TRUE(view.selectionIndexes().isEmpty());
    EXPECT_EQ(host.shown.last(), nullptr);
}

TEST_F(CanvasViewTest, RubberBandTogglesAgainstTheSelectionAtThePress)
{
    addShape({10, 10, 20, 20});
    addShape({50, 10, 20, 20});
    addShape({90, 10, 20, 20});
    view.changeSelectionIndexes({0});

    press({150, 80}, Qt::ControlModifier);
    moveTo({45, 5});
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(view.marqueeSelectionBounds(), QRectF(45, 5, 105, 75));
    moveTo({5, 5});
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{1, 2}));
    moveTo({160, 90});
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{1, 2})) << "over nothing the band keeps what it reached";
    release({160, 90});
    EXPECT_TRUE(view.marqueeSelectionBounds().isNull());
}

TEST_F(CanvasViewTest, CurrentAndCreatingElementsAreClearedWhenTheirElementLeaves)
{
    addShape({10, 10, 20, 20});
    const GraphicPtr second = addShape({50, 10, 20, 20});
    click({55, 15});
    ASSERT_EQ(view._Selected_Graphic, second);
    document.removeGraphicsOnSideAtIndexes(SKTDocument::FrontSide, {1});
    EXPECT_TRUE(view.selectionIndexes().isEmpty());
    EXPECT_EQ(view._Selected_Graphic, nullptr);

    // A rebuild from a snapshot replaces every element.
    view.changeSelectionIndexes({0});
    view._Selected_Graphic = view.graphics().first();
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {SKTGraphic::create(GraphicKind::Shape)});
    EXPECT_EQ(view._Selected_Graphic, nullptr);
    EXPECT_TRUE(view.selectionIndexes().isEmpty());

    host.Set_Selected_Control_Tool(3);
    press({40, 40});
    ASSERT_NE(view.creatingGraphic(), nullptr);
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
    EXPECT_EQ(view.creatingGraphic(), nullptr);
    moveTo({80, 80});
    release({80, 80});
    EXPECT_TRUE(view.graphics().isEmpty());
}

// A tool click without a drag used to leave a zero-size element behind.
TEST_F(CanvasViewTest, ClickWithAToolLeavesNoEmptyElementOnAnySide)
{
    host.Set_Selected_Control_Tool(3);
    click({40, 40});
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_FALSE(document.undoManager().canRedo());
    EXPECT_EQ(host.snapshots, 2);
    EXPECT_EQ(view._Selected_Graphic, nullptr);
    EXPECT_EQ(host.Selected_Control_Tool(), 0);

    host.Set_Selected_Control_Tool(3);
    view.createGraphicOfClass(GraphicKind::Shape, std::nullopt, true, QRectF(), QStringLiteral("F"), {},
                              QStringLiteral("zero"));
    EXPECT_TRUE(document.graphics().isEmpty()) << "a zero rectangle given without the mouse";

    Card_Front_Or_Back = 1;
    view.setList(&document, SKTDocument::BackSide);
    host.Set_Selected_Control_Tool(4);
    click({40, 40});
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_FALSE(document.undoManager().canRedo());
}

TEST_F(CanvasViewTest, DragMovesTheSelectionPastTwoPointsWithOrWithoutSnapping)
{
    // Snapping, the drag from and to, the element's bounds after and the snapshots taken.
    const std::tuple<bool, QPointF, QPointF, QRectF, int> cases[] = {
        {false, {30, 30}, {45, 37}, {35, 27, 40, 40}, 1},
        {true, {25, 25}, {33, 29}, {27, 27, 40, 40}, 1},  // origin (28, 24) snaps to (27, 27)
        {false, {30, 30}, {31, 31}, {20, 20, 40, 40}, 0},  // under the threshold
    };
    for (const auto& [snapping, from, to, after, snapshots] : cases) {
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
        host.snapshots = 0;
        useGrid(snapping);
        const GraphicPtr graphic = addShape({20, 20, 40, 40});
        drag(from, to);
        EXPECT_EQ(graphic->bounds(), after) << to.x();
        EXPECT_EQ(host.snapshots, snapshots) << to.x();
        EXPECT_FALSE(view.isHidingHandles());
    }
    EXPECT_FALSE(CanvasMouseTracking::isBeyondThreshold({0, 0}, {1.99, -1.99}));
    EXPECT_TRUE(CanvasMouseTracking::isBeyondThreshold({0, 0}, {0, -2}));
}

TEST_F(CanvasViewTest, HandleDragPastTheOppositeEdgeMirrorsAtDoubleZoom)
{
    view.setZoomFactor(2.0);
    const GraphicPtr graphic = addShape({10, 10, 100, 40});
    view.changeSelectionIndexes({0});
    // The right middle handle dragged to x = 5 turns the box over.
    drag({110, 30}, {5, 30});
    EXPECT_EQ(graphic->bounds(), QRectF(5, 10, 5, 40));
    EXPECT_EQ(view._Selected_Graphic, graphic);
}

TEST_F(CanvasViewTest, ArrowKeysMoveOnePointAndLockedElementsNeverMove)
{
    const GraphicPtr graphic = addShape({20, 20, 40, 40});
    const GraphicPtr locked = addShape({100, 20, 60, 40}, true);
    view.selectAll();
    view.setFocus();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
        QTest::keyClick(&view, key);
    EXPECT_EQ(graphic->bounds(), QRectF(21, 21, 40, 40));
    EXPECT_EQ(host.snapshots, 4);
    EXPECT_TRUE(view.isHidingHandles());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !view.isHidingHandles(); }, 3000));
    view.changeSelectionIndexes({1});
    drag({120, 30}, {170, 70});
    drag({160, 60}, {200, 100});  // the bottom right handle
    EXPECT_EQ(locked->bounds(), QRectF(100, 20, 60, 40));
}

TEST_F(CanvasViewTest, DoubleClickOpensTheBarcodeWindowOnlyForAnUnlockedBarcode)
{
    const GraphicPtr barcode = add(GraphicKind::Barcode, {20, 20, 80, 40});
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, at({40, 30}));
    EXPECT_EQ(host.barcodeWindows, 1);
    EXPECT_EQ(host.shown.last(), barcode.get());
    barcode->ctrl_is_locked = true;
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, at({40, 30}));
    EXPECT_EQ(host.barcodeWindows, 1);
}

TEST_F(CanvasViewTest, IdleCanvasDoesNotRepaint)
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override { paints += event->type() == QEvent::Paint; return false; }
    } counter;
    setCanvasHost(nullptr);
    SKTDocument windowDocument;
    SKTWindowController controller(windowDocument);
    setCanvasHost(&host);
    SKTGraphicView canvas;
    canvas.setList(&windowDocument, SKTDocument::FrontSide);
    QImage photo(200, 200, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    const auto image = SKTImage::initWithPosition(QPointF(20, 20), photo, QString());
    image->Set_Control_File_path(QStringLiteral("photo.png"));
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->setBounds(QRectF(100, 20, 80, 20)), text->Set_text_value(QStringLiteral("Name"));
    windowDocument.addInGraphics(image), windowDocument.addInGraphics(text);
    canvas.changeSelectionIndexes({0, 1});

    canvas.installEventFilter(&counter);
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    ASSERT_TRUE(QTest::qWaitFor([&counter] { return counter.paints > 0; }, 2000));
    QTest::qWait(50);
    counter.paints = 0;
    QTest::qWait(300);
    EXPECT_EQ(counter.paints, 0);
}

}  // namespace
