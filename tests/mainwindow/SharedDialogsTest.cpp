// The shared dialogs: their answers in the shared flags, their texts, and the progress window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <thread>

#include "mainwindow/dialogs/AccessoryViewController.h"
#include "mainwindow/dialogs/Long_SMS_Dlg.h"
#include "mainwindow/dialogs/Open_Export_Log.h"
#include "mainwindow/dialogs/PleaseWait_Modeless.h"
#include "mainwindow/dialogs/Replcae_Confirm_Box.h"
#include "mainwindow/dialogs/Send_Modeless.h"
#include "mainwindow/dialogs/SharedDialogs.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"

namespace {

class SharedDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        Stop_SMS_Sending_Now = 0;
        replace_keep_file_flag = ReplaceKeep::Keep;
        Msg_Apply_All_Chk = 0;
        check_any_card_exported = 0;
        Export_Back_File_Path.clear();
    }

    ScriptedDialogPresenter dialogs;
    ScopedDialogPresenter installDialogs{dialogs};
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installMessages{messages};
};

template <class Dialog>
ScriptedDialogPresenter::Hook press(std::function<void(Dialog&)> action)
{
    return [action](QDialog& dialog) { action(static_cast<Dialog&>(dialog)); };
}

}  // namespace

TEST_F(SharedDialogs, EachKeepReplaceAnswerGivesItsFlagAndOnlyCancelStopsTheJob)
{
    struct Case {
        const char* name;
        QPushButton* Replcae_Confirm_Box::*button;  // nullptr: Escape
        bool applyAll;
        int flag;
        int stop;
    };
    const Case cases[] = {
        {"replace", &Replcae_Confirm_Box::replace_button, false, 0, 0},
        {"keep", &Replcae_Confirm_Box::keep_button, false, 1, 0},
        {"replace all", &Replcae_Confirm_Box::replace_button, true, 2, 0},
        {"keep all", &Replcae_Confirm_Box::keep_button, true, 3, 0},
        {"cancel", &Replcae_Confirm_Box::cancel_button, false, 4, 1},
        {"cancel all", &Replcae_Confirm_Box::cancel_button, true, 5, 1},
        {"escape", nullptr, false, 4, 1},
    };
    Replcae_Confirm_Box box;
    box.apply_chk_show = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stop_SMS_Sending_Now = 0;
        replace_keep_file_flag = -1;
        dialogs.queueHook(press<Replcae_Confirm_Box>([&c](Replcae_Confirm_Box& shown) {
            shown.apply_chk->setChecked(c.applyAll);
            if (c.button)
                (shown.*c.button)->click();
            else
                shown.reject();
        }));
        box.Open_Replace_Dialog();
        EXPECT_EQ(replace_keep_file_flag, c.flag);
        EXPECT_EQ(Stop_SMS_Sending_Now, c.stop);
    }
}

TEST_F(SharedDialogs, KeepReplacePromptShowsTheCallersTextsAndTheApplyAllBoxOnlyWhenAsked)
{
    Replcae_Confirm_Box box;
    box.title_val = "File already exists :";
    box.msg_val_str = "\n\nFile already exists in this location.\n\nDo you want to Keep or Replace it?";
    box.file_path_str = "/tmp/out/card.png";
    Msg_Apply_All_Chk = 1;
    bool boxShown = true;
    dialogs.queueHook(press<Replcae_Confirm_Box>([&](Replcae_Confirm_Box& shown) {
        EXPECT_EQ(shown._Msg_Title->text(), "File already exists :");
        EXPECT_EQ(shown._Msg_Val->text(), box.msg_val_str);
        EXPECT_EQ(shown.path_control->text(), "/tmp/out/card.png");
        EXPECT_TRUE(shown.path_control->isHidden());
        EXPECT_TRUE(shown.apply_chk->isChecked());  // from Msg_Apply_All_Chk
        boxShown = !shown.apply_chk->isHidden();
        shown.keep_button->click();
    }));
    box.Open_Replace_Dialog();
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(replace_keep_file_flag, ReplaceKeep::KeepAll);  // hidden but still ticked
}

TEST_F(SharedDialogs, AWorkerAskingKeepOrReplaceWaitsForTheAnswerGivenOnTheGuiThread)
{
    Replcae_Confirm_Box box;
    QThread* answeredOn = nullptr;
    dialogs.queueHook(press<Replcae_Confirm_Box>([&](Replcae_Confirm_Box& shown) {
        answeredOn = QThread::currentThread();
        shown.replace_button->click();
    }));
    replace_keep_file_flag = -1;
    std::atomic<bool> finished{false};
    int seenByWorker = -2;
    std::thread worker([&] {
        box.Open_box_in_thread();
        seenByWorker = replace_keep_file_flag;
        finished = true;
    });
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    worker.join();
    EXPECT_EQ(answeredOn, QCoreApplication::instance()->thread());
    EXPECT_EQ(seenByWorker, ReplaceKeep::Replace);
}

TEST_F(SharedDialogs, MessageDialogShowsTheCallersTextsWithOnlyAnOkButton)
{
    Cutom_Msg_Title = "Barcode help";
    Cutom_Msg_Val = "A long explanation.";
    Long_SMS_Dlg dialog;
    dialogs.queueHook(press<Long_SMS_Dlg>([](Long_SMS_Dlg& shown) {
        EXPECT_EQ(shown._Msg_Title->text(), "Barcode help");
        EXPECT_EQ(shown._Msg_Val->text(), "A long explanation.");
        EXPECT_EQ(shown.yes_button->text(), "OK");
        EXPECT_TRUE(shown.no_button->isHidden());
        EXPECT_TRUE(shown.apply_chk->isHidden());
        shown.yes_button->click();
    }));
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 1);
    EXPECT_EQ(dialog.modl_response, 1);

    Msg_Apply_All_Chk = 1;
    dialogs.queueHook(press<Long_SMS_Dlg>([](Long_SMS_Dlg& shown) { shown.CancelPressed(); }));
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 0);
    EXPECT_EQ(dialog.modl_response, 0);
    EXPECT_EQ(Msg_Apply_All_Chk, 0);  // the hidden box was off
}

TEST_F(SharedDialogs, StopAnsweredYesStopsTheJobAndCancelsLaterQuestionsAnsweredNoChangesNothing)
{
    Send_Modeless progress;
    messages.queueAnswers({1});  // No
    progress._stop_btn->click();
    EXPECT_EQ(Stop_SMS_Sending_Now, 0);
    EXPECT_EQ(replace_keep_file_flag, ReplaceKeep::Keep);

    messages.queueAnswers({0});  // Yes
    progress._stop_btn->click();
    EXPECT_EQ(Stop_SMS_Sending_Now, 1);
    EXPECT_EQ(replace_keep_file_flag, ReplaceKeep::CancelAll);
    ASSERT_EQ(messages.records().size(), 2);
    EXPECT_EQ(messages.records().front().request.text, "Are you sure you want to stop?");
}

TEST_F(SharedDialogs, ProgressWindowShowsTheWorkersCountsAndPauseTextAndBlocksOtherWindows)
{
    Send_Modeless progress;
    std::thread worker([&] {
        progress.total_count = 12;
        progress.current_count = 5;
        progress.setPauseText("Pausing for 30 seconds");
    });
    worker.join();
    progress.showForJob("Total Cards:");
    EXPECT_EQ(progress.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(progress.tot_label->text(), "Total Cards:");
    EXPECT_EQ(progress._tot_msg_cnt->text(), "12");
    EXPECT_EQ(progress._curr_msg_cnt->text(), "5 / 12");
    EXPECT_EQ(progress._Curr_Progress->value(), 5);
    EXPECT_EQ(progress._Curr_Progress->maximum(), 12);
    EXPECT_EQ(progress.pause_label->text(), "Pausing for 30 seconds");
    EXPECT_FALSE(progress.pause_label->isHidden());

    progress.setPauseText({});
    progress.current_count = 12;
    progress.refreshFromJob();
    EXPECT_EQ(progress._curr_msg_cnt->text(), "12 / 12");
    EXPECT_TRUE(progress.pause_label->isHidden());
    progress.closeForJob();
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(SharedDialogs, FormatChooserMapsItsChoicesToExtensionsAndRenamesTheProposedFile)
{
    EXPECT_EQ(AccessoryViewController::extensionForFormat(0), "jpg");
    EXPECT_EQ(AccessoryViewController::extensionForFormat(1), "bmp");
    EXPECT_EQ(AccessoryViewController::extensionForFormat(2), "png");
    EXPECT_EQ(AccessoryViewController::extensionForFormat(3), "tiff");
    EXPECT_EQ(AccessoryViewController::extensionForFormat(9), "tiff");
    EXPECT_EQ(AccessoryViewController::nameWithExtension("photo.png", "bmp"), "photo.bmp");
    EXPECT_EQ(AccessoryViewController::nameWithExtension("visitor.log.png", "jpg"), "visitor.log.jpg");
    EXPECT_EQ(AccessoryViewController::nameWithExtension("photo", "png"), "photo.png");

    QTemporaryDir folder;
    QFileDialog panel(nullptr, "Save", folder.path());
    panel.setAcceptMode(QFileDialog::AcceptSave);
    auto* chooser = new AccessoryViewController;
    chooser->attachTo(panel);
    EXPECT_EQ(chooser->parentWidget(), &panel);
    EXPECT_EQ(chooser->ext_btn->count(), 4);
    panel.selectFile("photo.png");
    chooser->selectFormat(1);
    ASSERT_EQ(panel.selectedFiles().size(), 1);
    EXPECT_EQ(QFileInfo(panel.selectedFiles().first()).fileName(), "photo.bmp");
    EXPECT_EQ(panel.nameFilters(), QStringList{"*.bmp"});
    EXPECT_EQ(panel.defaultSuffix(), "bmp");
}

TEST_F(SharedDialogs, AfterExportBoxAppearsOnlyWhenSomethingWasWrittenAndOpensWhatWasWritten)
{
    QTemporaryDir folder;
    const QString front = folder.filePath("front.png");
    const QString back = folder.filePath("back.png");
    for (const QString& path : {front, back}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Open_Export_Log box;
    QStringList opened;
    box.openPath = [&](const QString& path) { opened.append(path); };

    Export_File_Path = front;
    box.Open_Export_File_Box();
    EXPECT_TRUE(dialogs.modalRecords().isEmpty());

    check_any_card_exported = 1;
    Export_File_Message = "2 cards exported.";
    Export_Back_File_Path = back;
    dialogs.queueHook(press<Open_Export_Log>([](Open_Export_Log& shown) {
        EXPECT_EQ(shown._open_log_chk->text(), "Open exported file.");
        EXPECT_EQ(shown._open_log_message->text(), "2 cards exported.");
        shown.ok_button->click();
    }));
    box.Open_Export_File_Box();
    EXPECT_EQ(opened, (QStringList{front, back}));
    EXPECT_TRUE(Export_Back_File_Path.isEmpty());

    Export_File_Path = folder.path();
    Export_Back_File_Path = back;
    dialogs.queueHook(press<Open_Export_Log>([](Open_Export_Log& shown) {
        EXPECT_EQ(shown._open_log_chk->text(), "Open containing folder.");
        shown._open_log_chk->setChecked(false);
        shown.reject();  // Escape
    }));
    box.Open_Export_File_Box();
    EXPECT_EQ(opened.size(), 2);
    EXPECT_TRUE(box._open_log_chk->isChecked());
    EXPECT_TRUE(Export_Back_File_Path.isEmpty());
}

TEST_F(SharedDialogs, PleaseWaitPanelSaysItMayTakeAWhile)
{
    EXPECT_EQ(PleaseWait_Modeless::defaultInstance().message_label->text(),
              "It may take a while, Please wait..");
}
