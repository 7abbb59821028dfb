// PDF417 encoding of 1,000 bytes at error level 5: ours against zint's library on the same input,
// both in-process and interleaved.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <QString>
#include <cstdio>

#include "barcodes/pdf417/Pdf417Symbol.h"
#include "BenchSupport.h"

namespace {

constexpr int kErrorLevel = 5;
constexpr double kTargetRatio = 1.0;

QByteArray sampleInput()
{
    const QByteArray record = "ZOVA ID Card; visitor 000123, Ms. O'Brien (Accounts) valid 2024-12-31 #A7/";
    QByteArray input;
    for (int i = 0; input.size() < 1000; ++i)
        input += record + QByteArray::number(i * 7919);
    input.truncate(1000);
    return input;
}

void zintEncode(const QByteArray& input)
{
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
    const BenchSide ours{[&] {
        auto grid = pdf417ModuleGrid(value, kErrorLevel);
        benchmark::DoNotOptimize(grid);
    }};
    const BenchSide zint{[&] { zintEncode(input); }};
    const PairedTimings timings = runPairedRounds(Rounds{31, 1, 40}, ours, zint);
    printRatio("pdf417_encode", timings, "zint library, 1000 bytes, level 5, per call");
    printBudget("pdf417_encode", "ours/zint", timings.ratio(), kTargetRatio);
    return 0;
}
