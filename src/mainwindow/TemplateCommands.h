#pragma once
// Exporting the open design as a user template: the design file in template form plus its PNG
// picture (both sides of a two-sided card), both under <Created_Resource_Path>/Templates/User.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class SKTWindowController;

extern QString export_template_name;  // the name the template window accepted last

// The template-name window. OK accepts (result 1) a cleaned, non-empty name that is new or whose
// existing template the user agreed to replace; Cancel clears the name (result 0).
class Export_Template : public QDialog {
    Q_OBJECT
public:
    explicit Export_Template(QWidget* parent = nullptr);

    QLineEdit* template_name = nullptr;
    QLabel* template_passed = nullptr;

public Q_SLOTS:
    void OK_Pressed();
    void Cancel_Pressed();
};

// The folder of user templates, and a template's file there with the extension ("did", "png").
QString User_Template_Folder();
QString User_Template_File(const QString& name, const QString& extension);

// Runs the name window, then writes NAME.did and NAME.png. The live design is rebuilt from a
// backup afterwards, because writing the template form clears the elements' data bindings.
// True when both files were written.
bool Export_As_Template_Clicked(SKTWindowController& controller);
