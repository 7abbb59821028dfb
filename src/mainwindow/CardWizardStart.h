#pragma once
// The new-card wizard as the start road runs it, over the main window's size lists, picture
// library and pattern pictures.
#include "views/wizards/WizardFields.h"

class QWidget;
class SKTWindowController;

// 1 when the wizard finished, with its choices in fields; 0 when it was cancelled.
int Run_Card_Wizard(SKTWindowController& controller, QWidget* parent, Card_Wizard_Fields& fields);
