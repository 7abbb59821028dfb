// Rescaling a design to a turned card: 1,000 elements of every kind on the two sides of a
// document, each moved and scaled through setBounds (observers told, the inspector asked to show
// it), against a plain loop scaling 1,000 QRectF in a std::vector by the same arithmetic. The
// target is at most 50 ms for the whole design.
//   bench_inspector_rescale_bench [rounds]
#include <QGuiApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

#include "model/SKTDocument.h"
#include "views/inspector/CardRescale.h"
#include "BenchSupport.h"

namespace {

constexpr int kElements = 1000;
constexpr double kTargetMs = 50.0;
// CR80 landscape to portrait, in points.
constexpr float kOldWidth = 242.64567f, kOldHeight = 153.07087f;

QRectF startBounds(int i)
{
    return QRectF(i % 200, (i * 7) % 140, 20 + i % 30, 10 + i % 20);
}

GraphicList side(int first, int count)
{
    const QList<GraphicKind> kinds{GraphicKind::Text, GraphicKind::Shape, GraphicKind::Line,
                                   GraphicKind::Image, GraphicKind::Barcode, GraphicKind::Signature};
    GraphicList graphics;
    for (int i = first; i < first + count; ++i) {
        GraphicPtr graphic = SKTGraphic::create(kinds[i % kinds.size()]);
        graphic->_bounds = startBounds(i);
        graphics.append(graphic);
    }
    return graphics;
}

// The peer: the same rescale over bare rectangles.
void scaleRects(std::vector<QRectF>& rects, float pw, float ph)
{
    for (QRectF& r : rects) {
        const float x = float(r.x()), y = float(r.y()), w = float(r.width()), h = float(r.height());
        r = QRectF(x + x * pw / 100.0f, y + y * ph / 100.0f, w + w * pw / 100.0f, h + h * ph / 100.0f);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const int rounds = countArgument(argc, argv, 31);

    SKTDocument document;
    const GraphicList front = side(0, kElements / 2);
    const GraphicList back = side(kElements / 2, kElements / 2);
    document.insertGraphicsOnSide(SKTDocument::FrontSide, front, firstIndexes(int(front.size())));
    document.insertGraphicsOnSide(SKTDocument::BackSide, back, firstIndexes(int(back.size())));
    std::vector<QRectF> rects(kElements);

    const auto restoreDesign = [&] {
        for (int i = 0; i < kElements; ++i)
            (i < front.size() ? front[i] : back[i - front.size()])->_bounds = startBounds(i);
    };
    const auto restoreRects = [&] {
        for (int i = 0; i < kElements; ++i)
            rects[i] = startBounds(i);
    };
    const BenchSide ours{[&] {
                             Set_Control_Location_Size_IF_Card_Size_Change(front, back, kOldWidth, kOldHeight,
                                                                           kOldHeight, kOldWidth, true);
                         },
                         restoreDesign};
    const float pw = (kOldHeight - kOldWidth) * 100.0f / kOldWidth;
    const float ph = (kOldWidth - kOldHeight) * 100.0f / kOldHeight;
    const BenchSide peer{[&] {
                             scaleRects(rects, pw, ph);
                             benchmark::DoNotOptimize(rects.data());
                         },
                         restoreRects};

    std::printf("Card turned from landscape to portrait, %d elements on two sides, median of %d rounds\n",
                kElements, rounds);
    const PairedTimings timings = runPairedRounds(Rounds{rounds, 1, 1}, ours, peer);
    printRatio("inspector_rescale", timings, "a plain loop scaling 1,000 QRectF in a std::vector");
    printBudget("inspector_rescale", "ours median", timings.ours.median() * 1e3, kTargetMs, " ms");
    return 0;
}
