#include "model/profiles/ProfilePlacement.h"

#include <array>

#include "model/profiles/User_Profile_Class.h"

namespace {

// The layouts are drawn bottom-up, as the profile form's layout boxes are, and turned top-down by
// the flip below; the box heights are those of the reference cards, 243 x 154 points and its
// upright twin, so every element lands on such a card.
constexpr double kLandscapeBoxHeight = 154.0;
constexpr double kPortraitBoxHeight = 243.0;
constexpr double kFlipMargin = 20.0;
constexpr double kCaptionLift = 10.0;

// A frame in the box's bottom-up coordinates whose flipped top is `top`.
constexpr QRectF frameWithTop(double boxHeight, double x, double top, double width, double height)
{
    return QRectF(x, boxHeight - kFlipMargin - top, width, height);
}

struct Layout {
    double boxHeight;
    std::array<QRectF, User_Profile_Field_Count> frames;
};

// Ten text rows beside the photo on a landscape card; the photo on top of the rows on an upright one.
Layout makeLayout(bool landscape)
{
    Layout layout{landscape ? kLandscapeBoxHeight : kPortraitBoxHeight, {}};
    const double textX = landscape ? 85.0 : 10.0;
    const double firstTop = landscape ? 12.0 : 100.0;
    const double rowStep = landscape ? 13.5 : 13.0;
    const double textWidth = landscape ? 150.0 : 134.0;
    for (int field = 0; field < User_Profile_Photo_Field; ++field)
        layout.frames[field] = frameWithTop(layout.boxHeight, textX, firstTop + field * rowStep, textWidth, 20.0);
    layout.frames[User_Profile_Photo_Field] = landscape ? frameWithTop(layout.boxHeight, 10.0, 20.0, 65.0, 80.0)
                                                        : frameWithTop(layout.boxHeight, 47.0, 15.0, 60.0, 75.0);
    return layout;
}

}  // namespace

QRectF Get_Control_Rect_From_Template(QSizeF frontCardSize, const QString& ctrlId)
{
    static const Layout landscapeLayout = makeLayout(true);
    static const Layout portraitLayout = makeLayout(false);
    // A square card counts as landscape.
    const Layout& layout = frontCardSize.width() >= frontCardSize.height() ? landscapeLayout : portraitLayout;

    QRectF frame;
    const auto& fields = User_Profile_Fields();
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        if (ctrlId == QLatin1String(fields[field].valueId)) {
            frame = layout.frames[field];
        } else if (field != User_Profile_Photo_Field && ctrlId == QLatin1String(fields[field].captionId)) {
            frame = layout.frames[field];
            frame.moveTop(frame.y() + kCaptionLift);
        }
    }
    frame.moveTop(layout.boxHeight - frame.y() - kFlipMargin);
    return frame;
}
