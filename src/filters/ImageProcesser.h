#pragma once
// The picture filter chain: colour stages, sharpening, exposure and blur, then the flips, then a
// turn that keeps the picture in its box. Class operations only; no state. Safe on any thread.
#include <QImage>
#include <QRectF>

#include "filters/PictureSettings.h"

class ImageProcesser {
public:
    ImageProcesser() = delete;

    // The source run through grey scale (gray_Scale), sepia (Sepia), then hue (radians),
    // saturation, brightness and contrast, sharpening, exposure (in stops) and box blur (radius in
    // pixels); mirrored by the two flips; with yes_rotate_on_box, turned clockwise by the whole
    // degrees of rotate_image (wholeDegrees) inside its own box. Values that are not finite count
    // as neutral. invert_clr and img_trnsp_val are not applied (transparency is applied when the
    // picture is drawn). A null source gives a null picture; on a failure the picture in hand is
    // returned and the reason logged. The result keeps the source's size and resolution.
    // reach: how many pixels of this picture stand for one pixel of the picture the settings were
    // chosen on; the blur and the sharpening reach that much further, so a full-size picture looks
    // as its preview did.
    static QImage Get_Processed_Image_Full_Combined(const QImage& image, const PictureSettings& settings,
                                                    bool yes_rotate_on_box = true, double reach = 1);

    // The picture turned counter-clockwise by `degrees` (y pointing up) about its centre on a
    // canvas the size of the turned picture's bounding box, that canvas then squeezed back into
    // the source's size axis by axis; the corners left uncovered are transparent. Only the
    // rectangle's origin is read, and it does not change the result.
    static QImage imageRotatedByDegrees_On_Ctrl_Bound(const QImage& image, double degrees,
                                                      const QRectF& img_bound_rect);
    // The same turn on a canvas the size of the turned picture's bounding box, not squeezed.
    static QImage imageRotatedByDegrees(const QImage& image, double degrees);
    // The source itself for 0 degrees; otherwise as imageRotatedByDegrees.
    static QImage adjust_Rotate(const QImage& image, float withvalue);

    // The same pixels with the size in points (pixels at the resolution of each axis, dots per
    // metre) clamped to at most 724 x 468, each side on its own, so the aspect ratio may change.
    // The clamped size is stated as the resolution of the axis, which files written from the
    // picture keep. A picture within both limits is returned untouched.
    static QImage Set_Dimaension(QImage image);

    // A turn setting as the whole degrees the chain takes: truncated toward zero, reduced to
    // (-360, 360); not a number gives 0.
    static int wholeDegrees(float degrees);
};
