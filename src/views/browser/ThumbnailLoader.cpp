#include "views/browser/ThumbnailLoader.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include "platform/PictureReading.h"

ThumbnailLoader::ThumbnailLoader(const QSize& box, QObject* parent, Reader reader)
    : QObject(parent), m_box(box), m_reader(reader ? std::move(reader) : Reader(readPictureFitted))
{
}

void ThumbnailLoader::request(const QString& path)
{
    if (m_pending.contains(path))
        return;
    m_pending.insert(path);
    // The watcher is ours, so a loader that goes away first hears of no result.
    auto* watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, path] {
        m_pending.remove(path);
        watcher->deleteLater();
        Q_EMIT thumbnailReady(path, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(m_reader, path, m_box));
}
