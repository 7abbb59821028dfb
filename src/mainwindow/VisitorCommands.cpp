#include "mainwindow/VisitorCommands.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>

#include "mainwindow/LiveModePanels.h"
#include "mainwindow/SKTWindowController.h"
#include "model/profiles/AddedPictureField.h"
#include "views/canvas/SKTGraphicView.h"
#include "platform/MessageBoxes.h"
#include "views/visitors/Profile_Side_Panel.h"
#include "views/visitors/VisitorPassPrinting.h"
#include "views/visitors/Visitor_Log_Records.h"
#include "visitors/VisitorPass.h"
#include "visitors/VisitorRegistration.h"

namespace {

// The application's live log, opened on first use and kept open while the user folder stays.
VisitorLog& liveVisitorLog()
{
    static VisitorLog log;
    if (log.isOpen() && log.path() != VisitorLog::livePath())
        log.close();
    return log;
}

// The picture a field added to the front shows, which its row in the panel shows too; empty for
// none.
QString pictureOnFront(SKTWindowController& controller, const QString& ctrlId)
{
    const GraphicPtr picture = controller.graphicView(SKTDocument::FrontSide)->Selcect_Ctrl_With_ID(ctrlId);
    return picture && picture->kind() == GraphicKind::Image ? Picture_Field_File(*picture) : QString();
}

// Why the log cannot keep the values without a column of their own goes into refusal.
VisitorRecord visitorInPanels(SKTWindowController& controller, const QDateTime& moment = QDateTime::currentDateTime(),
                              QString* refusal = nullptr)
{
    // The pass is the front: the visitor is what the front panel holds, whichever side is shown.
    // The date and time are the moment of registering unless they were typed by hand.
    const Profile_Side_Panel& front = controller.liveModes().panel(0);
    return visitorFromFields(
        [&front, &controller](const QString& ctrlId) {
            if ((ctrlId == QLatin1String(kVisitDateId) && !front.date_manual_chk()->isChecked())
                || (ctrlId == QLatin1String(kVisitTimeId) && !front.time_manual_chk()->isChecked()))
                return QString();
            const QLineEdit* field = front.textBox(ctrlId);
            return field ? field->text() : pictureOnFront(controller, ctrlId);
        },
        moment, visitorOtherFields(controller.Get_Front_Controls_Array()), refusal);
}

QImage passOf(SKTWindowController& controller, const VisitorRecord& visitor, QString* why, PassValues values)
{
    return Draw_Visitor_Pass(controller.Get_Front_Controls_Array(), visitor, why, values);
}

}  // namespace

int Register_Visitor(SKTWindowController& controller)
{
    // The panel and the card show the moment the log keeps, unless it was entered by hand.
    const QDateTime moment = QDateTime::currentDateTime();
    controller.liveModes().showVisitMoment(moment);
    QString refusal;
    const VisitorRecord visitor = visitorInPanels(controller, moment, &refusal);
    if (Register_Visitor(liveVisitorLog(), visitor, refusal) != 1)
        return 0;
    Show_MessageBox(QStringLiteral("Visitor registered successfully."));
    return 1;
}

void Print_Visitor_Pass(SKTWindowController& controller, bool preview)
{
    QString why;
    const QImage pass = passOf(controller, visitorInPanels(controller), &why, PassValues::Shown);
    if (pass.isNull()) {
        Show_MessageBox(why);
        return;
    }
    if (printVisitorPass(pass, preview, controller.window()) && !preview)
        Show_MessageBox(kPassPrintedMessage);
}

void Open_Visitor_Log(SKTWindowController& controller)
{
    VisitorLog& log = liveVisitorLog();
    if (!log.isOpen() && !log.openLive()) {
        Show_MessageBox(log.lastError());
        return;
    }
    Visitor_Log_Records window(log, controller.window());
    window.logic.passMaker = [&controller](const VisitorRecord& visitor, QString* why) {
        return passOf(controller, visitor, why, PassValues::Logged);
    };
    window.Open_Wnd();
}
