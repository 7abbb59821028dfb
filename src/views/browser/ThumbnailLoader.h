#pragma once
// Thumbnails of picture files, read off the GUI thread so a folder of large pictures never stalls
// the window.
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <functional>

class ThumbnailLoader : public QObject {
    Q_OBJECT
public:
    // Reads the picture of a file fitted within a box; a null picture when there is none.
    using Reader = std::function<QImage(const QString& path, const QSize& box)>;

    // Thumbnails fit within box; the reader is the shared picture reading unless a test gives its own.
    explicit ThumbnailLoader(const QSize& box, QObject* parent = nullptr, Reader reader = {});

    QSize box() const { return m_box; }
    // Starts reading the file's thumbnail on a worker thread, unless it is being read already.
    void request(const QString& path);

Q_SIGNALS:
    // On the loader's thread when a read ends; image is null for a file that holds no picture.
    void thumbnailReady(const QString& path, const QImage& image);

private:
    QSize m_box;
    Reader m_reader;
    QSet<QString> m_pending;
};
