// QR Code encoding of 100 bytes at automatic version and level M, against libqrencode on the
// same input, both in-process and interleaved.
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <QByteArray>
#include <string>

#include "barcodes/qr/QREncoder.h"
#include "BenchSupport.h"

namespace {

constexpr int kLevelM = 1;
constexpr double kTargetRatio = 1.0;

// Mixed-case text with punctuation, so both encoders use byte mode throughout.
QByteArray sampleInput()
{
    const QByteArray pattern = "Zova card #4711, holder: Jane Q. Example <jane@example.org>; valid thru 2031-12; ";
    QByteArray text;
    while (text.size() < 100)
        text += pattern;
    text.truncate(100);
    return text;
}

}  // namespace

int main()
{
    const QByteArray input = sampleInput();
    const std::string text = input.toStdString();
    const BenchSide ours{[&] {
        std::optional<DataMatrix> matrix = QREncoder::encodeCStringWithECLevel(kLevelM, 0, input);
        benchmark::DoNotOptimize(matrix);
    }};
    const BenchSide libqrencode{[&] {
        QRcode* code = QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M);
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    }};
    const PairedTimings timings = runPairedRounds(Rounds{31, 1, 40}, ours, libqrencode);
    printRatio("qr_encode", timings, "libqrencode, 100 bytes, level M, per call");
    printBudget("qr_encode", "ours/libqrencode", timings.ratio(), kTargetRatio);
    return 0;
}
