// The barcode factory called from four threads at once, each loading elements and making their
// pictures as batch output does: every picture equals the one a single thread makes. The test
// also runs in a ThreadSanitizer build of the barcode and model libraries (test_barcodes_tsan).
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "model/SKTBarcode.h"
#include "support/BarcodeSamples.h"

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 2;

std::vector<std::shared_ptr<SKTBarcode>> everySymbology()
{
    std::vector<std::shared_ptr<SKTBarcode>> elements;
    const QStringList& titles = symbologyTitles();
    for (int i = 0; i < titles.size(); ++i) {
        auto element = std::make_shared<SKTBarcode>();
        element->barcode.barcode_font_index = i;
        element->barcode.linear_or_2d = isTwoDimensionalSymbology(titles[i]) ? 1 : 0;
        elements.push_back(element);
    }
    return elements;
}

QImage pictureOf(const SKTGraphic& element, const QString& value)
{
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(element);
    return factory.Get_Image_From_Val(value, QStringLiteral("HEADER"), QStringLiteral("FOOTER")).image();
}

}  // namespace

TEST(BarcodeFactoryThreads, FourThreadsAtOnceMakeThePicturesOneThreadMakes)
{
    const auto elements = everySymbology();
    const QStringList& values = barcodeSampleValues();
    ASSERT_EQ(elements.size(), size_t(values.size()));
    std::vector<QImage> expected;
    for (size_t i = 0; i < elements.size(); ++i) {
        expected.push_back(pictureOf(*elements[i], values[int(i)]));
        ASSERT_FALSE(expected.back().isNull()) << symbologyTitles().value(int(i)).toStdString();
    }

    // Each thread starts at another symbology, so that different ones are made side by side.
    std::vector<std::vector<QImage>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                for (size_t k = 0; k < elements.size(); ++k) {
                    const size_t i = (k + size_t(t) * 5) % elements.size();
                    made[size_t(t)].push_back(pictureOf(*elements[i], values[int(i)]));
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (int t = 0; t < kThreads; ++t) {
        for (size_t n = 0; n < made[size_t(t)].size(); ++n) {
            const size_t i = (n % elements.size() + size_t(t) * 5) % elements.size();
            EXPECT_EQ(made[size_t(t)][n], expected[i]) << symbologyTitles().value(int(i)).toStdString() << " on thread " << t;
        }
    }
}
