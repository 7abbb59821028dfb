#pragma once
// The new-card wizard: the sides and name, the size (a preset of the size page's lists or a
// custom width and height in millimetres), the border, and the fill of both sides with its
// opacity. Finishing leaves the choices for the caller, which builds the card from them.
#include <QWizard>
#include <memory>

#include "views/inspector/InspectorLists.h"
#include "views/profiles/ProfileWindowOpener.h"
#include "views/wizards/WizardFields.h"

class InspectorCard;
class InspectorCardSize;
namespace Ui {
class Card_Wizard;
}

class Card_Wizard : public QWizard {
    Q_OBJECT
public:
    // The presets come from the window's size lists, the picture types and the picture library
    // from the window too; the pattern names are those the card pages offer.
    Card_Wizard(InspectorCard& window, const InspectorCardSize& presets, const QStringList& hatchNames,
                QWidget* parent = nullptr);
    ~Card_Wizard() override;

    // Runs the wizard modally from its first page through the dialog seam: 1 when finished, with
    // every field filled from the pages; 0 when cancelled, the fields untouched.
    int Open_Wnd(Card_Wizard_Fields& fields);
    // The choices as the pages show them.
    Card_Wizard_Fields choices() const;

    // The picture buttons: a picture file, or the picture library with "B".
    void Card_Image_Browse_Btn();
    void Card_Image_Library_Btn();

    // The card-holder profile of the card being made: for both sides when the first sides item
    // (front and back) is chosen, else for the front alone.
    void User_Profile_Click();
    // Set by the main window; the profile button does nothing without it.
    ProfileWindowOpener openProfileWindow;

    // A picture fill cannot finish without a picture.
    bool validateCurrentPage() override;

private:
    void connectControls();
    void setUpControls(const QStringList& hatchNames);
    void Preset_ComboBox_Changed();
    void Category_ComboBox_Changed();
    void sizeRowChosen();
    int selectedSizeRow() const;
    bool customSizeChosen() const;
    void enableSizeControls();
    void enableFillControls();
    QString chosenFillKind() const;
    void choosePicture(const QString& path);

    std::unique_ptr<Ui::Card_Wizard> ui;
    InspectorCard& m_window;
    const InspectorCardSize& m_presets;
    ListData m_sizes;
};

// What a picture fill without a picture is told.
inline const QString kChooseBackgroundPictureMessage = QStringLiteral("Please choose a picture for the background.");
