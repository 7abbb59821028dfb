#pragma once
// The windows a start runs to make its design: the template window, the new-card wizard and the
// group-mode project wizard. Each runs modally and answers 1 for OK or finished, 0 for Cancel;
// what the caller reads after a 1 comes back in the fields below. The start road reaches them
// through one replaceable instance, so tests script them.
#include <QString>
#include <functional>

#include "platform/MessageBoxes.h"
#include "views/wizards/WizardFields.h"

class QWidget;
class SKTWindowController;

// The template chosen in the template window; empty while none is chosen or after a cancel.
extern QString Selected_Template_Path;

class StartWindows {
public:
    virtual ~StartWindows() = default;
    virtual int Open_Template_Window(QWidget* parent, Template_Wizard_Fields& fields) = 0;
    virtual int Card_Wizard_Open_Wnd(SKTWindowController& controller, Card_Wizard_Fields& fields) = 0;
    // The group wizard's OK creates or opens the project itself (see Create_Group_Mode_Project):
    // after a 1 the project is loaded, the mode is "G" and Project_File_Name names its file.
    virtual int Group_Mode_Wizard_Open_Wnd(SKTWindowController& controller) = 0;
};

// Stands in until the real windows exist: each run says "This way of starting is not available
// yet." and answers 0.
class UnavailableStartWindows : public StartWindows {
public:
    int Open_Template_Window(QWidget* parent, Template_Wizard_Fields& fields) override;
    int Card_Wizard_Open_Wnd(SKTWindowController& controller, Card_Wizard_Fields& fields) override;
    int Group_Mode_Wizard_Open_Wnd(SKTWindowController& controller) override;
};

inline const QString kStartNotAvailableMessage = notAvailableYetMessage(QStringLiteral("This way of starting"));

StartWindows& startWindows();
// Installs an instance (not owned); nullptr restores the stand-in.
void setStartWindows(StartWindows* windows);

// The group wizard's OK: loads the template with its spreadsheet binding, runs fillTable (when
// given), which brings the group's records into the loaded table the template emptied, puts the
// run in group mode and saves the project as a design file at projectPath, which then carries
// the mode "G" and the records. 1 when the project was written; a refused template, a fillTable
// answering 0 (it says why) or a failed write answers 0, with the reader's or the save message.
int Create_Group_Mode_Project(SKTWindowController& controller, const QString& templatePath,
                              const QString& projectPath, const std::function<int()>& fillTable = {});
