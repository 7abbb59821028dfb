#include "photos/PictureCrop.h"

#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <cmath>

#include "filters/ImageProcesser.h"
#include "photos/CropGeometry.h"
#include "photos/FaceDetector.h"
#include "platform/AtomicFile.h"
#include "platform/PictureReading.h"
#include "render/ImageResolution.h"
#include "render/PngEncoding.h"

namespace {

// A box found on a preview, in the full picture's pixels: the preview is the same picture at a
// smaller scale on each axis.
QRectF scaledToPicture(const QRectF& box, const QSize& preview, const QSize& picture)
{
    const double sx = double(picture.width()) / preview.width();
    const double sy = double(picture.height()) / preview.height();
    return QRectF(box.x() * sx, box.y() * sy, box.width() * sx, box.height() * sy);
}

void setUnreadable(const QString& source, CropResult& result)
{
    result.unreadable = true;
    result.error = unreadablePictureMessage(source);
}

QImage adjusted(const QImage& picture, const PictureSettings& adjustments, double reach = 1)
{
    return adjustments == PictureSettings()
        ? picture
        : ImageProcesser::Get_Processed_Image_Full_Combined(picture, adjustments, true, reach);
}

// How many pixels of the picture stand for one of the preview the adjustments were seen on.
double previewReach(const QImage& picture, const CropRequest& request)
{
    const QSize preview = picturePreviewSize(request.source, request.previewSide);
    if (!preview.isValid() || preview.isEmpty())
        return 1;
    return double(std::max(picture.width(), picture.height())) / std::max(preview.width(), preview.height());
}

}  // namespace

QRect cropArea(const QSize& picture, const CropRequest& request, const QRectF& faceInPicture)
{
    switch (request.method) {
    case CropRequest::Selection: {
        const QSizeF ratio(request.viewSize.width() / picture.width(), request.viewSize.height() / picture.height());
        return CropGeometry::pixelRectOf(CropGeometry::pictureRectOfSelection(request.selectionInView, ratio), picture);
    }
    case CropRequest::Face:
        return CropGeometry::pixelRectOf(CropGeometry::grownFaceBox(faceInPicture, request.faceExtensionPercent), picture);
    default:
        return QRect(QPoint(0, 0), picture);
    }
}

QImage croppedPicture(const QImage& adjusted, const CropRequest& request, const QRectF& faceInPicture, QRect* pixels)
{
    const QRect area = cropArea(adjusted.size(), request, faceInPicture);
    if (pixels)
        *pixels = area;
    if (area.isEmpty())
        return {};
    if (request.method != CropRequest::Selection && request.method != CropRequest::Face) {
        const QSizeF size = CropGeometry::givenSize(request.givenSize, adjusted.size(), request.keepProportions);
        const QSize whole(int(std::lround(size.width())), int(std::lround(size.height())));
        if (whole.width() < 1 || whole.height() < 1) {
            if (pixels)
                *pixels = QRect();
            return {};
        }
        return adjusted.scaled(whole, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return adjusted.copy(area);
}

namespace {

// The crop of a picture without adjustments: only its area is read, which spares most of the
// decoding of a large photo.
QImage croppedArea(const CropRequest& request, const QImage& preview, const std::optional<QRectF>& face,
                   CropResult& result)
{
    const QSize size = pictureFileSize(request.source);
    if (!size.isValid()) {
        setUnreadable(request.source, result);
        return {};
    }
    result.pixels = cropArea(size, request, face ? scaledToPicture(*face, preview.size(), size) : QRectF());
    if (result.pixels.isEmpty())
        return {};
    const QImage crop = readPictureArea(request.source, result.pixels);
    if (crop.isNull())
        setUnreadable(request.source, result);
    return crop;
}

QImage croppedWhole(const CropRequest& request, const QImage& preview, const std::optional<QRectF>& face,
                    CropResult& result)
{
    const QImage picture = readPictureFile(request.source);
    if (picture.isNull()) {
        setUnreadable(request.source, result);
        return {};
    }
    const QImage whole = adjusted(picture, request.adjustments, previewReach(picture, request));
    const QRectF faceInPicture = face ? scaledToPicture(*face, preview.size(), whole.size()) : QRectF();
    return croppedPicture(whole, request, faceInPicture, &result.pixels);
}

QByteArray encoded(const QImage& crop, const QString& target, QString* error)
{
    // Many crops of a run are PNG: libspng writes them in a fraction of Qt's time.
    if (QFileInfo(target).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return encodePng(crop, error);
    return Encode_gen_image(crop, target, error);
}

}  // namespace

CropResult encodePictureCrop(const CropRequest& request, FaceDetector& faces, QByteArray* encodedBytes)
{
    CropResult result;
    encodedBytes->clear();
    QImage preview;
    std::optional<QRectF> face;
    if (request.method == CropRequest::Face) {
        preview = readPicturePreview(request.source, request.previewSide);
        if (preview.isNull()) {
            setUnreadable(request.source, result);
            return result;
        }
        // A flip or a turn moves the face: it is looked for where the cut will find it.
        preview = adjusted(preview, request.adjustments);
        face = faces.firstFace(preview);
        if (!face) {
            result.noFace = true;
            return result;
        }
    }
    const bool areaOnly = request.adjustments == PictureSettings() &&
                          (request.method == CropRequest::Selection || request.method == CropRequest::Face);
    const QImage crop = areaOnly ? croppedArea(request, preview, face, result) : croppedWhole(request, preview, face, result);
    if (crop.isNull())
        return result;
    *encodedBytes = encoded(crop, request.target, &result.error);
    if (encodedBytes->isEmpty() && result.error.isEmpty())
        result.error = QStringLiteral("The picture could not be encoded for \"%1\".").arg(request.target);
    return result;
}

CropResult cropPictureFile(const CropRequest& request, FaceDetector& faces)
{
    QByteArray bytes;
    CropResult result = encodePictureCrop(request, faces, &bytes);
    if (bytes.isEmpty() || !writeFileAtomically(request.target, bytes, &result.error))
        return result;
    result.written = true;
    result.target = request.target;
    return result;
}
