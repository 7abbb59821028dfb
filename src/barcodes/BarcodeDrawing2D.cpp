#include "barcodes/BarcodeDrawing2D.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "barcodes/BarcodeLimits.h"
#include "barcodes/datamatrix/DataMatrixEncoder.h"
#include "barcodes/datamatrix/DataMatrixSymbol.h"
#include "barcodes/pdf417/Pdf417View.h"
#include "barcodes/qr/QREncoder.h"
#include "platform/Log.h"
#include "platform/PictureReading.h"

namespace {

BarcodePicture refused(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return {};
}

QString tooLargeToKeep(double width, double height)
{
    return QStringLiteral("The barcode picture would be %1 x %2 pixels, more than a design file keeps: at most %3 "
                          "on a side and %4 MB.")
        .arg(width, 0, 'f', 0)
        .arg(height, 0, 'f', 0)
        .arg(kMaxStoredPictureSide)
        .arg(kMaxPictureBytes >> 20);
}

}  // namespace

BarcodePicture Draw_QR_Barcode(const BarcodeContext& s, const QString& value, QString* reason)
{
    const std::optional<DataMatrix> grid = QREncoder::encodeWithECLevel(s.QR_EC_Level_Val, s.QR_Version_Val, value);
    if (!grid)
        return refused(reason, QStringLiteral("The value does not fit a QR Code of this version and level."));
    // The facade's square: whole points per module, at least one, centred in the QR size.
    const int size = s.controls.qr_size_val;
    const int modules = grid->dimension();
    const int side = std::max(size, std::max(1, size / modules) * modules);
    if (const QString refusal = pictureRefusal(QSizeF(side, side), s.USED_DPI_VALUE); !refusal.isEmpty())
        return refused(reason, refusal);
    return BarcodePicture(QREncoder::renderDataMatrix(*grid, size, s.USED_DPI_VALUE), QSizeF(side, side));
}

BarcodePicture Draw_PDF_417_Barcode(const BarcodeContext& s, const QString& value, QString* reason)
{
    const QSizeF frame(s.controls.pdf_wdt_val, s.controls.pdf_hgt_val);
    if (frame.width() < 1 || frame.height() < 1)
        return refused(reason, QStringLiteral("A PDF417 picture needs a width and a height."));
    if (const QString refusal = pictureRefusal(frame, s.USED_DPI_VALUE); !refusal.isEmpty())
        return refused(reason, refusal);
    pdf417View view;
    view.setFrameSize(frame);
    view.setErrorLevel(s.controls.pdf_ec_val);
    if (view.drawWithText(value, s.USED_DPI_VALUE) != pdf417View::ImageReady)
        return refused(reason, QStringLiteral("The value cannot be encoded as PDF417 at this error level."));
    return BarcodePicture(view.getImage(), frame);
}

BarcodePicture Draw_DataMatrix_Barcode(const BarcodeContext& s, const QString& value, QString* reason)
{
    const double module = s.Barcode_module_size;
    if (module < 1)
        return refused(reason, QStringLiteral("A Data Matrix module needs a size."));
    const std::optional<ModuleGrid> grid =
        dataMatrixModuleGrid(value, s.controls.dm_format_index, s.controls.dm_encoding_index, reason);
    if (!grid)
        return {};
    // The raster holds the margin as well, one point per module at the resolution.
    QString refusal = pictureRefusal(QSizeF(grid->width + 2, grid->height + 2), s.USED_DPI_VALUE);
    if (refusal.isEmpty())
        refusal = pictureRefusal(QSizeF(grid->width * module, grid->height * module), BarcodePicture::kStoredDpi);
    if (!refusal.isEmpty())
        return refused(reason, refusal);
    return BarcodePicture(dataMatrixPicture(*grid, module, s.USED_DPI_VALUE),
                          QSizeF(grid->width * module, grid->height * module));
}

QString pictureRefusal(QSizeF points, double dpi)
{
    const double width = std::ceil(dpi * points.width() / 72.0);
    const double height = std::ceil(dpi * points.height() / 72.0);
    const QString refusal = barcodePictureRefusal(width, height);
    if (!refusal.isEmpty())
        return refusal;
    if (width > kMaxStoredPictureSide || height > kMaxStoredPictureSide || width * height * 4 > double(kMaxPictureBytes))
        return tooLargeToKeep(width, height);
    return {};
}

BarcodePicture Increase_DPI(const BarcodePicture& picture, double dpi)
{
    const QImage raster = picture.toImage(dpi);
    if (raster.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    return BarcodePicture(raster, picture.size());
}
