#pragma once
// The linear symbologies by the titles of the barcode window's symbology list.
#include <QString>
#include <QStringList>
#include <memory>
#include "barcodes/linear/NKDBarcode.h"

// The linear titles, in the order of the symbology list.
const QStringList& linearSymbologyTitles();
// A new, uninitialised object for a title (Code 128 with its code set); null for any other.
std::unique_ptr<NKDBarcode> makeLinearBarcode(const QString& title);
// One letter per bar of a bar-height code, from its bar extents: F reaches top and bottom,
// A the top only, D the bottom only, T neither.
QString barHeightLetters(const NKDBarcode& barcode);
