#include "platform/MainThreadMessages.h"
#include <atomic>
#include "platform/CanvasGlobals.h"
#include "platform/MessageBoxes.h"

namespace {
std::atomic<MainThreadMessages*> registeredMessages{nullptr};
}

void MainThreadMessages::Main_Thread_Messgae(const QString& text)
{
    presentMessageBox(text, {QStringLiteral("OK")});
}

int MainThreadMessages::Main_Thread_Messgae_Yes_No(const QString& text)
{
    yes_no_msg_val = false;
    const bool yes = presentMessageBox(text, {QStringLiteral("Yes"), QStringLiteral("No")}) == 0;
    yes_no_msg_val = yes;
    return yes ? 1 : 0;
}

MainThreadMessages& mainThreadMessages()
{
    static MainThreadMessages builtIn;
    MainThreadMessages* messages = registeredMessages.load();
    return messages != nullptr ? *messages : builtIn;
}

void setMainThreadMessages(MainThreadMessages* messages)
{
    registeredMessages.store(messages);
}
