#pragma once
// State the shared dialogs hand to the jobs that open them. Worker threads poll the flags while
// the dialogs run on the GUI thread, hence the atomics.
#include <QString>
#include <atomic>

#include "platform/GuiThread.h"
#include "platform/ReplaceKeep.h"

class QLabel;
class QWidget;

// Set to 1 to make a running batch job stop at its next check.
extern std::atomic<int> Stop_SMS_Sending_Now;
// The keep/replace answer in force for the running job.
extern std::atomic<int> replace_keep_file_flag;
// 1 when the message dialog's apply-to-all box was on.
extern std::atomic<int> Msg_Apply_All_Chk;
// Title and text of the next message dialog, set by its caller on the GUI thread.
extern QString Cutom_Msg_Title;
extern QString Cutom_Msg_Val;
// Non-zero once a job wrote at least one card; the after-export box shows only then.
extern std::atomic<int> check_any_card_exported;
extern QString Export_File_Path;
extern QString Export_File_Message;
extern QString Export_Back_File_Path;


// The light blue-grey every shared dialog is painted with.
void applySharedDialogBackground(QWidget& window);
// The bold title label and the wrapping message label the message dialogs start with.
QLabel* makeDialogTitleLabel(QWidget* parent);
QLabel* makeDialogMessageLabel(QWidget* parent);

namespace SharedDialogSlots {
template <class Dialog>
inline std::atomic<Dialog*> made{nullptr};
}

// One instance per window class for the whole run, made by make() on the GUI thread whichever
// thread asks first: a widget made on a worker belongs to that worker and never gets its clicks.
// It is never deleted: jobs may still hold it while the application shuts down.
template <class Dialog, class Maker>
Dialog& sharedDialogInstance(Maker make)
{
    std::atomic<Dialog*>& slot = SharedDialogSlots::made<Dialog>;
    if (Dialog* dialog = slot.load(std::memory_order_acquire))
        return *dialog;
    // No function-local static made through the hop: the GUI thread asking meanwhile would wait
    // on its guard while the hop waits for the GUI thread. Only the GUI thread stores.
    GuiThread::runBlocking([&] {
        if (slot.load(std::memory_order_relaxed) == nullptr)
            slot.store(make(), std::memory_order_release);
    });
    return *slot.load(std::memory_order_acquire);
}

template <class Dialog>
Dialog& sharedDialogInstance()
{
    return sharedDialogInstance<Dialog>([] { return new Dialog; });
}
