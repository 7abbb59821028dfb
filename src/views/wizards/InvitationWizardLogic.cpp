#include "views/wizards/InvitationWizardLogic.h"

#include "filters/ImageProcesser.h"
#include "photos/ImgFilterSettings.h"
#include "platform/AppContext.h"
#include "platform/PictureReading.h"

void InvitationWizardLogic::Store_Invitation(const InvitationValues& values)
{
    Invite_Title = values.title;
    Invite_To = values.to;
    Invite_Message = values.message;
    Invite_Date = values.date;
    Invite_Time = values.time;
    Invite_Venue = values.venue;
    Invite_From = values.from;
    Invite_Frame_Pic_IMG = values.photo;
    Invite_Frame_IMG = values.frame;
}

PictureSettings InvitationWizardLogic::lastSettings()
{
    return Get_IMG_Settings();
}

bool InvitationWizardLogic::setPhoto(const QString& path)
{
    const QString trimmed = path.trimmed();
    const QImage picture = readPicturePreview(trimmed);
    if (picture.isNull())
        return false;
    m_photoPath = trimmed;
    User_Picture = picture;
    return true;
}

QImage InvitationWizardLogic::Update_Image_With_Settings(const PictureSettings& settings) const
{
    Set_IMG_Adjustments(settings);
    return User_Picture.isNull() ? QImage() : ImageProcesser::Get_Processed_Image_Full_Combined(User_Picture, settings, true);
}
