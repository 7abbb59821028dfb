#pragma once
// The 2-D drawers: the bare symbol of a value as a raster at the context's resolution
// (USED_DPI_VALUE), without smoothing, sized in points as the settings say. Each returns the null
// picture, with a reason when asked, when the value cannot be encoded with those settings or the
// picture would be too large to keep; never an earlier symbol.
#include <QSizeF>
#include <QString>

#include "barcodes/BarcodeContext.h"
#include "model/BarcodePicture.h"

// QR Code with the context's version and level entries, in a square of the QR size (points),
// grown to one point per module when the symbol needs more, its margin transparent.
BarcodePicture Draw_QR_Barcode(const BarcodeContext& context, const QString& value, QString* reason = nullptr);
// PDF417 at the element's error level, stretched over its width by height (points) with no quiet
// zone. Text goes as Latin-1 where every character has a byte there, else as UTF-8.
BarcodePicture Draw_PDF_417_Barcode(const BarcodeContext& context, const QString& value, QString* reason = nullptr);
// Data Matrix with the size and encoding entries: its modules and a one-module transparent margin,
// given the size of its modules at Barcode_module_size points each.
BarcodePicture Draw_DataMatrix_Barcode(const BarcodeContext& context, const QString& value,
                                       QString* reason = nullptr);

// Empty when a picture of that size in points can be drawn at dpi and kept in a design file,
// otherwise the message refusing it; asked before any pixels are allocated.
QString pictureRefusal(QSizeF points, double dpi);

// The raster step: the picture as pixels at dpi (ceil(dpi*w/72) by ceil(dpi*h/72)), drawn
// without smoothing, with the same size in points; null, logged as "Invalid image", for a null
// picture, a resolution that is not positive or a raster too large to keep.
BarcodePicture Increase_DPI(const BarcodePicture& picture, double dpi);
