#include "mainwindow/FileCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/TemplateCommands.h"
#include "mainwindow/WindowDesignFile.h"
#include "mainwindow/WindowPlacement.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"

namespace {

constexpr int kAnswerYes = 1000;
constexpr int kAnswerCancel = 1002;
const QString kDesignFilter = QStringLiteral("Design (*.did)");

// Writes the design, asking for a location when save_as is set or no file is current. A
// cancelled panel keeps the current name and writes nothing.
bool Save_project_file(SKTWindowController& controller, bool save_as)
{
    QString name = save_as ? QString() : Trim_Str(Project_File_Name);
    if (name.isEmpty()) {
        FilePanelRequest request;
        request.parent = controller.window();
        request.caption = QStringLiteral("Save Design");
        request.filter = kDesignFilter;
        name = Trim_Str(dialogPresenter().saveFile(request));
        if (name.isEmpty())
            return false;
        if (!name.endsWith(QLatin1String(".did"), Qt::CaseInsensitive))
            name += QLatin1String(".did");
        controller.window()->raise();
        Project_File_Name = name;
    }
    const bool written = WindowDesignFile(controller).file().Save_project_file(name, true, QStringLiteral("L"));
    if (written)
        controller.designSession().saved();
    return written;
}

// The save question before a command that drops the design; false when the command should stop.
// It is asked only when the design differs from its file. A Yes whose save was cancelled or
// failed stops too, so the unsaved design is not thrown away.
bool Ask_To_Save_Changes(SKTWindowController& controller, const QString& question)
{
    if (!controller.designSession().hasUnsavedChanges())
        return true;
    const int answer = Show_YES_NO_Cancel_MessageBox(question);
    if (answer == kAnswerCancel)
        return false;
    return answer != kAnswerYes || Save_project_file(controller, false);
}

// Cancel in the chooser ends the application; no design is open then, so nothing is asked.
bool Run_Start_Chooser(SKTWindowController& controller)
{
    if (Open_Start_Window(controller))
        return true;
    QCoreApplication::quit();
    return false;
}

}  // namespace

bool New_Project(SKTWindowController& controller)
{
    controller.New_Project_Setting_Reset(true);
    controller.designSession().closed();
    controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
    controller.Refresh_Canvas();
    return Run_Start_Chooser(controller);
}

void New_Btn_Clicked(SKTWindowController& controller)
{
    if (!Ask_To_Save_Changes(controller, QStringLiteral("Do you want to save changes before opening new document?")))
        return;
    New_Project(controller);
    controller.canvasHostOfWindow().Undo_Redo_Button_state();
}

bool Open_Btn_Clicked(SKTWindowController& controller)
{
    if (!Ask_To_Save_Changes(controller, QStringLiteral("Do you want to save changes before opening document?")))
        return false;
    // The open design stays until another has been chosen and read; the reader reports a refused file.
    if (Open_Log_File(controller) != 1)
        return false;
    controller.sideCommands().Select_front_side();
    controller.designSession().started();
    controller.Refresh_Canvas();
    return true;
}

void Close_Document_Clicked(SKTWindowController& controller)
{
    if (Ask_To_Save_Changes(controller, QStringLiteral("Do you want to save changes?")))
        New_Project(controller);
}

bool Save_Btn_Clicked(SKTWindowController& controller)
{
    return controller.designSession().isOpen() && Save_project_file(controller, false);
}

bool SaveAs_Btn_Clicked(SKTWindowController& controller)
{
    return controller.designSession().isOpen() && Save_project_file(controller, true);
}

bool Exit_App(SKTWindowController& controller)
{
    return Ask_To_Save_Changes(controller, QStringLiteral("Do you want to save changes before closing?"))
        && Show_YES_NO_MessageBox(QStringLiteral("\nDo you really want to exit?")) == 1;
}

namespace {

// Closing the main window, by its close box or the Quit item, goes through Exit_App.
class CloseThroughExit : public QObject {
public:
    explicit CloseThroughExit(SKTWindowController& controller) : QObject(&controller), m_controller(controller) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return QObject::eventFilter(watched, event);
        // With no design open (the start chooser was cancelled) there is nothing to ask about.
        if (!m_controller.designSession().isOpen() || Exit_App(m_controller)) {
            Remember_Window_Placement(*m_controller.window());
            return QObject::eventFilter(watched, event);
        }
        event->ignore();
        return true;
    }

private:
    SKTWindowController& m_controller;
};

}  // namespace

void Connect_File_Commands(SKTWindowController& controller)
{
    controller.window()->installEventFilter(new CloseThroughExit(controller));
    const QList<std::pair<const char*, std::function<void()>>> commands{
        {"New_Btn_Clicked", [&controller] { New_Btn_Clicked(controller); }},
        {"Open_Btn_Clicked", [&controller] { Open_Btn_Clicked(controller); }},
        {"Close_Document_Clicked", [&controller] { Close_Document_Clicked(controller); }},
        {"Save_Btn_Clicked", [&controller] { Save_Btn_Clicked(controller); }},
        {"SaveAs_Btn_Clicked", [&controller] { SaveAs_Btn_Clicked(controller); }},
    };
    for (const auto& [name, command] : commands) {
        QAction* action = controller.window()->findChild<QAction*>(QLatin1String(name));
        Q_ASSERT_X(action, "Connect_File_Commands", name);
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, &controller, command);
    }
    // Beside Save As, before the separator that precedes Quit.
    QMenu* file = controller.windowLayout().menu("file_menu");
    const QList<QAction*> items = file->actions();
    QAction* before = items.size() >= 2 ? items.at(items.size() - 2) : nullptr;
    auto* exportTemplate = new QAction(QStringLiteral("Export as Template…"), file);
    file->insertAction(before, exportTemplate);
    exportTemplate->setObjectName(QStringLiteral("Export_As_Template_Clicked"));
    QObject::connect(exportTemplate, &QAction::triggered, &controller,
                     [&controller] { Export_As_Template_Clicked(controller); });
}
