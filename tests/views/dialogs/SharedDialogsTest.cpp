// The shared dialogs: their answers in the shared flags, their texts, and the progress window.
#include <gtest/gtest.h>

#include <QtWidgets>
#include <thread>

#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/dialogs/AccessoryViewController.h"
#include "views/dialogs/Long_SMS_Dlg.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/PleaseWait_Modeless.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/dialogs/SharedDialogs.h"

// Worker threads poll these while the dialogs set them on the GUI thread.
static_assert(std::is_same_v<decltype(Stop_SMS_Sending_Now), decltype(replace_keep_file_flag)>);
static_assert(std::is_same_v<decltype(replace_keep_file_flag), std::atomic<int>>);

namespace {

class SharedDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        Stop_SMS_Sending_Now = 0;
        replace_keep_file_flag = ReplaceKeep::Keep;
    }

    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installMessages{messages};
};

template <class Dialog>
ScriptedDialogPresenter::Hook press(std::function<void(Dialog&)> action)
{
    return [action](QDialog& dialog) { action(static_cast<Dialog&>(dialog)); };
}

}  // namespace

TEST_F(SharedDialogs, EachKeepReplaceAnswerGivesItsFlagAndOnlyCancelOrEscapeStopsTheJob)
{
    // button nullptr: Escape
    const struct { const char* name; QPushButton* Replcae_Confirm_Box::*button; bool applyAll; int flag, stop; } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Stop_SMS_Sending_Now = 0;
        replace_keep_file_flag = -1;
        dialogs.queueHook(press<Replcae_Confirm_Box>([&c](Replcae_Confirm_Box& shown) {
            shown.apply_chk->setChecked(c.applyAll);
            c.button ? (shown.*c.button)->click() : shown.reject();
        }));
        box.Open_Replace_Dialog();
        EXPECT_EQ(replace_keep_file_flag, c.flag);
        EXPECT_EQ(Stop_SMS_Sending_Now, c.stop);
    }
}

TEST_F(SharedDialogs, AWorkerAskingKeepOrReplaceWaitsForTheAnswerGivenOnTheGuiThreadToTheCallersTexts)
{
    Replcae_Confirm_Box box;
    box.title_val = "File already exists :";
    box.msg_val_str = "Do you want to Keep or Replace it?";
    QThread* answeredOn = nullptr;
    dialogs.queueHook(press<Replcae_Confirm_Box>([&](Replcae_Confirm_Box& shown) {
        answeredOn = QThread::currentThread();
        EXPECT_EQ(shown._Msg_Title->text(), box.title_val);
        EXPECT_EQ(shown._Msg_Val->text(), box.msg_val_str);
        shown.replace_button->click();
    }));
    std::atomic<bool> finished{false};
    int seenByWorker = -1;
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

TEST_F(SharedDialogs, KeepOrReplaceOfOnePathAnswersThePathToWriteAndNeverDeletesTheFileThere)
{
    QTemporaryDir folder;
    const QString taken = folder.filePath("Card_1.png");
    QFile file(taken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
    file.close();
    // button nullptr: no question is asked, the answer for all holds.
    const struct { const char* name; int flagBefore; QPushButton* Replcae_Confirm_Box::*button; const char* answer; int stop; } cases[] = {
        {"replace", ReplaceKeep::Keep, &Replcae_Confirm_Box::replace_button, "Card_1.png", 0},
        {"keep both", ReplaceKeep::Replace, &Replcae_Confirm_Box::keep_button, "Card_1 (1).png", 0},
        {"cancel", ReplaceKeep::Keep, &Replcae_Confirm_Box::cancel_button, "", 1},
        {"replace all before", ReplaceKeep::ReplaceAll, nullptr, "Card_1.png", 0},
        {"keep all before", ReplaceKeep::KeepAll, nullptr, "Card_1 (1).png", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        replace_keep_file_flag = c.flagBefore;
        Stop_SMS_Sending_Now = 0;
        QString shownText;
        bool applyAllShown = true;
        if (c.button) {
            dialogs.queueHook(press<Replcae_Confirm_Box>([&](Replcae_Confirm_Box& shown) {
                shownText = shown._Msg_Val->text();
                applyAllShown = shown.apply_chk->isVisibleTo(&shown);
                (shown.*c.button)->click();
            }));
        }
        const QString answer = Check_And_Show_Keep_Replace_File_Msg(taken, false);
        EXPECT_EQ(answer, *c.answer ? folder.filePath(c.answer) : QString());
        EXPECT_EQ(Stop_SMS_Sending_Now, c.stop);
        if (c.button) {
            EXPECT_EQ(shownText, "Card_1.png\n\nFile already exists in this location.\n\nDo you want to Keep or Replace it?");
            EXPECT_FALSE(applyAllShown);
        }
        ASSERT_TRUE(QFile::exists(taken));
    }
    EXPECT_EQ(Check_And_Show_Keep_Replace_File_Msg(folder.filePath("Card_2.png"), true), folder.filePath("Card_2.png"));
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
        EXPECT_TRUE(shown.no_button->isHidden() && shown.apply_chk->isHidden());
        shown.yes_button->click();
    }));
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 1);
}

TEST_F(SharedDialogs, StopAnsweredYesStopsTheJobAndCancelsLaterQuestionsAnsweredNoChangesNothing)
{
    Send_Modeless progress;
    messages.queueAnswers({1, 0});  // No, then Yes
    progress._stop_btn->click();
    EXPECT_EQ(Stop_SMS_Sending_Now, 0);
    EXPECT_EQ(replace_keep_file_flag, ReplaceKeep::Keep);
    progress._stop_btn->click();
    EXPECT_EQ(Stop_SMS_Sending_Now, 1);
    EXPECT_EQ(replace_keep_file_flag, ReplaceKeep::CancelAll);
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
    EXPECT_EQ(progress._tot_msg_cnt->text(), "12");
    EXPECT_EQ(progress._curr_msg_cnt->text(), "5 / 12");
    EXPECT_EQ(progress._Curr_Progress->value(), 5);
    EXPECT_EQ(progress.pause_label->text(), "Pausing for 30 seconds");
    progress.setPauseText({});
    progress.current_count = 12;
    progress.refreshFromJob();
    EXPECT_EQ(progress._curr_msg_cnt->text(), "12 / 12");
    EXPECT_TRUE(progress.pause_label->isHidden());

    // An export names what it counts until the first refresh counts.
    progress.current_count = 0;
    progress.showForJob("Total Cards :", "Card");
    EXPECT_EQ(progress._curr_msg_cnt->text(), "0 / 12 Card");
    progress.refreshFromJob();
    EXPECT_EQ(progress._curr_msg_cnt->text(), "0 / 12");
}

TEST_F(SharedDialogs, FormatChooserMapsItsChoicesToExtensionsAndRenamesTheFile)
{
    const struct { int choice; const char* extension; } formats[] = {{0, "jpg"}, {1, "bmp"}, {2, "png"}, {3, "tiff"}, {9, "tiff"}};
    for (const auto& f : formats)
        EXPECT_EQ(AccessoryViewController::extensionForFormat(f.choice), f.extension) << f.choice;
    EXPECT_EQ(AccessoryViewController::nameWithExtension("visitor.log.png", "jpg"), "visitor.log.jpg");
}

TEST_F(SharedDialogs, AfterExportBoxOpensWhatWasWrittenAndResetsForTheNextExport)
{
    QTemporaryDir folder;
    const QString back = folder.filePath("back.png");
    ASSERT_TRUE(QFile(back).open(QIODevice::WriteOnly));
    Open_Export_Log box;
    QStringList opened;
    box.openPath = [&](const QString& path) { opened.append(path); };
    Export_File_Path = folder.filePath("front.png");
    check_any_card_exported = 1;
    Export_File_Message = "2 cards exported.";
    Export_Back_File_Path = back;
    dialogs.queueHook(press<Open_Export_Log>([](Open_Export_Log& shown) {
        EXPECT_EQ(shown._open_log_chk->text(), "Open exported file.");
        EXPECT_EQ(shown._open_log_message->text(), "2 cards exported.");
        shown.ok_button->click();
    }));
    box.Open_Export_File_Box();
    EXPECT_EQ(opened, (QStringList{Export_File_Path, back}));
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
    EXPECT_EQ(PleaseWait_Modeless::defaultInstance().message_label->text(), "It may take a while, Please wait..");
}

// A long step inside another shows the one panel until the outer step ends.
TEST_F(SharedDialogs, NestedPleaseWaitSheetsKeepThePanelUntilTheOutermostEnds)
{
    const PleaseWait_Modeless& panel = PleaseWait_Modeless::defaultInstance();
    {
        const PleaseWaitSheet outer;
        EXPECT_TRUE(PleaseWaitSheet::around([&] { return panel.isVisible(); }));
        EXPECT_TRUE(panel.isVisible());
    }
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(SharedDialogs, TheJobIsHeldWhileTheStopQuestionIsOpenAndGoesOnAfterANo)
{
    // Notes whether the job was held at the moment each question was shown; No, then Yes.
    struct Asking : MessagePresenter {
        std::atomic<bool>* held = nullptr;
        QList<bool> heldWhenAsked;
        int present(const MessageBoxRequest&) override
        {
            heldWhenAsked.append(*held);
            return heldWhenAsked.size() == 1 ? 1 : 0;
        }
        void beep() override {}
    } asking;
    std::atomic<bool> held{false};
    asking.held = &held;
    ScopedMessagePresenter installed(asking);
    Send_Modeless progress;
    std::atomic<bool> stopped{false};
    QList<bool> pauses;
    QTimer::singleShot(0, [&] {
        progress._stop_btn->click();
        EXPECT_FALSE(held);  // a No lets it go on
        progress._stop_btn->click();
    });
    progress.runCountedJob(
        "Total Cards :", 3, [&] { while (!stopped) QThread::msleep(5); }, [] { return 1; }, [&] { stopped = true; },
        [&](bool pause) {
            pauses.append(pause);
            held = pause;
        });
    EXPECT_EQ(asking.heldWhenAsked, (QList<bool>{true, true}));
    EXPECT_EQ(pauses, (QList<bool>{true, false, true}));
    EXPECT_TRUE(stopped);
}
