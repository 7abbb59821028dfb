// The rulers of a zooming scroll view: ticks and numbers in the user's unit, following the zoom
// and the scroll, and the marker lines that echo an element being moved or resized.
#include <QAction>
#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "model/SKTDocument.h"
#include "model/TestCardHost.h"
#include "platform/AppContext.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/CanvasRuler.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

struct UnitScope {
    explicit UnitScope(int unit) : saved(Measument_Unit_Is) { Measument_Unit_Is = unit; }
    ~UnitScope() { Measument_Unit_Is = saved; }
    int saved;
};

}  // namespace

// Where the numbers stand and how finely the ruler is cut, by unit and zoom; card point 0 at
// pixel 10 of a 300-pixel ruler.
TEST(CanvasRulerTest, NumbersAndTicksFollowTheUnitAndTheZoom)
{
    struct Case {
        int unit;
        double zoom;
        QStringList firstNumbers;
        double numberGap;  // pixels between numbers
        int parts;         // ticks from one number to the next
    };
    const double mm = 72.0 / 25.4;
    for (const Case& c : {Case{2, 1.0, {"0", "20", "40"}, 20 * mm, 10}, Case{2, 4.0, {"0", "5", "10"}, 5 * mm * 4, 10},
                          Case{1, 1.0, {"0", "2", "4"}, 20 * mm, 10}, Case{0, 1.0, {"0", "1", "2"}, 72, 8},
                          Case{0, 0.25, {"0", "2", "4"}, 36, 5}}) {
        const UnitScope unit(c.unit);
        CanvasRuler ruler(Qt::Horizontal);
        ruler.resize(300, CanvasRuler::kThickness);
        ruler.setMapping(10, c.zoom);
        QStringList numbers;
        QList<double> numbered, all;
        int halves = 0;
        for (const CanvasRuler::Tick& tick : ruler.ticks()) {
            all << tick.pixel;
            halves += tick.level == 1;
            if (tick.level == 0)
                numbers << tick.label, numbered << tick.pixel;
        }
        const std::string name = std::to_string(c.unit) + " at " + std::to_string(c.zoom);
        ASSERT_GE(numbers.size(), 3) << name;
        EXPECT_EQ(numbers.mid(0, 3), c.firstNumbers) << name;
        EXPECT_DOUBLE_EQ(numbered[0], 10.0) << name;
        EXPECT_NEAR(numbered[1] - numbered[0], c.numberGap, 1e-9) << name;
        EXPECT_NEAR(all[1] - all[0], c.numberGap / c.parts, 1e-9) << name;
        EXPECT_EQ(halves > 0, c.parts % 2 == 0) << name;
    }
    // Left of the card the numbers count down, and the ticks mirror those right of it: half
    // inches, quarters and eighths alike.
    const UnitScope inches(0);
    CanvasRuler ruler(Qt::Vertical);
    ruler.resize(CanvasRuler::kThickness, 300);
    ruler.setMapping(150, 1.0);
    EXPECT_EQ(ruler.ticks().first().label, "-2");
    EXPECT_DOUBLE_EQ(ruler.ticks().first().pixel, 6.0);
    QMap<double, int> levelAt;
    for (const CanvasRuler::Tick& tick : ruler.ticks())
        levelAt.insert(tick.pixel - 150, tick.level);
    EXPECT_EQ(levelAt.value(-36, -1), 1);
    EXPECT_EQ(levelAt.value(36, -1), 1);
    for (auto it = levelAt.cbegin(); it != levelAt.cend(); ++it) {
        if (it.key() < 0 && levelAt.contains(-it.key()))
            EXPECT_EQ(it.value(), levelAt.value(-it.key())) << "at " << it.key() << " points";
    }
}

class CanvasRulerEcho : public ::testing::Test {
protected:
    void SetUp() override
    {
        setCanvasHost(&host);
        setCardHost(&cardHost);
        element = SKTGraphic::create(GraphicKind::Shape);
        element->Set_Shape_Type(QStringLiteral("R"));
        element->setBounds(QRectF(20, 20, 60, 40));
        document.insertGraphicsOnSide(SKTDocument::FrontSide, {element}, {0});
        canvas = new SKTGraphicView;
        canvas->setList(&document, SKTDocument::FrontSide);
        scroll.setWidget(canvas);
        scroll.resize(700, 500);
        scroll.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&scroll));
    }
    void TearDown() override
    {
        canvas->setList(nullptr, SKTDocument::FrontSide);
        setCanvasHost(nullptr);
        setCardHost(nullptr);
    }
    QPoint at(QPointF card) const { return (card * canvas->zoomFactor()).toPoint(); }
    // Where the canvas's card point 0 lies in the viewport, which the rulers line up with.
    QPoint cardOrigin() const { return canvas->mapTo(scroll.viewport(), QPoint(0, 0)); }

    CanvasHostStandIn host;
    TestCardHost cardHost;
    SKTDocument document;
    GraphicPtr element;
    SKTZoomingScrollView scroll;
    SKTGraphicView* canvas = nullptr;
};

TEST_F(CanvasRulerEcho, RulersFollowZoomAndScrollAndEchoAMoveAndAResize)
{
    const UnitScope unit(2);
    CanvasRuler& across = *scroll.horizontalRuler();
    CanvasRuler& down = *scroll.verticalRuler();
    QAction item;
    item.setData(QStringLiteral("showOrHideRulers:"));
    canvas->validateMenuItem(item);
    EXPECT_EQ(item.text(), "Show Ruler");
    EXPECT_FALSE(across.isVisible());
    canvas->showOrHideRulers();
    canvas->validateMenuItem(item);
    EXPECT_EQ(item.text(), "Hide Ruler");
    ASSERT_TRUE(across.isVisible() && down.isVisible());
    EXPECT_EQ(across.geometry().bottom() + 1, scroll.viewport()->geometry().top());
    EXPECT_EQ(down.geometry().right() + 1, scroll.viewport()->geometry().left());

    scroll.setFactor(2.0);
    EXPECT_DOUBLE_EQ(across.pixelOfPoint(0), cardOrigin().x());
    EXPECT_DOUBLE_EQ(down.pixelOfPoint(0), cardOrigin().y());
    EXPECT_DOUBLE_EQ(across.pixelOfPoint(100) - across.pixelOfPoint(0), 200.0);
    scroll.setFactor(4.0);
    scroll.horizontalScrollBar()->setValue(150);
    scroll.verticalScrollBar()->setValue(40);
    EXPECT_DOUBLE_EQ(across.pixelOfPoint(0), -150.0);
    EXPECT_DOUBLE_EQ(down.pixelOfPoint(0), -40.0);
    scroll.horizontalScrollBar()->setValue(0);
    scroll.verticalScrollBar()->setValue(0);
    scroll.setFactor(2.0);

    // A move: marker lines at the element's left, middle and right, top, middle and bottom.
    QTest::mousePress(canvas, Qt::LeftButton, {}, at({40, 30}));
    QTest::mouseMove(canvas, at({55, 35}));
    QTest::mouseMove(canvas, at({70, 40}));
    EXPECT_EQ(element->bounds(), QRectF(50, 30, 60, 40));
    EXPECT_EQ(across.markerLocations(), (QList<double>{50, 80, 110}));
    EXPECT_EQ(down.markerLocations(), (QList<double>{30, 50, 70}));
    const QImage shot = scroll.grab().toImage();
    const QDir artifacts(QStringLiteral(ZOVA_CANVAS_ARTIFACT_DIR));
    artifacts.mkpath(QStringLiteral("."));
    shot.save(artifacts.filePath(QStringLiteral("rulers-echo-drag.png")));
    const QPoint acrossAt = across.mapTo(&scroll, QPoint(0, CanvasRuler::kThickness / 2));
    const QPoint downAt = down.mapTo(&scroll, QPoint(CanvasRuler::kThickness / 2, 0));
    for (double x : {50.0, 80.0, 110.0})
        EXPECT_EQ(shot.pixelColor(acrossAt.x() + int(across.pixelOfPoint(x)), acrossAt.y()), QColor(220, 40, 40)) << x;
    for (double y : {30.0, 50.0, 70.0})
        EXPECT_EQ(shot.pixelColor(downAt.x(), downAt.y() + int(down.pixelOfPoint(y))), QColor(220, 40, 40)) << y;
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, at({70, 40}));
    EXPECT_TRUE(across.markerLocations().isEmpty());
    EXPECT_TRUE(down.markerLocations().isEmpty());
    EXPECT_TRUE(canvas->rulerEchoedBounds().isNull());

    // A resize by the bottom-right handle.
    QTest::mousePress(canvas, Qt::LeftButton, {}, at({110, 70}));
    QTest::mouseMove(canvas, at({130, 90}));
    EXPECT_EQ(across.markerLocations(), (QList<double>{50, 90, 130}));
    EXPECT_EQ(down.markerLocations(), (QList<double>{30, 60, 90}));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, at({130, 90}));
    EXPECT_TRUE(across.markerLocations().isEmpty());

    // Hidden rulers take nothing from the viewport and echo nothing.
    canvas->showOrHideRulers();
    EXPECT_FALSE(across.isVisible());
    EXPECT_EQ(scroll.viewport()->geometry().topLeft(), QPoint(scroll.frameWidth(), scroll.frameWidth()));
    QTest::mousePress(canvas, Qt::LeftButton, {}, at({60, 40}));
    QTest::mouseMove(canvas, at({70, 50}));
    EXPECT_TRUE(across.markerLocations().isEmpty());
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, at({70, 50}));
}
