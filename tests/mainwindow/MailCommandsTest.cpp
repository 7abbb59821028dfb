// The main window's mail commands: Mail Cards… opens the mail window over the design, which comes
// back as it was; Mail Settings… opens the settings window; the Help menu's product items open
// the promotion window, whose button opens the product's page, and its sharing items open the
// services' pages.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QUrl>

#include "mainwindow/LinkCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/QtPrinting.h"
#include "support/WidgetParts.h"
#include "views/mail/PreferencesWindow.h"
#include "views/mail/Promotion_Form.h"
#include "views/mail/Send_Mail.h"

namespace {

class MailCommandsTest : public ::testing::Test {
protected:
    void TearDown() override { CARD_SIDE_STR = QStringLiteral("1"); }
    void trigger(const char* name)
    {
        auto* action = controller.window()->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }

    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    SKTDocument document;
    SKTWindowController controller{document};
};

}  // namespace

TEST_F(MailCommandsTest, MailCardsOpensTheMailWindowOverTheDesign)
{
    GraphicPtr name = SKTGraphic::create(GraphicKind::Text);
    name->setBounds(QRectF(10, 10, 160, 30));
    name->ctrl_is_visible = true;
    name->Set_text_value(QStringLiteral("Designed"));
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {name});
    CARD_SIDE_STR = QStringLiteral("2");
    QString side;
    bool picture = false;
    dialogs.queueHook([&](QDialog& dialog) {
        auto* mail = qobject_cast<Send_Mail*>(&dialog);
        ASSERT_NE(mail, nullptr);
        side = mail->mail_card_side();
        picture = !part<QLabel>(*mail, "card_picture").pixmap().isNull();
        EXPECT_TRUE(Card_Value_In_Process);
    });
    trigger("Mail_Button");
    EXPECT_EQ(side, "BOTH");
    EXPECT_TRUE(picture);
    EXPECT_FALSE(Card_Value_In_Process);
    ASSERT_EQ(document.graphics().size(), 1);
    EXPECT_EQ(document.graphics()[0]->Text_Value, "Designed");
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(MailCommandsTest, MailSettingsOpensTheSettingsWindow)
{
    QString title;
    dialogs.queueHook([&](QDialog& dialog) {
        auto* settings = qobject_cast<PreferencesWindow*>(&dialog);
        ASSERT_NE(settings, nullptr);
        title = settings->windowTitle();
        EXPECT_EQ(part<QSpinBox>(*settings, "sending_port").value(), 587);
    });
    trigger("Mail_Settings_Button");
    EXPECT_EQ(title, "Mail Settings");
}

TEST_F(MailCommandsTest, AProductItemOpensItsPromotionWindowAndItsPage)
{
    QList<QUrl> opened;
    setUrlOpener([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    QString shown;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& form = static_cast<Promotion_Form&>(dialog);
        shown = part<QLabel>(form, "product_name").text();
        part<QPushButton>(form, "visit_button").click();
    });
    trigger("Promotion_V");
    EXPECT_EQ(shown, "ZOVA Visitor Desk");
    EXPECT_EQ(opened, QList<QUrl>{QUrl("https://www.zova-software.example/visitor-desk/")});

    // The links of the Help menu go through the same opener.
    EXPECT_TRUE(Open_Link("Open_Support_Mail"));
    EXPECT_EQ(opened.value(1), QUrl("mailto:support@zova-software.example"));
    setUrlOpener([](const QUrl&) { return false; });
}

// Each sharing item of the Help menu on the shown window opens its service's page for the
// product's home page.
TEST_F(MailCommandsTest, TheSharingItemsOpenTheirServicesPageForTheProductsHomePage)
{
    QStringList opened;
    setUrlOpener([&](const QUrl& url) {
        opened.append(url.toString(QUrl::FullyDecoded));
        return true;
    });
    controller.showWindow();
    for (const char* item : {"Open_Google_Plus", "Open_FaceBook", "Open_Twitter", "Open_FB_Like"})
        trigger(item);
    const QString home = QStringLiteral("https://idcard.zova-software.example/");
    EXPECT_EQ(opened, (QStringList{"https://plus.google.com/share?url=" + home,
                                   "https://www.facebook.com/sharer/sharer.php?u=" + home,
                                   "https://twitter.com/intent/tweet?url=" + home,
                                   "https://www.facebook.com/plugins/like.php?href=" + home}));
    setUrlOpener([](const QUrl&) { return false; });
}
