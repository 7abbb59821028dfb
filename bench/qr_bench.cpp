// QR Code encoding of 100 bytes at automatic version and level M, against libqrencode on the
// same input; the ratio of the two medians is printed at the end.
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <QByteArray>
#include <cstdio>
#include <map>
#include <string>

#include "barcodes/qr/QREncoder.h"
#include "BenchSupport.h"

namespace {

constexpr int kLevelM = 1;

// Mixed-case text with punctuation, so both encoders use byte mode throughout.
const QByteArray& input()
{
    static const QByteArray bytes = [] {
        const QByteArray pattern = "Zova card #4711, holder: Jane Q. Example <jane@example.org>; valid thru 2031-12; ";
        QByteArray text;
        while (text.size() < 100)
            text += pattern;
        text.truncate(100);
        return text;
    }();
    return bytes;
}

void BM_ZovaQr(benchmark::State& state)
{
    for (auto _ : state) {
        std::optional<DataMatrix> matrix = QREncoder::encodeCStringWithECLevel(kLevelM, 0, input());
        benchmark::DoNotOptimize(matrix);
    }
}
BENCHMARK(BM_ZovaQr)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_LibQrencode(benchmark::State& state)
{
    const std::string text = input().toStdString();
    for (auto _ : state) {
        QRcode* code = QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M);
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    }
}
BENCHMARK(BM_LibQrencode)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.medians.find("BM_ZovaQr");
    const auto peer = reporter.medians.find("BM_LibQrencode");
    if (ours != reporter.medians.end() && peer != reporter.medians.end() && peer->second > 0)
        std::printf("median: ours %.2f us, libqrencode %.2f us, ours / libqrencode = %.3f\n", ours->second,
                    peer->second, ours->second / peer->second);
    benchmark::Shutdown();
    return 0;
}
