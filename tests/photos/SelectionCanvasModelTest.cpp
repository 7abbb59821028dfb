// The selection rectangles and their canvas driven by points (origin lower left, y up) and keys,
// without a widget, with the worked numbers of their rules.
#include <QList>
#include <gtest/gtest.h>

#include "photos/SelectionCanvasModel.h"
#include "photos/Selector.h"

namespace {

constexpr double kW = 200, kH = 150;

struct Canvas {
    SelectionCanvasModel model;
    Canvas() { model.setCanvasFrame(QRectF(0, 0, kW, kH)); }

    void drag(QPointF from, QPointF to, bool withCommand = false)
    {
        model.mouseDown(from, withCommand);
        model.mouseDragged(to);
        model.mouseUp();
    }
    // A dropped selector as the canvas shows it, handles laid out by a paint.
    Selector* placed(const QRectF& frame)
    {
        model.addSelectorWithFrame(frame);
        model.mouseUp();
        model.layOutHandlesForPaint();
        return model.currentSelector();
    }
};

}  // namespace

TEST(Selector, ANewSelectorIsSelectedInTheDefaultLook)
{
    Canvas canvas;
    Selector* s = canvas.placed(QRectF(10, 10, 100, 100));
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isSelected());
    EXPECT_TRUE(s->isDashed());
    EXPECT_EQ(s->lineWidth(), 1.0);
    EXPECT_EQ(s->strokeColor().rgb(), qRgb(170, 170, 170));
    EXPECT_EQ(s->fillColor().blueF(), 1.0f);
    EXPECT_NEAR(s->fillColor().alphaF(), 0.1, 1e-4);
    EXPECT_NEAR(s->fillColor().greenF(), 0.2, 1e-4);
    EXPECT_TRUE(s->handlesShown());
    // Four white-rimmed blue circles of 8.5 centred on the corners: top left, top right, bottom
    // left, bottom right.
    const QPointF corners[] = {{10, 110}, {110, 110}, {10, 10}, {110, 10}};
    for (int i = 0; i < 4; ++i) {
        const SelectionHandle& handle = s->handles()[i];
        EXPECT_EQ(handle.type(), i + 1);
        EXPECT_EQ(handle.frame(), QRectF(corners[i] - QPointF(4.25, 4.25), QSizeF(8.5, 8.5))) << i;
        EXPECT_EQ(handle.handleStyle().strokeColor, QColor(Qt::white));
    }
    EXPECT_EQ(s->handles()[0].handleStyle().fillColor.rgb(), QColor::fromRgbF(0.1054f, 0.4531f, 0.7929f).rgb());
    EXPECT_EQ(s->handles()[0].cursor(), SelectionCursor::TopBottom);
    EXPECT_EQ(s->handles()[1].cursor(), SelectionCursor::BottomTop);
    // Cursor areas: the corners' diagonal cursors, the open hand inside, the arrow elsewhere, and
    // no change at all while the mouse is down.
    EXPECT_EQ(canvas.model.cursorAt(QPointF(11, 109)), SelectionCursor::TopBottom);
    EXPECT_EQ(canvas.model.cursorAt(QPointF(10, 10)), SelectionCursor::BottomTop);
    EXPECT_EQ(canvas.model.cursorAt(QPointF(60, 60)), SelectionCursor::OpenHand);
    EXPECT_EQ(canvas.model.cursorAt(QPointF(150, 60)), SelectionCursor::Arrow);
    canvas.model.mouseDown(QPointF(60, 60), false);
    EXPECT_EQ(canvas.model.cursorAt(QPointF(150, 60)), std::nullopt);
    canvas.model.mouseUp();
    // Unselected: no fill, no handles.
    canvas.model.keyDown(Qt::Key_Escape, false);
    EXPECT_EQ(s->fillColor().alpha(), 0);
    EXPECT_FALSE(s->handlesShown());
    // Hidden: nothing is drawn, so no handles either.
    canvas.model.keyDown(Qt::Key_A, true);
    s->Set_selector_show_or_not(false);
    EXPECT_FALSE(s->handlesShown());
}

TEST(Selector, DrawingOutIsClampedAtTheCanvasEdges)
{
    Canvas canvas;
    // Leftwards past x = 0 from an anchor at x = 50: still anchored, spanning 0 to 50.
    canvas.model.mouseDown(QPointF(50, 40), false);
    canvas.model.mouseDragged(QPointF(-30, 80));
    Selector* s = canvas.model.currentSelector();
    EXPECT_EQ(s->frame(), QRectF(50, 40, -50, 40));
    // Past the top right corner: up to the canvas's top and right edges.
    canvas.model.mouseDragged(QPointF(500, 400));
    EXPECT_EQ(s->frame(), QRectF(50, 40, kW - 50, kH - 40));
    // Down and left past both edges, then dropped: the standardised rectangle.
    canvas.model.mouseDragged(QPointF(-5, -5));
    EXPECT_EQ(s->frame(), QRectF(50, 40, -50, -40));
    canvas.model.mouseUp();
    EXPECT_EQ(s->frame(), QRectF(0, 0, 50, 40));
}

TEST(Selector, MovingFollowsThePointerAndStopsAtTheEdges)
{
    Canvas canvas;
    Selector* s = canvas.placed(QRectF(20, 20, 40, 30));
    // Pressed inside, away from the corners: a move whose centre jumps to the pointer.
    canvas.model.mouseDown(QPointF(30, 30), false);
    EXPECT_EQ(s->action(), Selector::Move);
    canvas.model.mouseDragged(QPointF(100, 60));
    EXPECT_EQ(s->frame(), QRectF(80, 45, 40, 30));
    // Its right edge would pass the width: x = W - 40, the size kept.
    canvas.model.mouseDragged(QPointF(190, 60));
    EXPECT_EQ(s->frame(), QRectF(kW - 40, 45, 40, 30));
    canvas.model.mouseDragged(QPointF(5, 5));
    EXPECT_EQ(s->frame(), QRectF(0, 0, 40, 30));
    canvas.model.mouseDragged(QPointF(100, 149));
    EXPECT_EQ(s->frame(), QRectF(80, kH - 30, 40, 30));
    canvas.model.mouseUp();
    EXPECT_EQ(canvas.model.selectors(), QList<Selector*>{s});
}

TEST(Selector, CornerDragsKeepTheOppositeCornerAndStopAtTheEdges)
{
    Canvas canvas;
    Selector* s = canvas.placed(QRectF(20, 20, 100, 50));
    // Handle 2 (top right) dragged beyond the top: from the fixed bottom-left corner to the top.
    canvas.model.mouseDown(QPointF(121, 71), false);
    EXPECT_EQ(s->action(), Selector::Resize);
    EXPECT_EQ(s->currentHandle()->type(), SelectionHandle::TopRight);
    canvas.model.mouseDragged(QPointF(150, 400));
    EXPECT_EQ(s->frame(), QRectF(150, kH, -130, 20 - kH));
    canvas.model.mouseUp();
    EXPECT_EQ(s->frame(), QRectF(20, 20, 130, kH - 20));

    // Handle 3 (bottom left), pressed just outside the rectangle, past the left and bottom edges.
    canvas.model.layOutHandlesForPaint();
    canvas.model.mouseDown(QPointF(17, 17), false);
    EXPECT_EQ(s->currentHandle()->type(), SelectionHandle::BottomLeft);
    canvas.model.mouseDragged(QPointF(-10, -10));
    canvas.model.mouseUp();
    EXPECT_EQ(s->frame(), QRectF(0, 0, 150, kH));

    // A corner dragged onto the fixed one leaves a rectangle too small to keep: it goes.
    canvas.model.layOutHandlesForPaint();
    canvas.model.mouseDown(QPointF(150, kH), false);  // handle 2 again
    canvas.model.mouseDragged(QPointF(-20, 10));
    EXPECT_EQ(s->frame(), QRectF(0, 10, 0, -10));
    canvas.model.mouseUp();
    EXPECT_FALSE(canvas.model.hasSelectors());
}

TEST(Selector, TheMinimumSizeIsTwentyByTwenty)
{
    Selector s(QRectF(0, 0, 20, 20), nullptr, false);
    EXPECT_TRUE(s.isBigEnough());
    s.Set_Selector_frame(QRectF(0, 0, 19.9, 50));
    EXPECT_FALSE(s.isBigEnough());
    s.Set_Selector_frame(QRectF(0, 0, -20, -20));
    EXPECT_TRUE(s.isBigEnough());

    // Drawn out to 19.9 x 50 and dropped: refused, the canvas is left empty.
    Canvas canvas;
    canvas.drag(QPointF(10, 10), QPointF(29.9, 60));
    EXPECT_FALSE(canvas.model.hasSelectors());
    EXPECT_EQ(canvas.model.currentSelector(), nullptr);
    // A click alone makes a 0 x 0 selector that is gone at mouse-up.
    canvas.model.mouseDown(QPointF(30, 30), false);
    EXPECT_TRUE(canvas.model.hasSelectors());
    canvas.model.mouseUp();
    EXPECT_FALSE(canvas.model.hasSelectors());
    // 20 x 20 stays.
    canvas.drag(QPointF(30, 30), QPointF(50, 50));
    ASSERT_TRUE(canvas.model.hasSelectors());
    EXPECT_EQ(canvas.model.selectors().front()->frame(), QRectF(30, 30, 20, 20));
}

TEST(SelectionCanvas, DrawingOutAMarqueeAndReplacing)
{
    Canvas canvas;
    canvas.drag(QPointF(30, 30), QPointF(80, 70));
    ASSERT_EQ(canvas.model.selectors().size(), 1);
    Selector* s = canvas.model.selectors().front();
    EXPECT_EQ(s->frame(), QRectF(30, 30, 50, 40));
    EXPECT_TRUE(s->isSelected());
    EXPECT_EQ(canvas.model.currentSelector(), s);
    canvas.model.layOutHandlesForPaint();

    // A drag from outside draws a marquee: neither clamped nor given handles, dashed; it selects
    // what it touches and leaves no new selector.
    canvas.model.mouseDown(QPointF(150, 120), false);
    Selector* picker = canvas.model.currentSelector();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->isPicker());
    EXPECT_FALSE(s->isSelected());
    canvas.model.mouseDragged(QPointF(60, 400));
    EXPECT_EQ(picker->frame(), QRectF(150, 120, -90, 280));
    EXPECT_FALSE(picker->handlesShown());
    EXPECT_TRUE(picker->isDashed());
    canvas.model.mouseDragged(QPointF(60, 50));
    canvas.model.mouseUp();
    EXPECT_EQ(canvas.model.selectors(), QList<Selector*>{s});
    EXPECT_TRUE(s->isSelected());
    EXPECT_EQ(canvas.model.currentSelector(), nullptr);
    // A marquee that misses leaves the selector unselected.
    canvas.drag(QPointF(150, 120), QPointF(190, 140));
    EXPECT_FALSE(s->isSelected());

    // A marquee that reaches only a corner handle selects the selector and leaves its frame as
    // it was, not re-based on that corner with a negative size.
    canvas.drag(QPointF(150, 120), QPointF(82, 72));
    EXPECT_TRUE(s->isSelected());
    EXPECT_EQ(s->frame(), QRectF(30, 30, 50, 40));

    // With Ctrl held the same drag replaces the selector with a new one.
    canvas.drag(QPointF(150, 120), QPointF(60, 20), true);
    ASSERT_EQ(canvas.model.selectors().size(), 1);
    EXPECT_EQ(canvas.model.selectors().front()->frame(), QRectF(60, 20, 90, 100));
    // Ctrl held inside the selector too: a new one drawn from there.
    canvas.drag(QPointF(100, 50), QPointF(130, 80), true);
    ASSERT_EQ(canvas.model.selectors().size(), 1);
    EXPECT_EQ(canvas.model.selectors().front()->frame(), QRectF(100, 50, 30, 30));
}

TEST(SelectionCanvas, KeysDeleteUnselectAndSelectAll)
{
    for (int deleteKey : {int(Qt::Key_Backspace), int(Qt::Key_Delete)}) {
        Canvas canvas;
        int redisplays = 0;
        canvas.model.setRedisplayHandler([&] { ++redisplays; });
        Selector* s = canvas.placed(QRectF(10, 10, 100, 100));
        canvas.model.keyDown(Qt::Key_Escape, false);
        EXPECT_FALSE(s->isSelected());
        // Unselected, it survives Delete; A without Ctrl does nothing.
        canvas.model.keyDown(deleteKey, false);
        canvas.model.keyDown(Qt::Key_A, false);
        ASSERT_TRUE(canvas.model.hasSelectors());
        EXPECT_FALSE(s->isSelected());
        canvas.model.keyDown(Qt::Key_A, true);
        EXPECT_TRUE(s->isSelected());
        redisplays = 0;
        canvas.model.keyDown(deleteKey, false);
        EXPECT_FALSE(canvas.model.hasSelectors());
        EXPECT_EQ(canvas.model.currentSelector(), nullptr);
        EXPECT_GE(redisplays, 1);
    }
}
