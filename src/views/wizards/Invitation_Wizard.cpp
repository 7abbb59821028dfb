#include "views/wizards/Invitation_Wizard.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "views/browser/ImageBrowser.h"
#include "views/browser/ImageBrowserModel.h"
#include "views/photos/PictureAdjustmentBox.h"
#include "views/photos/PictureAdjustmentControls.h"
#include "ui_Invitation_Wizard.h"

Invitation_Wizard::Invitation_Wizard(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Invitation_Wizard>()), m_frames(new ImageBrowserModel(this))
{
    ui->setupUi(this);
    m_adjustments = std::make_unique<PictureAdjustmentControls>(*this);
    m_adjustments->connect(this, [this] { Update_Image_With_Settings(); });
    // The editor shows once asked for, on a photo there is.
    ui->Image_Edit_Prop_Box->hide();
    connect(ui->Image_Edit_Prop_Box->image_reset_btn(), &QPushButton::clicked, this, [this] {
        m_adjustments->reset();
        Update_Image_With_Settings();
    });
    auto* browser = new ImageBrowser(m_frames, this);
    browser->setObjectName(QStringLiteral("frame_browser"));
    ui->frame_col->addWidget(browser);
    connect(m_frames, &ImageBrowserModel::imageChosen, ui->frame_path_field, &QLineEdit::setText);
    connect(ui->browse_photo_btn, &QPushButton::clicked, this, &Invitation_Wizard::Browse_Photo_Click);
    connect(ui->edit_photo_btn, &QPushButton::clicked, this, &Invitation_Wizard::Open_Wnd_For_Edit_Photo);
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &Invitation_Wizard::OK_Click);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &Invitation_Wizard::Cancel_Click);
}

Invitation_Wizard::~Invitation_Wizard() = default;

void Invitation_Wizard::OK_Click()
{
    InvitationWizardLogic::Store_Invitation({ui->title_field->text(), ui->to_field->text(),
                                             ui->message_field->toPlainText(), ui->date_field->text(),
                                             ui->time_field->text(), ui->venue_field->text(), ui->from_field->text(),
                                             ui->photo_path_field->text(), ui->frame_path_field->text()});
    done(QDialog::Accepted);
}

void Invitation_Wizard::Cancel_Click()
{
    done(QDialog::Rejected);
}

bool Invitation_Wizard::setPhoto(const QString& path)
{
    if (!m_logic.setPhoto(path))
        return false;
    ui->photo_path_field->setText(m_logic.photoPath());
    if (!ui->Image_Edit_Prop_Box->isHidden())
        Update_Image_With_Settings();
    else
        showPicture(m_logic.User_Picture);
    return true;
}

void Invitation_Wizard::Browse_Photo_Click()
{
    FilePanelRequest request;
    request.parent = this;
    request.caption = QStringLiteral("Choose the Photo");
    request.filter = QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.tif *.tiff)");
    const QString path = dialogPresenter().openFile(request);
    if (!path.isEmpty() && !setPhoto(path))
        Show_MessageBox(QStringLiteral("Please select valid image file."));
}

void Invitation_Wizard::Open_Wnd_For_Edit_Photo()
{
    m_adjustments->show(InvitationWizardLogic::lastSettings());
    ui->Image_Edit_Prop_Box->show();
    Update_Image_With_Settings();
}

void Invitation_Wizard::Update_Image_With_Settings()
{
    showPicture(m_logic.Update_Image_With_Settings(m_adjustments->settings()));
}

void Invitation_Wizard::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    m_frames->addImageWithPath(path, imageName, image_UID);
}

void Invitation_Wizard::showPicture(const QImage& picture)
{
    m_shown = picture;
    QLabel& frame = *ui->Selected_picture;
    if (picture.isNull())
        frame.clear();
    else
        frame.setPixmap(QPixmap::fromImage(picture.scaled(frame.maximumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
