// Where one element ends and the next begins: clicks on edges, moves onto the card's edge, natural
// size, zero-width dashes and the point counts of stars and polygons.
#include "CanvasCommandFixture.h"
#include "model/CardPictures.h"
#include "model/drawing/PaintRules.h"
#include "model/drawing/ShapePaths.h"

namespace {

using HitEdges = CanvasCommandFixture;
using CardEdges = WithCardHost<TestCardHost>;  // a 243 x 154 point card

GraphicPtr boxOf(GraphicKind kind, const QRectF& bounds)
{
    GraphicPtr graphic = SKTGraphic::create(kind);
    graphic->_bounds = bounds;
    return graphic;
}

// Minimum edges inside, maximum edges outside: of two abutting elements the shared edge belongs
// to the right-hand one even when the left-hand one lies on top.
TEST_F(HitEdges, ClicksOnMinimumEdgesHitAndOnMaximumEdgesMiss)
{
    const GraphicPtr left = add(GraphicKind::Text, {20, 20, 40, 30});
    const GraphicPtr right = add(GraphicKind::Text, {60, 20, 40, 30});
    EXPECT_EQ(view.graphicUnderPoint({20, 20}), left);
    EXPECT_EQ(view.graphicUnderPoint({60, 35}), right);
    EXPECT_EQ(view.graphicUnderPoint({100, 35}), nullptr);
    EXPECT_EQ(view.graphicUnderPoint({30, 50}), nullptr);

    // A selected element's handle square reaches 4 points out: its top-left corner is on the
    // handle, its bottom-right corner is not (the click then falls on the contents).
    view.changeSelectionIndexes({0});
    int handle = -1;
    EXPECT_EQ(view.graphicUnderPoint({16, 16}, nullptr, nullptr, &handle), left);
    EXPECT_EQ(handle, 1);
    EXPECT_EQ(view.graphicUnderPoint({24, 24}, nullptr, nullptr, &handle), left);
    EXPECT_EQ(handle, SKTGraphicNoHandle);

    // Quarter-turned shapes keep their handles on the unturned box, where the middle handles
    // straddle the right and bottom edges of the turned drawing bounds: on those edges nothing is hit.
    const GraphicPtr wide = add(GraphicKind::Shape, {150, 60, 30, 20});
    const GraphicPtr tall = add(GraphicKind::Shape, {150, 100, 20, 30});
    wide->text_rotation = tall->text_rotation = 90;
    view.changeSelectionIndexes({2, 3});
    const double rightEdge = wide->drawingBounds().right(), bottomEdge = tall->drawingBounds().bottom();
    EXPECT_EQ(view.graphicUnderPoint({rightEdge - 0.5, 70}, nullptr, nullptr, &handle), wide);
    EXPECT_EQ(handle, 5);
    EXPECT_EQ(view.graphicUnderPoint({160, bottomEdge - 0.5}, nullptr, nullptr, &handle), tall);
    EXPECT_EQ(handle, 7);
    EXPECT_EQ(view.graphicUnderPoint({rightEdge, 70}), nullptr);
    EXPECT_EQ(view.graphicUnderPoint({160, bottomEdge}), nullptr);
}

// An element may end partly off the card, never wholly: touching the card's edge is off it.
TEST_F(CardEdges, MovesThatLandExactlyOnTheCardsEdgeAreRefused)
{
    const GraphicPtr box = boxOf(GraphicKind::Shape, {200, 10, 40, 20});
    const GraphicPtr upright = boxOf(GraphicKind::Line, {200, 10, 0, 60});
    SKTGraphic::translateGraphics({box, upright}, 43, 0);  // left edges onto x = 243
    EXPECT_EQ(std::tuple(box->bounds(), upright->bounds()), std::tuple(QRectF(200, 10, 40, 20), QRectF(200, 10, 0, 60)));
    SKTGraphic::translateGraphics({box, upright}, 42.5, 0);
    EXPECT_EQ(std::tuple(box->bounds(), upright->bounds()), std::tuple(QRectF(242.5, 10, 40, 20), QRectF(242.5, 10, 0, 60)));

    const GraphicPtr low = boxOf(GraphicKind::Shape, {10, 100, 40, 20});
    SKTGraphic::translateGraphics({low}, 0, 54);   // top edge onto y = 154
    SKTGraphic::translateGraphics({low}, -50, 0);  // right edge onto x = 0
    EXPECT_EQ(low->bounds(), QRectF(10, 100, 40, 20));
}

TEST_F(CardEdges, NaturalSizeSquaresAShapeToItsSmallerSideAtTheSameOrigin)
{
    for (const auto& [from, to] : {std::pair{QRectF(10, 10, 100, 40), QRectF(10, 10, 40, 40)},
                                   std::pair{QRectF(10, 10, 30, 90), QRectF(10, 10, 30, 30)},
                                   std::pair{QRectF(5, 5, 20, 20), QRectF(5, 5, 20, 20)}}) {
        const GraphicPtr shape = boxOf(GraphicKind::Shape, from);
        EXPECT_EQ(shape->canMakeNaturalSize(), from != to);
        shape->makeNaturalSize();
        EXPECT_EQ(shape->bounds(), to);
    }
}

// A zero width is Qt's one-pixel cosmetic pen, whose dash unit is one pixel: at 72 dpi a point.
TEST_F(CardEdges, ADashedLineOfWidthZeroKeepsItsDashLengths)
{
    EXPECT_EQ(outlinePen(Qt::black, 0, QStringLiteral("DA")).dashPattern(), (QList<qreal>{8, 2}));
    auto line = std::make_shared<SKTLine>();
    line->_bounds = SKTLine::boundsWithBeginPoint({0, 10}, {200, 10}, &line->_pointsRight, &line->_pointsDown);
    line->_strokeWidth = 0, line->alpha_val_stroke = 1, line->ctrl_is_visible = true;
    line->_stroke_border_type = QStringLiteral("DA");
    EXPECT_TRUE(dashesAlongRow(drawn(*line, {200, 20}), 10, 1, {8, 2, 8, 2, 8, 2}));
}

TEST(ShapePointCounts, DoubleStarsAndPolygonsOfTypesOneToFiveAndOtherCountsAsGiven)
{
    QList<int> stars, polygons;
    for (int type = 0; type <= 6; ++type)
        stars << doubleStarPointCount(type), polygons << polygonPointCount(type);
    EXPECT_EQ(stars, (QList<int>{0, 7, 9, 11, 13, 15, 6}));
    EXPECT_EQ(polygons, (QList<int>{0, 8, 10, 12, 14, 16, 6}));
    const QRectF box(0, 0, 100, 100);
    EXPECT_EQ(shapeOutline(box, {QStringLiteral("DS"), 0, 5, 0}), Polygon_With_Diffrent_Sides(box, 15));
    EXPECT_EQ(shapeOutline(box, {QStringLiteral("P"), 0, 0, 5}), Polygon_With_Diffrent_Sides(box, 16));
}

}  // namespace
