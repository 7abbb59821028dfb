#include "photos/ImageGeometry.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <algorithm>
#include <cmath>

#include "platform/Units.h"

namespace {

constexpr double kMetresPerInch = 0.0254;
// PDF pages are drawn at two and a half times their size in points when taken at full size.
constexpr double kPdfFullSizeFactor = 2.5;

bool isPdfFile(const QString& path)
{
    // Only a regular file's bytes are looked at; a pipe would never answer.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    return QMimeDatabase().mimeTypeForFile(path).inherits(QStringLiteral("application/pdf"));
}

void setResolution(QImage& picture, double pixelsPerPoint)
{
    picture.setDevicePixelRatio(pixelsPerPoint);
    const int dotsPerMeter = int(std::lround(pixelsPerPoint * kPointsPerInch / kMetresPerInch));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
}

}  // namespace

QSizeF imageRatio(const QSizeF& pictureSize, const ImageViewLayout& view)
{
    const double rx = view.drawingRect.width() / pictureSize.width();
    const double ry = view.drawingRect.height() / pictureSize.height();
    switch (view.scaling) {
    case ImageScaleProportionallyDown: {
        const double r = std::min({float(rx), float(ry), 1.0f});
        return QSizeF(r, r);
    }
    case ImageScaleAxesIndependently:
        return QSizeF(rx, ry);
    case ImageScaleProportionallyUpOrDown: {
        const double r = std::min(float(rx), float(ry));
        return QSizeF(r, r);
    }
    default:
        return QSizeF(1, 1);
    }
}

QRectF scaledImageRect(const QSizeF& pictureSize, const ImageViewLayout& view)
{
    if (pictureSize.width() < 1 || pictureSize.height() < 1)
        return QRectF();
    const QRectF& d = view.drawingRect;
    const QSizeF ratio = imageRatio(pictureSize, view);
    const double w = pictureSize.width() * ratio.width();
    const double h = pictureSize.height() * ratio.height();
    const double left = 0, right = d.width() - w, centreX = (d.width() - w) / 2;
    const double bottom = 0, top = d.height() - h, centreY = (d.height() - h) / 2;
    QRectF placed;
    switch (view.alignment) {
    case ImageAlignCenter: placed = QRectF(centreX, centreY, w, h); break;
    case ImageAlignTop: placed = QRectF(centreX, top, w, h); break;
    case ImageAlignTopLeft: placed = QRectF(left, top, w, h); break;
    case ImageAlignTopRight: placed = QRectF(right, top, w, h); break;
    case ImageAlignLeft: placed = QRectF(left, centreY, w, h); break;
    case ImageAlignBottom: placed = QRectF(centreX, bottom, w, h); break;
    case ImageAlignBottomLeft: placed = QRectF(left, bottom, w, h); break;
    case ImageAlignBottomRight: placed = QRectF(right, bottom, w, h); break;
    case ImageAlignRight: placed = QRectF(right, centreY, w, h); break;
    default: placed = QRectF(0, 0, 0, 0); break;
    }
    return placed.translated(d.topLeft());
}

QImage originalImage(const QImage& picture, const QString& fileURL)
{
    if (picture.isNull())
        return picture;
    const double factor = isPdfFile(fileURL) ? kPdfFullSizeFactor : 1.0;
    // The larger of points and pixels is the pixels unless the picture has fewer pixels than points.
    QImage full = picture;
    full.setDevicePixelRatio(std::min(picture.devicePixelRatio(), qreal(1)) / factor);
    return full;
}

QSizeF originalImageRatio(const QImage& picture, const QString& fileURL, const ImageViewLayout& view)
{
    return imageRatio(originalImage(picture, fileURL).deviceIndependentSize(), view);
}

QImage& normalizeSize(QImage& picture)
{
    if (!picture.isNull())
        setResolution(picture, 1.0);
    return picture;
}

QImage& setDPI(QImage& picture, int dpi)
{
    if (!picture.isNull() && dpi > 0)
        setResolution(picture, dpi / kPointsPerInch);
    return picture;
}
