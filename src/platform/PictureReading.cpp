#include "platform/PictureReading.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace {

// A hostile header must not make the reader allocate without bound.
constexpr int kAllocationLimitMB = 256;
// Stored picture bytes (archives, design files) hold pictures of card size, never this wide.
constexpr int kMaxStoredSide = 20000;

// The reader's size is the stored one; EXIF turns may swap it, so the preview is fitted into a
// square and stays within the limit either way.
QSize previewSize(const QSize& stored, int maxSide)
{
    if (stored.width() <= maxSide && stored.height() <= maxSide)
        return stored;
    return stored.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// A maxSide of 0 reads the picture at full size.
QImage readPicture(QImageReader& reader, int maxSide)
{
    reader.setAllocationLimit(kAllocationLimitMB);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    // A scaled read decodes row by row and never meets the reader's limit, so the limit is held
    // against the full picture too: a small file must not cost minutes of decoding.
    if (stored.isValid() && qint64(stored.width()) * stored.height() * 4 > qint64(kAllocationLimitMB) * 1024 * 1024)
        return QImage();
    if (maxSide > 0 && stored.isValid())
        reader.setScaledSize(previewSize(stored, maxSide));
    QImage image = reader.read();
    // Points are pixels here, whatever the file name says about its scale.
    image.setDevicePixelRatio(1.0);
    return image;
}

}  // namespace

QImage readPicturePreview(const QString& path, int maxSide)
{
    if (maxSide < 1 || path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    return readPicture(reader, maxSide);
}

QImage readPictureData(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.width() > kMaxStoredSide || stored.height() > kMaxStoredSide)
        return QImage();
    return readPicture(reader, 0);
}
