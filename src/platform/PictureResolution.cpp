#include "platform/PictureResolution.h"

#include <algorithm>
#include <cmath>

#include "platform/Units.h"

namespace {

constexpr double kMetresPerInch = 0.0254;

}  // namespace

QSizeF sizeInPoints(const QImage& picture)
{
    const double dotsPerInchX = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() * kMetresPerInch : 72.0;
    const double dotsPerInchY = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() * kMetresPerInch : 72.0;
    return QSizeF(picture.width() * kPointsPerInch / dotsPerInchX, picture.height() * kPointsPerInch / dotsPerInchY);
}

int dotsPerMeterFor(int pixels, double points)
{
    return std::max(1, int(std::lround(pixels * kPointsPerInch / points / kMetresPerInch)));
}

void setSizeInPoints(QImage& picture, QSizeF points)
{
    if (picture.isNull() || points.isEmpty())
        return;
    picture.setDotsPerMeterX(dotsPerMeterFor(picture.width(), points.width()));
    picture.setDotsPerMeterY(dotsPerMeterFor(picture.height(), points.height()));
}
