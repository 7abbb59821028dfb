#include "barcodes/BarcodeLists.h"

#include <algorithm>

#include "barcodes/linear/LinearSymbologies.h"
#include "platform/NumberText.h"

namespace {
const QStringList kTwoDimensionalTitles = {QStringLiteral("QR Code"), QStringLiteral("PDF417"),
                                           QStringLiteral("DataMatrix")};
const QString kCustomDpiEntry = QStringLiteral("Custom");
}  // namespace

const QStringList& barcodeSymbologyTitles()
{
    static const QStringList titles = linearSymbologyTitles() + kTwoDimensionalTitles;
    return titles;
}

QString barcodeSymbologyTitle(int index)
{
    return barcodeSymbologyTitles().value(index);
}

bool isTwoDimensionalSymbology(const QString& title)
{
    return kTwoDimensionalTitles.contains(title);
}

const QStringList& barcodeAlignmentEntries()
{
    static const QStringList entries = {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
    return entries;
}

BarcodeTextAlignment barcodeAlignment(int index)
{
    switch (index) {
    case 0: return BarcodeTextAlignment::Left;
    case 1: return BarcodeTextAlignment::Center;
    case 2: return BarcodeTextAlignment::Right;
    default: return BarcodeTextAlignment::Natural;
    }
}

const QStringList& barcodeDpiEntries()
{
    static const QStringList entries = {QStringLiteral("Auto"), QStringLiteral("150"), QStringLiteral("300"),
                                        QStringLiteral("600"), QStringLiteral("1200"), kCustomDpiEntry};
    return entries;
}

int barcodeDpiOfEntry(int index, const QString& customText)
{
    const QString entry = barcodeDpiEntries().value(index);
    if (entry == kCustomDpiEntry) {
        const qint32 typed = leadingInt(customText);
        return typed >= kLowestBarcodeDpi && typed <= kHighestBarcodeDpi ? typed : kAutoBarcodeDpi;
    }
    bool isNumber = false;
    const int dpi = entry.toInt(&isNumber);
    return isNumber ? dpi : kAutoBarcodeDpi;
}

int qrMinimumSize(int versionIndex)
{
    return std::max(21, 21 + 4 * (versionIndex - 1));
}
