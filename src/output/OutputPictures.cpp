#include "output/OutputPictures.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "filters/ImageProcesser.h"
#include "platform/PictureReading.h"
#include "platform/Units.h"

namespace {

// One key per file as it is now, settings and size: a file rewritten during a run is read again.
QString cacheKey(const QString& path, const PictureSettings& settings, const QSize& pixels)
{
    const QFileInfo file(path);
    QString key = QStringLiteral("%1|%2|%3|%4x%5|")
                      .arg(file.absoluteFilePath())
                      .arg(file.lastModified().toMSecsSinceEpoch())
                      .arg(file.size())
                      .arg(pixels.width())
                      .arg(pixels.height());
    PictureSettings::forEachField([&](const char*, auto member) { key += QString::number(settings.*member) + u','; });
    return key;
}

qint64 bytesOf(const QImage& image) { return image.sizeInBytes(); }

}  // namespace

OutputPictures::OutputPictures(qint64 cacheBytes) : m_cache(qint64(std::max<qint64>(cacheBytes, 1))) {}

OutputPictures::~OutputPictures()
{
    m_readers.waitForDone();
}

QSize OutputPictures::pixelsFor(const QSizeF& points, double dpi)
{
    const auto extent = [dpi](double length) {
        return int(std::max(1.0, std::ceil(dpi * std::abs(length) / kPointsPerInch - 1e-9)));
    };
    return QSize(extent(points.width()), extent(points.height()));
}

PictureSettings OutputPictures::settingsAtSize(const PictureSettings& settings, int width, int previewWidth)
{
    PictureSettings scaled = settings;
    if (previewWidth > 0 && width > 0 && std::isfinite(settings.blr_val))
        scaled.blr_val = float(settings.blr_val * double(width) / previewWidth);
    return scaled;
}

OutputPictures::Picture OutputPictures::readAdjusted(const QString& path, const PictureSettings& settings,
                                                    const QSize& pixels)
{
    Picture picture;
    picture.original = readPictureCovering(path, pixels);
    if (picture.original.isNull())
        return picture;
    // The canvas adjusts its preview of at most kPicturePreviewMaxPoints on the longer side.
    const QSize preview = picture.original.size().scaled(kPicturePreviewMaxPoints, kPicturePreviewMaxPoints,
                                                         Qt::KeepAspectRatio);
    const int previewWidth = std::min(preview.width(), picture.original.width());
    picture.adjusted = ImageProcesser::Get_Processed_Image_Full_Combined(
        picture.original, settingsAtSize(settings, picture.original.width(), previewWidth));
    return picture;
}

void OutputPictures::keep(const QString& key, const Picture& picture)
{
    if (picture.original.isNull())
        return;
    const qint64 cost = bytesOf(picture.original) + bytesOf(picture.adjusted);
    m_cache.insert(key, new Picture(picture), qsizetype(std::min<qint64>(cost, m_cache.maxCost())));
}

OutputPictures::Picture OutputPictures::pictureFor(const QString& path, const PictureSettings& settings,
                                                   const QSize& pixels)
{
    const QString key = cacheKey(path, settings, pixels);
    if (const Picture* kept = m_cache.object(key))
        return *kept;
    ++m_filesRead;
    // Read ahead under the key of the file as it was then: a file rewritten since has another key.
    QFuture<Picture> ahead = m_reading.take(key);
    // What was read ahead of the file before it changed is no use and would hold a place.
    const QString sameFile = key.left(key.indexOf(u'|') + 1);
    m_reading.removeIf([&](const auto& reading) { return reading.key().startsWith(sameFile); });
    const Picture picture = ahead.isValid() ? ahead.result() : readAdjusted(path, settings, pixels);
    keep(key, picture);
    return picture;
}

void OutputPictures::readAhead(const QString& path, const PictureSettings& settings, const QSize& pixels)
{
    if (path.isEmpty() || m_reading.size() >= kMaxReadAhead)
        return;
    const QString key = cacheKey(path, settings, pixels);
    if (m_reading.contains(key) || m_cache.contains(key))
        return;
    m_reading.insert(key, QtConcurrent::run(&m_readers, &OutputPictures::readAdjusted, path, settings, pixels));
}
