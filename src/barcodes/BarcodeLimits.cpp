#include "barcodes/BarcodeLimits.h"

#include <cmath>

#include "barcodes/pdf417/Pdf417Encoder.h"
#include "barcodes/qr/CQR_Encode.h"

namespace {
// Digits fill Data Matrix densest: the 144 x 144 symbol's 1,558 data codewords hold 3,116.
constexpr qsizetype kDataMatrixMaxDigits = 3116;
}  // namespace

qsizetype barcodeValueMaxLength(const QString& symbologyTitle)
{
    if (symbologyTitle == QLatin1String("QR Code"))
        return CQR_Encode::kMaxInputLength;
    if (symbologyTitle == QLatin1String("PDF417"))
        return pdf417::kMaxTextLength;
    if (symbologyTitle == QLatin1String("DataMatrix"))
        return kDataMatrixMaxDigits;
    return kMaxLinearValueLength;
}

QString barcodeValueRefusal(const QString& symbologyTitle, const QString& value)
{
    const qsizetype most = barcodeValueMaxLength(symbologyTitle);
    if (value.size() <= most)
        return {};
    return QStringLiteral("The value has %1 characters; %2 takes at most %3.")
        .arg(value.size())
        .arg(symbologyTitle)
        .arg(most);
}

QString barcodePictureRefusal(double widthPixels, double heightPixels)
{
    const bool fits = std::isfinite(widthPixels) && std::isfinite(heightPixels) &&
                      widthPixels <= kMaxBarcodePictureSide && heightPixels <= kMaxBarcodePictureSide &&
                      widthPixels * heightPixels <= kMaxBarcodePicturePixels;
    if (fits)
        return {};
    return QStringLiteral("The barcode picture would be %1 x %2 pixels, too large to draw: at most %3 pixels, "
                          "and %4 on a side.")
        .arg(widthPixels, 0, 'f', 0)
        .arg(heightPixels, 0, 'f', 0)
        .arg(kMaxBarcodePicturePixels, 0, 'f', 0)
        .arg(kMaxBarcodePictureSide, 0, 'f', 0);
}
