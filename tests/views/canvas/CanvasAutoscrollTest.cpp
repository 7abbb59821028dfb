// A drag carried past the edge of the canvas's scroll view, at four times the card's size.
#include <QScrollBar>

#include "CanvasCommandFixture.h"
#include "support/CanvasMouse.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

class CanvasAutoscrollTest : public CanvasCommandFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CanvasCommandFixture::SetUp());
        scroll.setDocumentView(&view);
        scroll.setFactor(4.0);
        scroll.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&scroll));
        scroll.resize(QSize(300, 200) + scroll.size() - scroll.viewport()->size());
        ASSERT_EQ(scroll.viewport()->size(), QSize(300, 200));
    }
    void TearDown() override
    {
        scroll.takeWidget();
        CanvasCommandFixture::TearDown();
    }
    QPoint scrolled() const { return {scroll.horizontalScrollBar()->value(), scroll.verticalScrollBar()->value()}; }
    QRectF cardInSight() const
    {
        const QRect port = scroll.viewport()->rect();
        return {view.cardPointFromWidget(view.mapFrom(scroll.viewport(), port.topLeft())),
                view.cardPointFromWidget(view.mapFrom(scroll.viewport(), port.bottomRight()))};
    }

    SKTZoomingScrollView scroll;
};

// Each event past the edge scrolls the view as far as the mouse is past it, so that the card point
// under the mouse comes into sight, and the drag goes on to that point: the moved element, the
// resized one and the element the rubber band reaches are in sight. A drag in sight scrolls nothing.
TEST_F(CanvasAutoscrollTest, ADragPastTheEdgeScrollsThePointUnderTheMouseIntoSight)
{
    const GraphicPtr dragged = addShape({10, 10, 20, 20});
    addShape({90, 70, 10, 10});  // out of sight until the view scrolls
    const struct {
        const char* what;
        QPoint press, held;  // in the viewport: the press, then two moves and the release at `held`
        QRectF bounds;       // the dragged element's after the release
        QPoint scrolled;
        QList<int> selection;
    } cases[] = {
        {"a move in sight", {80, 80}, {80, 150}, {10, 27.5, 20, 20}, {0, 0}, {0}},
        {"a move past the bottom", {80, 80}, {80, 260}, {10, 85.5, 20, 20}, {0, 183}, {0}},
        {"a resize past the right and the bottom", {120, 120}, {340, 250}, {10, 10, 95.5, 78}, {123, 153}, {0}},
        {"a rubber band past the right and the bottom", {200, 40}, {340, 260}, {10, 10, 20, 20}, {123, 183}, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dragged->setBounds({10, 10, 20, 20});
        scroll.horizontalScrollBar()->setValue(0);
        scroll.verticalScrollBar()->setValue(0);
        view.changeSelectionIndexes({0});
        canvas_mouse::dragOverViewport(view, {c.press, c.held, c.held});
        EXPECT_EQ(dragged->bounds(), c.bounds);
        EXPECT_EQ(scrolled(), c.scrolled);
        EXPECT_EQ(view.selectionIndexes(), c.selection);
        EXPECT_TRUE(cardInSight().intersects(view.selectedGraphics().value(0)->bounds())) << "the drag's element in sight";
    }
}

}  // namespace
