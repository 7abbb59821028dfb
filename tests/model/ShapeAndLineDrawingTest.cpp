// Shape and line drawing: pixel probes on 72-dpi pictures, outlines, line picking and the hatch
// picture lookup.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "CardPictures.h"
#include "TestCardHost.h"
#include "model/SKTGraphicKinds.h"
#include "model/drawing/PaintRules.h"
#include "platform/AppContext.h"
#include "support/TestEnvironment.h"

namespace {

std::shared_ptr<Shape_Control> shape(const QString& code)
{
    auto shape = std::make_shared<Shape_Control>();
    shape->Set_Shape_Type(code);
    shape->_bounds = QRectF(0, 0, 100, 100), shape->_fillColor = Qt::red, shape->alpha_val = 1, shape->ctrl_is_visible = true;
    return shape;
}

std::shared_ptr<SKTLine> line(QPointF begin, QPointF end, double width)
{
    auto line = std::make_shared<SKTLine>();
    line->_bounds = SKTLine::boundsWithBeginPoint(begin, end, &line->_pointsRight, &line->_pointsDown);
    line->_strokeWidth = width, line->alpha_val_stroke = 1, line->ctrl_is_visible = true;
    return line;
}

struct CountingHost final : TestCardHost {
    void Refresh_Canvas() override { ++refreshes; }
    int refreshes = 0;
};

class ShapeAndLineDrawing : public WithCardHost<CountingHost> {
protected:
    void SetUp() override { WithCardHost::SetUp(), Resource_Path = TestEnvironment::resourceDir(); }
    void TearDown() override { Resource_Path = savedResourcePath, WithCardHost::TearDown(); }
    const QString savedResourcePath = Resource_Path;
};

TEST_F(ShapeAndLineDrawing, StarsAndTwiceTracedPolygonsFillWholeWhileUnknownOrHiddenShapesDrawNothing)
{
    struct Case { QString code; int type; bool visible; QRgb centre; };
    for (const Case& c : {Case{"S", 0, true, 0xff0000}, Case{"DS", 1, true, 0xff0000}, Case{"DS", 5, true, 0xff0000},
                          Case{"P", 2, true, 0xff0000}, Case{"P", 5, true, 0xff0000}, Case{"X", 0, true, 0xffffff},
                          Case{"P", 2000000000, true, 0xffffff}, Case{"R", 0, false, 0xffffff}}) {
        auto s = shape(c.code);
        s->double_star_type = s->polygon_type = c.type;
        s->ctrl_is_visible = c.visible;
        const QImage image = drawn(*s, {100, 100}, 2);
        EXPECT_EQ(rgbAt(image, 2, {50, 50}), c.centre) << c.code.toStdString() << c.type;
        EXPECT_EQ(rgbAt(image, 2, {3, 97}), 0xffffffu) << c.code.toStdString();
        EXPECT_EQ(s->isContentsUnderPoint({50, 50}), c.centre == 0xff0000 || !c.visible) << c.code.toStdString();
    }
    EXPECT_EQ(host.refreshes, 7);  // every visible shape asks, drawn or not
}

TEST_F(ShapeAndLineDrawing, StarsTurnAboutTheirOutlineCentreAndCustomPolygonsFillTheirBox)
{
    auto star = shape("S");
    EXPECT_EQ(star->bezierPathForDrawing().elementAt(0), QPointF(50, 0));
    // Half a turn puts the tip on the outline's bottom (90.45), not the box's (100).
    star->text_rotation = 180;
    EXPECT_NEAR(star->bezierPathForDrawing().elementAt(0).y, 90.45, 0.01);
    auto custom = shape("P");
    custom->polygon_type = 1;
    EXPECT_EQ(custom->bezierPathForDrawing().boundingRect(), QRectF(0, 0, 100, 100));
    EXPECT_FALSE(custom->isContentsUnderPoint({50, 10}));  // above the top inner point
}

TEST_F(ShapeAndLineDrawing, DashKindsGiveTheirRunLengthsInPointsWhateverTheWidth)
{
    constexpr double scale = 10;
    struct Case { const char* code; QList<int> points; };
    for (const Case& c : {Case{"DA", {8, 2, 8, 2}}, Case{"DO", {4, 6, 4, 6}}, Case{"DD", {24, 10, 6, 10, 24}},
                          Case{"DDD", {24, 8, 8, 8, 8, 8, 24}}, Case{"S", {200}}, Case{"??", {200}}}) {
        auto l = line({0, 10}, {200, 10}, 2);
        l->_stroke_border_type = QString::fromLatin1(c.code);
        EXPECT_TRUE(dashesAlongRow(drawn(*l, {200, 20}, scale), 100, scale, c.points)) << c.code;
    }
}

TEST_F(ShapeAndLineDrawing, HatchTilesLieOverTheBackgroundAndAMissingOrRefusedTileLeavesOnlyTheBackground)
{
    auto s = shape("R");
    s->_fill_type = "H";
    s->_fill_htch_clr = Qt::green;
    for (const QString name : {"Horizontal", "NoSuchPattern", "../Fill_Style_Image/Horizontal"}) {
        s->_fill_hatch_type = name;
        QImage image;
        EXPECT_NO_THROW(image = drawn(*s, {100, 100}));
        EXPECT_EQ(rgbAt(image, 1, {5, 12}), 0x00ff00u) << name.toStdString();
        EXPECT_EQ(rgbAt(image, 1, {5, 16}), name == "Horizontal" ? 0u : 0x00ff00u) << name.toStdString();
    }
}

TEST_F(ShapeAndLineDrawing, HatchLookupTakesPlainNamesAndRegularFilesOnlyAndLogsEachFailureOnce)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("Fill_Style_Image"));
    QImage tile(4, 4, QImage::Format_ARGB32);
    tile.fill(Qt::black);
    for (const char* file : {"outside.png", "Fill_Style_Image/ok.png", "Fill_Style_Image/.hidden.png"})
        ASSERT_TRUE(tile.save(root.filePath(file)));
    ASSERT_EQ(mkfifo(QFile::encodeName(root.filePath("Fill_Style_Image/pipe.png")).constData(), 0600), 0);
    QFile broken(root.filePath("Fill_Style_Image/broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
    broken.close();
    Resource_Path = root.path();

    static int logged = 0;
    logged = 0;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString&) { logged += type == QtInfoMsg; });
    EXPECT_FALSE(hatchPicture("ok").isNull());
    for (int pass = 0; pass < 2; ++pass)
        for (const char* name : {"../outside", "..\\outside", ".hidden", "", "pipe", "broken", "missing"})
            EXPECT_TRUE(hatchPicture(QString::fromLatin1(name)).isNull()) << name;
    qInstallMessageHandler(previous);
    EXPECT_EQ(logged, 7);
}

TEST_F(ShapeAndLineDrawing, LinesArePickedNearTheSegmentEvenWithEmptyBoundsAndKeepTheirEndsInProperties)
{
    struct Case { std::shared_ptr<SKTLine> line; QPointF point; bool hit; };
    const auto flat = line({10, 50}, {110, 50}, 0.5);   // 0.5 + 2 either side
    const auto upright = line({50, 10}, {50, 110}, 10);  // 5 + 2 either side
    const auto slanted = line({10, 10}, {110, 60}, 1);
    for (const Case& c : {Case{flat, {60, 52.4}, true}, Case{flat, {60, 47.6}, true}, Case{flat, {60, 53.5}, false},
                          Case{flat, {112.4, 50}, true}, Case{flat, {113.5, 50}, false},
                          Case{upright, {56.9, 60}, true}, Case{upright, {57.5, 60}, false},
                          Case{slanted, {100, 15}, true}})  // the box test still holds for slanted lines
        EXPECT_EQ(c.line->isContentsUnderPoint(c.point), c.hit) << c.point.x() << "," << c.point.y();
    const auto copy = SKTLine::initWithProperties(slanted->properties());
    EXPECT_EQ(std::tuple(copy->beginPoint(), copy->endPoint()), std::tuple(QPointF(10, 10), QPointF(110, 60)));
    const auto damaged = SKTLine::initWithProperties({{"beginPoint", "{1, 2"}, {"endPoint", 7}});
    EXPECT_EQ(std::tuple(damaged->beginPoint(), damaged->endPoint()), std::tuple(QPointF(), QPointF()));
}

}  // namespace
