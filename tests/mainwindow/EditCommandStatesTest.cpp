// The edit bar's selection commands and their Edit menu items on the real window with the sample
// design open: they follow the selection however it changes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/SideCommands.h"
#include "support/CanvasMouse.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

// The commands that act on selected elements, toolbar and Edit menu alike.
const QStringList kSelectionCommands{"Cut_btn", "Copy_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn",
                                     "Lock_btn", "Unlock_btn", "align_left_btn", "align_center_btn"};
const QStringList kForUnlocked{"Cut_btn", "Copy_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn",
                               "Lock_btn", "align_left_btn", "align_center_btn"};
// A locked element may still be copied and unlocked.
const QStringList kForLocked{"Copy_btn", "Unlock_btn"};

constexpr qsizetype kFrontElements = 14;
// Card points of the sample's front: an empty place and two of its elements.
const QPointF kEmpty(150, 140);
const QPointF kRectangle(195, 53);
const QPointF kTriangle(139, 100);

class EditCommandStatesTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = QStringLiteral("L");
        controller.inspector().setUpControls({});
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openSampleDesign());
        ASSERT_EQ(document.graphics().size(), kFrontElements);
        // As a window manager gives it back after the reading's progress window.
        controller.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.window()));
    }

    SKTGraphicView& view() const { return *controller.editedGraphicView(); }
    // The selection commands that are enabled, in the order above; each Edit menu item must agree
    // with its button.
    std::string enabledCommands() const
    {
        QStringList enabled;
        for (const QString& name : kSelectionCommands) {
            if (action(name).isEnabled())
                enabled << name;
        }
        for (QAction* item : controller.windowLayout().menu("edit_menu")->actions()) {
            if (kSelectionCommands.contains(item->objectName())) {
                EXPECT_EQ(item->isEnabled(), enabled.contains(item->objectName())) << item->objectName().toStdString();
            }
        }
        return joined(enabled);
    }
    static std::string joined(const QStringList& names) { return names.join(QLatin1Char(' ')).toStdString(); }
    void drag(QPointF from, QPointF to) { canvas_mouse::drag(view(), from, to); }
    void click(QPointF at) { drag(at, at); }
};

TEST_F(EditCommandStatesTest, CommandsFollowTheSelectionFromOpeningOnward)
{
    EXPECT_EQ(enabledCommands(), "") << "nothing is selected after opening";

    QTest::keyClick(controller.window(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(view().selectedGraphics().size(), kFrontElements);
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "after Select All";

    click(kEmpty);
    ASSERT_TRUE(view().selectedGraphics().isEmpty());
    EXPECT_EQ(enabledCommands(), "") << "after a click on an empty place";
    QTest::keyClick(controller.window(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "after Select All from the card's states";

    drag(kEmpty, QPointF(120, 95));  // a band over the lower row of shapes
    ASSERT_GE(view().selectedGraphics().size(), 2);
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "after a rubber band";

    click(kRectangle);
    ASSERT_EQ(view().selectedGraphics().size(), 1);
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "one element";
    action("Lock_btn").trigger();
    EXPECT_EQ(enabledCommands(), joined(kForLocked)) << "one locked element";
    click(kEmpty);
    click(kRectangle);
    EXPECT_EQ(enabledCommands(), joined(kForLocked)) << "a locked element clicked again";

    // Several with one of them locked: the unlocked ones can still be edited.
    view().selectAll();
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "a mixed selection";
    click(kRectangle);
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "the locked one of a mixed selection clicked";
    view().deselectAll();
    EXPECT_EQ(enabledCommands(), "") << "after deselecting";
}

TEST_F(EditCommandStatesTest, CommandsFollowSideSwitchesUndoNewElementsAndDelete)
{
    click(kTriangle);
    ASSERT_EQ(view().selectedGraphics().size(), 1);
    controller.sideCommands().Select_back_side();
    EXPECT_EQ(enabledCommands(), "") << "the back side shown, nothing selected on it";
    view().selectAll();
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "the back side's elements selected";
    controller.sideCommands().Select_front_side();
    EXPECT_EQ(enabledCommands(), "") << "back on the front";

    click(kTriangle);
    action("Delete_btn").trigger();
    ASSERT_EQ(document.graphics().size(), kFrontElements - 1);
    EXPECT_EQ(enabledCommands(), "") << "after a delete";
    action("Undo_btn").trigger();
    ASSERT_EQ(document.graphics().size(), kFrontElements);
    EXPECT_EQ(enabledCommands(), "") << "after an undo";

    controller.canvasHostOfWindow().Set_Selected_Control_Tool(3);  // the rectangle tool
    drag(QPointF(20, 135), QPointF(60, 150));
    ASSERT_EQ(document.graphics().size(), kFrontElements + 1);
    ASSERT_EQ(view().selectedGraphics().size(), 1);
    EXPECT_EQ(enabledCommands(), joined(kForUnlocked)) << "a new element";
}

}  // namespace
