#include "barcodes/linear/LinearSymbologies.h"
#include <algorithm>
#include <functional>
#include <vector>
#include "barcodes/linear/NKDCodabarBarcode.h"
#include "barcodes/linear/NKDCode128Barcode.h"
#include "barcodes/linear/NKDCode39Barcode.h"
#include "barcodes/linear/NKDModifiedPlesseyBarcode.h"
#include "barcodes/linear/NKDPostalBarcodes.h"
#include "barcodes/linear/NKDTwoOfFiveBarcode.h"
#include "barcodes/linear/NKDUPCEANBarcode.h"

namespace {
struct Symbology {
    const char* title;
    std::function<std::unique_ptr<NKDBarcode>()> make;
};

template <typename T>
std::unique_ptr<NKDBarcode> make() { return std::make_unique<T>(); }

std::unique_ptr<NKDBarcode> makeCode128(int codeSet) { return std::make_unique<NKDCode128Barcode>(codeSet); }

const std::vector<Symbology>& symbologies()
{
    static const std::vector<Symbology> table = {
        {"Code 39", make<NKDCode39Barcode>},
        {"Extended Code 39", make<NKDExtendedCode39Barcode>},
        {"Interleaved 2 of 5", make<NKDInterleavedTwoOfFiveBarcode>},
        {"UPCA", make<NKDUPCABarcode>},
        {"PostNet", make<NKDPostnetBarcode>},
        {"Modified Plessey", make<NKDModifiedPlesseyBarcode>},
        {"Modified Plessey (Hex)", make<NKDModifiedPlesseyHexBarcode>},
        {"Industrial 2 of 5", make<NKDIndustrialTwoOfFiveBarcode>},
        {"EAN-13", make<NKDEAN13Barcode>},
        {"Code 128", [] { return makeCode128(NKDCode128Barcode::Automatic); }},
        {"Code 128 SET A", [] { return makeCode128(NKDCode128Barcode::SetA); }},
        {"Code 128 SET B", [] { return makeCode128(NKDCode128Barcode::SetB); }},
        {"Code 128 SET C", [] { return makeCode128(NKDCode128Barcode::SetC); }},
        {"Codabar", make<NKDCodabarBarcode>},
        {"UPCE", make<NKDUPCEBarcode>},
        {"EAN-8", make<NKDEAN8Barcode>},
        {"Royal Mail Barcode (RM4SCC / CBC)", make<NKDRoyalMailBarcode>},
        {"Planet", make<NKDPlanetBarcode>},
        {"Japan Post Barcode", make<JapanPostBarcode>},
    };
    return table;
}
}  // namespace

const QStringList& linearSymbologyTitles()
{
    static const QStringList titles = [] {
        QStringList list;
        for (const Symbology& symbology : symbologies())
            list << QString::fromLatin1(symbology.title);
        return list;
    }();
    return titles;
}

std::unique_ptr<NKDBarcode> makeLinearBarcode(const QString& title)
{
    for (const Symbology& symbology : symbologies()) {
        if (title == QLatin1String(symbology.title))
            return symbology.make();
    }
    return nullptr;
}

QString barHeightLetters(const NKDBarcode& barcode)
{
    const BarString bars = barcode.completeBarcode();
    struct Extent {
        float top;
        float bottom;
    };
    std::vector<Extent> extents;
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] == '1')
            extents.push_back({barcode.barTop(int(i)), barcode.barBottom(int(i))});
    }
    if (extents.empty())
        return {};
    const float top = std::max_element(extents.begin(), extents.end(),
        [](const Extent& a, const Extent& b) { return a.top < b.top; })->top;
    const float bottom = std::min_element(extents.begin(), extents.end(),
        [](const Extent& a, const Extent& b) { return a.bottom < b.bottom; })->bottom;
    constexpr float kTolerance = 0.01f;
    QString letters;
    for (const Extent& extent : extents) {
        const bool reachesTop = extent.top >= top - kTolerance;
        const bool reachesBottom = extent.bottom <= bottom + kTolerance;
        letters += reachesTop ? (reachesBottom ? 'F' : 'A') : (reachesBottom ? 'D' : 'T');
    }
    return letters;
}
