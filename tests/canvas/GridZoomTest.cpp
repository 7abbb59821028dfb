// The design grid's snapping and drawing, the zoom steps and the centring of a small card.
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "canvas/model/SKTDocument.h"
#include "canvas/view/SKTGraphicView.h"
#include "canvas/view/SKTGrid.h"
#include "canvas/view/SKTZoomingScrollView.h"
#include "canvas/view/SWCenteringClipView.h"

namespace {

// Counts the pixels of a grid drawing on white inside the area.
int gridPixelsIn(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    return count;
}

QImage drawnGrid(const SKTGrid& grid, const QRectF& dirty)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    grid.drawRect(painter, dirty);
    return image;
}

// Sizes the scroll view so that its visible area is exactly `size`.
void showWithViewportSize(SKTZoomingScrollView& scroll, QSize size)
{
    scroll.resize(size + QSize(200, 200));
    scroll.show();
    scroll.resize(size + scroll.size() - scroll.viewport()->size());
    ASSERT_EQ(scroll.viewport()->size(), size);
}

} // namespace

TEST(GridTest, SnapsToNearestLineWithHalvesGoingUp)
{
    SKTGrid grid;
    EXPECT_EQ(grid.spacing(), 9.0);
    EXPECT_EQ(grid.constrainedPoint({4.4, 4.5}), QPointF(4.4, 4.5)) << "not constraining yet";
    grid.setConstraining(true);
    EXPECT_EQ(grid.constrainedPoint({4.4, 4.5}), QPointF(0, 9));
    EXPECT_EQ(grid.constrainedPoint({-4.6, 13.4}), QPointF(-9, 9));
    EXPECT_EQ(grid.alignedRect({4, 4, 10, 10}), QRectF(0, 0, 18, 18));

    grid.setSpacing(0.0);
    EXPECT_FALSE(grid.isUsable());
    EXPECT_FALSE(grid.canAlign());
    EXPECT_EQ(grid.constrainedPoint({4.4, 4.5}), QPointF(4.4, 4.5));
}

TEST(GridTest, ShowingSignalsOnlyRealChanges)
{
    SKTGrid grid;
    QList<bool> shown;
    QObject::connect(&grid, &SKTGrid::alwaysShownChanged, [&](bool value) { shown << value; });
    grid.setAlwaysShown(false);
    EXPECT_TRUE(shown.isEmpty());
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(true);
    EXPECT_EQ(shown, QList<bool>{true});
    EXPECT_TRUE(grid.canSetColor());
}

TEST(GridTest, DrawsLinesInAnyDirtyRectangle)
{
    SKTGrid grid;
    EXPECT_EQ(gridPixelsIn(drawnGrid(grid, {0, 0, 200, 200}), {0, 0, 200, 200}), 0)
        << "a hidden grid draws nothing";
    grid.setAlwaysShown(true);

    // A small rectangle far from the origin still crosses the lines x = 99 and y = 99.
    const QImage small = drawnGrid(grid, {95, 95, 10, 10});
    EXPECT_GT(gridPixelsIn(small, {98, 95, 2, 10}), 0);
    EXPECT_GT(gridPixelsIn(small, {95, 98, 10, 2}), 0);
    EXPECT_EQ(gridPixelsIn(small, {0, 0, 90, 90}), 0) << "lines stay inside the rectangle";

    // The lines near the far edge of a large rectangle are drawn too.
    const QImage large = drawnGrid(grid, {0, 0, 200, 200});
    EXPECT_GT(gridPixelsIn(large, {197, 0, 3, 200}), 0);

    // A spacing typed far below a pixel draws nothing instead of building billions of lines.
    grid.setSpacing(1e-9);
    EXPECT_EQ(gridPixelsIn(drawnGrid(grid, {0, 0, 200, 200}), {0, 0, 200, 200}), 0);
}

TEST(ZoomingScrollViewTest, OffersElevenStepsStartingAtActualSize)
{
    SKTZoomingScrollView scroll;
    QComboBox* popUp = scroll.factorPopUpButton();
    ASSERT_EQ(popUp->count(), 11);
    EXPECT_EQ(popUp->currentIndex(), SKTZoomingScrollView::actualSizeIndex);
    EXPECT_EQ(popUp->itemText(3), "100%");
    EXPECT_EQ(popUp->itemData(3).toDouble(), 1.0);
    EXPECT_EQ(popUp->itemText(10), "1000%");

    QList<double> changes;
    QObject::connect(&scroll, &SKTZoomingScrollView::factorChanged,
                     [&](double factor) { changes << factor; });
    Q_EMIT popUp->activated(6);
    EXPECT_EQ(scroll.factor(), 2.0);
    EXPECT_EQ(changes, QList<double>{2.0});

    scroll.setFactor(3.0);
    EXPECT_EQ(scroll.factorIndex(), -1) << "a factor the pop-up lacks is still taken";
    EXPECT_EQ(popUp->currentIndex(), -1);
}

TEST(ZoomingScrollViewTest, DoubleZoomMagnifiesTheCanvasAndHalvesMouseDistances)
{
    SKTDocument document;
    SKTZoomingScrollView scroll;
    auto* canvas = new SKTGraphicView;
    canvas->setList(&document, SKTDocument::FrontSide);
    scroll.setWidget(canvas);
    scroll.setFactorIndex(3);
    const QSize actual = canvas->size();
    ASSERT_FALSE(actual.isEmpty());

    scroll.setFactorIndex(6);
    EXPECT_EQ(canvas->zoomFactor(), 2.0);
    EXPECT_EQ(canvas->size(), actual * 2);
    EXPECT_EQ(canvas->cardPointFromWidget({100, 60}), QPointF(50, 30));
    EXPECT_EQ(canvas->viewBounds().size(), QSizeF(actual));
}

TEST(CenteringClipViewTest, CentresASmallCanvasThatDoesNotScroll)
{
    SKTZoomingScrollView scroll;
    auto* card = new QWidget;
    card->resize(300, 200);
    scroll.setWidget(card);
    showWithViewportSize(scroll, {500, 400});

    SWCenteringClipView* clip = scroll.clipView();
    EXPECT_EQ(clip->origin(), QPoint(-100, -100));
    EXPECT_EQ(card->pos(), QPoint(100, 100));
    scroll.horizontalScrollBar()->setValue(40);
    EXPECT_EQ(clip->origin().x(), -100);
    EXPECT_EQ(clip->constrainScrollPoint({37, 12}), QPoint(-100, -100));

    // A half pixel of slack rounds away from zero and stays put through layout.
    card->resize(301, 200);
    EXPECT_EQ(clip->origin().x(), -100);
}

TEST(CenteringClipViewTest, LargeCanvasScrollsWithinItsEdges)
{
    SKTZoomingScrollView scroll;
    auto* card = new QWidget;
    card->resize(800, 200);
    scroll.setWidget(card);
    showWithViewportSize(scroll, {500, 400});

    SWCenteringClipView* clip = scroll.clipView();
    EXPECT_EQ(clip->origin(), QPoint(0, -100));
    scroll.horizontalScrollBar()->setValue(120);
    EXPECT_EQ(clip->origin(), QPoint(120, -100));
    EXPECT_EQ(clip->constrainScrollPoint({400, 0}), QPoint(300, -100));
    EXPECT_EQ(clip->constrainScrollPoint({-5, 0}), QPoint(0, -100));
}
