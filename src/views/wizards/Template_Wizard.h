#pragma once
// The template window: the card size (orientation, category and size, as on the size page) and a
// browser of the shipped and the user's templates. OK takes the chosen template.
#include <QDialog>
#include <QString>
#include <memory>

#include "designfile/TemplateCatalog.h"
#include "views/inspector/InspectorLists.h"
#include "views/profiles/ProfileWindowOpener.h"
#include "views/wizards/WizardFields.h"

class TemplateBrowser;
namespace Ui {
class Template_Wizard;
}

inline const QString kSelectTemplateMessage = QStringLiteral("Please select template.");

// The size presets the window lists: plastic cards for category 0, paper badges otherwise.
struct CardSizeNames {
    QStringList pvc;
    QStringList paper;
};

class Template_Wizard : public QDialog {
    Q_OBJECT
public:
    // A visitor run (start mode "V") also offers the visitor templates.
    Template_Wizard(const TemplateCatalog& catalog, CardSizeNames sizes, bool visitorMode, QWidget* parent = nullptr);
    ~Template_Wizard() override;

    // Runs the window modally through the dialog seam: 1 after OK with a template chosen, which
    // selectedTemplatePath() then names; 0 after Cancel, with no path.
    int Open_Template_Window();
    const QString& selectedTemplatePath() const { return m_selectedTemplatePath; }
    Template_Wizard_Fields fields() const;

    TemplateBrowser& browser() { return *m_browser; }

    // Ends the run with the chosen template; with none, or one whose file is gone, says
    // "Please select template." and stays open.
    void OK_Click();
    void Cancel_Click();
    // The card-holder profile of the chosen template, for both sides of the card; without a
    // template (or with one whose file is gone) says "Please select template.".
    void User_Profile_Click();
    // Set by the main window; the profile button does nothing without it.
    ProfileWindowOpener openProfileWindow;
    void Preset_ComboBox_Changed();
    void Category_ComboBox_Changed();

private:
    // The chosen template's design file, when it is still there.
    QString chosenTemplateFile() const;
    // The orientation, category and size the template was made with, so that the start applies
    // the template as it is until the user chooses otherwise.
    void showSizeOfTemplate(const TemplateEntry& entry);
    void fillSizeList();
    void markSizeRow(int row);

    std::unique_ptr<Ui::Template_Wizard> ui;
    CardSizeNames m_sizeNames;
    ListData m_sizes;
    TemplateBrowser* m_browser;
    QString m_selectedTemplatePath;
};
