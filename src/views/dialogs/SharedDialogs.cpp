#include "views/dialogs/SharedDialogs.h"

#include <QLabel>

#include <QColor>
#include <QPalette>
#include <QWidget>

std::atomic<int> Stop_SMS_Sending_Now{0};
std::atomic<int> replace_keep_file_flag{0};
std::atomic<int> Msg_Apply_All_Chk{0};
QString Cutom_Msg_Title;
QString Cutom_Msg_Val;
std::atomic<int> check_any_card_exported{0};
QString Export_File_Path;
QString Export_File_Message;
QString Export_Back_File_Path;

void applySharedDialogBackground(QWidget& window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window,
                     QColor::fromRgbF(0.9450980392156862f, 0.9568627450980393f, 0.9803921568627451f, 1.0f));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

QLabel* makeDialogTitleLabel(QWidget* parent)
{
    auto* title = new QLabel(parent);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    return title;
}

QLabel* makeDialogMessageLabel(QWidget* parent)
{
    auto* message = new QLabel(parent);
    message->setWordWrap(true);
    message->setMinimumWidth(360);
    return message;
}
