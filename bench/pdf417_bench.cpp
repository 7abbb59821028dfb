// PDF417 encoding of 1,000 bytes: ours against zint's library on the same input.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "barcodes/pdf417/Pdf417Symbol.h"

namespace {

constexpr int kErrorLevel = 5;

QByteArray sampleInput()
{
    const QByteArray record = "ZOVA ID Card; visitor 000123, Ms. O'Brien (Accounts) valid 2024-12-31 #A7/";
    QByteArray input;
    for (int i = 0; input.size() < 1000; ++i)
        input += record + QByteArray::number(i * 7919);
    input.truncate(1000);
    return input;
}

// Median time of one call in microseconds, over batches.
double medianMicroseconds(const std::function<void()>& call)
{
    constexpr int kBatches = 31;
    constexpr int kCallsPerBatch = 40;
    for (int i = 0; i < kCallsPerBatch; ++i)
        call();  // warm-up
    std::vector<double> perCall;
    for (int b = 0; b < kBatches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kCallsPerBatch; ++i)
            call();
        const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
        perCall.push_back(elapsed.count() / kCallsPerBatch);
    }
    std::nth_element(perCall.begin(), perCall.begin() + kBatches / 2, perCall.end());
    return perCall[kBatches / 2];
}

}  // namespace

int main()
{
    const QByteArray input = sampleInput();
    const QString value = QString::fromLatin1(input);
    if (!pdf417ModuleGrid(value, kErrorLevel)) {
        std::fprintf(stderr, "the input does not encode\n");
        return 1;
    }

    const double ours = medianMicroseconds([&] {
        auto grid = pdf417ModuleGrid(value, kErrorLevel);
        benchmark::DoNotOptimize(grid);
    });
    const double zint = medianMicroseconds([&] {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_PDF417;
        symbol->input_mode = DATA_MODE;
        symbol->option_1 = kErrorLevel;
        const int rc = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(input.constData()),
                                       int(input.size()));
        if (rc >= ZINT_ERROR)
            std::fprintf(stderr, "zint: %s\n", symbol->errtxt);
        benchmark::DoNotOptimize(rc);
        ZBarcode_Delete(symbol);
    });
    std::printf("PDF417 encode of %d bytes at level %d (median per call)\n", int(input.size()), kErrorLevel);
    std::printf("ours: %.1f us\nzint: %.1f us\nratio ours/zint: %.2f (target <= 2)\n", ours, zint, ours / zint);
    return 0;
}
