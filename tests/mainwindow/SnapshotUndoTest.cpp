// Side snapshots: undo and redo per side, the live-mode block, empty sides, the buttons, and the
// visitor and group side panels after a rebuild.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QTemporaryDir>

#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SnapshotUndo.h"
#include "mainwindow/SnapshotUndoWindow.h"

namespace {

struct StandInPanel : ProfileSidePanel {
    void Refresh_Controls() override { ++refreshes; }
    void Set_User_Image_Control(const QString& path, const QImage&, const QString& id) override
    {
        photoCalls.append(path + "|" + id);
    }
    QList<ProfilePanelRow> view_array_label() const override { return labels; }
    QList<ProfilePanelRow> view_array_value() const override { return {}; }

    int refreshes = 0;
    QStringList photoCalls;
    QList<ProfilePanelRow> labels;
};

struct StandInWindow : SnapshotUndoWindow {
    void setUndoControlsEnabled(bool on) override { undoOn = on; }
    void setRedoControlsEnabled(bool on) override { redoOn = on; }
    void dropSelection(int side) override { droppedSides.append(side); }
    void Refresh_Canvas() override { ++refreshes; }
    void Show_RHS_Properties(SKTGraphic* graphic) override { shown.append(graphic); }
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() override {}
    ProfileSidePanel* profilePanel(int) override { return &panel; }
    QWidget* Get_Dynamic_Photo_Ctrl(const QString& id) override { return photoViews.value(id); }
    QCheckBox* Get_chk_box_of_visitor_mode(const QString& id) override { return checks.value(id); }
    QLineEdit* Get_text_box_of_visitor_mode(const QString& id) override { return boxes.value(id); }
    void showPicture(QWidget* view, const QImage& picture) override { pictures[view] = picture; }
    QImage no_image_ctrl_GP() const override { return placeholder; }

    bool undoOn = true, redoOn = true;
    QList<int> droppedSides;
    int refreshes = 0;
    QList<SKTGraphic*> shown;
    StandInPanel panel;
    QMap<QString, QWidget*> photoViews;
    QMap<QString, QCheckBox*> checks;
    QMap<QString, QLineEdit*> boxes;
    QMap<QWidget*, QImage> pictures;
    QImage placeholder{4, 4, QImage::Format_ARGB32};
};

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

    GraphicPtr add(SKTDocument::Side side, GraphicKind kind, const QString& id, QRectF bounds)
    {
        GraphicPtr graphic = SKTGraphic::create(kind);
        graphic->control_ID = id;
        graphic->ctrl_is_visible = true;
        graphic->setBounds(bounds);
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

const QRectF kFirst(10, 10, 50, 20);
const QRectF kMoved(40, 30, 50, 20);

TEST_F(SnapshotUndoTest, AfterEditSnapshotsMakeTheFirstUndoLookUnchangedAndTheSecondGoBack)
{
    GraphicPtr text = add(SKTDocument::FrontSide, GraphicKind::Text, "Name", kFirst);
    undo.Insert_In_Undo_Redo();  // the starting state
    text->setBounds(kMoved);
    undo.Insert_In_Undo_Redo();  // after the move
    EXPECT_EQ(undo.Get_Undo_Count(), 2);
    EXPECT_TRUE(window.undoOn);
    EXPECT_FALSE(window.redoOn);

    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kMoved});
    EXPECT_NE(document.graphics().first(), text);  // new objects, nothing shared
    EXPECT_EQ(undo.Get_Undo_Count(), 1);
    EXPECT_EQ(undo.Get_Redo_Count(), 1);
    EXPECT_TRUE(window.redoOn);

    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kFirst});
    EXPECT_FALSE(window.undoOn);
    EXPECT_EQ(window.shown, (QList<SKTGraphic*>{nullptr, nullptr}));
    EXPECT_EQ(window.refreshes, 2);

    undo.Redo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kMoved});
    EXPECT_EQ(undo.Get_Redo_Count(), 1);
}

TEST_F(SnapshotUndoTest, NewSnapshotKeepsRedoAndOnlyClearEmptiesIt)
{
    add(SKTDocument::FrontSide, GraphicKind::Shape, "", kFirst);
    undo.Insert_In_Undo_Redo();
    undo.Undo_Action_Perform();
    ASSERT_EQ(undo.Get_Redo_Count(), 1);
    undo.Insert_In_Undo_Redo();
    EXPECT_EQ(undo.Get_Redo_Count(), 1);
    EXPECT_TRUE(window.redoOn);

    undo.Undo_Redo_Clear();
    EXPECT_EQ(undo.Get_Undo_Count() + undo.Get_Redo_Count(), 0);
    EXPECT_FALSE(window.undoOn);
    EXPECT_FALSE(window.redoOn);
}

TEST_F(SnapshotUndoTest, EachSideHasItsOwnStacksAndButtonsFollowTheSideInForce)
{
    add(SKTDocument::FrontSide, GraphicKind::Text, "Front", kFirst);
    undo.Insert_In_Undo_Redo();
    Card_Front_Or_Back = 1;
    GraphicPtr back = add(SKTDocument::BackSide, GraphicKind::Line, "", kFirst);
    undo.Insert_In_Undo_Redo();
    back->setBounds(kMoved);
    undo.Insert_In_Undo_Redo();
    EXPECT_EQ(Ucontrol_back.size(), 2);

    undo.Undo_Action_Perform();
    undo.Undo_Action_Perform();
    EXPECT_EQ(boundsOf(SKTDocument::BackSide), QList<QRectF>{kFirst});
    EXPECT_EQ(boundsOf(SKTDocument::FrontSide), QList<QRectF>{kFirst});
    EXPECT_EQ(Ucontrol.size(), 1);
    EXPECT_TRUE(Rcontrol.isEmpty());
    EXPECT_EQ(Rcontrol_back.size(), 2);
    EXPECT_EQ(window.droppedSides, (QList<int>{1, 1}));

    Card_Front_Or_Back = 0;
    undo.Check_Undo_Redo_Btn_Enability();
    EXPECT_TRUE(window.undoOn);
    EXPECT_FALSE(window.redoOn);
}

TEST_F(SnapshotUndoTest, LiveModeRecordsNothingAndLeavesTheButtons)
{
    add(SKTDocument::FrontSide, GraphicKind::Text, "Name", kFirst);
    live_mode_list_value_change = true;
    window.undoOn = true;
    undo.Insert_In_Undo_Redo();
    EXPECT_EQ(undo.Get_Undo_Count(), 0);
    EXPECT_TRUE(window.undoOn);
    live_mode_list_value_change = false;
    undo.Insert_In_Undo_Redo();
    EXPECT_EQ(undo.Get_Undo_Count(), 1);
}

TEST_F(SnapshotUndoTest, EmptySidesAndEmptyStacks)
{
    undo.Undo_Action_Perform();  // nothing to undo: only the buttons change
    EXPECT_EQ(undo.Get_Redo_Count(), 0);
    EXPECT_FALSE(window.undoOn);
    EXPECT_EQ(window.refreshes, 0);

    undo.Insert_In_Undo_Redo();
    ASSERT_EQ(Ucontrol.size(), 1);
    EXPECT_TRUE(Ucontrol.first().isEmpty());
    add(SKTDocument::FrontSide, GraphicKind::Shape, "", kFirst);
    undo.Undo_Action_Perform();
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_EQ(Rcontrol.first().size(), 1);
}

TEST_F(SnapshotUndoTest, RebuildKeepsOrderSkipsBadBlobsAndPlacesBarcodePictures)
{
    UndoSnapshot snapshot = SnapshotUndo::snapshotOf(
        {SKTGraphic::create(GraphicKind::Text), SKTGraphic::create(GraphicKind::Barcode)});
    snapshot.first() = "not an archive";
    GraphicPtr barcode = SKTGraphic::fromArchivedData(snapshot.last());
    barcode->setBounds(kMoved);
    snapshot.last() = barcode->archivedData();
    snapshot.append(SKTGraphic::create(GraphicKind::Signature)->archivedData());

    undo.Fill_Undo_Redo_Control(snapshot);
    const GraphicList& rebuilt = document.graphics();
    ASSERT_EQ(rebuilt.size(), 2);
    EXPECT_EQ(rebuilt[0]->kind(), GraphicKind::Barcode);
    EXPECT_EQ(rebuilt[0]->bar_image_ctrl_bounds, kMoved);
    EXPECT_EQ(rebuilt[1]->kind(), GraphicKind::Signature);
}

TEST_F(SnapshotUndoTest, VisitorPanelIsResetThenTakesTheRebuiltValues)
{
    Start_Card_Option = "V";
    QLineEdit labelField, photoCaption, nameBox;
    QCheckBox labelCheck, nameCheck;
    QLabel pictureView;
    labelCheck.setChecked(true);
    window.panel.labels = {{"Fup_Title", &labelField, &labelCheck},
                           {"Fup_Photo", &photoCaption, nullptr},
                           {"Fup_Pic", &pictureView, nullptr}};
    window.checks["Name"] = &nameCheck;
    window.boxes["Name"] = &nameBox;

    GraphicPtr text = add(SKTDocument::FrontSide, GraphicKind::Text, "Name", kFirst);
    text->Text_Value = "Ada";
    add(SKTDocument::FrontSide, GraphicKind::Image, "Fup_Photo", kMoved);
    undo.Insert_In_Undo_Redo();
    undo.Undo_Action_Perform();

    EXPECT_EQ(window.panel.refreshes, 1);
    EXPECT_FALSE(labelCheck.isChecked());
    EXPECT_FALSE(labelField.isEnabled());
    EXPECT_FALSE(labelField.isReadOnly());
    EXPECT_TRUE(photoCaption.isReadOnly());
    EXPECT_EQ(window.pictures.value(&pictureView), window.placeholder);
    EXPECT_TRUE(nameCheck.isChecked());
    EXPECT_EQ(nameBox.text(), "Ada");
    EXPECT_TRUE(nameBox.isEnabled());
    EXPECT_EQ(window.panel.photoCalls, (QStringList{"|", "|Fup_Photo"}));
}

TEST_F(SnapshotUndoTest, GroupPhotoFieldShowsThePlaceholderForNoPicture)
{
    QTemporaryDir folder;
    const QString noPicture = folder.filePath("no.png");
    QImage(2, 2, QImage::Format_RGB32).save(noPicture);
    Start_Card_Option = "G";
    QLabel photoView;
    window.photoViews["F_Pic1"] = &photoView;
    GraphicPtr picture = add(SKTDocument::FrontSide, GraphicKind::Image, "F_Pic1", kFirst);
    picture->_file_path = noPicture;
    picture->Text_Value = noPicture;
    undo.Insert_In_Undo_Redo();
    undo.Undo_Action_Perform();
    EXPECT_EQ(window.pictures.value(&photoView), window.placeholder);

    Start_Card_Option = "L";  // other modes leave the panels alone
    window.pictures.clear();
    undo.Insert_In_Undo_Redo();
    undo.Undo_Action_Perform();
    EXPECT_TRUE(window.pictures.isEmpty());
}

}  // namespace
