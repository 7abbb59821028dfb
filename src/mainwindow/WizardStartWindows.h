#pragma once
// The start road's real windows: the template window, the new-card wizard and the group-mode
// wizard.
#include "mainwindow/StartWindows.h"

class WizardStartWindows : public StartWindows {
public:
    // A visitor run (mode "V") is offered the visitor templates too.
    int Open_Template_Window(QWidget* parent, Template_Wizard_Fields& fields) override;
    int Card_Wizard_Open_Wnd(SKTWindowController& controller, Card_Wizard_Fields& fields) override;
    int Group_Mode_Wizard_Open_Wnd(SKTWindowController& controller) override;
};

// The folder of group-mode projects in the user's folder.
QString Group_Project_Folder();
