// Side snapshots: each Undo takes back one edit and each Redo restores it, per side; the buttons
// are offered only when they would change what is shown; live mode and empty sides.
#include <gtest/gtest.h>

#include <QPainter>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SnapshotUndo.h"
#include "mainwindow/SnapshotUndoWindow.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"

namespace {

// Layout mode: the visitor and group side panels are never asked for.
struct StandInWindow : SnapshotUndoWindow {
    void setUndoControlsEnabled(bool on) override { undoOn = on; }
    void setRedoControlsEnabled(bool on) override { redoOn = on; }
    void dropSelection(int side) override { droppedSides.append(side); }
    void Refresh_Canvas() override { ++refreshes; }
    void settleDrawnValues(int) override {}
    void Show_RHS_Properties(SKTGraphic*) override {}
    void designMayHaveChanged() override {}
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() override {}
    ProfileSidePanel* profilePanel(int) override { return nullptr; }
    QWidget* Get_Dynamic_Photo_Ctrl(const QString&) override { return nullptr; }
    QCheckBox* Get_chk_box_of_visitor_mode(const QString&) const override { return nullptr; }
    QLineEdit* Get_text_box_of_visitor_mode(const QString&) const override { return nullptr; }
    void showPicture(QWidget*, const QImage&) override {}
    QImage no_image_ctrl_GP() const override { return {}; }

    bool undoOn = true, redoOn = true;
    QList<int> droppedSides;
    int refreshes = 0;
};

const QRectF kFirst(10, 10, 50, 20);

QImage colourfulPicture()
{
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(200, 60, 30, 180));
    painter.drawEllipse(QRectF(2, 2, 36, 26));
    return picture;
}

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

    GraphicPtr add(SKTDocument::Side side, GraphicPtr graphic)
    {
        graphic->setBounds(kFirst);
        document.insertGraphicsOnSide(side, {graphic}, {int(document.graphicsOfSide(side).size())});
        return graphic;
    }
    GraphicPtr add(SKTDocument::Side side, GraphicKind kind) { return add(side, SKTGraphic::create(kind)); }
    // An edit as the canvas makes it: the change, then a snapshot of the side after it.
    void moveFirst(SKTDocument::Side side, double dx)
    {
        const GraphicPtr graphic = document.graphicsOfSide(side).first();
        graphic->setBounds(graphic->bounds().translated(dx, 0));
        undo.Insert_In_Undo_Redo();
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

TEST_F(SnapshotUndoTest, EachUndoTakesBackOneEditAndEachRedoBringsItBack)
{
    // A picture element too: its rebuilt copy must archive to the very snapshot it came from.
    add(SKTDocument::FrontSide, SKTImage::initWithPosition(QPointF(), colourfulPicture(), QString()));
    undo.Restart_Undo_History();
    EXPECT_FALSE(window.undoOn) << "nothing to take back yet";
    EXPECT_FALSE(window.redoOn);

    QList<QList<QRectF>> states{boundsOf(SKTDocument::FrontSide)};
    for (double dx : {1.0, 1.0, 5.0}) {
        moveFirst(SKTDocument::FrontSide, dx);
        states.append(boundsOf(SKTDocument::FrontSide));
    }
    // An edit recorded before and after, as deletion and creation are.
    undo.Insert_In_Undo_Redo();
    add(SKTDocument::FrontSide, GraphicKind::Text);
    undo.Insert_In_Undo_Redo();
    states.append(boundsOf(SKTDocument::FrontSide));
    EXPECT_TRUE(window.undoOn);

    for (qsizetype i = states.size() - 2; i >= 0; --i) {
        undo.Undo_Action_Perform();
        EXPECT_EQ(boundsOf(SKTDocument::FrontSide), states.at(i)) << "undo back to state " << i;
        EXPECT_TRUE(window.redoOn);
    }
    EXPECT_FALSE(window.undoOn);
    undo.Undo_Action_Perform();  // at the start: nothing changes
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), states.first());

    for (qsizetype i = 1; i < states.size(); ++i) {
        undo.Redo_Action_Perform();
        EXPECT_EQ(boundsOf(SKTDocument::FrontSide), states.at(i)) << "redo to state " << i;
        EXPECT_TRUE(window.undoOn);
    }
    EXPECT_FALSE(window.redoOn);

    // Undo after a redo goes one step back, not to the state already shown.
    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), states.at(states.size() - 2));
}

TEST_F(SnapshotUndoTest, EachSideKeepsItsOwnHistoryAndItsFirstEditCanBeTakenBack)
{
    add(SKTDocument::FrontSide, GraphicKind::Shape);
    add(SKTDocument::BackSide, GraphicKind::Line);
    undo.Restart_Undo_History();

    Card_Front_Or_Back = 1;
    moveFirst(SKTDocument::BackSide, 30);
    Card_Front_Or_Back = 0;
    moveFirst(SKTDocument::FrontSide, 10);
    const SnapshotStack frontUndo = Ucontrol;

    Card_Front_Or_Back = 1;
    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::BackSide), QList<QRectF>{kFirst});
    EXPECT_EQ(window.droppedSides, QList<int>{1});
    EXPECT_EQ(Ucontrol, frontUndo);
    EXPECT_TRUE(Rcontrol.isEmpty());

    Card_Front_Or_Back = 0;
    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kFirst});
    EXPECT_EQ(boundsOf(SKTDocument::BackSide), QList<QRectF>{kFirst});
}

TEST_F(SnapshotUndoTest, AChangeThatWasNotRecordedIsStillTakenBackByOneUndo)
{
    add(SKTDocument::FrontSide, GraphicKind::Shape);
    undo.Restart_Undo_History();
    // The canvas's own paste records only the side before it.
    undo.Insert_In_Undo_Redo();
    add(SKTDocument::FrontSide, GraphicKind::Text);
    undo.Check_Undo_Redo_Btn_Enability();
    EXPECT_TRUE(window.undoOn);

    undo.Undo_Action_Perform();
    EXPECT_EQ(document.graphics().size(), 1);
    undo.Redo_Action_Perform();
    EXPECT_EQ(document.graphics().size(), 2);
    undo.Undo_Action_Perform();
    EXPECT_EQ(document.graphics().size(), 1);
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

// Archives of an unchanged side may differ in their bytes (the binary writer shares a repeated
// value, such as two equal colours or a picture and its adjusted copy, only now and then), yet the
// side is one snapshot however often it is recorded, so the first Undo after an edit takes it back.
TEST_F(SnapshotUndoTest, AnUnchangedSideIsOneSnapshotHoweverOftenItIsRecorded)
{
    for (int n = 0; n < 40; ++n) {
        add(SKTDocument::FrontSide, GraphicKind::Text)->setBounds(QRectF(n, n, 50, 20));
        // A picture whose adjusted copy is the picture itself, as with no adjustment made.
        const QImage picture = colourfulPicture().scaled(200 + n, 150);
        auto image = SKTImage::initWithPosition(QPointF(n, 0), picture, QString());
        image->setAdjustedPicture(picture, picture.cacheKey(), image->picture);
        add(SKTDocument::FrontSide, image);
    }
    undo.Restart_Undo_History();
    for (int round = 0; round < 60; ++round)
        undo.Insert_In_Undo_Redo();
    EXPECT_EQ(undo.Get_Undo_Count(), 1);
    EXPECT_FALSE(window.undoOn);

    const QList<QRectF> before = boundsOf(SKTDocument::FrontSide);
    moveFirst(SKTDocument::FrontSide, 4.0);
    for (int round = 0; round < 60; ++round)
        undo.Insert_In_Undo_Redo();
    undo.Undo_Action_Perform();
    EXPECT_TRUE(boundsOf(SKTDocument::FrontSide) == before) << "the first Undo took nothing back";
}

}  // namespace
