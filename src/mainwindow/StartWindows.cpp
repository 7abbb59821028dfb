#include "mainwindow/StartWindows.h"

#include <atomic>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/WindowDesignFile.h"
#include "platform/MessageBoxes.h"

QString Selected_Template_Path;

namespace {

std::atomic<StartWindows*> installedStartWindows{nullptr};

int startNotAvailable()
{
    Show_MessageBox(kStartNotAvailableMessage);
    return 0;
}

}  // namespace

int UnavailableStartWindows::Open_Template_Window(QWidget*, Template_Wizard_Fields&)
{
    Selected_Template_Path.clear();
    return startNotAvailable();
}

int UnavailableStartWindows::Card_Wizard_Open_Wnd(SKTWindowController&, Card_Wizard_Fields&)
{
    return startNotAvailable();
}

int UnavailableStartWindows::Group_Mode_Wizard_Open_Wnd(SKTWindowController&)
{
    return startNotAvailable();
}

StartWindows& startWindows()
{
    static UnavailableStartWindows standIn;
    StartWindows* windows = installedStartWindows.load();
    return windows ? *windows : standIn;
}

void setStartWindows(StartWindows* windows)
{
    installedStartWindows = windows;
}

int Create_Group_Mode_Project(SKTWindowController& controller, const QString& templatePath,
                              const QString& projectPath, const std::function<int()>& fillTable)
{
    WindowDesignFile window(controller);
    DesignFileController& designFile = window.file();
    if (designFile.Read_and_load_design_Log_NEW_METHOD(templatePath, QStringLiteral("T"), true) != 1)
        return 0;
    if (fillTable && fillTable() != 1)
        return 0;
    Start_Card_Option = QStringLiteral("G");
    Project_File_Name = projectPath;
    if (designFile.Save_project_file(projectPath, false, QStringLiteral("L")))
        return 1;
    // A project without its file cannot be reopened: say so rather than carry on unsaved.
    Project_File_Name.clear();
    Show_MessageBox(kDesignNotSavedMessage);
    return 0;
}
