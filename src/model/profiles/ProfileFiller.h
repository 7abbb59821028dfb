#pragma once
// Writes a card-holder profile onto one side: each non-empty value into the element carrying its
// identifier (made where the side has none), with its binding, the photo and the captions. The
// elements of empty fields are hidden, never deleted, so they come back in their old place.
#include <QSizeF>
#include <QString>

#include "model/profiles/ProfileCanvas.h"
#include "model/profiles/User_Profile_Class.h"

enum class ProfileFillSide { Front, Back, Preview };

class ProfileFiller {
public:
    // frontCardSize chooses the layout of new elements on every side; noImagePath is what a
    // preview photo without a path shows.
    ProfileFiller(ProfileCanvas& canvas, QSizeF frontCardSize, QString noImagePath);

    // The front and back fills do nothing unless a profile was confirmed (fillUserProfile); they
    // end with one undo snapshot. The preview always runs and records none.
    void Fill_Side(const User_Profile_Class& profile, ProfileFillSide side, bool fillUserProfile);

    static constexpr int kTextTool = 2;
    static constexpr int kPictureTool = 8;

private:
    void fillSteps(const User_Profile_Class& profile, ProfileFillSide side);
    void placeValues(const User_Profile_Class& profile);
    void placePhoto(const User_Profile_Class& profile, ProfileFillSide side);
    void placeCaptions(const User_Profile_Class& profile);
    // Shows the value in the element with the identifier, placing a new one where there is none.
    void replace(GraphicKind kind, const QString& ctrlId, const QString& value);
    void bindSelected(const User_Profile_Class& profile, const User_Profile_Field& field);

    ProfileCanvas& m_canvas;
    QSizeF m_frontCardSize;
    QString m_noImagePath;
};
