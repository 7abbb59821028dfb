#include "mainwindow/StartDispatch.h"

#include <QMainWindow>

#include "canvas/helpers/MessageBoxes.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartChooser.h"
#include "mainwindow/designfile/DesignFileController.h"
#include "platform/DialogPresenter.h"

namespace {

const QString kStartNotAvailableMessage = QStringLiteral("This way of starting is not available yet.");

// The design-file reader bound to the main window's document and card settings.
class StartDesignReader : public DesignFileController {
public:
    explicit StartDesignReader(SKTWindowController& controller)
        : DesignFileController(controller.document(), controller.Front_card_Prop, controller.Back_card_Prop)
        , m_controller(controller)
    {
    }

protected:
    void Set_Log_Name_In_Title() override { m_controller.updateWindowTitle(); }
    void Show_Loaded_Design() override { m_controller.updateWindowTitle(); }

private:
    SKTWindowController& m_controller;
};

// Asks for a design file and loads it; 1 when loaded. The reader reports a refused file itself.
int Open_Log_File(SKTWindowController& controller)
{
    FilePanelRequest request;
    request.parent = controller.window();
    request.caption = QStringLiteral("Open Design");
    request.filter = QStringLiteral("Design (*.did);;All (*)");
    const QString path = dialogPresenter().openFile(request);
    if (path.isEmpty())
        return 0;
    StartDesignReader reader(controller);
    return reader.Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true);
}

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
