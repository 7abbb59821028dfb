#pragma once
// How long a barcode's value and how large its picture may be. The barcode window's value field,
// the picture factory and the test probe take their bounds from here, so a value one of them
// accepts the others draw, and a hostile value can neither exhaust memory nor stall the drawing.
#include <QString>

// The most characters a value of the symbology (a title of the symbology list) may hold: for the
// 2-D codes the most their largest symbol carries, for the linear codes kMaxLinearValueLength.
qsizetype barcodeValueMaxLength(const QString& symbologyTitle);
// Empty when the value is within its symbology's bound, otherwise the message refusing it.
QString barcodeValueRefusal(const QString& symbologyTitle, const QString& value);

// Far more than a card has room for: a thousand Code 128 characters at the window's default
// 20-mil bars are wider than the largest card (200 inches).
inline constexpr qsizetype kMaxLinearValueLength = 1000;

// A barcode picture holds at most 2^26 pixels (256 MB at four bytes a pixel), and no side is
// longer than 2^17 pixels, which still holds the largest card's side at 600 dpi.
inline constexpr double kMaxBarcodePicturePixels = 67108864.0;
inline constexpr double kMaxBarcodePictureSide = 131072.0;
// Empty when a picture of that many pixels (computed in floating point, before any allocation)
// can be drawn, otherwise the message refusing it.
QString barcodePictureRefusal(double widthPixels, double heightPixels);
