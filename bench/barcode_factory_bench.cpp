// One full barcode factory call per symbology, as batch output makes one per record: a new
// element's settings loaded, the symbol of a value generated, its picture drawn and raised to its
// 600-dpi raster. The median per call of each symbology against a budget of 5 ms; then 1,000
// calls over every symbology, whose peak memory must stay where the first round left it.
//   bench_barcode_factory_bench [calls per symbology]

#include <QGuiApplication>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "model/SKTBarcode.h"
#include "support/BarcodeSamples.h"

namespace {

constexpr double kBudgetMs = 5.0;
constexpr int kMemoryCalls = 1000;
// Peak memory may grow by this much over 1,000 calls: allocator slack, not a picture per call.
constexpr double kMemoryGrowthBudgetMb = 8.0;

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const int calls = argc > 1 ? std::max(1, atoi(argv[1])) : 25;
    const QStringList& titles = symbologyTitles();
    const QStringList& values = barcodeSampleValues();
    std::vector<std::shared_ptr<SKTBarcode>> elements;
    for (int i = 0; i < titles.size(); ++i) {
        auto element = std::make_shared<SKTBarcode>();
        element->barcode.barcode_font_index = i;
        element->barcode.linear_or_2d = isTwoDimensionalSymbology(titles[i]) ? 1 : 0;
        elements.push_back(element);
    }
    BarcodeFactory& factory = barcodeFactory();
    const auto makePicture = [&](int i) {
        factory.Set_Barcode_Prop_To_Control(*elements[size_t(i)]);
        const BarcodePicture picture =
            factory.Get_Image_From_Val(values[i], QStringLiteral("HEADER"), QStringLiteral("FOOTER"));
        if (picture.isNull())
            std::fprintf(stderr, "no picture for %s\n", qPrintable(titles[i]));
        return picture;
    };

    for (int i = 0; i < titles.size(); ++i) {
        makePicture(i);  // warm: fonts, tables
        std::vector<double> ms;
        for (int n = 0; n < calls; ++n)
            ms.push_back(timedMs([&] { makePicture(i); }));
        const QByteArray name = "barcode_factory " + titles[i].toUtf8();
        printBudget(name.constData(), "median per call", median(ms), kBudgetMs, " ms");
    }

    const double before = peakMemoryMb();
    for (int n = 0; n < kMemoryCalls; ++n)
        makePicture(n % int(titles.size()));
    const double after = peakMemoryMb();
    std::printf("memory barcode_factory: peak %.1f MB before %d calls, %.1f MB after\n", before, kMemoryCalls, after);
    printBudget("barcode_factory memory", "peak growth over 1,000 calls", after - before, kMemoryGrowthBudgetMb, " MB");
    return 0;
}
