// A drag past the edge of the canvas area on the real window: the shipped "Classic blue (h)" at
// 600 %, its ID number dragged down past the bottom of the area.
#include <QComboBox>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "StartRoadFixture.h"
#include "support/CanvasMouse.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

class CanvasAutoscrollRoad : public StartRoadFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartRoadFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(copyClassicBlueTwoSided());
        controller.showWindow();
    }
};

}  // namespace

// The view scrolls down with the mouse, and the number follows it: the point it was taken by ends
// on the last row of the canvas area, in sight.
TEST_F(CanvasAutoscrollRoad, TheIdDraggedPastTheBottomScrollsTheViewAndStaysInSight)
{
    queueTemplateStart(QStringLiteral("Employee"), QStringLiteral("Classic blue (h)"));
    ASSERT_TRUE(Open_Start_Window(controller));
    SKTZoomingScrollView& scroll = *controller.zoomingScrollView(SKTDocument::FrontSide);
    QComboBox& zoom = *scroll.factorPopUpButton();
    zoom.setCurrentIndex(zoom.findText(QStringLiteral("600%")));
    Q_EMIT zoom.activated(zoom.currentIndex());
    ASSERT_EQ(scroll.factor(), 6.0);
    GraphicPtr id;
    for (const GraphicPtr& element : document.graphics())
        if (element->kind() == GraphicKind::Text && element->Text_Value == QLatin1String("NW-0421758"))
            id = element;
    ASSERT_NE(id, nullptr);

    // The number scrolled to, 40 pixels above the bottom of the area; the mouse taken 30 pixels
    // below it, a pixel past the area's last row and 30 more.
    SKTGraphicView& canvas = *controller.editedGraphicView();
    const QWidget& area = *scroll.viewport();
    const QRectF before = id->bounds();
    QScrollBar& bar = *scroll.verticalScrollBar();
    scroll.horizontalScrollBar()->setValue(qRound(before.center().x() * 6) - area.width() / 2);
    bar.setValue(qRound(before.center().y() * 6) - (area.height() - 40));
    const int scrolledBefore = bar.value();
    const QPoint grab = canvas.mapTo(&area, (before.center() * 6).toPoint());
    const QPoint below(grab.x(), area.height() + 30);
    ASSERT_LE(scrolledBefore + 3 * 31, bar.maximum()) << "room below to scroll into";
    canvas_mouse::dragOverViewport(canvas, {grab, below, below});

    // Two moves and the release, each 31 pixels past the last row.
    EXPECT_EQ(bar.value() - scrolledBefore, 3 * 31);
    const QPointF moved = id->bounds().topLeft() - before.topLeft();
    EXPECT_EQ(moved.x(), 0.0);
    const QPoint taken = canvas.mapTo(&area, ((before.center() + moved) * 6).toPoint());
    EXPECT_NEAR(taken.y(), area.height() - 1, 1) << "the point of the number the mouse took";
}
