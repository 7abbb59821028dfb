// The invitation wizard, which nothing in the application opens: the values its OK stores, and a
// photo editor that starts from the last picture settings and writes its own back.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "views/browser/ImageBrowserModel.h"
#include "photos/ImgFilterSettings.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/wizards/Invitation_Wizard.h"

namespace {

QString* const kInvitationValues[] = {&Invite_Title, &Invite_To,   &Invite_Message,       &Invite_Date,     &Invite_Time,
                                      &Invite_Venue, &Invite_From, &Invite_Frame_Pic_IMG, &Invite_Frame_IMG};

class InvitationWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (QString* value : kInvitationValues)
            value->clear();
        Set_IMG_Settings(PictureSettings());
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(QColor(200, 40, 40));
        ASSERT_TRUE(red.save(photo));
        ASSERT_TRUE(red.save(frame));
    }
    void TearDown() override
    {
        for (QString* value : kInvitationValues)
            value->clear();
        Set_IMG_Settings(PictureSettings());
    }
    template <typename Widget>
    Widget& child(const char* name) const
    {
        return *wizard.findChild<Widget*>(QLatin1String(name));
    }
    void typeInvitation()
    {
        child<QLineEdit>("title_field").setText(QStringLiteral(" Summer Party "));
        child<QLineEdit>("to_field").setText(QStringLiteral("Ada"));
        child<QPlainTextEdit>("message_field").setPlainText(QStringLiteral("Join us\nfor cake."));
        child<QLineEdit>("date_field").setText(QStringLiteral("12 July"));
        child<QLineEdit>("time_field").setText(QStringLiteral("7 pm"));
        child<QLineEdit>("venue_field").setText(QStringLiteral("The Old Mill"));
        child<QLineEdit>("from_field").setText(QStringLiteral("Grace"));
        ASSERT_TRUE(wizard.setPhoto(photo));
        wizard.addImageWithPath(frame, QStringLiteral("gold.png"), QStringLiteral("gold.png"));
        wizard.frames().imageBrowserSelectionDidChange({wizard.frames().index(0)});
    }
    QColor shownCentre() const
    {
        const QImage& shown = wizard.shownPicture();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }

    QTemporaryDir folder;
    const QString photo = folder.filePath(QStringLiteral("guest.png"));
    const QString frame = folder.filePath(QStringLiteral("gold.png"));
    Invitation_Wizard wizard;
};

}  // namespace

TEST_F(InvitationWizardTest, OkStoresTheNineValuesAsTypedAndCancelStoresNothing)
{
    ASSERT_NO_FATAL_FAILURE(typeInvitation());
    wizard.Cancel_Click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
    for (QString* value : kInvitationValues)
        EXPECT_TRUE(value->isEmpty());

    wizard.OK_Click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(Invite_Title, QStringLiteral(" Summer Party "));
    EXPECT_EQ(Invite_To, QStringLiteral("Ada"));
    EXPECT_EQ(Invite_Message, QStringLiteral("Join us\nfor cake."));
    EXPECT_EQ(Invite_Date, QStringLiteral("12 July"));
    EXPECT_EQ(Invite_Time, QStringLiteral("7 pm"));
    EXPECT_EQ(Invite_Venue, QStringLiteral("The Old Mill"));
    EXPECT_EQ(Invite_From, QStringLiteral("Grace"));
    EXPECT_EQ(Invite_Frame_Pic_IMG, photo);
    EXPECT_EQ(Invite_Frame_IMG, frame);
}

TEST_F(InvitationWizardTest, APhotoThatIsNoPictureIsNotTakenAndABlankFramePathAddsNoFrame)
{
    EXPECT_FALSE(wizard.setPhoto(folder.filePath(QStringLiteral("missing.png"))));
    ASSERT_TRUE(wizard.setPhoto(photo));
    EXPECT_FALSE(wizard.setPhoto(folder.path()));
    EXPECT_EQ(child<QLineEdit>("photo_path_field").text(), photo);
    EXPECT_EQ(shownCentre(), QColor(200, 40, 40));
    // A frame path that trims to nothing adds no frame; another is added trimmed.
    wizard.addImageWithPath(QStringLiteral(" \n"), QStringLiteral("x.png"), QStringLiteral("x.png"));
    wizard.addImageWithPath(QStringLiteral(" ") + frame + QStringLiteral("\n"), QStringLiteral("gold.png"),
                            QStringLiteral("gold.png"));
    ASSERT_EQ(wizard.frames().images().size(), 1);
    EXPECT_EQ(wizard.frames().images().at(0).path(), frame);
}

// Browse takes a picture chosen in the panel and says so of a file that is none; Cancel closes
// the window with nothing stored.
TEST_F(InvitationWizardTest, BrowseTakesAPictureAndRefusesAnythingElseAndCancelCloses)
{
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed{messages};
    dialogs.queueOpenFile(photo);
    dialogs.queueOpenFile(folder.filePath(QStringLiteral("missing.png")));
    wizard.Browse_Photo_Click();
    EXPECT_EQ(child<QLineEdit>("photo_path_field").text(), photo);
    EXPECT_TRUE(messages.texts().isEmpty());
    wizard.Browse_Photo_Click();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nPlease select valid image file.")});
    EXPECT_EQ(child<QLineEdit>("photo_path_field").text(), photo);

    wizard.show();
    wizard.Cancel_Click();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
}

TEST_F(InvitationWizardTest, ThePhotoEditorStartsFromTheLastSettingsAndWritesItsOwnBack)
{
    ASSERT_TRUE(wizard.setPhoto(photo));
    PictureSettings last;
    last.gray_Scale = true;
    last.brt_val = 0.25f;
    Set_IMG_Settings(last);
    wizard.Open_Wnd_For_Edit_Photo();
    EXPECT_TRUE(child<QCheckBox>("Image_Gray_Scale_chk").isChecked());
    EXPECT_EQ(child<QSlider>("Brt_slidr").value(), 25);
    EXPECT_EQ(child<QSlider>("Con_slidr").value(), 100);
    const QColor grey = shownCentre();
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());
    EXPECT_EQ(wizard.User_Picture().pixelColor(20, 15), QColor(200, 40, 40));  // the photo itself stays

    // Each change goes into the IMG_ globals and the picture shown.
    child<QCheckBox>("Image_Gray_Scale_chk").click();
    EXPECT_FALSE(IMG_gray_Scale);
    EXPECT_FLOAT_EQ(IMG_brt_val, 0.25f);
    EXPECT_GT(shownCentre().red(), shownCentre().green());
    child<QSlider>("Sat_slidr").setValue(0);
    EXPECT_FLOAT_EQ(IMG_sat_val, 0.0f);
    EXPECT_EQ(shownCentre().red(), shownCentre().blue());
}
