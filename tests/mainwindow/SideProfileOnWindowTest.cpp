// The side profile dialog on the real window: it opens with what the front's profile elements
// show, Preview shows the edited form on copies, and OK's record is what the front fill places.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTest>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/SKTWindowController.h"
#include "support/InkPixels.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/profiles/Show_User_Profile.h"

TEST(SideProfileOnWindow, OpensWithTheFrontsValuesPreviewsOnCopiesAndOkIsWhatTheFrontShows)
{
    Card_Front_Or_Back = 0;
    SKTDocument document;
    SKTWindowController controller{document};
    controller.Front_card_Prop.setCard_Size(QSizeF(243, 154));
    controller.SetDocumentCanvasSize(QSizeF(243, 154));
    controller.Front_user_profile.Name = QStringLiteral("Ada Lovelace");
    controller.Front_user_profile.Title = QStringLiteral("Analyst");
    controller.Front_user_profile.Title_label = QStringLiteral("Position / Title :");
    const QScopedValueRollback confirmed(Fill_User_Profile, true);
    ProfileCommands(controller).Fill_User_profile_info_front_side();
    const auto front = [&](const char* id) -> GraphicPtr {
        for (const GraphicPtr& element : document.graphics()) {
            if (element->control_ID == QLatin1String(id))
                return element;
        }
        return nullptr;
    };
    ASSERT_TRUE(front("Fup_Title"));

    // The dialog as the main window's opener runs it, over the window's own answers.
    Show_User_Profile& dialog = controller.profileWindows().sideProfileWindow();
    dialog.load_side = QStringLiteral("F");
    ScriptedDialogPresenter dialogs;
    dialogs.queueHook([&](QDialog& window) {
        EXPECT_EQ(dialog.row(0).value->text(), QStringLiteral("Ada Lovelace"));
        EXPECT_EQ(dialog.captionBox(1)->text(), QStringLiteral("Position / Title :"));
        EXPECT_TRUE(dialog.labelCheck(1)->isChecked());
        dialog.row(1).value->selectAll();
        QTest::keyClicks(dialog.row(1).value, QStringLiteral("Chief Analyst"));
        controller.last_ctrl_X = 33;
        window.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
        EXPECT_EQ(front("Fup_Title")->Text_contents(), QStringLiteral("Analyst"));
        QStringList preview;
        for (const GraphicPtr& element : document.graphics_temp()) {
            if (element->ctrl_is_visible)
                preview << element->control_ID + QLatin1Char('=') + element->Text_contents();
        }
        preview.sort();
        // The preview always shows a photo, the empty one's placeholder here.
        EXPECT_EQ(preview, (QStringList{"Fup_Name=Ada Lovelace", "Fup_Photo=" + controller.NO_Image_Path,
                                        "Fup_Title=Chief Analyst", "Fup_lbl_Title=Position / Title :"}));
        EXPECT_EQ(controller.last_ctrl_X, 33);
        window.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
    });
    ASSERT_EQ(dialog.Open_Wnd(true), 1);
    ProfileCommands(controller).Profile_Window_Closed(1, Browse_Excel_AGAIN);
    ProfileCommands(controller).Fill_User_profile_info_front_side();

    EXPECT_EQ(front("Fup_Title")->Text_contents(), QStringLiteral("Chief Analyst"));
    EXPECT_EQ(front("Fup_Name")->Text_contents(), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(front("Fup_lbl_Title")->Text_contents(), QStringLiteral("Position / Title :"));
}

// The preview canvas lies under the modal dialog: Preview shows the side, with the form's values,
// in the dialog itself, the card at twice its size on its own ground, and the main window keeps
// showing the side being edited.
TEST(SideProfileOnWindow, PreviewShowsTheEditedSideInTheDialog)
{
    Card_Front_Or_Back = 0;
    SKTDocument document;
    SKTWindowController controller{document};
    controller.Front_card_Prop.setCard_Size(QSizeF(243, 154));
    controller.Front_card_Prop.setCard_fill_chk(true);
    controller.Front_card_Prop.setCard_fill_style(QStringLiteral("S"));
    controller.Front_card_Prop.setCard_fill_clr(QColor(235, 242, 250));
    controller.SetDocumentCanvasSize(QSizeF(243, 154));
    controller.Front_user_profile.Name = QStringLiteral("Ada Lovelace");
    controller.Front_user_profile.Title = QStringLiteral("A");
    const QScopedValueRollback confirmed(Fill_User_Profile, true);
    ProfileCommands(controller).Fill_User_profile_info_front_side();

    Show_User_Profile& dialog = controller.profileWindows().sideProfileWindow();
    dialog.load_side = QStringLiteral("F");
    ScriptedDialogPresenter dialogs;
    dialogs.queueHook([&](QDialog& window) {
        const QWidget& box = *window.findChild<QWidget*>(QStringLiteral("preview_box"));
        EXPECT_FALSE(box.isVisibleTo(&window));
        window.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
        const QImage shortTitle = dialog.previewPicture();
        EXPECT_TRUE(box.isVisibleTo(&window));
        // Behind the dialog the main window stays on the side being edited.
        EXPECT_EQ(controller.windowLayout().currentSide(), SKTDocument::FrontSide);
        ASSERT_EQ(shortTitle.size(), QSize(486, 308));
        EXPECT_EQ(shortTitle.pixelColor(4, 300), QColor(235, 242, 250));
        dialog.row(1).value->selectAll();
        QTest::keyClicks(dialog.row(1).value, QStringLiteral("Chief Analyst of Engines"));
        window.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
        EXPECT_GT(inkPixels(dialog.previewPicture()), inkPixels(shortTitle) + 100);
        window.findChild<QPushButton*>(QStringLiteral("cancel_btn"))->click();
    });
    EXPECT_EQ(dialog.Open_Wnd(true), 0);
}
