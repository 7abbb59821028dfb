// Start-up of the main window controller, its one-time set-up and the reset of a new project.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QTabWidget>
#include <QDir>
#include <QFontInfo>
#include <QFile>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>

#include "mainwindow/CardSizePresets.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/SKTWindowController.h"
#include "model/profiles/ProfileCaptions.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/WindowPlacement.h"
#include "mainwindow/WindowSetup.h"
#include "model/SKTDocument.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

class WindowSetupTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Project_File_Name.clear();
        Fill_User_Profile = false;
        Card_Front_Or_Back = 0;
    }

    SKTGraphicView& view(SKTDocument::Side side) const { return *controller.graphicView(side); }
    QWidget* widget(const char* name) const { return controller.window()->findChild<QWidget*>(QLatin1String(name)); }
    void addElementOnEachSide()
    {
        document.insertGraphicsOnSide(SKTDocument::FrontSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
        document.insertGraphicsOnSide(SKTDocument::BackSide, {SKTGraphic::create(GraphicKind::Text)}, {0});
    }

    SKTDocument document;
    SKTWindowController controller{document};
    ScriptedDialogPresenter dialogs;  // the start chooser answers Cancel
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
};

TEST(CardSizePresets, LookupByKindOrientationAndIndex)
{
    const auto near = [](QSizeF size, double width, double height) {
        return std::abs(size.width() - width) < 0.001 && std::abs(size.height() - height) < 0.001;
    };
    EXPECT_TRUE(near(Get_My_card_Size(QStringLiteral("PVC Card"), QStringLiteral("H"), 0), 85.598, 54.102));
    EXPECT_TRUE(near(Get_My_card_Size(QStringLiteral("PVC Card"), QStringLiteral("V"), 0), 54.102, 85.598));
    // The paper list for any other kind; this badge's first value is its shorter side.
    EXPECT_TRUE(near(Get_My_card_Size(QStringLiteral("Paper"), QStringLiteral("H"), 6), 59.944, 89.916));
    EXPECT_TRUE(near(Get_My_card_Size(QStringLiteral("Paper"), QStringLiteral("H"), -1), 30, 30));
    EXPECT_TRUE(near(Get_My_card_Size(QStringLiteral("PVC Card"), QStringLiteral("V"), 7), 762, 762));
    EXPECT_EQ(paper_card_names().first(), QStringLiteral("Durable 1458 - Name Badge"));
    EXPECT_EQ(paper_card_names().at(7), QStringLiteral("Durable 1459 - Name Badge"));
    EXPECT_EQ(pvc_card_names().size(), 7);
}

TEST_F(WindowSetupTest, TheOneControllerSetsTheRunsFontsPathsListsPicturesAndProfiles)
{
    EXPECT_EQ(SKTWindowController::defaultInstance(), &controller);
    EXPECT_EQ(Main_App_wnd, &controller);
    // The system's font, resolved to a family that is really installed.
    EXPECT_NE(Text_Ctrl_Font, QStringLiteral("Arial"));
    EXPECT_EQ(QFontInfo(DEFAULT_FONT.toQFont()).family(), Text_Ctrl_Font);
    EXPECT_TRUE(QFile::exists(controller.NO_Image_Path));
    EXPECT_FALSE(controller.pictures.no_image.isNull());
    EXPECT_FALSE(controller.pictures.sign_sample_img.isNull());
    // New elements show the loaded samples; a picture the build lacks falls back to a tile.
    EXPECT_EQ(controller.canvasHostOfWindow().sign_sample_img(), controller.pictures.sign_sample_img);
    EXPECT_FALSE(controller.canvasHostOfWindow().barcode_sample_img().isNull());
    // The banner is drawn at build time; pictures this build does not ship stay empty.
    EXPECT_FALSE(controller.pictures.banner_image.isNull());
    EXPECT_TRUE(controller.pictures.promotion_pattern_image.isNull());
    EXPECT_EQ(controller.Front_user_profile.Name_id, QStringLiteral("Fup_Name"));
    EXPECT_EQ(controller.TEMP_user_profile.image_id, QStringLiteral("Fup_Photo"));
    EXPECT_EQ(Title_unique, QStringLiteral("Unique No. :"));
    // Fifteen inspector pages are kept; the tab view shows the card's four.
    EXPECT_EQ(controller.windowLayout().inspectorPages().size(), 15);
    EXPECT_EQ(controller.windowLayout().settingsTabs()->count(), 4);
}

TEST_F(WindowSetupTest, CanvasSizeReachesAllThreeCanvasesAtTheirZoom)
{
    controller.zoomingScrollView(SKTDocument::FrontSide)->setFactor(2.0);
    controller.SetDocumentCanvasSize(QSizeF(252, 144));
    EXPECT_EQ(controller.frontCanvasBounds(), QRectF(0, 0, 252, 144));
    EXPECT_EQ(view(SKTDocument::FrontSide).size(), QSize(504, 288));
    EXPECT_EQ(view(SKTDocument::PreviewSide).size(), QSize(504, 288));
    controller.Set_Canvas_to_100_percent();
    EXPECT_EQ(view(SKTDocument::BackSide).size(), QSize(252, 144));
    EXPECT_EQ(controller.zoomingScrollView(SKTDocument::PreviewSide)->factorPopUpButton()->currentIndex(), 3);
}

TEST_F(WindowSetupTest, FullResetEmptiesTheDesignUndoAndProfilesAndShowsTheFrontAtActualSize)
{
    addElementOnEachSide();
    view(SKTDocument::FrontSide).changeSelectionIndexes({0});
    controller.canvasHostOfWindow().Insert_In_Undo_Redo();
    controller.Front_card_Prop.setCard_Name(QStringLiteral("Staff"));
    controller.Front_user_profile.Name = QStringLiteral("Ada");
    Fill_User_Profile = true;
    controller.Image_Ctrl_Counter = 4;
    controller.windowLayout().grid().setAlwaysShown(true);
    controller.sideCommands().Select_back_side();
    controller.zoomingScrollView(SKTDocument::FrontSide)->setFactor(4.0);
    Invite_Frame_IMG = QStringLiteral("/frames/gold.png"), Invite_Frame_Pic_IMG = QStringLiteral("/photos/ada.jpg");

    controller.New_Project_Setting_Reset(true);
    EXPECT_TRUE(Invite_Frame_IMG.isEmpty());
    EXPECT_TRUE(Invite_Frame_Pic_IMG.isEmpty());
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_TRUE(view(SKTDocument::FrontSide).selectionIndexes().isEmpty());
    EXPECT_EQ(controller.Front_card_Prop, Card_Property());
    EXPECT_EQ(controller.canvasHostOfWindow().snapshotUndo().Get_Undo_Count(), 0);
    EXPECT_TRUE(controller.Front_user_profile.Name.isEmpty());
    EXPECT_FALSE(Fill_User_Profile);
    EXPECT_EQ(controller.Image_Ctrl_Counter, 0);
    EXPECT_FALSE(controller.windowLayout().grid().isAlwaysShown());
    EXPECT_FALSE(controller.window()->findChild<QAction*>(QStringLiteral("show_grid_menu"))->isChecked());
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(controller.zoomingScrollView(SKTDocument::FrontSide)->factor(), 1.0);
    // Hidden until the start chooser's answer shows it.
    EXPECT_TRUE(widget("myTargetView")->isHidden());
    EXPECT_TRUE(widget("Right_Prop_Box")->isHidden());
    EXPECT_EQ(controller.window()->windowTitle(), QStringLiteral("ZOVA ID Card ( Untitled )[*]"));
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
}

// The captions belong to the side profile dialog: a reset within the design clears no caption,
// so a later fill places the captions last written beside the new values; a new design clears
// values and bindings, and the captions of the design before it with them.
TEST_F(WindowSetupTest, APartialResetKeepsTheProfileCaptionsAndANewDesignStartsWithoutThem)
{
    controller.Front_user_profile.Name_label = QStringLiteral("Name :");
    controller.Back_user_profile.unique_label = QStringLiteral("Unique No. :");
    controller.TEMP_user_profile.phone_label = QStringLiteral("Phone No. :");
    controller.New_Project_Setting_Reset(false);
    EXPECT_EQ(controller.Front_user_profile.Name_label, QStringLiteral("Name :"));
    EXPECT_EQ(controller.Back_user_profile.unique_label, QStringLiteral("Unique No. :"));

    controller.Front_user_profile.Name = QStringLiteral("Ada");
    controller.New_Project_Setting_Reset(true);
    EXPECT_EQ(controller.Front_user_profile.Name_label, QString());
    EXPECT_EQ(controller.Back_user_profile.unique_label, QString());
    EXPECT_EQ(controller.TEMP_user_profile.phone_label, QString());
    EXPECT_TRUE(controller.Front_user_profile.Name.isEmpty());
    EXPECT_EQ(controller.Front_user_profile.Name_id, QStringLiteral("Fup_Name"));
}

TEST_F(WindowSetupTest, PartialResetKeepsTheProfilesAndOnlyOurClipboardContentIsCleared)
{
    controller.Front_user_profile.Name = QStringLiteral("Ada");
    Fill_User_Profile = true;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("another program's text"));
    controller.New_Project_Setting_Reset(false);
    EXPECT_EQ(controller.Front_user_profile.Name, QStringLiteral("Ada"));
    EXPECT_TRUE(Fill_User_Profile);
    EXPECT_EQ(clipboard->text(), QStringLiteral("another program's text"));

    auto* ours = new QMimeData;
    ours->setData(SKTGraphicViewPasteboardType, QByteArray("x"));
    clipboard->setMimeData(ours);
    controller.New_Project_Setting_Reset(false);
    const QMimeData* after = clipboard->mimeData();
    EXPECT_TRUE(after == nullptr || !after->hasFormat(SKTGraphicViewPasteboardType));
}

TEST_F(WindowSetupTest, SetupMakesTheUserFolderAndCameraFileThenCancelInTheChooserEndsTheRun)
{
    QFile::remove(controller.camera_path_file);
    EXPECT_EQ(awakeFromNib(controller), SetupOutcome::Cancelled);
    EXPECT_TRUE(QFileInfo(Created_Resource_Path).isDir());
    EXPECT_EQ(Camera_Folder_Path, Default_Camera_Folder_Path());
    EXPECT_EQ(Read_Camera_Folder_Path(controller.camera_path_file), Camera_Folder_Path);
    EXPECT_EQ(controller.frontCanvasBounds(), QRectF(0, 0, 243, 154));
    EXPECT_TRUE(Start_Card_Option.isEmpty());
    EXPECT_TRUE(messages.texts().isEmpty());
    // The canvases open with their rulers.
    for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide, SKTDocument::PreviewSide})
        EXPECT_TRUE(controller.zoomingScrollView(side)->rulersVisible()) << side;
}

TEST_F(WindowSetupTest, AnUnusableUserFolderIsReportedAndEndsTheRun)
{
    // A file where the user folder should be.
    const QString userFolder = Created_Resource_Path;
    const QTemporaryDir scratch;
    Created_Resource_Path = scratch.filePath(QStringLiteral("blocked"));
    QFile blocker(Created_Resource_Path);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SetupOutcome outcome = awakeFromNib(controller);
    Created_Resource_Path = userFolder;
    EXPECT_EQ(outcome, SetupOutcome::FoldersUnusable);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(messages.texts().first().trimmed(), QString::fromLatin1(kCannotAccessDataMessage));
}

}  // namespace


namespace {

// The window opens maximised by the window manager the first time, then where it was closed.
TEST_F(WindowSetupTest, TheWindowOpensMaximisedFirstThenWhereItWasClosed)
{
    QSettings(QSettings::IniFormat, QSettings::UserScope, App_Name, QStringLiteral("window")).clear();
    controller.showWindow();
    EXPECT_TRUE(controller.window()->isMaximized());

    controller.window()->showNormal();
    controller.window()->setGeometry(60, 70, 900, 640);
    messages.queueAnswers({0});  // Yes to "really exit"; nothing changed, so nothing else is asked
    ASSERT_TRUE(controller.window()->close());
    EXPECT_EQ(messages.records().size(), 1);

    QMainWindow next;
    Show_Window_Where_Remembered(next);
    EXPECT_FALSE(next.isMaximized());
    EXPECT_EQ(next.geometry().size(), QSize(900, 640));
}

}  // namespace
