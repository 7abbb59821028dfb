// Linear symbols grow in time with their length, not its square: one Royal Mail symbol of 4,000
// characters (bars and every bar's extent, as a drawing asks for them) against four of 1,000.
#include <benchmark/benchmark.h>

#include <QString>

#include "barcodes/linear/LinearSymbologies.h"
#include "BenchSupport.h"

namespace {

constexpr double kTargetRatio = 1.5;  // a square would give 4

void drawnBars(const QString& value)
{
    auto barcode = makeLinearBarcode(QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"));
    barcode->initWithContent(value);
    const QString letters = barHeightLetters(*barcode);
    benchmark::DoNotOptimize(letters);
}

}  // namespace

int main()
{
    const QString sample = QStringLiteral("SN34RD1A0123456789XYZ");
    QString shortValue;
    while (shortValue.size() < 1000)
        shortValue += sample;
    shortValue.truncate(1000);
    const QString longValue = shortValue.repeated(4);
    const BenchSide ours{[&] { drawnBars(longValue); }};
    const BenchSide peer{[&] {
        for (int i = 0; i < 4; ++i)
            drawnBars(shortValue);
    }};
    const PairedTimings timings = runPairedRounds(Rounds{15, 1, 1}, ours, peer);
    printRatio("royal_mail_length", timings, "four symbols of a quarter of the length, per call");
    printBudget("royal_mail_length", "one long/four short", timings.ratio(), kTargetRatio);
    return 0;
}
