// The main window controller as the card model's host.
#include <gtest/gtest.h>

#include <QMainWindow>

#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"

TEST(WindowControllerHost, InstallsItselfTitlesTheWindowAndNamesFreePictures)
{
    SKTDocument document;
    {
        SKTWindowController controller(document);
        EXPECT_EQ(Main_App_wnd, &controller);
        EXPECT_EQ(&cardHost(), static_cast<CardHost*>(&controller));
        EXPECT_EQ(controller.window()->windowTitle(), "ZOVA ID Card ( Untitled )");
        EXPECT_EQ(Data_Folder_Path, Created_Resource_Path + "/DataSet");
        EXPECT_EQ(controller.frontCanvasBounds(), QRectF(0, 0, 243, 154));
        EXPECT_EQ(controller.Generate_Extra_image_control_ID(), "F_Pic1");
        GraphicPtr picture = SKTGraphic::create(GraphicKind::Image);
        picture->control_ID = "F_Pic1";
        document.insertGraphicsOnSide(SKTDocument::BackSide, {picture}, {0});
        EXPECT_EQ(controller.Generate_Extra_image_control_ID(), "F_Pic2");
        EXPECT_EQ(controller.All_Text_font(), (CardFont{Text_Ctrl_Font, 12.0}));
        EXPECT_EQ(controller.All_Text_clr(), QColor(Qt::black));
    }
    EXPECT_EQ(Main_App_wnd, nullptr);
    EXPECT_NE(&cardHost(), nullptr);
}

TEST(WindowControllerHost, NewPointStepsByTheSidesElementCountButAtLeast20AndWrapsAtTheCardEdge)
{
    SKTDocument document;
    SKTWindowController controller(document);
    for (int i = 0; i < 25; ++i)
        document.insertGraphicsOnSide(SKTDocument::BackSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
    EXPECT_EQ(controller.Control_New_Point("F"), QPointF(30, 30));  // from (10, 10)
    controller.last_ctrl_X = controller.last_ctrl_Y = 10;
    EXPECT_EQ(controller.Control_New_Point("B"), QPointF(35, 35));
    EXPECT_EQ(controller.Control_New_Point("B"), QPointF(60, 60));

    controller.last_ctrl_X = 170;  // 190 + 50 < 243 still fits
    controller.last_ctrl_Y = 10;
    EXPECT_EQ(controller.Control_New_Point("F"), QPointF(190, 30));
    EXPECT_EQ(controller.Control_New_Point("F"), QPointF(10, 50));
    EXPECT_EQ(controller.Control_New_Point("F"), QPointF(30, 70));
    controller.last_ctrl_Y = 84;  // 104 + 50 reaches the bottom
    EXPECT_EQ(controller.Control_New_Point("F").y(), 10);
}
