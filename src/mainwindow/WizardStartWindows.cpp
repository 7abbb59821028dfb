#include "mainwindow/WizardStartWindows.h"

#include <QDir>
#include <QMainWindow>

#include "designfile/TemplateCatalog.h"
#include "mainwindow/CardWizardStart.h"
#include "mainwindow/CardSizePresets.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/AppContext.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/PropertyInspector.h"
#include "views/wizards/Group_Mode_Wizard.h"
#include "views/wizards/Template_Wizard.h"

namespace {

class ControllerGroupProject : public GroupProjectHost {
public:
    explicit ControllerGroupProject(SKTWindowController& controller) : m_controller(controller) {}

    int Create_Group_Mode_Project(const QString& templatePath, const QString& projectPath,
                                  const std::function<int()>& fillTable) override
    {
        return ::Create_Group_Mode_Project(m_controller, templatePath, projectPath, fillTable);
    }
    GroupListData& groupList() override { return m_controller.inspector().sizePanel().groupList(); }

private:
    SKTWindowController& m_controller;
};

}  // namespace

QString Group_Project_Folder()
{
    return QDir(Created_Resource_Path).filePath(QStringLiteral("Group_Excel_Data"));
}

int WizardStartWindows::Open_Template_Window(QWidget* parent, Template_Wizard_Fields& fields)
{
    Template_Wizard window(TemplateCatalog::installed(), CardSizeNames{pvc_card_names(), paper_card_names()},
                           Start_Card_Option == QLatin1String("V"), parent);
    if (SKTWindowController* controller = SKTWindowController::defaultInstance())
        window.openProfileWindow = controller->profileWindows().opener();
    const int result = window.Open_Template_Window();
    Selected_Template_Path = window.selectedTemplatePath();
    if (result == 1)
        fields = window.fields();
    return result;
}

int WizardStartWindows::Card_Wizard_Open_Wnd(SKTWindowController& controller, Card_Wizard_Fields& fields)
{
    return Run_Card_Wizard(controller, controller.window(), fields);
}

int WizardStartWindows::Group_Mode_Wizard_Open_Wnd(SKTWindowController& controller)
{
    ControllerGroupProject host(controller);
    Group_Mode_Wizard window(TemplateCatalog::installed(), host, Group_Project_Folder(), controller.window());
    return window.Open_Wnd();
}
