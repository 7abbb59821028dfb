#include "barcodes/BarcodeLists.h"

#include <algorithm>

#include "barcodes/linear/LinearSymbologies.h"
#include "model/NumberBounds.h"
#include "platform/NumberText.h"

namespace {

const QString kQrCode = QStringLiteral("QR Code");
const QString kPdf417 = QStringLiteral("PDF417");
const QString kDataMatrix = QStringLiteral("DataMatrix");

}  // namespace

const QStringList& symbologyTitles()
{
    static const QStringList titles = linearSymbologyTitles() + QStringList{kQrCode, kPdf417, kDataMatrix};
    return titles;
}

bool isTwoDimensionalSymbology(const QString& title)
{
    return title == kQrCode || title == kPdf417 || title == kDataMatrix;
}

bool isUpcEanSymbology(const QString& title)
{
    static const QStringList upcEan{"UPCA", "UPCE", "EAN-8", "EAN-13"};
    return upcEan.contains(title);
}

const QStringList& qrVersionEntries()
{
    static const QStringList entries = [] {
        QStringList list{QStringLiteral("Auto")};
        for (int version = 1; version <= 40; ++version)
            list << QStringLiteral("V%1").arg(version);
        return list;
    }();
    return entries;
}

int qrMinimumModules(int versionIndex)
{
    return std::max(21, 21 + 4 * (versionIndex - 1));
}

const QStringList& qrErrorLevelEntries()
{
    static const QStringList entries{"L", "M", "Q", "H"};
    return entries;
}

const QStringList& resolutionEntries()
{
    static const QStringList entries{"Auto", "72", "150", "300", "600", "1200", "Custom"};
    return entries;
}

int customResolutionIndex()
{
    return int(resolutionEntries().size()) - 1;
}

int customResolution(const QString& customText)
{
    const qint32 typed = leadingInt(customText);
    return NumberBounds::kBarcodeResolution.contains(typed) ? typed : kAutoResolution;
}

int resolutionOfEntry(int index, const QString& customText)
{
    if (index == customResolutionIndex())
        return customResolution(customText);
    bool isNumber = false;
    const int dpi = resolutionEntries().value(index).toInt(&isNumber);
    return isNumber ? dpi : kAutoResolution;
}

const QStringList& captionAlignmentEntries()
{
    static const QStringList entries{"Left", "Center", "Right"};
    return entries;
}
