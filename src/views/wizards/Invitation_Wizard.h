#pragma once
// The invitation wizard: the texts of a party invitation, its photo (with the photo editor's
// adjustments) and a frame picture. OK stores the nine values in the Invite_ globals that the
// invitation layout reads. Nothing in the application opens this window.
#include <QDialog>
#include <QImage>
#include <memory>

#include "views/wizards/InvitationWizardLogic.h"

class ImageBrowserModel;
class PictureAdjustmentControls;
namespace Ui {
class Invitation_Wizard;
}

class Invitation_Wizard : public QDialog {
    Q_OBJECT
public:
    explicit Invitation_Wizard(QWidget* parent = nullptr);
    ~Invitation_Wizard() override;

    // Stores the seven texts as typed and the photo and frame paths, then closes with 1.
    void OK_Click();
    // Closes with 0, storing nothing.
    void Cancel_Click();

    // Asks for a picture file and takes it as the photo, saying so of a file that holds none.
    void Browse_Photo_Click();
    // Takes the picture file as the photo; false, with the photo as it was, when it holds none.
    bool setPhoto(const QString& path);
    // Shows the photo editor with its controls preset from the IMG_ globals, so the settings last
    // used in any editing window carry over, and the photo through them.
    void Open_Wnd_For_Edit_Photo();
    // The editor's controls into the IMG_ globals, and User_Picture through the filter chain
    // into Selected_picture.
    void Update_Image_With_Settings();
    // Appends a frame picture to the frame browser; a path that trims to nothing adds nothing.
    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);

    // The photo as read, which the editor adjusts, and what Selected_picture shows of it.
    const QImage& User_Picture() const { return m_logic.User_Picture; }
    const QImage& shownPicture() const { return m_shown; }
    ImageBrowserModel& frames() const { return *m_frames; }

private:
    void showPicture(const QImage& picture);

    std::unique_ptr<Ui::Invitation_Wizard> ui;
    InvitationWizardLogic m_logic;
    std::unique_ptr<PictureAdjustmentControls> m_adjustments;
    ImageBrowserModel* m_frames;
    QImage m_shown;
};
