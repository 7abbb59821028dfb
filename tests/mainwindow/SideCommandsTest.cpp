// Zoom, side switching and copying a design onto the other side, through the main window.
#include <QComboBox>
#include <QMainWindow>
#include <QStackedWidget>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "model/SKTDocument.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

class SideCommandsTest : public ::testing::Test {
protected:
    void TearDown() override { Card_Front_Or_Back = 0; }

    SideCommands& commands() { return controller.sideCommands(); }
    SKTZoomingScrollView& scroll(SKTDocument::Side side) { return *controller.zoomingScrollView(side); }
    QWidget* shownCanvas()
    {
        return controller.window()->findChild<QStackedWidget*>(QStringLiteral("side_stack"))->currentWidget();
    }

    SKTDocument document;
    SKTWindowController controller{document};
};

} // namespace

TEST_F(SideCommandsTest, ZoomStopsAtBothEndsOfThePopUp)
{
    commands().Select_back_side();
    for (int i = 0; i < 12; ++i)
        commands().Zoom_In_Toolbar_btn();
    EXPECT_EQ(scroll(SKTDocument::BackSide).factor(), 10.0);
    EXPECT_EQ(scroll(SKTDocument::BackSide).factorPopUpButton()->currentIndex(), 10);
    for (int i = 0; i < 12; ++i)
        commands().Zoom_Out_Toolbar_btn();
    EXPECT_EQ(scroll(SKTDocument::BackSide).factor(), 0.25);
    EXPECT_EQ(scroll(SKTDocument::FrontSide).factor(), 0.25);
}

TEST_F(SideCommandsTest, SwitchingSidesSetsTheEditedSideShowsItsCanvasAndKeepsACardTab)
{
    QTabWidget* tabs = controller.windowLayout().settingsTabs();
    tabs->setCurrentWidget(tabs->findChild<QWidget*>(QStringLiteral("card_brdr_tab")));
    commands().Select_back_side();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(shownCanvas(), &scroll(SKTDocument::BackSide));
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("card_brdr_tab"));
    commands().Select_front_side();
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(shownCanvas(), &scroll(SKTDocument::FrontSide));
}

TEST_F(SideCommandsTest, CopyGivesTheOtherSideItsOwnElementsAndEndsOnTheBack)
{
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter scope(presenter);
    document.insertGraphicsOnSide(SKTDocument::FrontSide,
                                  {SKTGraphic::create(GraphicKind::Shape), SKTGraphic::create(GraphicKind::Text)},
                                  {0, 1});
    document.insertGraphicsOnSide(SKTDocument::BackSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
    Project_File_Name = QStringLiteral("/somewhere/mine.did");
    commands().Select_front_side();

    presenter.queueAnswers({1});  // No
    commands().Copy_Card_Design_Clicked();
    EXPECT_EQ(document.graphics_back().size(), 1);

    controller.Front_user_profile.Name = QStringLiteral("Ada");
    Fill_User_Profile = true;
    presenter.queueAnswers({0});  // Yes
    commands().Copy_Card_Design_Clicked();
    // What the user typed into the profiles survives the reload.
    EXPECT_EQ(controller.Front_user_profile.Name, QStringLiteral("Ada"));
    EXPECT_TRUE(Fill_User_Profile);
    Fill_User_Profile = false;
    EXPECT_FALSE(copy_card_design);
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(shownCanvas(), &scroll(SKTDocument::BackSide));
    EXPECT_EQ(Project_File_Name, QStringLiteral("/somewhere/mine.did"));
    EXPECT_EQ(presenter.texts().size(), 2);  // the two questions, no failure
    const GraphicList& front = document.graphics();
    const GraphicList& back = document.graphics_back();
    ASSERT_EQ(back.size(), 2);
    ASSERT_EQ(front.size(), 2);
    for (const GraphicPtr& element : back) {
        for (const GraphicPtr& other : front)
            EXPECT_NE(element.get(), other.get());
    }
    EXPECT_EQ(back[0]->className(), front[0]->className());
    EXPECT_EQ(back[1]->className(), front[1]->className());

    const QRectF frontBounds = front[0]->bounds();
    back[0]->setBounds(frontBounds.translated(40, 40));
    EXPECT_EQ(front[0]->bounds(), frontBounds);
    Project_File_Name.clear();
}

TEST_F(SideCommandsTest, PreviewShowsTheLiveElementsOfTheSideInForce)
{
    const GraphicPtr backShape = SKTGraphic::create(GraphicKind::Shape);
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {SKTGraphic::create(GraphicKind::Text)}, {0});
    document.insertGraphicsOnSide(SKTDocument::BackSide, {backShape}, {0});
    commands().Select_back_side();
    commands().Temp_Card_Btn_Clicked();
    EXPECT_EQ(shownCanvas(), &scroll(SKTDocument::PreviewSide));
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(document.graphics_temp(), GraphicList{backShape});
    // A preview already shown is shown afresh.
    const GraphicPtr added = SKTGraphic::create(GraphicKind::Shape);
    document.insertGraphicsOnSide(SKTDocument::BackSide, {added}, {0});
    commands().Temp_Card_Btn_Clicked();
    EXPECT_EQ(document.graphics_temp(), (GraphicList{added, backShape}));
    EXPECT_EQ(SideCommands::Get_Factor_According_Index(7), 4.0);
    EXPECT_EQ(SideCommands::Get_Factor_According_Index(11), 0.0);
}

// A temporary design shows copies in place of what the preview held: what is done to them there
// never reaches the side they came from.
TEST_F(SideCommandsTest, ATemporaryDesignShowsCopiesOfTheElementsInPlaceOfThePreviews)
{
    const GraphicPtr name = SKTGraphic::create(GraphicKind::Text);
    name->Set_text_value(QStringLiteral("Ada Lovelace"));
    name->setBounds(QRectF(12, 30, 120, 22));
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {name}, {0});
    commands().Temp_Design_Control_Assign();
    ASSERT_EQ(document.graphics_temp(), GraphicList{name});

    commands().Set_Temp_Design(document.graphics());
    const GraphicList preview = document.graphics_temp();
    ASSERT_EQ(preview.size(), 1);
    EXPECT_NE(preview[0], name);
    EXPECT_EQ(preview[0]->Text_Value, QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(preview[0]->bounds(), QRectF(12, 30, 120, 22));
    preview[0]->Set_text_value(QStringLiteral("Changed in the preview"));
    preview[0]->setBounds(QRectF(0, 0, 10, 10));
    EXPECT_EQ(name->Text_Value, QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(name->bounds(), QRectF(12, 30, 120, 22));
    commands().Set_Temp_Design({});
    EXPECT_TRUE(document.graphics_temp().isEmpty());
    EXPECT_EQ(document.graphics(), GraphicList{name});
}
