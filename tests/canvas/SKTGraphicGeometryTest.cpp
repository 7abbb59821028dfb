// Element geometry: resizing with mirroring, sizes, drawing bounds, handles, moving, pasting, turning.
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "canvas/model/CardHost.h"
#include "canvas/model/RotationGeometry.h"
#include "canvas/model/SKTGraphicKinds.h"

namespace {

// A card of 300 x 200 points with a scripted cascade, recording what the model asks of it.
class FakeHost final : public CardHost {
public:
    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 300, 200); }
    void Set_Control_Pos_And_Size(SKTGraphic&) override { ++inspectorReports; }
    QPointF Control_New_Point(const QString& side) override { return sidesAsked.append(side), QPointF(20, 20) * sidesAsked.size(); }
    QString Generate_Extra_image_control_ID() override { return {}; }
    CardFont All_Text_font() const override { return {}; }
    QColor All_Text_clr() const override { return {}; }
    int inspectorReports = 0;
    QStringList sidesAsked;
};

// A shape that records its flips in call order.
class FlipRecorder final : public SKTGraphic {
public:
    GraphicKind kind() const override { return GraphicKind::Shape; }
    void flipHorizontally() override { flips += 'H'; }
    void flipVertically() override { flips += 'V'; }
    std::string flips;
};

class SKTGraphicGeometry : public ::testing::Test {
protected:
    void SetUp() override { setCardHost(&host); }
    void TearDown() override { setCardHost(nullptr); }
    template <typename Kind>
    static std::shared_ptr<Kind> make(const QRectF& bounds)
    {
        auto graphic = std::make_shared<Kind>();
        graphic->_bounds = bounds;
        graphic->_strokeWidth = 1.0;  // below the handle outset, whatever the kind's default
        return graphic;
    }
    FakeHost host;
};

TEST_F(SKTGraphicGeometry, ResizeMirrorsWhenAHandleCrossesTheOppositeEdge)
{
    struct Case { int handle; QPointF to; int newHandle; QRectF bounds; std::string flips; };
    for (const Case& c : {Case{5, {0, 30}, 4, {0, 10, 10, 40}, "H"}, Case{5, {10, 30}, 5, {10, 10, 0, 40}, ""},
                          Case{1, {120, 60}, 8, {110, 50, 10, 10}, "HV"}}) {
        FlipRecorder box;
        box._bounds = QRectF(10, 10, 100, 40);
        EXPECT_EQ(box.resizeByMovingHandle(c.handle, c.to), c.newHandle);
        EXPECT_EQ(box.bounds(), c.bounds);
        EXPECT_EQ(box.flips, c.flips);
    }
}

TEST_F(SKTGraphicGeometry, NaturalSizeSquaresToTheSmallerSideAndCardSizeFillsTheCardButNotForBarcodes)
{
    auto barcode = make<SKTBarcode>(QRectF(10, 10, 100, 40));
    EXPECT_EQ(barcode->resizeByMovingHandle(8, QPointF(200, 200)), SKTGraphicNoHandle);
    barcode->makeNaturalSize();
    barcode->makeSameAsLabelSize();
    EXPECT_EQ(barcode->bounds(), QRectF(10, 10, 100, 40));
    auto wide = make<Shape_Control>(QRectF(5, 6, 100, 40));
    wide->makeNaturalSize();
    EXPECT_EQ(wide->bounds(), QRectF(5, 6, 40, 40));
    auto tall = make<Shape_Control>(QRectF(5, 6, 30, 90));
    tall->makeNaturalSize();
    EXPECT_EQ(tall->bounds(), QRectF(5, 6, 30, 30));
    auto locked = make<Shape_Control>(QRectF(5, 6, 100, 40));
    locked->ctrl_is_locked = true;
    locked->makeNaturalSize();
    locked->makeSameAsLabelSize();
    EXPECT_EQ(locked->bounds(), QRectF(5, 6, 100, 40));
    wide->makeSameAsLabelSize();
    EXPECT_EQ(wide->bounds(), host.frontCanvasBounds());
}

TEST_F(SKTGraphicGeometry, DrawingBoundsOutsetByHalfTheStrokeOrTheHandleThenOneMore)
{
    auto box = make<Shape_Control>(QRectF(10, 10, 50, 20));
    box->_isDrawingStroke = true; box->_strokeWidth = 10;
    EXPECT_EQ(box->drawingBounds(), QRectF(5, 5, 61, 31));
    box->_strokeWidth = 2;
    EXPECT_EQ(box->drawingBounds(), QRectF(6, 6, 59, 29));
    auto line = make<SKTLine>(QRectF(10, 10, 100, 0));
    line->_pointsRight = true;
    EXPECT_EQ(line->drawingBounds(), QRectF(6, 6, 109, 9));
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({}), host.frontCanvasBounds());
}

TEST_F(SKTGraphicGeometry, TurnedTextHasHandlesOnTheTurnedBoxAShapeOnItsBounds)
{
    const QRectF bounds(0, 0, 100, 40);
    auto text = make<SKTText>(bounds);
    text->text_rotation = 90;
    EXPECT_EQ(text->handleRect(), QRectF(30, -30, 40, 100));
    EXPECT_EQ(text->handleUnderPoint(QPointF(30, -30)), 1);
    EXPECT_EQ(text->handleUnderPoint(QPointF(0, 0)), SKTGraphicNoHandle);
    EXPECT_EQ(text->drawingBounds(), QRectF(26, -34, 49, 109));
    EXPECT_EQ(text->Rotated_Control_Path().boundingRect(), QRectF(30, -30, 40, 100));
    auto shape = make<Shape_Control>(bounds);
    shape->text_rotation = 90;
    EXPECT_EQ(shape->handleRect(), bounds);
    EXPECT_EQ(shape->handleUnderPoint(QPointF(0, 0)), 1);
    EXPECT_EQ(shape->drawingBounds(), QRectF(26, -34, 49, 109));
}

TEST_F(SKTGraphicGeometry, HandleSquaresAndContentsAreHalfOpen)
{
    auto box = make<Shape_Control>(QRectF(10, 10, 100, 40));
    // Handle 1 sits at (10, 10): its square is (6, 6, 8, 8).
    EXPECT_EQ(box->handleUnderPoint(QPointF(6, 6)), 1);
    EXPECT_EQ(box->handleUnderPoint(QPointF(6, 13.9)), 1);
    EXPECT_EQ(box->handleUnderPoint(QPointF(14, 10)), SKTGraphicNoHandle);
    EXPECT_EQ(box->handleUnderPoint(QPointF(10, 14)), SKTGraphicNoHandle);
    EXPECT_EQ(box->handleUnderPoint(QPointF(110, 50)), 8);
    EXPECT_TRUE(box->isContentsUnderPoint(QPointF(10, 10)));
    EXPECT_FALSE(box->isContentsUnderPoint(QPointF(110, 30)) || box->isContentsUnderPoint(QPointF(50, 50)));
    // Where the squares of a small element overlap, the lowest handle number wins.
    EXPECT_EQ(make<Shape_Control>(QRectF(0, 0, 4, 4))->handleUnderPoint(QPointF(2, 2)), 1);
}

TEST_F(SKTGraphicGeometry, SetBoundsReportsToTheInspectorOnlyOnTheGuiThread)
{
    auto box = make<Shape_Control>(QRectF(0, 0, 10, 10));
    box->setBounds(QRectF(1, 2, 3, 4));
    EXPECT_EQ(host.inspectorReports, 1);
    std::thread worker([&box] { box->setBounds(QRectF(5, 6, 7, 8)); });
    worker.join();
    EXPECT_EQ(box->bounds(), QRectF(5, 6, 7, 8));
    EXPECT_EQ(host.inspectorReports, 1);
}

TEST_F(SKTGraphicGeometry, TranslateKeepsLockedElementsAndThoseThatWouldLeaveTheCard)
{
    auto inside = make<Shape_Control>(QRectF(10, 10, 50, 20));
    auto nearEdge = make<Shape_Control>(QRectF(260, 100, 30, 30));
    auto locked = make<Shape_Control>(QRectF(10, 50, 20, 20));
    locked->ctrl_is_locked = true;
    auto barcode = make<SKTBarcode>(QRectF(100, 100, 40, 20));
    SKTGraphic::translateGraphics({inside, nearEdge, locked, barcode}, 50, 0);
    EXPECT_EQ(inside->bounds(), QRectF(60, 10, 50, 20));
    EXPECT_EQ(nearEdge->bounds(), QRectF(260, 100, 30, 30));
    EXPECT_EQ(locked->bounds(), QRectF(10, 50, 20, 20));
    EXPECT_EQ(barcode->bounds(), QRectF(150, 100, 40, 20));
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, QRectF(150, 100, 40, 20));
    SKTGraphic::translateGraphics({inside}, 220, 0);  // partly off the card is allowed
    EXPECT_EQ(inside->bounds(), QRectF(280, 10, 50, 20));

    auto horizontal = make<SKTLine>(QRectF(10, 10, 100, 0));
    auto vertical = make<SKTLine>(QRectF(20, 20, 0, 60));
    SKTGraphic::translateGraphics({horizontal, vertical}, 5, 5);
    EXPECT_EQ(horizontal->bounds(), QRectF(15, 15, 100, 0));
    EXPECT_EQ(vertical->bounds(), QRectF(25, 25, 0, 60));
    SKTGraphic::translateGraphics({horizontal}, 0, 300);
    EXPECT_EQ(horizontal->bounds(), QRectF(15, 15, 100, 0));
}

TEST_F(SKTGraphicGeometry, PasteCascadesFromTheStartPointAndSkipsLockedElements)
{
    auto first = make<Shape_Control>(QRectF(100, 100, 30, 10));
    auto locked = make<Shape_Control>(QRectF(100, 100, 20, 20));
    locked->ctrl_is_locked = true;
    auto barcode = make<SKTBarcode>(QRectF(0, 0, 60, 25));
    SKTGraphic::Paste_Location_Of_Graphics({first, locked, barcode}, 5, 7, "B");
    EXPECT_EQ(first->bounds(), QRectF(5, 7, 30, 10));
    EXPECT_EQ(locked->bounds(), QRectF(100, 100, 20, 20));
    EXPECT_EQ(barcode->bounds(), QRectF(40, 40, 60, 25));
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, QRectF(40, 40, 60, 25));
    EXPECT_EQ(host.sidesAsked, QStringList({"B", "B"}));
}

TEST(RotationGeometry, TurnsClockwiseOnScreenAboutTheCentreAndGivesTheWorkedBoxes)
{
    auto near = [](QPointF a, QPointF b, double tolerance) { return (a - b).manhattanLength() < tolerance; };
    const QTransform turn = RotationTransform(90.0, 50.0, 20.0);  // (0, 0) goes right and up: clockwise on screen
    EXPECT_TRUE(near(turn.map(QPointF(0, 0)), QPointF(70, -30), 1e-9));
    EXPECT_TRUE(near(turn.map(QPointF(50, 20)), QPointF(50, 20), 1e-9));
    const QRectF box(0.0, 0.0, 100.0, 40.0);
    const QRectF r90 = Rotated_Path_Rect(box, 90.0f), r45 = Rotated_Path_Rect(box, 45.0f);
    EXPECT_TRUE(near(r90.topLeft(), QPointF(30, -30), 1e-9) && near(r90.bottomRight(), QPointF(70, 70), 1e-9));
    EXPECT_TRUE(near(r45.topLeft(), QPointF(0.5025, -29.4975), 1e-4) && near(r45.bottomRight(), QPointF(99.4975, 69.4975), 1e-4));
    EXPECT_EQ(Rotated_Path_Rect(box, 0.0f), box);
}

}  // namespace
