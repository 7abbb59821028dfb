#pragma once
// What the invitation wizard does beside its controls: the nine values its OK stores for the
// invitation layout, and its photo through the picture settings, which every photo window shares
// through the IMG_ globals.
#include <QImage>
#include <QString>

#include "filters/PictureSettings.h"

struct InvitationValues {
    QString title, to, message, date, time, venue, from;
    QString photo;  // the photo's file
    QString frame;  // the frame (background) picture's file
};

class InvitationWizardLogic {
public:
    // Into the Invite_ globals, as typed.
    static void Store_Invitation(const InvitationValues& values);
    // The settings last used in any photo window, which the photo editor starts from.
    static PictureSettings lastSettings();

    // Takes the picture file (trimmed) as the photo; false, the photo as it was, when it holds none.
    bool setPhoto(const QString& path);
    // The settings become the last used, and the photo comes back through them (null without one).
    QImage Update_Image_With_Settings(const PictureSettings& settings) const;

    const QString& photoPath() const { return m_photoPath; }
    // The photo as read, which the editor adjusts.
    QImage User_Picture;

private:
    QString m_photoPath;
};
