// The card's profile window over a stand-in main window: which record each field reaches by its
// side, the checks before OK and Preview, and what the form keeps from one opening to the next.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "data/Data_From_Excel.h"
#include "model/profiles/ProfileCaptions.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/profiles/ProfileForm.h"
#include "views/profiles/User_profile.h"

namespace {

enum Field { kName = 0, kTitle = 1, kUnique = 9, kPhoto = 10 };

class StandInMainWindow : public ProfileFormHost {
public:
    User_Profile_Class& profileRecord(ProfileRecord which) override
    {
        return which == ProfileRecord::Front ? front : which == ProfileRecord::Back ? back : preview;
    }
    int Card_Front_Or_Back() const override { return side; }
    GraphicList graphicsOfSide(int) const override { return {}; }
    void Batch_Series_Button() override {}
    bool Check_And_Validate_File_Path(const QString&) override { return false; }
    void Delete_Excel_File_Temp_Folder() override {}
    QStringList Allowd_Image_fileTypes() const override { return {"png"}; }
    QImage Show_Profile_Preview(const QString& shown) override
    {
        previews << shown;
        return previewedSide;
    }

    User_Profile_Class front, back, preview;
    int side = 0;
    QStringList previews;
    QImage previewedSide;
};

class CardProfileWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Title_For_Gen_ID_Card();
        Loaded_Data_Table().ListData.clear();
        Excel_Binding_Use = false;
        Data_Folder_Path = folder.filePath("DataSet");
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        QFile staff(QDir(Data_Folder_Path).filePath("Staff.txt"));
        ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
        staff.write("S-001\nS-002\n");
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(Qt::green);
        ASSERT_TRUE(picture.save(photo));
        ASSERT_TRUE(picture.save(noImage));
        for (User_Profile_Class* record : {&host.front, &host.back, &host.preview})
            record->Reset_All_Values();
    }
    void TearDown() override { Loaded_Data_Table().ListData.clear(); }

    // Opens the window, runs the script in it and answers the window's result.
    int open(bool keepForm, const QString& loadSide, const std::function<void()>& script)
    {
        window.load_side = loadSide;
        dialogs.queueHook([&](QDialog&) { script(); });
        return window.Open_Wnd(keepForm);
    }
    void type(int field, const QString& text) { window.form().row(field).value->setText(text); }
    void bindToStaff(int field)
    {
        window.form().selectSource(field, kSourceSeries);
        window.form().selectColumn(field, window.form().row(field).ser_col_cb->findText("Staff"));
    }
    void closeIfOpen()
    {
        if (window.result() != QDialog::Accepted)
            window.Cancel_Btn_Clicked();
    }

    QTemporaryDir folder;
    const QString photo = folder.filePath("ada.png");
    const QString noImage = folder.filePath("no.png");
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    StandInMainWindow host;
    User_profile window{host, noImage};
};

}  // namespace

TEST_F(CardProfileWindowTest, AOneSidedCardPutsEveryFieldOnTheFrontAndLeavesTheBackRecord)
{
    host.back.Name = "Kept";
    EXPECT_EQ(open(false, "F", [&] {
                  EXPECT_EQ(window.windowTitle(), "User Profile Information");
                  EXPECT_TRUE(window.sideCombo(kName).isHidden());
                  EXPECT_EQ(window.sideIndex(kPhoto), kSideFront);
                  EXPECT_EQ(window.captionLabel(kTitle).text(), "Position / Title :");
                  // A cleared form shows the no-image picture as its photo.
                  EXPECT_EQ(window.form().controls().photo.image_path_val->text(), noImage);
                  type(kName, "  Ada Lovelace ");
                  bindToStaff(kUnique);
                  window.OK_Btn_Clicked();
              }),
              1);
    EXPECT_EQ(host.front.Name, "  Ada Lovelace ");
    EXPECT_EQ(host.front.unique, "S-001");
    EXPECT_TRUE(host.front.unique_ds);
    EXPECT_EQ(host.front.unique_ds_name, "Staff");
    EXPECT_TRUE(host.front.image_USE);
    EXPECT_EQ(host.front.image, noImage);
    EXPECT_TRUE(host.front.Fill_User_Profile_Enable);
    EXPECT_EQ(host.back.Name, "Kept");
}

// A field moved from both sides to one is taken off the other side's record, so that side's
// element is hidden at the next fill instead of showing the old value.
TEST_F(CardProfileWindowTest, AFieldMovedToOneSideLeavesTheOtherSidesRecord)
{
    ASSERT_EQ(open(false, "", [&] {
                  type(kName, "Ada");
                  bindToStaff(kTitle);
                  window.OK_Btn_Clicked();
              }),
              1);
    EXPECT_EQ(host.back.Name, "Ada");
    EXPECT_TRUE(host.back.Title_ds);

    ASSERT_EQ(open(true, "", [&] {
                  window.selectSide(kName, kSideBack);
                  window.selectSide(kTitle, kSideFront);
                  window.selectSide(kPhoto, kSideFront);
                  window.OK_Btn_Clicked();
              }),
              1);
    EXPECT_EQ(host.front.Name, "");
    EXPECT_EQ(host.back.Name, "Ada");
    EXPECT_TRUE(host.front.Title_ds);
    EXPECT_FALSE(host.back.Title_ds);
    EXPECT_EQ(host.back.Title, "");
    EXPECT_TRUE(host.front.image_USE);
    EXPECT_FALSE(host.back.image_USE);
}

TEST_F(CardProfileWindowTest, OKNamesTheFirstFieldWithoutAColumnAndRefusesAMissingTypedPhoto)
{
    const User_Profile_Class untouched = host.front;
    EXPECT_EQ(open(false, "", [&] {
                  window.form().selectSource(kPhoto, kSourceSeries);
                  window.form().selectSource(kTitle, kSourceSeries);
                  window.OK_Btn_Clicked();
                  window.form().selectSource(kTitle, kSourceManual);
                  window.OK_Btn_Clicked();
                  window.form().selectSource(kPhoto, kSourceManual);
                  window.form().Clear_image_Btn_Clicked();
                  window.OK_Btn_Clicked();
                  closeIfOpen();
              }),
              0);
    EXPECT_EQ(messages.texts(), QStringList({"\nPlease select the 'Series / Excel Column' for 'Position / Title'",
                                             "\nPlease select the 'Series / Excel Column' for 'Photo'",
                                             "\nPlease select valid image file."}));
    EXPECT_EQ(host.front, untouched);
}

TEST_F(CardProfileWindowTest, ABoundPhotoWhoseFirstValueIsNoFileIsAllowed)
{
    EXPECT_EQ(open(false, "", [&] {
                  bindToStaff(kPhoto);
                  EXPECT_TRUE(window.form().controls().photo.invalid_source_label->isVisibleTo(&window));
                  window.OK_Btn_Clicked();
              }),
              1);
    EXPECT_EQ(host.front.image, "S-001");
    EXPECT_TRUE(host.back.image_ds);
}

TEST_F(CardProfileWindowTest, PreviewWritesEveryFieldIntoThePreviewRecordOnly)
{
    host.side = 1;
    EXPECT_EQ(open(false, "", [&] {
                  window.form().selectSource(kName, kSourceSeries);
                  window.Preview_Btn_Clicked();
                  EXPECT_TRUE(host.previews.isEmpty());
                  window.form().selectSource(kName, kSourceManual);
                  type(kName, "Ada");
                  window.selectSide(kName, kSideBack);
                  window.Preview_Btn_Clicked();
                  closeIfOpen();
              }),
              0);
    EXPECT_EQ(host.previews, QStringList{"B"});
    EXPECT_EQ(host.preview.Name, "Ada");
    EXPECT_EQ(host.preview.image, noImage);
    EXPECT_FALSE(host.preview.image_USE);
    EXPECT_EQ(host.front.Name, "");
    EXPECT_EQ(host.back.Name, "");
}

// The main window's preview canvas lies behind this modal window: the side previewed shows in the
// window itself, fitted, until the form is cleared or the window opens again.
TEST_F(CardProfileWindowTest, ThePreviewedSideShowsInTheWindowUntilClearedOrOpenedAgain)
{
    host.previewedSide = QImage(486, 308, QImage::Format_RGB32);
    host.previewedSide.fill(QColor(200, 30, 30));
    const QWidget& box = *window.findChild<QWidget*>("preview_box");
    const QLabel& frame = *window.findChild<QLabel*>("preview_picture");
    EXPECT_EQ(open(false, "", [&] {
                  EXPECT_FALSE(box.isVisibleTo(&window));
                  type(kName, "Ada");
                  window.Preview_Btn_Clicked();
                  EXPECT_TRUE(box.isVisibleTo(&window));
                  ASSERT_FALSE(frame.pixmap().isNull());
                  EXPECT_EQ(frame.pixmap().size(), QSize(250, 158));
                  EXPECT_EQ(frame.pixmap().toImage().pixelColor(125, 79), QColor(200, 30, 30));
                  // A refused preview leaves the last one shown.
                  window.form().selectSource(kTitle, kSourceSeries);
                  window.Preview_Btn_Clicked();
                  EXPECT_EQ(host.previews.size(), 1);
                  EXPECT_EQ(window.form().previewPicture(), host.previewedSide);
                  window.Reset_all_Ctrl();
                  EXPECT_FALSE(box.isVisibleTo(&window));
                  EXPECT_TRUE(frame.pixmap().isNull());
                  type(kName, "Ada");
                  window.Preview_Btn_Clicked();
                  EXPECT_TRUE(box.isVisibleTo(&window));
                  closeIfOpen();
              }),
              0);
    // Opened again with the form kept: its values, not a picture of the card as it was.
    EXPECT_EQ(open(true, "", [&] {
                  EXPECT_EQ(window.form().row(kName).value->text(), "Ada");
                  EXPECT_FALSE(box.isVisibleTo(&window));
                  EXPECT_TRUE(window.form().previewPicture().isNull());
                  closeIfOpen();
              }),
              0);
}

TEST_F(CardProfileWindowTest, TheKeptFormFollowsTheTableAndResetAsksFirst)
{
    Loaded_Data_Table().Create_List_By_Array({""}, 1);
    Loaded_Data_Table().ColList.removeDataColumns();
    Loaded_Data_Table().ColList.addColumn("Column1", "Name");
    QPushButton& viewData = *window.findChild<QPushButton*>("view_excel_btn");
    ASSERT_EQ(open(false, "", [&] {
                  ASSERT_EQ(window.form().row(kName).ds_combo->count(), 3);
                  window.form().selectSource(kName, kSourceExcel);
                  window.form().selectColumn(kName, 1);
                  // An empty first cell gives one space.
                  EXPECT_EQ(window.form().fieldValue(kName), " ");
                  window.Cancel_Btn_Clicked();
              }),
              0);
    EXPECT_TRUE(Excel_Binding_Use);

    ASSERT_EQ(open(true, "", [&] {
                  EXPECT_EQ(window.form().columnIndex(kName), 1);
                  EXPECT_TRUE(viewData.isEnabled());
                  window.Cancel_Btn_Clicked();
              }),
              0);

    Loaded_Data_Table().ListData.clear();
    messages.queueAnswers({1, 0});
    ASSERT_EQ(open(true, "", [&] {
                  EXPECT_EQ(window.form().row(kName).ds_combo->count(), 2);
                  EXPECT_FALSE(viewData.isEnabled());
                  type(kTitle, "Analyst");
                  window.Reset_Btn_Clicked();
                  EXPECT_EQ(window.form().fieldValue(kTitle), "Analyst");
                  window.form().Set_User_Image(QStringLiteral("/nowhere/photo.png"));
                  ASSERT_TRUE(window.findChild<QWidget*>("invalid_source_label")->isVisibleTo(&window));
                  window.Reset_Btn_Clicked();
                  EXPECT_EQ(window.form().fieldValue(kTitle), "");
                  EXPECT_FALSE(window.findChild<QWidget*>("invalid_source_label")->isVisibleTo(&window));
                  EXPECT_EQ(window.form().sourceIndex(kName), kSourceManual);
                  EXPECT_EQ(window.sideIndex(kName), kSideBoth);
                  window.Cancel_Btn_Clicked();
              }),
              0);
    EXPECT_EQ(messages.texts(), QStringList(2, "Are you sure you want to reset user profile?"));
    EXPECT_FALSE(Excel_Binding_Use);
}
