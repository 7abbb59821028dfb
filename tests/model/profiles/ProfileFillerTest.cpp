// Writing a card-holder profile onto a side: what is shown, hidden, placed and bound.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <utility>

#include "FakeProfileCanvas.h"
#include "model/profiles/ProfileFiller.h"
#include "platform/AppContext.h"

namespace {

const QSizeF kLandscape(243, 154);
const QString kNoImage = QStringLiteral("/resources/no.png");

User_Profile_Class freshProfile()
{
    User_Profile_Class profile;
    profile.Reset_All_Values();
    return profile;
}

// An empty file at the path: a photo file that exists.
bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

void fill(FakeProfileCanvas& canvas, const User_Profile_Class& profile, ProfileFillSide side = ProfileFillSide::Front)
{
    ProfileFiller(canvas, kLandscape, kNoImage).Fill_Side(profile, side, true);
}

struct Binding {
    int type;
    QString series;
    int seriesIndex;
    bool sheet;
    int column;
    bool operator==(const Binding&) const = default;
};

Binding bindingOf(const GraphicPtr& element)
{
    return {element->data_source_type_val(), element->batch_list_name_val(), element->batch_list_index_val(),
            element->excel_binding, element->excel_col_indx};
}

TEST(ProfileFill, FrontAndBackWaitForAConfirmedProfileThePreviewDoesNot)
{
    User_Profile_Class profile = freshProfile();
    profile.Name = QStringLiteral("Ada Lovelace");
    FakeProfileCanvas canvas;
    for (ProfileFillSide side : {ProfileFillSide::Front, ProfileFillSide::Back})
        ProfileFiller(canvas, kLandscape, kNoImage).Fill_Side(profile, side, false);
    EXPECT_TRUE(canvas.elements.isEmpty());
    EXPECT_EQ(canvas.snapshots, 0);

    // The preview records no snapshot; the front records exactly one, and only while filling
    // does the canvas hold its own snapshots back.
    ProfileFiller(canvas, kLandscape, kNoImage).Fill_Side(profile, ProfileFillSide::Preview, false);
    EXPECT_EQ(canvas.ids(), QStringList({"Fup_Name", "Fup_Photo"}));
    ASSERT_FALSE(canvas.tools.isEmpty());
    EXPECT_EQ(canvas.tools.first(), ProfileFiller::kTextTool);  // values are made as texts
    EXPECT_EQ(canvas.snapshots, 0);
    fill(canvas, profile);
    EXPECT_EQ(canvas.snapshots, 1);
    EXPECT_EQ(canvas.editsOutsideAFill, 0);
    EXPECT_FALSE(Profile_Fill_Running);
    EXPECT_EQ(canvas.tools.last(), ProfileFiller::kTextTool);
}

TEST(ProfileFill, EmptiedFieldsAreHiddenNotDeletedAndComeBackWhereTheUserLeftThem)
{
    User_Profile_Class profile = freshProfile();
    profile.Name = QStringLiteral("Ada Lovelace");
    profile.Title = QStringLiteral("Analyst");
    FakeProfileCanvas canvas;
    fill(canvas, profile);
    ASSERT_EQ(canvas.ids(), QStringList({"Fup_Name", "Fup_Title"}));
    EXPECT_EQ(canvas.element("Fup_Name")->bounds(), QRectF(85, 12, 150, 20));
    EXPECT_EQ(canvas.element("Fup_Title")->bounds(), QRectF(85, 25.5, 150, 20));
    canvas.element("Fup_Name")->setBounds(QRectF(5, 100, 90, 24));

    profile.Name.clear();
    fill(canvas, profile);
    EXPECT_EQ(canvas.ids(), QStringList({"Fup_Name", "Fup_Title"}));
    EXPECT_FALSE(canvas.element("Fup_Name")->ctrl_is_visible);
    EXPECT_TRUE(canvas.element("Fup_Title")->ctrl_is_visible);

    profile.Name = QStringLiteral("Grace Hopper");
    fill(canvas, profile);
    const GraphicPtr name = canvas.element("Fup_Name");
    EXPECT_EQ(canvas.elements.size(), 2);
    EXPECT_TRUE(name->ctrl_is_visible);
    EXPECT_EQ(name->Text_Value, QStringLiteral("Grace Hopper"));
    EXPECT_EQ(name->bounds(), QRectF(5, 100, 90, 24));
}

TEST(ProfileFill, CaptionsArePlacedAboveTheirValuesEvenWithoutOneAndAreNeverBound)
{
    User_Profile_Class profile = freshProfile();
    profile.Name_label = QStringLiteral("Name :");
    profile.phone = QStringLiteral("555 0100");
    profile.phone_label = QStringLiteral("Phone No. :");
    profile.phone_ds = true;
    profile.phone_ds_name = QStringLiteral("Phones");
    profile.phone_ds_indx = 3;
    FakeProfileCanvas canvas;
    fill(canvas, profile);
    EXPECT_EQ(canvas.ids(), QStringList({"Fup_PhoneNO", "Fup_lbl_Name", "Fup_lbl_PhoneNO"}));
    EXPECT_EQ(canvas.element("Fup_lbl_Name")->bounds(), QRectF(85, 2, 150, 20));
    EXPECT_EQ(canvas.element("Fup_lbl_Name")->Text_Value, QStringLiteral("Name :"));
    EXPECT_EQ(canvas.element("Fup_PhoneNO")->bounds().y() - canvas.element("Fup_lbl_PhoneNO")->bounds().y(), 10.0);
    EXPECT_EQ(bindingOf(canvas.element("Fup_PhoneNO")), (Binding{1, "Phones", 3, false, -1}));
    EXPECT_EQ(canvas.element("Fup_lbl_PhoneNO")->data_source_type_val(), 0);
    EXPECT_FALSE(canvas.element("Fup_lbl_PhoneNO")->excel_binding);
}

TEST(ProfileFill, EachValueIsBoundToItsSeriesItsColumnOrNothingAndTheSeriesWinsOverAColumn)
{
    User_Profile_Class profile = freshProfile();
    profile.Name = QStringLiteral("Ada");
    profile.Name_xl = true;
    profile.Name_xl_col_indx = 2;
    profile.Title = QStringLiteral("Analyst");
    profile.Title_ds = profile.Title_xl = true;
    profile.Title_ds_name = QStringLiteral("Titles");
    profile.Title_ds_indx = 1;
    profile.Title_xl_col_indx = 4;
    profile.email = QStringLiteral("ada@example.org");
    FakeProfileCanvas canvas;
    // An e-mail element still bound to a column from an earlier profile.
    GraphicPtr email = SKTGraphic::create(GraphicKind::Text);
    email->control_ID = QStringLiteral("Fup_EmailID");
    email->Set_Data_source_type(2);
    email->Set_Excel_binding_Index(5);
    canvas.elements.append(email);

    fill(canvas, profile);
    EXPECT_EQ(bindingOf(canvas.element("Fup_Name")), (Binding{2, "", -1, true, 2}));
    EXPECT_EQ(bindingOf(canvas.element("Fup_Title")), (Binding{1, "Titles", 1, false, -1}));
    EXPECT_EQ(bindingOf(email), (Binding{0, "", -1, false, -1}));
    EXPECT_EQ(email->Text_Value, QStringLiteral("ada@example.org"));
}

// One photo case on one side: what the side holds afterwards.
struct PhotoOutcome {
    bool exists;
    bool visible;
    int bindingType;
    bool operator==(const PhotoOutcome&) const = default;
};

PhotoOutcome photoAfterFill(ProfileFillSide side, const QString& path, bool bound, bool used, bool photoAlreadyThere)
{
    User_Profile_Class profile = freshProfile();
    profile.image = path;
    profile.image_xl = bound;
    profile.image_USE = used;
    FakeProfileCanvas canvas;
    if (photoAlreadyThere) {
        GraphicPtr photo = SKTGraphic::create(GraphicKind::Image);
        photo->control_ID = QStringLiteral("Fup_Photo");
        photo->Set_Ctrl_Is_Visible(true);
        canvas.elements.append(photo);
    }
    fill(canvas, profile, side);
    const GraphicPtr photo = canvas.element("Fup_Photo");
    if (!photo)
        return {false, false, -9};
    return {true, photo->ctrl_is_visible, photo->data_source_type_val()};
}

TEST(ProfileFill, ThePhotoIsPlacedWhenItsFileExistsOrItIsBoundAndOnlyTheFrontHidesAnUnusedOne)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath("ada.png");
    ASSERT_TRUE(touch(existing));
    const QString missing = folder.filePath("nobody.png");

    for (ProfileFillSide side : {ProfileFillSide::Front, ProfileFillSide::Back}) {
        SCOPED_TRACE(side == ProfileFillSide::Front ? "front" : "back");
        EXPECT_EQ(photoAfterFill(side, existing, false, true, false), (PhotoOutcome{true, true, 0}));
        EXPECT_EQ(photoAfterFill(side, missing, false, true, false), (PhotoOutcome{false, false, -9}));
        EXPECT_EQ(photoAfterFill(side, missing, true, true, false), (PhotoOutcome{true, true, 2}));
        EXPECT_EQ(photoAfterFill(side, existing, false, false, false), (PhotoOutcome{false, false, -9}));
    }
    EXPECT_EQ(photoAfterFill(ProfileFillSide::Front, existing, false, false, true), (PhotoOutcome{true, false, 0}));
    EXPECT_EQ(photoAfterFill(ProfileFillSide::Back, existing, false, false, true), (PhotoOutcome{true, true, 0}));
    // The preview always shows a photo, used or not, with or without a file.
    EXPECT_EQ(photoAfterFill(ProfileFillSide::Preview, missing, false, false, false), (PhotoOutcome{true, true, 0}));
}

// A photo the side does not use: the front hides it; the back leaves the element it already has
// (a template's, or one an earlier fill placed) showing its own picture.
TEST(ProfileFill, AnUnusedPhotoIsHiddenOnTheFrontAndKeptWithItsPictureOnTheBack)
{
    for (const ProfileFillSide side : {ProfileFillSide::Front, ProfileFillSide::Back}) {
        const bool back = side == ProfileFillSide::Back;
        SCOPED_TRACE(back ? "back" : "front");
        FakeProfileCanvas canvas;
        GraphicPtr photo = SKTGraphic::create(GraphicKind::Image);
        photo->control_ID = QStringLiteral("Fup_Photo");
        photo->Set_Control_File_path(QStringLiteral("/templates/portrait.png"));
        photo->Set_Ctrl_Is_Visible(true);
        canvas.elements.append(photo);
        User_Profile_Class profile = freshProfile();
        profile.Name = QStringLiteral("Ada");
        profile.image = QStringLiteral("/people/ada.png");  // not used on this side
        fill(canvas, profile, side);
        EXPECT_EQ(photo->ctrl_is_visible, back);
        EXPECT_EQ(photo->FilePath(), QStringLiteral("/templates/portrait.png"));
        EXPECT_EQ(canvas.ids(), QStringList({"Fup_Photo", "Fup_Name"}));
        EXPECT_EQ(canvas.snapshots, 1);
    }
}

// A profile without a photo of its own gives the program's no-image picture: a photo element
// showing the design's placeholder keeps it, bound to nothing as it was; a person's photo makes
// way for the no-image picture. Either shows again when an earlier profile that did not use the
// photo hid it.
TEST(ProfileFill, APhotoElementShowingAPlaceholderKeepsItWhenTheProfileHasNoPhoto)
{
    QTemporaryDir resources;
    const QString noImage = resources.filePath("no.png");
    ASSERT_TRUE(touch(noImage));
    const QString resourcesBefore = std::exchange(Resource_Path, resources.path());
    for (const QString& shown : {resources.filePath("photo_placeholder.png"), QStringLiteral("/people/ada.png")}) {
        for (const bool hiddenBefore : {false, true}) {
            SCOPED_TRACE(qPrintable(shown + (hiddenBefore ? " hidden before" : "")));
            FakeProfileCanvas canvas;
            GraphicPtr photo = SKTGraphic::create(GraphicKind::Image);
            photo->control_ID = QStringLiteral("Fup_Photo");
            photo->Set_Control_File_path(shown);
            canvas.elements.append(photo);
            if (hiddenBefore) {
                User_Profile_Class withoutPhoto = freshProfile();
                withoutPhoto.Name = QStringLiteral("Ada");
                fill(canvas, withoutPhoto);
                EXPECT_FALSE(photo->ctrl_is_visible);
            }
            User_Profile_Class profile = freshProfile();
            profile.image = noImage;
            profile.image_USE = true;
            fill(canvas, profile);
            EXPECT_EQ(canvas.picturesShown, shown.startsWith(resources.path()) ? QStringList() : QStringList{noImage});
            EXPECT_TRUE(photo->ctrl_is_visible);
            // Never bound, the element keeps the positions its design gave it.
            EXPECT_EQ(bindingOf(photo), (Binding{0, "", 0, false, 0}));
        }
    }
    Resource_Path = resourcesBefore;
}

TEST(ProfileFill, EachPictureShowsItsOwnPathAndTheLibraryChoiceIsKept)
{
    Library_Selected_Image = QStringLiteral("/library/last-choice.png");
    User_Profile_Class profile = freshProfile();
    profile.image = QStringLiteral("/photos/ada.png");
    profile.image_xl = true;
    profile.image_USE = true;
    FakeProfileCanvas front;
    fill(front, profile);
    EXPECT_EQ(front.picturesShown, QStringList({"/photos/ada.png"}));
    EXPECT_EQ(front.element("Fup_Photo")->bounds(), QRectF(10, 20, 65, 80));

    profile.image.clear();
    FakeProfileCanvas preview;
    fill(preview, profile, ProfileFillSide::Preview);
    EXPECT_EQ(preview.picturesShown, QStringList({kNoImage}));
    EXPECT_EQ(Library_Selected_Image, QStringLiteral("/library/last-choice.png"));
    Library_Selected_Image.clear();
}

} // namespace
