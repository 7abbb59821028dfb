#pragma once
// The pictures of image elements as output draws them: read from the original file at the pixels
// the element's box takes at the output resolution (the canvas keeps its smaller preview), with
// the element's picture settings applied at that size. Kept per file, settings and size, so a
// photo shared by every card of a run is read and adjusted once. The pictures of the next records
// may be asked for ahead, and are then read on workers while the current record is drawn. One
// thread (the GUI thread) asks.
#include <QCache>
#include <QDateTime>
#include <QFuture>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include "filters/PictureSettings.h"

class SKTImage;

class OutputPictures {
public:
    // Room for the adjusted pictures kept, in bytes: a few hundred card photos at 600 dpi.
    static constexpr qint64 kDefaultCacheBytes = 256LL * 1024 * 1024;

    // Pictures read ahead and not yet asked for, at most.
    static constexpr int kMaxReadAhead = 16;

    explicit OutputPictures(qint64 cacheBytes = kDefaultCacheBytes);
    // Waits for the pictures still being read ahead.
    ~OutputPictures();
    OutputPictures(const OutputPictures&) = delete;
    OutputPictures& operator=(const OutputPictures&) = delete;

    struct Picture {
        QImage original;  // as read, the box's pixels covered
        QImage adjusted;  // with the settings applied
    };
    // The pixels a box of these points takes at dpi: ceil(dpi * points / 72) each way.
    static QSize pixelsFor(const QSizeF& points, double dpi);
    // The element's picture for a box of `pixels`; null pictures when the file gives none.
    Picture pictureFor(const QString& path, const PictureSettings& settings, const QSize& pixels);
    // Starts reading the picture pictureFor will be asked for, on a worker; nothing when it is
    // kept or already being read, or when kMaxReadAhead are being read.
    void readAhead(const QString& path, const PictureSettings& settings, const QSize& pixels);
    // The settings that give a picture of these pixels the look the canvas shows with its
    // preview of previewWidth pixels: the blur radius, counted in pixels, grows with the picture.
    static PictureSettings settingsAtSize(const PictureSettings& settings, int width, int previewWidth);

    // How many pictures were read from their files (each miss of the cache reads one).
    int filesRead() const { return m_filesRead; }

private:
    // Read from the file and adjusted: any thread.
    static Picture readAdjusted(const QString& path, const PictureSettings& settings, const QSize& pixels);
    void keep(const QString& key, const Picture& picture);

    QCache<QString, Picture> m_cache;
    QHash<QString, QFuture<Picture>> m_reading;
    QThreadPool m_readers;
    int m_filesRead = 0;
};
