// The main window controller as the card model's host.
#include <gtest/gtest.h>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"

TEST(WindowControllerHost, NewPointStepsByTheSidesElementCountButAtLeast20AndWrapsAtTheCardEdge)
{
    SKTDocument document;
    SKTWindowController controller(document);
    for (int i = 0; i < 25; ++i)
        document.insertGraphicsOnSide(SKTDocument::BackSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
    EXPECT_EQ(controller.Control_New_Point("F"), QPointF(30, 30));  // from (10, 10)
    EXPECT_EQ(controller.Control_New_Point("B"), QPointF(55, 55));
    controller.last_ctrl_X = 170;  // 190 + 50 < 243 still fits, the next one wraps
    EXPECT_EQ(controller.Control_New_Point("F"), QPointF(190, 75));
    EXPECT_EQ(controller.Control_New_Point("F"), QPointF(10, 95));
    controller.last_ctrl_Y = 84;  // 104 + 50 reaches the bottom
    EXPECT_EQ(controller.Control_New_Point("F").y(), 10);
}

TEST(WindowControllerHost, RedisplayRequestsMadeWhilePaintingOrAssigningRecordsAreIgnored)
{
    SKTDocument document;
    SKTWindowController controller(document);
    QList<int> requested;
    QObject::connect(&controller, &SKTWindowController::canvasRefreshRequested,
                     [&](int side) { requested.append(side); });
    controller.Refresh_Canvas();
    {
        CanvasPaintScope painting;
        controller.Refresh_Canvas();
    }
    Card_Value_In_Process = true;
    controller.Refresh_Canvas();
    Card_Value_In_Process = false;
    Card_Front_Or_Back = 1;
    controller.Refresh_Canvas();
    Card_Front_Or_Back = 0;
    EXPECT_EQ(requested, (QList<int>{0, 1}));
}
