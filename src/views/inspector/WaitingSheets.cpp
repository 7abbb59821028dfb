#include "views/inspector/WaitingSheets.h"

#include <QLabel>

#include "views/dialogs/PleaseWait_Modeless.h"
#include "views/dialogs/Send_Modeless.h"

void Show_Create_Modeless()
{
    PleaseWait_Modeless& sheet = PleaseWait_Modeless::defaultInstance();
    sheet.message_label->setText(QStringLiteral("It may take a while, Please wait.."));
    sheet.showPanel();
}

void Hide_Destroy_Modeless()
{
    PleaseWait_Modeless::defaultInstance().hidePanel();
}

void Show_One_By_One_Modeless(const QString& totalCaption)
{
    Send_Modeless::defaultInstance().showForJob(totalCaption);
}

void Hide_One_By_One_Modeless()
{
    Send_Modeless::defaultInstance().closeForJob();
}
