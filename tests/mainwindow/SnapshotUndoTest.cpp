// Side snapshots: undo and redo per side, the live-mode block, empty sides and the buttons.
#include <gtest/gtest.h>

#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SnapshotUndo.h"
#include "mainwindow/SnapshotUndoWindow.h"

namespace {

// Layout mode: the visitor and group side panels are never asked for.
struct StandInWindow : SnapshotUndoWindow {
    void setUndoControlsEnabled(bool on) override { undoOn = on; }
    void setRedoControlsEnabled(bool on) override { redoOn = on; }
    void dropSelection(int side) override { droppedSides.append(side); }
    void Refresh_Canvas() override { ++refreshes; }

    bool undoOn = true, redoOn = true;
    QList<int> droppedSides;
    int refreshes = 0;
};

const QRectF kFirst(10, 10, 50, 20);
const QRectF kMoved(40, 30, 50, 20);

class SnapshotUndoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = "L";
        live_mode_list_value_change = false;
        undo.Undo_Redo_Clear();
    }
    void TearDown() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option.clear();
        live_mode_list_value_change = false;
    }

    GraphicPtr add(SKTDocument::Side side, GraphicKind kind)
    {
        GraphicPtr graphic = SKTGraphic::create(kind);
        graphic->setBounds(kFirst);
        document.insertGraphicsOnSide(side, {graphic}, {int(document.graphicsOfSide(side).size())});
        return graphic;
    }
    QList<QRectF> boundsOf(SKTDocument::Side side) const
    {
        QList<QRectF> result;
        for (const GraphicPtr& graphic : document.graphicsOfSide(side))
            result.append(graphic->bounds());
        return result;
    }

    SKTDocument document;
    StandInWindow window;
    SnapshotUndo undo{document, window};
};

TEST_F(SnapshotUndoTest, AfterEditSnapshotsUndoAndRedoPerSideAndEachSideDropsItsSelectionFirst)
{
    GraphicPtr text = add(SKTDocument::FrontSide, GraphicKind::Text);
    undo.Insert_In_Undo_Redo();  // the starting state
    text->setBounds(kMoved);
    undo.Insert_In_Undo_Redo();  // after the move
    EXPECT_EQ(undo.Get_Undo_Count(), 2);
    EXPECT_TRUE(window.undoOn);
    EXPECT_FALSE(window.redoOn);

    undo.Undo_Action_Perform();  // the first undo looks unchanged
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kMoved});
    EXPECT_NE(document.graphics().first(), text);  // new objects, nothing shared
    EXPECT_EQ(undo.Get_Redo_Count(), 1);
    EXPECT_TRUE(window.redoOn);
    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kFirst});
    EXPECT_FALSE(window.undoOn);

    // The back has its own stacks and buttons; the front's wait.
    Card_Front_Or_Back = 1;
    GraphicPtr line = add(SKTDocument::BackSide, GraphicKind::Line);
    undo.Insert_In_Undo_Redo();
    line->setBounds(kMoved);
    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::BackSide), QList<QRectF>{kFirst});
    EXPECT_FALSE(window.undoOn);
    EXPECT_EQ(Rcontrol_back.size(), 1);
    EXPECT_EQ(Rcontrol.size(), 2);
    EXPECT_EQ(window.droppedSides, (QList<int>{0, 0, 1}));

    Card_Front_Or_Back = 0;
    undo.Redo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kMoved});
    EXPECT_EQ(undo.Get_Redo_Count(), 1);
    EXPECT_TRUE(window.undoOn);
    EXPECT_EQ(boundsOf(SKTDocument::BackSide), QList<QRectF>{kFirst});
}

TEST_F(SnapshotUndoTest, LiveModeRecordsNothingAndEmptySidesAndStacksAreHandled)
{
    undo.Undo_Action_Perform();  // nothing to undo: only the buttons change
    EXPECT_EQ(undo.Get_Redo_Count(), 0);
    EXPECT_FALSE(window.undoOn);
    EXPECT_EQ(window.refreshes, 0);

    undo.Insert_In_Undo_Redo();  // the empty side
    ASSERT_EQ(Ucontrol.size(), 1);
    EXPECT_TRUE(Ucontrol.first().isEmpty());
    add(SKTDocument::FrontSide, GraphicKind::Shape);
    live_mode_list_value_change = true;
    window.undoOn = false;
    undo.Insert_In_Undo_Redo();
    EXPECT_EQ(undo.Get_Undo_Count(), 1) << "live mode records nothing";
    EXPECT_FALSE(window.undoOn) << "and leaves the buttons";
    live_mode_list_value_change = false;

    undo.Undo_Action_Perform();
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_EQ(Rcontrol.first().size(), 1);
}

}  // namespace
