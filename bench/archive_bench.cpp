// Cost of archiving one card side (an undo snapshot): 20 elements, 5 of them 500 x 500 photos,
// against zlib level 1 over the same photos' raw pixels, in-process and interleaved. Twice:
//   cold  every snapshot holds freshly changed pictures, so our PNG encoding is timed and the
//         peer compresses every time;
//   warm  the same pictures again: our PNG bytes come from the cache, and the peer keeps its
//         compressed bytes in a cache of the same kind, so warm work meets warm work (what is
//         left is copying the bytes into a snapshot, and our archive of every element).
#include <QHash>
#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <zlib.h>

#include "model/SKTGraphicKinds.h"
#include "BenchSupport.h"

namespace {

constexpr int kPhotoSide = 500;
constexpr int kPhotos = 5;
constexpr int kElements = 20;

// Smooth gradients with sensor-like noise, so PNG and zlib see realistic, poorly compressible data.
QImage photo(int seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 6.0);
    QImage image(kPhotoSide, kPhotoSide, QImage::Format_RGB32);
    for (int y = 0; y < kPhotoSide; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPhotoSide; ++x) {
            auto channel = [&](double base) {
                return std::clamp(int(base + noise(random)), 0, 255);
            };
            line[x] = qRgb(channel(60 + 150.0 * x / kPhotoSide),
                           channel(40 + 120.0 * y / kPhotoSide + 20 * seed),
                           channel(200 - 100.0 * (x + y) / (2 * kPhotoSide)));
        }
    }
    return image;
}

GraphicList side()
{
    GraphicList graphics;
    for (int i = 0; i < kPhotos; ++i) {
        GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
        image->_bounds = QRectF(10, 10, 80, 100);
        image->_contents = photo(i);
        image->_contents_with_settings = image->_contents;
        graphics.append(image);
    }
    const QList<GraphicKind> others = {GraphicKind::Text, GraphicKind::Shape, GraphicKind::Line,
                                       GraphicKind::Barcode, GraphicKind::Signature};
    for (int i = 0; graphics.size() < kElements; ++i) {
        GraphicPtr g = SKTGraphic::create(others[i % others.size()]);
        g->_bounds = QRectF(5 * i, 4 * i, 60, 20);
        g->Text_Value = QStringLiteral("Field %1").arg(i);
        graphics.append(g);
    }
    return graphics;
}

// One changed pixel per photo gives every picture a new QImage::cacheKey: a cold cache entry.
void changeOnePixelOfEachPhoto(const GraphicList& graphics)
{
    for (const GraphicPtr& g : graphics) {
        if (g->kind() != GraphicKind::Image)
            continue;
        QImage changed = g->_contents;
        changed.setPixel(0, 0, changed.pixel(0, 0) ^ 1);
        g->_contents = changed;
        g->_contents_with_settings = changed;
    }
}

QByteArray zlibLevel1(const QImage& picture)
{
    uLongf size = compressBound(uLong(picture.sizeInBytes()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, picture.constBits(), uLong(picture.sizeInBytes()), 1);
    out.truncate(qsizetype(size));
    return out;
}

// The peer's snapshot: one buffer of the photos' compressed bytes, as ours is one archive per
// element holding its PNG bytes; compressed afresh, or taken from the peer's cache when seen.
class ZlibPeer {
public:
    explicit ZlibPeer(const GraphicList& graphics) : m_graphics(graphics) {}

    QByteArray snapshot() const { return snapshotWith([](const QImage& p) { return zlibLevel1(p); }); }

    QByteArray cachedSnapshot()
    {
        return snapshotWith([this](const QImage& p) {
            auto it = m_cache.find(p.cacheKey());
            if (it == m_cache.end())
                it = m_cache.insert(p.cacheKey(), zlibLevel1(p));
            return it.value();
        });
    }

private:
    template <typename Compress>
    QByteArray snapshotWith(Compress compress) const
    {
        QByteArray bytes;
        for (const GraphicPtr& g : m_graphics)
            if (g->kind() == GraphicKind::Image)
                bytes += compress(g->_contents);
        return bytes;
    }

    const GraphicList& m_graphics;
    QHash<qint64, QByteArray> m_cache;
};

}  // namespace

int main()
{
    const GraphicList graphics = side();
    ZlibPeer zlib(graphics);
    const auto freshPhotos = [&] { changeOnePixelOfEachPhoto(graphics); };
    const auto archive = [&] { benchmark::DoNotOptimize(SKTGraphic::propertiesWithGraphics(graphics)); };

    const PairedTimings cold = runPairedRounds(
        Rounds{15, 1, 1}, BenchSide{archive, freshPhotos},
        BenchSide{[&] { benchmark::DoNotOptimize(zlib.snapshot()); }, freshPhotos});
    printRatio("archive_cold", cold, "zlib level 1 on the same changed pixels");

    const PairedTimings warm = runPairedRounds(
        Rounds{31, 1, 20}, BenchSide{archive}, BenchSide{[&] { benchmark::DoNotOptimize(zlib.cachedSnapshot()); }});
    printRatio("archive_warm", warm, "zlib level 1 with its bytes cached per picture like ours");
    return 0;
}
