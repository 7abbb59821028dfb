// The main window as the canvases' host: side snapshots through the Undo and Redo commands, and
// the command states of locking.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTest>

#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "support/CanvasMouse.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SnapshotUndo.h"
#include "model/profiles/ProfileFillScope.h"

namespace {

// Cut_btn to Send_Back_btn, Lock_btn and the alignments: what a lock turns off.
const QStringList kLockedOut{
    "Cut_btn",        "Paste_btn",        "Delete_btn",          "Begin_Front_btn",
    "Send_Back_btn",  "Lock_btn",         "align_left_btn",      "align_right_btn",
    "align_top_btn",  "align_bottom_btn", "align_center_btn",    "align_horzontal_btn",
    "align_vertical_btn",
};

const QRectF kStart(20, 20, 60, 30);

class ControllerCanvasHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        live_mode_list_value_change = false;
        controller.canvasHostOfWindow().snapshotUndo().Undo_Redo_Clear();
        shape = SKTGraphic::create(GraphicKind::Shape);
        shape->Set_Shape_Type(QStringLiteral("R"));
        shape->setBounds(kStart);
        view().insertGraphics({shape}, {0});
        controller.showWindow();
        QApplication::processEvents();
    }
    void TearDown() override { Card_Front_Or_Back = 0; }

    SKTGraphicView& view() const { return *controller.graphicView(SKTDocument::FrontSide); }
    QAction* action(const QString& name) const { return controller.window()->findChild<QAction*>(name); }
    void drag(QPointF from, QPointF to) { canvas_mouse::drag(view(), from, to); }
    QList<QRectF> frontBounds() const
    {
        QList<QRectF> bounds;
        for (const GraphicPtr& graphic : document.graphics())
            bounds.append(graphic->bounds());
        return bounds;
    }

    SKTDocument document;
    SKTWindowController controller{document};
    GraphicPtr shape;
};

TEST_F(ControllerCanvasHostTest, DragOnTheFrontRecordsASnapshotAndTheUndoAndRedoCommandsRestoreIt)
{
    ASSERT_EQ(&canvasHost(), static_cast<CanvasHost*>(&controller.canvasHostOfWindow()));
    controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History();  // as every start does
    EXPECT_FALSE(action("Undo_btn")->isEnabled());

    drag({40, 30}, {70, 50});
    const QList<QRectF> moved = frontBounds();
    ASSERT_NE(moved, QList<QRectF>{kStart});
    EXPECT_TRUE(action("Undo_btn")->isEnabled());
    EXPECT_FALSE(action("Redo_btn")->isEnabled());

    action("Undo_btn")->trigger();
    EXPECT_EQ(frontBounds(), QList<QRectF>{kStart});
    EXPECT_FALSE(action("Undo_btn")->isEnabled());
    EXPECT_TRUE(action("Redo_btn")->isEnabled());
    EXPECT_TRUE(view().selectedGraphics().isEmpty());  // the rebuilt elements are new ones

    action("Redo_btn")->trigger();
    EXPECT_EQ(frontBounds(), moved);
}

// Commands that change the side are each one step of undo, arrow keys included.
TEST_F(ControllerCanvasHostTest, EachEditingCommandIsOneUndoStep)
{
    controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History();
    view().changeSelectionIndexes({0});
    QList<QList<QRectF>> states{frontBounds()};
    for (const char* command : {"align_center_btn", "align_left_btn", "fit_to_label_btn"}) {
        action(command)->trigger();
        states.append(frontBounds());
    }
    for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) {
        QTest::keyClick(&view(), Qt::Key(key));
        states.append(frontBounds());
    }
    for (qsizetype i = states.size() - 2; i >= 0; --i) {
        ASSERT_NE(states.at(i), states.at(i + 1)) << "each command changed the side";
        action("Undo_btn")->trigger();
        EXPECT_EQ(frontBounds(), states.at(i)) << "after undoing down to state " << i;
    }
    EXPECT_FALSE(action("Undo_btn")->isEnabled());
}

// An edit made after an Undo or a Redo is what the next Undo takes back, and no further: one
// point per arrow key, five by a drag (which selects the element again after an Undo).
TEST_F(ControllerCanvasHostTest, AnEditAfterUndoOrRedoIsTheStepTheNextUndoTakesBack)
{
    const auto startAtTen = [this] {
        document.graphics().first()->setBounds(kStart.translated(10 - kStart.x(), 0));
        controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History();
        view().changeSelectionIndexes({0});
    };
    const auto x = [this] { return document.graphics().first()->bounds().x(); };
    const auto moveByFive = [this, &x] {
        const double before = x();
        drag({40, 30}, {45, 30});
        ASSERT_DOUBLE_EQ(x(), before + 5);
    };

    startAtTen();
    QTest::keyClick(&view(), Qt::Key_Right);
    QTest::keyClick(&view(), Qt::Key_Right);
    ASSERT_EQ(x(), 12);
    action("Undo_btn")->trigger();
    EXPECT_EQ(x(), 11);
    moveByFive();
    action("Undo_btn")->trigger();
    EXPECT_EQ(x(), 11) << "move +1, +1, Undo, +5, Undo";

    startAtTen();
    QTest::keyClick(&view(), Qt::Key_Right);
    action("Undo_btn")->trigger();
    EXPECT_EQ(x(), 10);
    action("Redo_btn")->trigger();
    EXPECT_EQ(x(), 11);
    moveByFive();
    action("Undo_btn")->trigger();
    EXPECT_EQ(x(), 11) << "move +1, Undo, Redo, +5, Undo";
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(ControllerCanvasHostTest, LockAndUnlockOfTheSelectionSwitchTheCommandsBackAndForth)
{
    view().changeSelectionIndexes({0});
    PaintCounter counter;
    view().installEventFilter(&counter);
    QTest::qWait(50);
    counter.paints = 0;
    action("Lock_btn")->trigger();
    EXPECT_TRUE(shape->ctrl_is_locked);
    EXPECT_TRUE(QTest::qWaitFor([&counter] { return counter.paints > 0; }, 2000))
        << "the locked handles are shown at once";
    for (const QString& name : kLockedOut)
        EXPECT_FALSE(action(name)->isEnabled()) << name.toStdString();
    EXPECT_TRUE(action("Unlock_btn")->isEnabled());
    EXPECT_TRUE(action("Copy_btn")->isEnabled());

    action("Unlock_btn")->trigger();
    EXPECT_FALSE(shape->ctrl_is_locked);
    for (const QString& name : kLockedOut) {
        if (name != QLatin1String("Paste_btn")) {  // follows the clipboard
            EXPECT_TRUE(action(name)->isEnabled()) << name.toStdString();
        }
    }
    EXPECT_FALSE(action("Unlock_btn")->isEnabled());

    // Each lock change is an edit of its own that Undo takes back.
    action("Undo_btn")->trigger();
    EXPECT_TRUE(document.graphics().first()->ctrl_is_locked);
}

TEST_F(ControllerCanvasHostTest, ToolChosenThroughTheHostIsCheckedInTheToolBar)
{
    canvasHost().Set_Selected_Control_Tool(10);
    QAction* checked = nullptr;
    for (QAction* tool : controller.windowLayout().toolGroup()->actions()) {
        if (tool->isChecked())
            checked = tool;
    }
    ASSERT_NE(checked, nullptr);
    EXPECT_EQ(checked->data().toInt(), 10);
}

TEST_F(ControllerCanvasHostTest, AfterAConfirmedProfileTheUsersNewElementsStillRecordUndoButAFillDoesNot)
{
    Fill_User_Profile = true;
    SnapshotUndo& undo = controller.canvasHostOfWindow().snapshotUndo();
    const auto addText = [&](const QString& value) {
        view().createGraphicOfClass(GraphicKind::Text, std::nullopt, true, QRectF(10, 10, 70, 20),
                                    QStringLiteral("F"), value, QString());
    };
    const int before = undo.Get_Undo_Count();
    addText(QStringLiteral("typed by the user"));
    EXPECT_GT(undo.Get_Undo_Count(), before);

    const int beforeFill = undo.Get_Undo_Count();
    {
        const ProfileFillScope filling;
        addText(QStringLiteral("written by a fill"));
    }
    EXPECT_EQ(undo.Get_Undo_Count(), beforeFill);
    EXPECT_EQ(document.graphics().size(), 3);
    Fill_User_Profile = false;
}

} // namespace
