// The design grid's snapping and drawing, the zoom steps and the centring of a small card.
#include <QComboBox>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "canvas/model/SKTDocument.h"
#include "canvas/view/SKTGraphicView.h"
#include "canvas/view/SKTGrid.h"
#include "canvas/view/SKTZoomingScrollView.h"
#include "canvas/view/SWCenteringClipView.h"
#include "CardPictures.h"

namespace {

// The pixels that the grid, drawn on white into the dirty rectangle, leaves inside the area.
int gridPixels(const SKTGrid& grid, const QRectF& dirty, const QRect& area)
{
    const QImage image = paintedAt72Dpi({200, 200}, 1, [&](QPainter& p) { grid.drawRect(p, dirty); });
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    return count;
}

}  // namespace

TEST(GridTest, SnapsToNearestLineWithHalvesGoingUp)
{
    SKTGrid grid;
    grid.setConstraining(true);
    EXPECT_EQ(grid.constrainedPoint({4.4, 4.5}), QPointF(0, 9));
    EXPECT_EQ(grid.constrainedPoint({-4.6, 13.4}), QPointF(-9, 9));
    EXPECT_EQ(grid.alignedRect({4, 4, 10, 10}), QRectF(0, 0, 18, 18));
    grid.setSpacing(0.0);
    EXPECT_FALSE(grid.canAlign());
    EXPECT_EQ(grid.constrainedPoint({4.4, 4.5}), QPointF(4.4, 4.5));
}

TEST(GridTest, DrawsLinesInAnyDirtyRectangle)
{
    SKTGrid grid;
    const QRect all(0, 0, 200, 200);
    EXPECT_EQ(gridPixels(grid, all, all), 0) << "a hidden grid draws nothing";
    grid.setAlwaysShown(true);
    // A small rectangle far from the origin still crosses the lines x = 99 and y = 99.
    const QRectF small(95, 95, 10, 10);
    EXPECT_GT(gridPixels(grid, small, {98, 95, 2, 10}), 0);
    EXPECT_GT(gridPixels(grid, small, {95, 98, 10, 2}), 0);
    EXPECT_EQ(gridPixels(grid, small, {0, 0, 90, 90}), 0) << "lines stay inside the rectangle";
    EXPECT_GT(gridPixels(grid, all, {197, 0, 3, 200}), 0) << "up to the far edge";
    grid.setSpacing(1e-9);
    EXPECT_EQ(gridPixels(grid, all, all), 0) << "a spacing far below a pixel draws nothing";
}

TEST(ZoomingScrollViewTest, ElevenStepsAndDoubleZoomHalvesMouseDistances)
{
    SKTDocument document;
    SKTZoomingScrollView scroll;
    auto* canvas = new SKTGraphicView;
    canvas->setList(&document, SKTDocument::FrontSide);
    scroll.setWidget(canvas);
    scroll.setFactorIndex(3);
    QComboBox* popUp = scroll.factorPopUpButton();
    ASSERT_EQ(popUp->count(), 11);
    const QSize actual = canvas->size();
    ASSERT_FALSE(actual.isEmpty());

    Q_EMIT popUp->activated(6);
    EXPECT_EQ(canvas->zoomFactor(), 2.0);
    EXPECT_EQ(canvas->size(), actual * 2);
    EXPECT_EQ(canvas->cardPointFromWidget({100, 60}), QPointF(50, 30));
    EXPECT_EQ(canvas->viewBounds().size(), QSizeF(actual));
}

TEST(CenteringClipViewTest, CentresASmallCanvasAndScrollsALargeOneWithinItsEdges)
{
    SKTZoomingScrollView scroll;
    auto* card = new QWidget;
    card->resize(300, 200);
    scroll.setWidget(card);
    scroll.resize(700, 600);
    scroll.show();
    scroll.resize(QSize(500, 400) + scroll.size() - scroll.viewport()->size());
    ASSERT_EQ(scroll.viewport()->size(), QSize(500, 400));

    SWCenteringClipView* clip = scroll.clipView();
    EXPECT_EQ(clip->origin(), QPoint(-100, -100));
    EXPECT_EQ(card->pos(), QPoint(100, 100));
    EXPECT_EQ(clip->constrainScrollPoint({37, 12}), QPoint(-100, -100));
    card->resize(301, 200);
    EXPECT_EQ(clip->origin().x(), -100) << "half a pixel of slack rounds away from zero";

    card->resize(800, 200);
    scroll.horizontalScrollBar()->setValue(120);
    EXPECT_EQ(clip->origin(), QPoint(120, -100));
    EXPECT_EQ(clip->constrainScrollPoint({400, 0}), QPoint(300, -100));
    EXPECT_EQ(clip->constrainScrollPoint({-5, 0}), QPoint(0, -100));
}
