#include "canvas/model/PictureFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace {

// A hostile header must not make the reader allocate without bound.
constexpr int kAllocationLimitMB = 256;

// The reader's size is the stored one; EXIF turns may swap it, so the preview is fitted into a
// square and stays within the limit either way.
QSize previewSize(const QSize& stored)
{
    if (stored.width() <= kPicturePreviewMaxPoints && stored.height() <= kPicturePreviewMaxPoints)
        return stored;
    return stored.scaled(kPicturePreviewMaxPoints, kPicturePreviewMaxPoints, Qt::KeepAspectRatio)
        .expandedTo(QSize(1, 1));
}

QImage readPicture(QImageReader& reader, bool asPreview)
{
    reader.setAllocationLimit(kAllocationLimitMB);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (asPreview && stored.isValid())
        reader.setScaledSize(previewSize(stored));
    QImage image = reader.read();
    // Points are pixels here, whatever the file name says about its scale.
    image.setDevicePixelRatio(1.0);
    return image;
}

}  // namespace

QImage readPicturePreview(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    return readPicture(reader, true);
}

QImage readPictureData(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return readPicture(reader, false);
}
