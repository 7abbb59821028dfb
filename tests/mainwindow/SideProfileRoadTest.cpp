// The File menu's "Card Holder Profile…" on the real main window: the side profile window opens
// for the side being edited, and its OK puts the profile on that side alone.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowFixture.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/SideCommands.h"
#include "views/profiles/ProfileDialogWindow.h"
#include "views/profiles/Show_User_Profile.h"

namespace {

class SideProfileRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Fill_User_Profile = false;
        CARD_SIDE_STR = QStringLiteral("2");
        controller.Front_card_Prop.setCard_Size(QSizeF(243, 154));
        controller.SetDocumentCanvasSize(QSizeF(243, 154));
        controller.showWindow();
    }
    void TearDown() override
    {
        Fill_User_Profile = false;
        CARD_SIDE_STR = QStringLiteral("1");
        MainWindowFixture::TearDown();
    }
    // The menu command, with the name typed into the window that opens, then its OK.
    void enterName(const QString& name, QString* title)
    {
        dialogs.queueHook([this, name, title](QDialog& dialog) {
            *title = dialog.windowTitle();
            Show_User_Profile& window = controller.profileWindows().sideProfileWindow();
            QLineEdit& value = *window.row(0).value;
            value.clear();
            QTest::keyClicks(&value, name);
            dialog.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
        });
        action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
    }
    QStringList shownOn(SKTDocument::Side side) const
    {
        QStringList shown;
        for (const GraphicPtr& graphic : document.graphicsOfSide(side))
            if (graphic->ctrl_is_visible)
                shown << graphic->control_ID + '=' + graphic->Text_Value;
        return shown;
    }
};

}  // namespace

TEST_F(SideProfileRoad, TheMenuCommandFillsTheSideBeingEdited)
{
    QString title;
    ASSERT_NO_FATAL_FAILURE(enterName(QStringLiteral("Ada Lovelace"), &title));
    EXPECT_EQ(title, "Front Side User Profile Information");
    EXPECT_TRUE(Fill_User_Profile);
    EXPECT_EQ(shownOn(SKTDocument::FrontSide).filter(QStringLiteral("Fup_Name=")),
              QStringList{"Fup_Name=Ada Lovelace"});
    EXPECT_TRUE(shownOn(SKTDocument::BackSide).isEmpty());
    EXPECT_EQ(controller.canvasHostOfWindow().Selected_Control_Tool(), 0);

    controller.sideCommands().Select_back_side();
    ASSERT_NO_FATAL_FAILURE(enterName(QStringLiteral("Reception"), &title));
    EXPECT_EQ(title, "Back Side User Profile Information");
    EXPECT_EQ(shownOn(SKTDocument::BackSide).filter(QStringLiteral("Fup_Name=")), QStringList{"Fup_Name=Reception"});
    EXPECT_EQ(shownOn(SKTDocument::FrontSide).filter(QStringLiteral("Fup_Name=")),
              QStringList{"Fup_Name=Ada Lovelace"});
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
}
