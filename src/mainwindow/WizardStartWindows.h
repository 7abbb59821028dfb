#pragma once
// The start road's real windows: the template window and the group-mode wizard. The card wizard
// still says it is not available yet.
#include "mainwindow/StartWindows.h"

class WizardStartWindows : public StartWindows {
public:
    // A visitor run (mode "V") is offered the visitor templates too.
    int Open_Template_Window(QWidget* parent, Template_Wizard_Fields& fields) override;
    int Card_Wizard_Open_Wnd(QWidget* parent, Card_Wizard_Fields& fields) override;
    int Group_Mode_Wizard_Open_Wnd(SKTWindowController& controller) override;

private:
    UnavailableStartWindows m_notBuiltYet;
};

// The folder of group-mode projects in the user's folder.
QString Group_Project_Folder();
