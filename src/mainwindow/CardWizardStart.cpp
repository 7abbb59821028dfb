#include "mainwindow/CardWizardStart.h"

#include "mainwindow/ControllerInspectorLink.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/SKTWindowController.h"
#include "views/wizards/Card_Wizard.h"

int Run_Card_Wizard(SKTWindowController& controller, QWidget* parent, Card_Wizard_Fields& fields)
{
    ControllerInspectorLink window(controller);
    Card_Wizard wizard(window, window, Get_Hatch_Style_Names(), parent);
    wizard.openProfileWindow = controller.profileWindows().opener();
    return wizard.Open_Wnd(fields);
}
