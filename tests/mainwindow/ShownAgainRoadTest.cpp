// On the real window, what is shown again after a step: the position fields of the selected
// unlocked elements when the canvas redisplays them, the inspector's hidden kind field for each
// element clicked, the progress texts of a group project's
// records while they are read, and the side panels and design area once a design is copied to
// the other side.
#include <QAbstractItemModel>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTableView>

#include "LiveModeRoadFixture.h"
#include "support/CanvasMouse.h"

namespace {

// The sample's title text, on the card.
const QRectF kTitle(70, 8, 165, 22);

class PositionFieldsRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        controller.inspector().setUpControls({});
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openSampleDesign());
    }
};

TEST_F(PositionFieldsRoad, TheCanvasShowsThePositionOfTheSelectedUnlockedElementAgain)
{
    SKTGraphicView& canvas = *controller.editedGraphicView();
    canvas_mouse::drag(canvas, kTitle.center(), kTitle.center());
    ASSERT_EQ(canvas.selectedGraphics().size(), 1);
    const SKTGraphic& title = *canvas.selectedGraphics().constFirst();
    auto& x = control<QDoubleSpinBox>("frame_main_pic_X_pos");
    x.setValue(199);
    canvas.Display_Control_Position_and_Size();
    EXPECT_FLOAT_EQ(float(x.value()), float(title.xPosition()));

    action(QStringLiteral("Lock_btn")).trigger();
    ASSERT_TRUE(title.Is_Control_Locked());
    x.setValue(199);
    canvas.Display_Control_Position_and_Size();
    EXPECT_EQ(x.value(), 199) << "a locked element's place is not shown again";
}

// "T" for a text, "I" for a picture, the signature's own code, and empty for the other kinds.
TEST_F(PositionFieldsRoad, EachClickedElementLeavesItsKindAndOtherKindsClearIt)
{
    const struct {
        QPointF at;
        GraphicKind kind;
        const char* code;
    } clicks[] = {
        {kTitle.center(), GraphicKind::Text, "T"}, {{195, 53}, GraphicKind::Shape, ""},
        {{36, 42}, GraphicKind::Image, "I"},       {{100, 34}, GraphicKind::Line, ""},
        {{105, 56}, GraphicKind::Signature, "S"},  {{20, 95}, GraphicKind::Barcode, ""},
        {{162, 57}, GraphicKind::Signature, "F"},  {kTitle.center(), GraphicKind::Text, "T"},
    };
    const QLineEdit& kind = inspector().sel_control_name();
    EXPECT_TRUE(kind.isHidden());
    SKTGraphicView& canvas = *controller.editedGraphicView();
    for (const auto& click : clicks) {
        canvas_mouse::drag(canvas, click.at, click.at);
        ASSERT_EQ(canvas.selectedGraphics().size(), 1);
        ASSERT_EQ(canvas.selectedGraphics().first()->kind(), click.kind) << click.code;
        EXPECT_EQ(kind.text(), click.code);
    }
}

TEST_F(LiveModeRoad, AGroupProjectsRecordsAreReadUnderTheirProgressTexts)
{
    QStringList whileListed;
    QAbstractItemModel& rows = *controller.inspector().sizePanel().GroupList().model();
    const auto note = [&] { whileListed << curr_msg_count_str; };
    QObject::connect(&rows, &QAbstractItemModel::modelReset, &controller, note);
    QObject::connect(&rows, &QAbstractItemModel::layoutChanged, &controller, note);
    QObject::connect(&rows, &QAbstractItemModel::rowsInserted, &controller, note);
    ASSERT_NO_FATAL_FAILURE(startGroupProject(fiftyPeople()));
    EXPECT_TRUE(whileListed.contains(QStringLiteral("Loading excel file"))) << whileListed.join(u'|').toStdString();
    EXPECT_EQ(curr_msg_count_str, "Loading excel data");
}

TEST_F(LiveModeRoad, ACopiedDesignShowsTheSidePanelsAndTheDesignAreaAgain)
{
    ASSERT_NO_FATAL_FAILURE(startGroupProject(fiftyPeople()));
    controller.liveModes().Show_Hide_Profile_Panel_Live_Mode(false);
    controller.Show_Hide_Main_Window(false);
    ASSERT_FALSE(paneShown());
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    EXPECT_TRUE(paneShown());
    EXPECT_TRUE(controller.editedGraphicView()->isVisibleTo(controller.window()));
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_FALSE(copy_card_design);
}

}  // namespace
