#include "photos/CropGeometry.h"

#include <algorithm>
#include <cmath>

namespace CropGeometry {

QRectF grownFaceBox(const QRectF& face, double percent)
{
    const float dw = float(percent * face.width() / 100.0);
    const float dh = float(percent * face.height() / 100.0);
    return QRectF(face.x() - dw / 2.0, face.y() - dh / 2.0, face.width() + dw, face.height() + dh);
}

double faceBoxScale(const QSizeF& view, const QSizeF& picture)
{
    const float iw = float(picture.width());
    const float ih = float(picture.height());
    if (iw <= 0 || ih <= 0)
        return 1.0;
    return iw - view.width() >= ih - view.height() ? view.width() / iw : view.height() / ih;
}

QRectF pictureRectOfSelection(const QRectF& selection, const QSizeF& displayRatio)
{
    const double rx = displayRatio.width();
    const double ry = displayRatio.height();
    if (rx <= 0 || ry <= 0)
        return {};
    return QRectF(selection.x() / rx, selection.y() / ry, selection.width() / rx, selection.height() / ry);
}

QRect pixelRectOf(const QRectF& pictureRect, const QSize& picture)
{
    // Whole pixels the rectangle touches, rows counted from the top.
    const int left = int(std::floor(pictureRect.left()));
    const int right = int(std::ceil(pictureRect.right()));
    const int top = int(std::floor(picture.height() - pictureRect.bottom()));
    const int bottom = int(std::ceil(picture.height() - pictureRect.top()));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(QRect(QPoint(0, 0), picture));
}

QSizeF givenSize(const QSizeF& wanted, const QSizeF& picture, bool keepProportions)
{
    if (!keepProportions)
        return wanted;
    const float iw = float(picture.width());
    const float ih = float(picture.height());
    if (iw <= 0 || ih <= 0)
        return {};
    const float ratio = std::min(float(wanted.width()) / iw, float(wanted.height()) / ih);
    return QSizeF(iw * ratio, ih * ratio);
}

}  // namespace CropGeometry
