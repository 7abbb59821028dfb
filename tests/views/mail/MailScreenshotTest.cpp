// The mail settings window and the mail window during a run (with the progress window counting
// and waiting between messages), as a person sees them on an X server: mail-settings.png and
// mail-sending.png in test-artifacts/mail.
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "mail/Preferences.h"
#include "output/ExportTestCard.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/WidgetParts.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/mail/PreferencesWindow.h"
#include "views/mail/Send_Mail.h"
#include "views/output/OutputRangeBlock.h"

using namespace ExportTest;

namespace {

QString artifact(const QString& name)
{
    const QString folder = QStringLiteral(ZOVA_MAIL_ARTIFACT_DIR);
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

}  // namespace

TEST(MailScreenshots, TheSettingsWindowAndTheMailWindowDuringARun)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    QTemporaryDir settingsFolder;
    Preferences preferences(settingsFolder.filePath("com.zovacardmail.plist"));
    ASSERT_TRUE(preferences.store({"office@zova.example", "pw", "smtp.zova.example", 587, MailSecurity::StartTls}));
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope(messages);
    ScriptedDialogPresenter dialogs;

    bool settingsPictured = false;
    dialogs.queueHook([&](QDialog& dialog) {
        dialog.show();
        settle();
        settingsPictured = dialog.grab().save(artifact("mail-settings.png"));
        dialog.hide();
    });
    PreferencesWindow settings;
    settings.Open_Wnd(preferences);
    EXPECT_TRUE(settingsPictured);
    EXPECT_EQ(part<QLineEdit>(settings, "sender_email").text(), "office@zova.example");

    BoundCard card(4);
    QList<QStringList> rows;
    for (int n = 1; n <= 4; ++n)
        rows.append({recordName(n), recordId(n), QStringLiteral("holder%1@zova.example").arg(n)});
    OutputTest::fillTable(card.table, rows);
    card.table.ColList.addColumn("Column1", "Name");
    card.table.ColList.addColumn("Column2", "Number");
    card.table.ColList.addColumn("Column3", "E-mail");
    Send_Mail window;
    window.preferences = &preferences;
    window.transport = [](const MailAccount&, const MailMessage&) {
        QThread::msleep(200);
        return MailSendResult{true, {}};
    };
    bool sendingPictured = false;
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        Send_Modeless& progress = Send_Modeless::defaultInstance();
        if (sendingPictured || !progress.isVisible() || progress.current_count < 2 || progress.pauseText().isEmpty())
            return;
        progress.refreshFromJob();
        settle();
        sendingPictured = QGuiApplication::primaryScreen()->grabWindow(0).save(artifact("mail-sending.png"));
    });
    dialogs.queueHook([&](QDialog&) {
        window.show();
        part<QLineEdit>(window, "subject_text").setText("Your ID card");
        part<QPlainTextEdit>(window, "message_text").setPlainText("Dear card holder,\n\nyour new card is attached.");
        part<QSpinBox>(window, "delay_seconds").setValue(1);
        settle();
        EXPECT_TRUE(window.grab().save(artifact("mail-window.png")));
        EXPECT_TRUE(window.rangeBlock()->grab().save(artifact("mail-range-block.png")));
        watch.start();
        part<QPushButton>(window, "send_button").click();
        window.hide();
    });
    window.Open_Wnd(card.design, card.store, card.table, true);
    EXPECT_TRUE(sendingPictured);
    EXPECT_EQ(window.lastReport(), "Messages sent: 4 of 4.");
}
