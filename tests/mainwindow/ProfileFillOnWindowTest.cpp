// A card-holder profile written onto the real window's front canvas and rendered for output.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <thread>
#include <tuple>
#include <QScopedValueRollback>

#include "data/Data_From_Excel.h"

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SnapshotUndo.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/canvas/SKTGraphicView.h"

namespace {

const QColor kPhotoColour(30, 120, 200);

class ProfileFillOnWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        controller.Front_card_Prop.setCard_Size(QSizeF(243, 154));
        controller.SetDocumentCanvasSize(QSizeF(243, 154));
        QImage photo(130, 160, QImage::Format_RGB32);
        photo.fill(kPhotoColour);
        ASSERT_TRUE(photo.save(photoPath));
    }
    void TearDown() override { Fill_User_Profile = false; }

    GraphicPtr front(const char* id) const
    {
        for (const GraphicPtr& element : document.graphics()) {
            if (element->control_ID == QLatin1String(id))
                return element;
        }
        return nullptr;
    }

    QTemporaryDir folder;
    const QString photoPath = folder.filePath(QStringLiteral("ada.png"));
    SKTDocument document;
    SKTWindowController controller{document};
};

TEST_F(ProfileFillOnWindow, TheFrontShowsTheValuesAndThePhotoInOneUndoStepAndRendersThem)
{
    User_Profile_Class& profile = controller.Front_user_profile;
    profile.Name = QStringLiteral("Ada Lovelace");
    profile.Title = QStringLiteral("Analyst");
    profile.unique = QStringLiteral("0001");
    profile.unique_ds = true;
    profile.unique_ds_name = QStringLiteral("Staff numbers");
    profile.image = photoPath;
    profile.image_USE = true;
    Fill_User_Profile = true;
    SnapshotUndo& undo = controller.canvasHostOfWindow().snapshotUndo();
    const int undoBefore = undo.Get_Undo_Count();

    ProfileCommands(controller).Fill_User_profile_Details();
    ASSERT_EQ(document.graphics().size(), 4);
    EXPECT_EQ(front("Fup_Name")->Text_contents(), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(front("Fup_Name")->bounds().topLeft(), QPointF(85, 12));
    EXPECT_EQ(front("Fup_UniqueNo")->batch_list_name_val(), QStringLiteral("Staff numbers"));
    EXPECT_EQ(front("Fup_UniqueNo")->data_source_type_val(), 1);
    EXPECT_EQ(front("Fup_Photo")->bounds(), QRectF(10, 20, 65, 80));
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_EQ(undo.Get_Undo_Count(), undoBefore + 1);

    const CardImage card = SKTRenderingView::image_From_Card_Graphics(document.graphics(), CardSide::Front);
    QImage picture;
    std::thread([&] { picture = Increase_DPI(card, 300); }).join();
    ASSERT_FALSE(picture.isNull());
    const QString artifacts = QStringLiteral(ZOVA_PROFILES_ARTIFACT_DIR);
    QDir().mkpath(artifacts);
    EXPECT_TRUE(picture.save(artifacts + QStringLiteral("/fill_front.png")));
    const double scale = 300.0 / 72.0;
    EXPECT_EQ(picture.pixelColor(int(40 * scale), int(60 * scale)), kPhotoColour);
    EXPECT_EQ(picture.pixelColor(int(200 * scale), int(140 * scale)), QColor(Qt::white));
}

TEST_F(ProfileFillOnWindow, NothingIsPlacedBeforeAProfileIsConfirmed)
{
    controller.Front_user_profile.Name = QStringLiteral("Ada Lovelace");
    ProfileCommands(controller).Fill_User_profile_Details();
    EXPECT_TRUE(document.graphics().isEmpty());
}

TEST_F(ProfileFillOnWindow, APreviewWritesOnCopiesAndLeavesTheSideAsItWas)
{
    controller.Front_user_profile.Name = QStringLiteral("Ada Lovelace");
    Fill_User_Profile = true;
    ProfileCommands(controller).Fill_User_profile_info_front_side();
    const GraphicPtr name = front("Fup_Name");
    const QRectF nameBounds = name->bounds();
    const int undoBefore = controller.canvasHostOfWindow().snapshotUndo().Get_Undo_Count();

    controller.TEMP_user_profile.Reset_All_Values();
    controller.TEMP_user_profile.Name = QStringLiteral("Grace Hopper");
    controller.TEMP_user_profile.Title = QStringLiteral("Admiral");
    ProfileCommands(controller).Show_Profile_Preview(QStringLiteral("F"));

    EXPECT_EQ(document.graphics().size(), 1);
    EXPECT_EQ(name->Text_contents(), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(name->bounds(), nameBounds);
    EXPECT_TRUE(name->ctrl_is_visible);
    QStringList preview;
    for (const GraphicPtr& element : document.graphics_temp()) {
        EXPECT_NE(element, name);
        preview.append(element->control_ID + QLatin1Char('=') + element->Text_contents());
    }
    // New elements go on top, at the head of the list.
    EXPECT_EQ(preview, QStringList({"Fup_Photo=" + controller.NO_Image_Path, "Fup_Title=Admiral", "Fup_Name=Grace Hopper"}));
    EXPECT_EQ(controller.canvasHostOfWindow().snapshotUndo().Get_Undo_Count(), undoBefore);
}

TEST_F(ProfileFillOnWindow, AfterTheWindowLoadsASheetAgainOldColumnBindingsAreDropped)
{
    const auto boundText = [](const char* id, SKTDocument::Side side, SKTDocument& design) {
        GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
        text->control_ID = QString::fromLatin1(id);
        text->Set_Data_source_type(2);
        text->Set_Excel_binding_Index(1);
        design.insertGraphicsOnSide(side, {text}, {0});
        return text;
    };
    const GraphicPtr dept = boundText("Dept", SKTDocument::FrontSide, document);
    const GraphicPtr name = boundText("Fup_Name", SKTDocument::FrontSide, document);
    const GraphicPtr backName = boundText("Fup_Name", SKTDocument::BackSide, document);
    const QScopedValueRollback twoSided(CARD_SIDE_STR, QStringLiteral("2"));
    Data_From_Excel& table = Loaded_Data_Table();
    const QList<DataRow> rowsBefore = table.ListData;
    table.ListData = {DataRow{{QStringLiteral("Column1"), QStringLiteral("Ada")}}};

    ProfileCommands(controller).Profile_Window_Closed(0, false);
    EXPECT_FALSE(Fill_User_Profile);
    EXPECT_EQ(dept->data_source_type_val(), 2);

    ProfileCommands(controller).Profile_Window_Closed(1, true);
    EXPECT_TRUE(Fill_User_Profile);
    EXPECT_EQ(std::tuple(dept->data_source_type_val(), dept->excel_col_indx), std::tuple(0, -1));
    EXPECT_EQ(std::tuple(name->data_source_type_val(), name->excel_col_indx), std::tuple(2, 1));
    EXPECT_EQ(std::tuple(backName->data_source_type_val(), backName->excel_col_indx), std::tuple(0, -1));
    table.ListData = rowsBefore;
}

TEST_F(ProfileFillOnWindow, TheInspectorLosingItsSpreadsheetItemRebindsNothing)
{
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed{messages};
    GraphicPtr dept = SKTGraphic::create(GraphicKind::Text);
    dept->control_ID = QStringLiteral("Dept");
    dept->Set_Data_source_type(2);
    dept->Set_Excel_binding_Index(1);
    controller.graphicView(SKTDocument::FrontSide)->insertGraphics({dept}, {0});
    controller.graphicView(SKTDocument::FrontSide)->changeSelectionIndexes({0});
    {
        const QScopedValueRollback bound(Excel_Binding_Use, true);
        controller.canvasHostOfWindow().Show_RHS_Properties(dept.get());
    }
    // The spreadsheet is gone when the profile window closes: "Excel" leaves the inspector's
    // source list, and the element keeps its column.
    const QScopedValueRollback unbound(Excel_Binding_Use, false);
    ProfileCommands(controller).Profile_Window_Closed(0, false);
    EXPECT_EQ(std::tuple(dept->data_source_type_val(), dept->excel_col_indx), std::tuple(2, 1));
    EXPECT_TRUE(messages.texts().isEmpty());
}

}  // namespace
