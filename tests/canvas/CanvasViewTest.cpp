// The canvas driven by mouse and key events on an offscreen widget.
#include <QAction>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "canvas/model/SKTDocument.h"
#include "canvas/model/SKTImage.h"
#include "canvas/view/CanvasHost.h"
#include "canvas/view/CanvasMouseTracking.h"
#include "canvas/view/SKTGraphicView.h"
#include "canvas/view/SKTGrid.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"

namespace {

class RecordingHost : public CanvasHostStandIn {
public:
    void Show_RHS_Properties(SKTGraphic* graphic) override
    {
        ++shownCount;
        shown = graphic;
    }
    void Refresh_Canvas() override { ++refreshCount; }
    void Insert_In_Undo_Redo() override { ++snapshotCount; }
    void Open_Barcode_Window() override { ++barcodeWindowCount; }

    int shownCount = 0;
    SKTGraphic* shown = nullptr;
    int refreshCount = 0;
    int snapshotCount = 0;
    int barcodeWindowCount = 0;
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class CanvasViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setCanvasHost(&host);
        Card_Front_Or_Back = 0;
        Start_Card_Option.clear();
        view.setList(&document, SKTDocument::FrontSide);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void TearDown() override { setCanvasHost(nullptr); }

    // A shape appended below the elements already there.
    GraphicPtr addElement(const QRectF& bounds, GraphicKind kind = GraphicKind::Shape,
                          SKTDocument::Side side = SKTDocument::FrontSide)
    {
        GraphicPtr graphic = SKTGraphic::create(kind);
        graphic->setBounds(bounds);
        const auto index = int(document.graphicsOfSide(side).size());
        document.insertGraphicsOnSide(side, {graphic}, {index});
        return graphic;
    }

    QPoint at(QPointF card) const { return (card * view.zoomFactor()).toPoint(); }
    void press(QPointF card, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(&view, Qt::LeftButton, modifiers, at(card));
    }
    void moveTo(QPointF card) { QTest::mouseMove(&view, at(card)); }
    void release(QPointF card, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseRelease(&view, Qt::LeftButton, modifiers, at(card));
    }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(from, modifiers);
        moveTo((from + to) / 2);
        moveTo(to);
        release(to, modifiers);
    }
    void click(QPointF card, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(card, modifiers);
        release(card, modifiers);
    }

    RecordingHost host;
    SKTDocument document;
    SKTGraphicView view;
};

QAction* actionNamed(QMenu& menu, const QString& name)
{
    for (QAction* action : menu.actions()) {
        if (action->data().toString() == name)
            return action;
    }
    return nullptr;
}

}  // namespace

// ---- Selection -------------------------------------------------------------------------------------

TEST_F(CanvasViewTest, ClickSelectsTheTopmostElementAndShowsIt)
{
    const GraphicPtr top = addElement(QRectF(20, 20, 60, 40));
    addElement(QRectF(40, 30, 60, 40));
    click(QPointF(50, 35));
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
    EXPECT_EQ(view._Selected_Graphic, top);
    EXPECT_EQ(host.shown, top.get());
}

TEST_F(CanvasViewTest, ClickOnEmptyCanvasClearsTheSelectionUnlessCtrlIsHeld)
{
    addElement(QRectF(20, 20, 40, 40));
    view.changeSelectionIndexes({0});
    click(QPointF(200, 120), Qt::ControlModifier);
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
    click(QPointF(200, 120));
    EXPECT_TRUE(view.selectionIndexes().isEmpty());
    EXPECT_EQ(host.shown, nullptr);
}

TEST_F(CanvasViewTest, CtrlClickTogglesAndTheDragAfterDeselectingMovesNothing)
{
    const GraphicPtr first = addElement(QRectF(20, 20, 40, 40));
    addElement(QRectF(100, 20, 40, 40));
    click(QPointF(30, 30));
    click(QPointF(110, 30), Qt::ControlModifier);
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{0, 1}));

    drag(QPointF(30, 30), QPointF(60, 50), Qt::ControlModifier);
    EXPECT_EQ(view.selectionIndexes(), QList<int>{1});
    EXPECT_EQ(first->bounds(), QRectF(20, 20, 40, 40));
    EXPECT_EQ(host.snapshotCount, 0);
}

TEST_F(CanvasViewTest, RubberBandTogglesAgainstTheSelectionAtThePress)
{
    addElement(QRectF(10, 10, 20, 20));
    addElement(QRectF(50, 10, 20, 20));
    addElement(QRectF(90, 10, 20, 20));
    view.changeSelectionIndexes({0});

    press(QPointF(150, 80), Qt::ControlModifier);
    moveTo(QPointF(45, 5));
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(view.marqueeSelectionBounds(), QRectF(45, 5, 105, 75));
    moveTo(QPointF(5, 5));
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{1, 2}));
    // Over nothing the band keeps what it reached last.
    moveTo(QPointF(160, 90));
    EXPECT_EQ(view.selectionIndexes(), (QList<int>{1, 2}));
    release(QPointF(160, 90));
    EXPECT_TRUE(view.marqueeSelectionBounds().isNull());
    EXPECT_GE(host.refreshCount, 1);
}

TEST_F(CanvasViewTest, InvisibleElementsAreNeverHitNorCaughtByTheBand)
{
    const GraphicPtr hidden = addElement(QRectF(20, 20, 60, 40));
    hidden->Set_Ctrl_Is_Visible(false);
    const GraphicPtr below = addElement(QRectF(20, 20, 60, 40));
    EXPECT_EQ(view.graphicUnderPoint(QPointF(40, 30)), below);
    drag(QPointF(200, 120), QPointF(5, 5));
    EXPECT_EQ(view.selectionIndexes(), QList<int>{1});
}

TEST_F(CanvasViewTest, SelectionAndCurrentElementAreDroppedWhenTheirElementsLeave)
{
    addElement(QRectF(10, 10, 20, 20));
    const GraphicPtr second = addElement(QRectF(50, 10, 20, 20));
    click(QPointF(55, 15));
    ASSERT_EQ(view._Selected_Graphic, second);

    document.removeGraphicsOnSideAtIndexes(SKTDocument::FrontSide, {1});
    EXPECT_TRUE(view.selectionIndexes().isEmpty());
    EXPECT_EQ(view._Selected_Graphic, nullptr);

    view.changeSelectionIndexes({0});
    view._Selected_Graphic = view.graphics().first();
    view.delete_all_control();
    EXPECT_EQ(view._Selected_Graphic, nullptr);
    EXPECT_TRUE(view.selectionIndexes().isEmpty());

    // A rebuild from a snapshot replaces every element.
    const GraphicPtr rebuilt = addElement(QRectF(10, 10, 20, 20));
    view.changeSelectionIndexes({0});
    view._Selected_Graphic = rebuilt;
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {SKTGraphic::create(GraphicKind::Shape)});
    EXPECT_EQ(view._Selected_Graphic, nullptr);
    EXPECT_TRUE(view.selectionIndexes().isEmpty());
}

TEST_F(CanvasViewTest, ElementBeingCreatedIsDroppedWhenItLeavesTheList)
{
    host.Set_Selected_Control_Tool(3);
    press(QPointF(40, 40));
    ASSERT_NE(view.creatingGraphic(), nullptr);
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
    EXPECT_EQ(view.creatingGraphic(), nullptr);
    moveTo(QPointF(80, 80));
    release(QPointF(80, 80));
    EXPECT_TRUE(view.graphics().isEmpty());
}

// ---- Moving and resizing ---------------------------------------------------------------------------

TEST_F(CanvasViewTest, DragMovesTheSelectionAndRecordsOneSnapshot)
{
    const GraphicPtr graphic = addElement(QRectF(20, 20, 40, 40));
    drag(QPointF(30, 30), QPointF(45, 37));
    EXPECT_EQ(graphic->bounds(), QRectF(35, 27, 40, 40));
    EXPECT_EQ(host.snapshotCount, 1);
    EXPECT_FALSE(view.isHidingHandles());
    EXPECT_GE(host.refreshCount, 1);
}

TEST_F(CanvasViewTest, PressMovingLessThanTwoPointsMovesNothingAndRecordsNothing)
{
    const GraphicPtr graphic = addElement(QRectF(20, 20, 40, 40));
    press(QPointF(30, 30));
    moveTo(QPointF(31, 31));
    EXPECT_FALSE(view.isHidingHandles());
    release(QPointF(31, 31));
    EXPECT_EQ(graphic->bounds(), QRectF(20, 20, 40, 40));
    EXPECT_EQ(host.snapshotCount, 0);
    EXPECT_EQ(host.refreshCount, 1);
    EXPECT_FALSE(CanvasMouseTracking::isBeyondThreshold(QPointF(0, 0), QPointF(1.99, -1.99)));
    EXPECT_TRUE(CanvasMouseTracking::isBeyondThreshold(QPointF(0, 0), QPointF(0, -2)));
}

TEST_F(CanvasViewTest, DragWithAConstrainingGridSnapsTheSelectionOrigin)
{
    SKTGrid grid;
    grid.setConstraining(true);
    view.setGrid(&grid);
    const GraphicPtr graphic = addElement(QRectF(20, 20, 40, 40));
    // The union's would-be origin (28, 24) snaps to (27, 27).
    drag(QPointF(25, 25), QPointF(33, 29));
    EXPECT_EQ(graphic->bounds(), QRectF(27, 27, 40, 40));
    view.setGrid(nullptr);
}

TEST_F(CanvasViewTest, HandleDragPastTheOppositeEdgeMirrorsAtDoubleZoom)
{
    view.setZoomFactor(2.0);
    const GraphicPtr graphic = addElement(QRectF(10, 10, 100, 40));
    view.changeSelectionIndexes({0});
    // Handle 5 (right, middle) dragged to x = 5 turns the box over to handle 4.
    drag(QPointF(110, 30), QPointF(5, 30));
    EXPECT_EQ(graphic->bounds(), QRectF(5, 10, 5, 40));
    EXPECT_EQ(view._Selected_Graphic, graphic);
    EXPECT_EQ(host.snapshotCount, 0);
}

TEST_F(CanvasViewTest, LockedElementsNeverMoveOrResize)
{
    const GraphicPtr graphic = addElement(QRectF(20, 20, 60, 40));
    graphic->ctrl_is_locked = true;
    view.changeSelectionIndexes({0});
    drag(QPointF(40, 30), QPointF(90, 70));
    drag(QPointF(80, 60), QPointF(120, 100));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(graphic->bounds(), QRectF(20, 20, 60, 40));
    EXPECT_EQ(host.snapshotCount, 1);  // the key press records one anyway
}

TEST_F(CanvasViewTest, ArrowKeysMoveOnePointAndRecordASnapshotEvenWithoutSelection)
{
    const GraphicPtr graphic = addElement(QRectF(20, 20, 40, 40));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(host.snapshotCount, 1);
    EXPECT_EQ(graphic->bounds(), QRectF(20, 20, 40, 40));

    view.changeSelectionIndexes({0});
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(graphic->bounds(), QRectF(21, 21, 40, 40));
    EXPECT_EQ(host.snapshotCount, 5);
    EXPECT_TRUE(view.isHidingHandles());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !view.isHidingHandles(); }, 3000));
}

// ---- Double click and menu -------------------------------------------------------------------------

TEST_F(CanvasViewTest, DoubleClickOpensTheBarcodeWindowOnlyForAnUnlockedBarcode)
{
    const GraphicPtr barcode = addElement(QRectF(20, 20, 80, 40), GraphicKind::Barcode);
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, at(QPointF(40, 30)));
    EXPECT_EQ(host.barcodeWindowCount, 1);
    EXPECT_EQ(host.shown, barcode.get());

    barcode->ctrl_is_locked = true;
    host.shown = nullptr;
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, at(QPointF(40, 30)));
    EXPECT_EQ(host.barcodeWindowCount, 1);
    EXPECT_EQ(host.shown, barcode.get());
    EXPECT_EQ(view._Selected_Graphic, barcode);
}

TEST_F(CanvasViewTest, ContextMenuItemsAreValidatedBeforeShowing)
{
    std::unique_ptr<QMenu> menu = view.makeContextMenu();
    EXPECT_EQ(menu->title(), QStringLiteral("Contextual Menu"));
    ASSERT_EQ(menu->actions().size(), 21);
    EXPECT_EQ(menu->actions().at(6)->text(), QStringLiteral("Bring to Front"));
    EXPECT_TRUE(menu->actions().at(3)->isSeparator());
    EXPECT_FALSE(actionNamed(*menu, QStringLiteral("delete:"))->isEnabled());
    EXPECT_FALSE(actionNamed(*menu, QStringLiteral("copy:"))->isEnabled());
    EXPECT_TRUE(actionNamed(*menu, QStringLiteral("card_properties:"))->isEnabled());

    const GraphicPtr graphic = addElement(QRectF(20, 20, 40, 40));
    graphic->ctrl_is_locked = true;
    click(QPointF(30, 30));
    menu = view.makeContextMenu();
    EXPECT_FALSE(actionNamed(*menu, QStringLiteral("delete:"))->isEnabled());
    EXPECT_FALSE(actionNamed(*menu, QStringLiteral("lock_ctrl:"))->isEnabled());
    EXPECT_TRUE(actionNamed(*menu, QStringLiteral("unlock_ctrl:"))->isEnabled());
    EXPECT_TRUE(actionNamed(*menu, QStringLiteral("copy:"))->isEnabled());
}

TEST_F(CanvasViewTest, GridItemOfTheMenuTogglesTheGrid)
{
    SKTGrid grid;
    view.setGrid(&grid);
    view.performMenuAction(QStringLiteral("show_hide_grid_lines:"));
    EXPECT_TRUE(grid.isAlwaysShown());
    view.performMenuAction(QStringLiteral("show_hide_grid_lines:"));
    EXPECT_FALSE(grid.isAlwaysShown());
    view.setGrid(nullptr);
}

// ---- Creation with the mouse -----------------------------------------------------------------------

TEST_F(CanvasViewTest, ToolDragCreatesAnElementOfTheDraggedSize)
{
    host.Set_Selected_Control_Tool(3);
    drag(QPointF(30, 30), QPointF(90, 70));
    ASSERT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(view.graphics().first()->bounds(), QRectF(30, 30, 60, 40));
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
    EXPECT_EQ(host.shown, view.graphics().first().get());
    EXPECT_EQ(host.Selected_Control_Tool(), 0);
}

TEST_F(CanvasViewTest, ClickWithAToolLeavesNoEmptyElementOnEitherSide)
{
    host.Set_Selected_Control_Tool(3);
    click(QPointF(40, 40));
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_FALSE(document.undoManager().canRedo());
    EXPECT_EQ(host.snapshotCount, 2);
    EXPECT_EQ(view._Selected_Graphic, nullptr);
    EXPECT_EQ(host.shown, nullptr);

    Card_Front_Or_Back = 1;
    view.setList(&document, SKTDocument::BackSide);
    host.Set_Selected_Control_Tool(3);
    click(QPointF(40, 40));
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_EQ(host.Selected_Control_Tool(), 0);
    Card_Front_Or_Back = 0;
}

// ---- Painting --------------------------------------------------------------------------------------

TEST_F(CanvasViewTest, IdleCanvasDoesNotRepaint)
{
    setCanvasHost(nullptr);
    SKTDocument windowDocument;
    SKTWindowController controller(windowDocument);
    setCanvasHost(&host);
    SKTGraphicView canvas;
    canvas.setList(&windowDocument, SKTDocument::FrontSide);
    QImage photo(200, 200, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    const auto image = SKTImage::initWithPosition(QPointF(20, 20), photo);
    image->Set_Control_File_path(QStringLiteral("photo.png"));
    windowDocument.addInGraphics(image);
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->setBounds(QRectF(100, 20, 80, 20));
    text->Set_text_value(QStringLiteral("Name"));
    windowDocument.addInGraphics(text);
    canvas.changeSelectionIndexes({0, 1});

    PaintCounter counter;
    canvas.installEventFilter(&counter);
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    ASSERT_TRUE(QTest::qWaitFor([&counter] { return counter.paints > 0; }, 2000));
    QTest::qWait(50);
    counter.paints = 0;
    QTest::qWait(300);
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(CanvasViewTest, HandlesAreDrawnForTheSelectionOnly)
{
    addElement(QRectF(40, 40, 60, 40));
    const auto pixelAtHandle = [this] {
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        view.render(&image);
        return image.pixelColor(at(QPointF(40, 40)));
    };
    const QColor plain = pixelAtHandle();
    view.changeSelectionIndexes({0});
    const QColor unlocked = pixelAtHandle();
    view.graphics().first()->ctrl_is_locked = true;
    const QColor locked = pixelAtHandle();
    EXPECT_NE(plain, unlocked);
    EXPECT_EQ(locked, QColor(Qt::red));
}
