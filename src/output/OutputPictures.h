#pragma once
// The pictures of image elements as output draws them: read from the original file at the pixels
// the element's box takes at the output resolution (the canvas keeps its smaller preview), with
// the element's picture settings applied at that size. Kept per file, settings and size, so a
// photo shared by every card of a run is read and adjusted once. GUI thread (or one thread) only.
#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

#include "filters/PictureSettings.h"

class SKTImage;

class OutputPictures {
public:
    // Room for the adjusted pictures kept, in bytes: a few hundred card photos at 600 dpi.
    static constexpr qint64 kDefaultCacheBytes = 256LL * 1024 * 1024;

    explicit OutputPictures(qint64 cacheBytes = kDefaultCacheBytes);

    struct Picture {
        QImage original;  // as read, the box's pixels covered
        QImage adjusted;  // with the settings applied
    };
    // The pixels a box of these points takes at dpi: ceil(dpi * points / 72) each way.
    static QSize pixelsFor(const QSizeF& points, double dpi);
    // The element's picture for a box of `pixels`; null pictures when the file gives none.
    Picture pictureFor(const QString& path, const PictureSettings& settings, const QSize& pixels);
    // The settings that give a picture of these pixels the look the canvas shows with its
    // preview of previewWidth pixels: the blur radius, counted in pixels, grows with the picture.
    static PictureSettings settingsAtSize(const PictureSettings& settings, int width, int previewWidth);

    // How many pictures were read from their files (each miss of the cache reads one).
    int filesRead() const { return m_filesRead; }

private:
    QCache<QString, Picture> m_cache;
    int m_filesRead = 0;
};
