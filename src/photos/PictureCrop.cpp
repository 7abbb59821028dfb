#include "photos/PictureCrop.h"

#include <QImage>
#include <cmath>

#include "filters/ImageProcesser.h"
#include "photos/CropGeometry.h"
#include "photos/FaceDetector.h"
#include "platform/AtomicFile.h"
#include "platform/PictureReading.h"
#include "render/ImageResolution.h"

namespace {

// A box found on a preview, in the full picture's pixels: the preview is the same picture at a
// smaller scale on each axis.
QRectF scaledToPicture(const QRectF& box, const QSize& preview, const QSize& picture)
{
    const double sx = double(picture.width()) / preview.width();
    const double sy = double(picture.height()) / preview.height();
    return QRectF(box.x() * sx, box.y() * sy, box.width() * sx, box.height() * sy);
}

QImage adjusted(const QImage& picture, const PictureSettings& adjustments)
{
    return adjustments == PictureSettings() ? picture
                                            : ImageProcesser::Get_Processed_Image_Full_Combined(picture, adjustments);
}

}  // namespace

QImage croppedPicture(const QImage& adjusted, const CropRequest& request, const QRectF& faceInPicture, QRect* pixels)
{
    QRect area;
    QImage result;
    switch (request.method) {
    case CropRequest::Selection: {
        const QSizeF ratio(request.viewSize.width() / adjusted.width(), request.viewSize.height() / adjusted.height());
        area = CropGeometry::pixelRectOf(CropGeometry::pictureRectOfSelection(request.selectionInView, ratio),
                                         adjusted.size());
        break;
    }
    case CropRequest::Face:
        area = CropGeometry::pixelRectOf(CropGeometry::grownFaceBox(faceInPicture, request.faceExtensionPercent),
                                         adjusted.size());
        break;
    default: {
        const QSizeF size = CropGeometry::givenSize(request.givenSize, adjusted.size(), request.keepProportions);
        const QSize whole(int(std::lround(size.width())), int(std::lround(size.height())));
        if (whole.width() >= 1 && whole.height() >= 1) {
            area = adjusted.rect();
            result = adjusted.scaled(whole, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        break;
    }
    }
    if (pixels)
        *pixels = area;
    if (area.isEmpty())
        return {};
    return result.isNull() ? adjusted.copy(area) : result;
}

CropResult encodePictureCrop(const CropRequest& request, FaceDetector& faces, QByteArray* encoded)
{
    CropResult result;
    encoded->clear();
    QImage preview;
    std::optional<QRectF> face;
    if (request.method == CropRequest::Face) {
        preview = readPicturePreview(request.source);
        if (preview.isNull()) {
            result.error = unreadablePictureMessage(request.source);
            return result;
        }
        face = faces.firstFace(preview);
        if (!face) {
            result.noFace = true;
            return result;
        }
    }
    const QImage picture = readPictureFile(request.source);
    if (picture.isNull()) {
        result.error = unreadablePictureMessage(request.source);
        return result;
    }
    const QRectF faceInPicture = face ? scaledToPicture(*face, preview.size(), picture.size()) : QRectF();
    const QImage crop = croppedPicture(adjusted(picture, request.adjustments), request, faceInPicture, &result.pixels);
    if (crop.isNull())
        return result;
    *encoded = Encode_gen_image(crop, request.target, &result.error);
    if (encoded->isEmpty() && result.error.isEmpty())
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
