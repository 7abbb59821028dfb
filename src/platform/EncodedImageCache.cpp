#include "platform/EncodedImageCache.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QMutex>
#include <QMutexLocker>

#include <list>

namespace {

class PngCache {
public:
    bool find(qint64 key, QByteArray* bytes)
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_entries.find(key);
        if (it == m_entries.end())
            return false;
        m_order.splice(m_order.end(), m_order, it->position);
        *bytes = it->bytes;
        return true;
    }

    void insert(qint64 key, const QByteArray& bytes)
    {
        if (bytes.size() > kEncodedImageCacheBytes)
            return;
        QMutexLocker lock(&m_mutex);
        if (m_entries.contains(key))
            return;  // another thread encoded the same picture meanwhile
        while (!m_order.empty() && m_totalBytes + bytes.size() > kEncodedImageCacheBytes) {
            m_totalBytes -= m_entries.value(m_order.front()).bytes.size();
            m_entries.remove(m_order.front());
            m_order.pop_front();
        }
        m_order.push_back(key);
        m_entries.insert(key, Entry{bytes, std::prev(m_order.end())});
        m_totalBytes += bytes.size();
    }

private:
    struct Entry {
        QByteArray bytes;
        std::list<qint64>::iterator position;
    };
    QMutex m_mutex;
    QHash<qint64, Entry> m_entries;
    std::list<qint64> m_order;  // least recently used first
    qsizetype m_totalBytes = 0;
};

PngCache& cache()
{
    static PngCache instance;
    return instance;
}

QByteArray encode(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? bytes : QByteArray();
}

}  // namespace

QByteArray encodedPng(const QImage& image)
{
    if (image.isNull())
        return {};
    const qint64 key = image.cacheKey();
    QByteArray bytes;
    if (cache().find(key, &bytes))
        return bytes;
    bytes = encode(image);
    if (!bytes.isEmpty())
        cache().insert(key, bytes);
    return bytes;
}

void rememberEncodedPng(const QImage& image, const QByteArray& bytes)
{
    static const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);
    if (!image.isNull() && bytes.startsWith(kPngSignature))
        cache().insert(image.cacheKey(), bytes);
}
