// The design grid's snapping and drawing, the zoom steps and the centring of a small card.
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWheelEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "model/SKTDocument.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/canvas/SWCenteringClipView.h"
#include "model/CardPictures.h"

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

TEST(ZoomingScrollViewTest, CtrlWheelZoomsAboutThePointerAndAPressOnTheGreyAreaDeselects)
{
    SKTDocument document;
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
    document.graphics().first()->setBounds(QRectF(10, 10, 40, 30));
    SKTZoomingScrollView scroll;
    auto* canvas = new SKTGraphicView;
    canvas->setList(&document, SKTDocument::FrontSide);
    scroll.setWidget(canvas);
    scroll.show();
    scroll.resize(QSize(300, 200) + scroll.size() - scroll.viewport()->size());
    scroll.setFactor(2.0);
    // Where a turn over the canvas arrives: the canvas leaves wheel events to its viewport.
    const auto wheel = [&](QPointF viewportPoint, int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(viewportPoint, scroll.viewport()->mapToGlobal(viewportPoint), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scroll.viewport(), &event);
    };
    const auto cardPointAt = [&](QPointF viewportPoint) {
        return canvas->cardPointFromWidget(canvas->mapFrom(scroll.viewport(), viewportPoint.toPoint()));
    };

    const QPointF pointer(150, 100);
    const QPointF before = cardPointAt(pointer);
    wheel(pointer, 120, Qt::ControlModifier);
    EXPECT_EQ(scroll.factor(), 4.0);
    EXPECT_NEAR(cardPointAt(pointer).x(), before.x(), 0.5);
    EXPECT_NEAR(cardPointAt(pointer).y(), before.y(), 0.5);
    // Two half notches of a touchpad make one step; the wheel alone does not zoom.
    wheel(pointer, -60, Qt::ControlModifier);
    EXPECT_EQ(scroll.factor(), 4.0);
    wheel(pointer, -60, Qt::ControlModifier);
    EXPECT_EQ(scroll.factor(), 2.0);
    wheel(pointer, -120, Qt::NoModifier);
    EXPECT_EQ(scroll.factor(), 2.0);

    scroll.setFactor(0.25);
    canvas->changeSelectionIndexes({0});
    QTest::mouseClick(scroll.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_TRUE(canvas->selectionIndexes().isEmpty());
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
