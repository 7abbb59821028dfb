// Element geometry: resizing with mirroring, handles, drawing bounds, moving, turning.
#include <string>
#include <thread>

#include "model/RotationGeometry.h"
#include "model/SKTGraphicKinds.h"
#include "TestCardHost.h"

namespace {

// A card of 300 x 200 points, counting the inspector reports.
struct FakeHost final : TestCardHost {
    FakeHost() { card = QRectF(0, 0, 300, 200); }
    void Set_Control_Pos_And_Size(SKTGraphic&) override { ++inspectorReports; }
    int inspectorReports = 0;
};

// A shape that records its flips in call order.
class FlipRecorder final : public SKTGraphic {
public:
    GraphicKind kind() const override { return GraphicKind::Shape; }
    void flipHorizontally() override { flips += 'H'; }
    void flipVertically() override { flips += 'V'; }
    std::string flips;
};

class SKTGraphicGeometry : public WithCardHost<FakeHost> {
protected:
    template <typename Kind>
    static std::shared_ptr<Kind> make(const QRectF& bounds)
    {
        auto graphic = std::make_shared<Kind>();
        graphic->_bounds = bounds;
        graphic->_strokeWidth = 1.0;  // below the handle outset, whatever the kind's default
        return graphic;
    }
};

TEST_F(SKTGraphicGeometry, ResizeMirrorsWhenAHandleCrossesTheOppositeEdgeAndOverlappingSquaresGiveTheLowestHandle)
{
    struct Case { int handle; QPointF to; int newHandle; QRectF bounds; std::string flips; };
    for (const Case& c : {Case{5, {0, 30}, 4, {0, 10, 10, 40}, "H"}, Case{5, {10, 30}, 5, {10, 10, 0, 40}, ""},
                          Case{1, {120, 60}, 8, {110, 50, 10, 10}, "HV"}}) {
        FlipRecorder box;
        box._bounds = QRectF(10, 10, 100, 40);
        const int newHandle = box.resizeByMovingHandle(c.handle, c.to);
        EXPECT_EQ(std::tuple(newHandle, box.bounds(), box.flips), std::tuple(c.newHandle, c.bounds, c.flips)) << c.handle;
    }
    EXPECT_EQ(make<Shape_Control>(QRectF(0, 0, 4, 4))->handleUnderPoint(QPointF(2, 2)), 1);
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
}

TEST_F(SKTGraphicGeometry, SetBoundsReportsToTheInspectorOnlyOnTheGuiThread)
{
    auto box = make<Shape_Control>(QRectF(0, 0, 10, 10));
    box->setBounds(QRectF(1, 2, 3, 4));
    EXPECT_EQ(host.inspectorReports, 1);
    std::thread worker([&box] { box->setBounds(QRectF(5, 6, 7, 8)); });
    worker.join();
    EXPECT_EQ(std::tuple(box->bounds(), host.inspectorReports), std::tuple(QRectF(5, 6, 7, 8), 1));
}

TEST_F(SKTGraphicGeometry, TranslateKeepsLockedElementsAndThoseThatWouldLeaveTheCard)
{
    auto inside = make<Shape_Control>(QRectF(10, 10, 50, 20));
    auto nearEdge = make<Shape_Control>(QRectF(260, 100, 30, 30));
    auto locked = make<Shape_Control>(QRectF(10, 50, 20, 20));
    locked->ctrl_is_locked = true;
    auto barcode = make<SKTBarcode>(QRectF(100, 100, 40, 20));
    SKTGraphic::translateGraphics({inside, nearEdge, locked, barcode}, 50, 0);
    EXPECT_EQ((QList{inside->bounds(), nearEdge->bounds(), locked->bounds(), barcode->bounds(), barcode->bar_image_ctrl_bounds}),
              (QList<QRectF>{{60, 10, 50, 20}, {260, 100, 30, 30}, {10, 50, 20, 20}, {150, 100, 40, 20}, {150, 100, 40, 20}}));
    SKTGraphic::translateGraphics({inside}, 220, 0);  // partly off the card is allowed
    EXPECT_EQ(inside->bounds(), QRectF(280, 10, 50, 20));

    auto horizontal = make<SKTLine>(QRectF(10, 10, 100, 0));
    auto vertical = make<SKTLine>(QRectF(20, 20, 0, 60));
    SKTGraphic::translateGraphics({horizontal, vertical}, 5, 5);
    EXPECT_EQ(std::tuple(horizontal->bounds(), vertical->bounds()), std::tuple(QRectF(15, 15, 100, 0), QRectF(25, 25, 0, 60)));
    SKTGraphic::translateGraphics({horizontal}, 0, 300);
    EXPECT_EQ(horizontal->bounds(), QRectF(15, 15, 100, 0));
}

// Whatever changes a barcode's bounds takes its box along; no other kind has a box.
TEST_F(SKTGraphicGeometry, ABarcodesBoxFollowsEveryChangeOfItsBounds)
{
    auto barcode = make<SKTBarcode>(QRectF(20, 30, 40, 20));
    auto shape = make<Shape_Control>(QRectF(20, 30, 40, 20));
    const auto box = [&] { return barcode->bar_image_ctrl_bounds; };
    barcode->setBounds(QRectF(25, 35, 40, 20));
    EXPECT_EQ(box(), QRectF(25, 35, 40, 20));
    barcode->setXPosition(170);
    barcode->setYPosition(70);
    EXPECT_EQ(box(), QRectF(170, 70, 40, 20));
    barcode->setValueForKey(SKTGraphicBoundsKey, QRectF(10, 12, 40, 20));  // as the document's undo sets it
    EXPECT_EQ(box(), QRectF(10, 12, 40, 20));
    // A new picture, as the barcode window's OK gives it: the size of its symbol.
    barcode->Set_Barcode_image(BarcodePicture(QImage(120, 50, QImage::Format_ARGB32), QSizeF(60, 25)));
    EXPECT_EQ(box(), QRectF(10, 12, 60, 25));
    SKTGraphic::Paste_Location_Of_Graphics({barcode}, 90, 80, QStringLiteral("F"));
    EXPECT_EQ(box(), QRectF(90, 80, 60, 25));
    SKTGraphic::translateGraphics({barcode, shape}, 5, -5);
    EXPECT_EQ(box(), QRectF(95, 75, 60, 25));
    shape->setBounds(QRectF(1, 2, 3, 4));
    EXPECT_EQ(shape->bar_image_ctrl_bounds, QRectF());
}

TEST(RotationGeometry, TurnsClockwiseOnScreenAboutTheCentreAndGivesTheWorkedBoxes)
{
    auto near = [](QPointF a, QPointF b, double tolerance) { return (a - b).manhattanLength() < tolerance; };
    const QTransform turn = RotationTransform(90.0, 50.0, 20.0);  // (0, 0) goes right and up: clockwise on screen
    EXPECT_TRUE(near(turn.map(QPointF(0, 0)), QPointF(70, -30), 1e-9) && near(turn.map(QPointF(50, 20)), QPointF(50, 20), 1e-9));
    const QRectF box(0.0, 0.0, 100.0, 40.0);
    const QRectF r90 = Rotated_Path_Rect(box, 90.0f), r45 = Rotated_Path_Rect(box, 45.0f);
    EXPECT_TRUE(near(r90.topLeft(), QPointF(30, -30), 1e-9) && near(r90.bottomRight(), QPointF(70, 70), 1e-9));
    EXPECT_TRUE(near(r45.topLeft(), QPointF(0.5025, -29.4975), 1e-4) && near(r45.bottomRight(), QPointF(99.4975, 69.4975), 1e-4));
    EXPECT_EQ(Rotated_Path_Rect(box, 0.0f), box);
}

}  // namespace
