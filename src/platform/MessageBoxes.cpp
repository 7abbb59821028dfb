#include "platform/MessageBoxes.h"
#include "platform/GuiThread.h"
#include "platform/Log.h"
#include "platform/MainThreadMessages.h"
#include "platform/MessagePresenter.h"

namespace {
QString withLeadingBreak(const QString& text)
{
    return QLatin1Char('\n') + text;
}
}  // namespace

int presentMessageBox(const QString& text, const QStringList& buttons)
{
    return presentMessageBox(MessageBoxRequest{text, buttons, 0});
}

int presentMessageBox(const MessageBoxRequest& request)
{
    const int pressed = messagePresenter().present(request);
    if (pressed < 0)
        Show_NSLog_Message(QStringLiteral("Message box could not be shown: ") + request.text);
    return pressed;
}

void Show_MessageBox(const QString& text)
{
    const QString message = withLeadingBreak(text);
    GuiThread::runBlocking([&message] { mainThreadMessages().Main_Thread_Messgae(message); });
}

void Show_Report_Box(const QString& text, const QStringList& lines)
{
    if (lines.isEmpty()) {
        Show_MessageBox(text);
        return;
    }
    const MessageBoxRequest request{text, {QStringLiteral("OK")}, 0, lines};
    GuiThread::runBlocking([&request] {
        if (messagePresenter().present(request) < 0)
            Show_NSLog_Message(QStringLiteral("Message box could not be shown: ") + request.text + u'\n'
                               + request.details.join(u'\n'));
    });
}

int Show_YES_NO_MessageBox(const QString& text)
{
    // The answer comes back through the call: the global may already belong to the next box.
    int answer = 0;
    GuiThread::runBlocking([&] { answer = mainThreadMessages().Main_Thread_Messgae_Yes_No(text); });
    return answer & 1;
}

int Show_YES_NO_Cancel_MessageBox(const QString& text)
{
    constexpr int kFirstButton = 1000;
    constexpr int kCancel = 1002;
    const int pressed = presentMessageBox(
        text, {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")});
    return pressed < 0 ? kCancel : kFirstButton + pressed;
}

void Show_MessageBox_No_Thread(const QString& text)
{
    presentMessageBox(withLeadingBreak(text), {QStringLiteral("OK")});
}

int show_msg(const QString& text)
{
    return presentMessageBox(text, {QStringLiteral("OK")}) + 1;
}

QString notAvailableYetMessage(const QString& window)
{
    return QStringLiteral("%1 is not available yet.").arg(window);
}

void Show_Not_Available_Yet(const QString& window)
{
    Show_MessageBox(notAvailableYetMessage(window));
}
