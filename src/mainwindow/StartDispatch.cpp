#include "mainwindow/StartDispatch.h"

#include <QMainWindow>

#include "canvas/helpers/MessageBoxes.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartChooser.h"
#include "mainwindow/WindowDesignFile.h"
#include "platform/DialogPresenter.h"

namespace {

const QString kStartNotAvailableMessage = QStringLiteral("This way of starting is not available yet.");

// 1 when the chosen start made a design to work on.
int Dispatch_Start_Option(SKTWindowController& controller)
{
    if (Start_Card_Option == QLatin1String("L"))
        return Open_Log_File(controller);
    Show_MessageBox(kStartNotAvailableMessage);
    return 0;
}

}  // namespace

bool Open_Start_Window(SKTWindowController& controller)
{
    // A loop rather than a call to itself: a failed start shows the chooser exactly once more.
    for (;;) {
        StartChooser chooser(controller.window());
        if (dialogPresenter().runModal(chooser) != QDialog::Accepted) {
            Start_Card_Option.clear();
            return false;
        }
        if (Dispatch_Start_Option(controller) == 1)
            return true;
    }
}
