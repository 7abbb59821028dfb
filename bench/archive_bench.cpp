// Cost of archiving one card side (an undo snapshot): 20 elements, 5 of them 500 x 500 photos,
// once the photos' encoded bytes are cached. zlib level 1 over the photos' raw pixels gives a
// machine-independent yardstick; the ratio of the two medians is printed at the end.
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <zlib.h>

#include "canvas/model/SKTGraphicKinds.h"
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

const QList<QImage>& photos()
{
    static const QList<QImage> pictures = [] {
        QList<QImage> list;
        for (int i = 0; i < kPhotos; ++i)
            list.append(photo(i));
        return list;
    }();
    return pictures;
}

GraphicList side()
{
    GraphicList graphics;
    for (const QImage& picture : photos()) {
        GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
        image->_bounds = QRectF(10, 10, 80, 100);
        image->_contents = picture;
        image->_contents_with_settings = picture;
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

void BM_ArchiveSide(benchmark::State& state)
{
    const GraphicList graphics = side();
    benchmark::DoNotOptimize(SKTGraphic::propertiesWithGraphics(graphics));  // fills the cache
    for (auto _ : state)
        benchmark::DoNotOptimize(SKTGraphic::propertiesWithGraphics(graphics));
}
BENCHMARK(BM_ArchiveSide)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_ZlibLevel1Photos(benchmark::State& state)
{
    const QList<QImage>& pictures = photos();
    QByteArray out;
    for (auto _ : state) {
        for (const QImage& picture : pictures) {
            uLongf size = compressBound(uLong(picture.sizeInBytes()));
            out.resize(qsizetype(size));
            compress2(reinterpret_cast<Bytef*>(out.data()), &size, picture.constBits(),
                      uLong(picture.sizeInBytes()), 1);
            benchmark::DoNotOptimize(out.data());
        }
    }
}
BENCHMARK(BM_ZlibLevel1Photos)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto archive = reporter.medians.find("BM_ArchiveSide");
    const auto zlib = reporter.medians.find("BM_ZlibLevel1Photos");
    if (archive != reporter.medians.end() && zlib != reporter.medians.end() && zlib->second > 0)
        std::printf("archive median / zlib level-1 median = %.3f\n", archive->second / zlib->second);
    benchmark::Shutdown();
    return 0;
}
