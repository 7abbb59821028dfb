#pragma once
// The barcode window's stored lists, in the order design files index them, and what their
// entries mean to the factory.
#include <QString>
#include <QStringList>

#include "barcodes/BarcodeText.h"

// Every symbology title: the linear ones, then "QR Code", "PDF417" and "DataMatrix".
const QStringList& barcodeSymbologyTitles();
// The title at a symbology index; empty outside the list.
QString barcodeSymbologyTitle(int index);
bool isTwoDimensionalSymbology(const QString& title);

// Header and footer alignments: "Left", "Center", "Right".
const QStringList& barcodeAlignmentEntries();
// The alignment of an entry index; any other index keeps the natural alignment.
BarcodeTextAlignment barcodeAlignment(int index);

// Resolutions of 2-D pictures: "Auto" (600), whole numbers, then "Custom".
const QStringList& barcodeDpiEntries();
inline constexpr int kAutoBarcodeDpi = 600;
// The custom resolutions a user may type.
inline constexpr int kLowestBarcodeDpi = 1;
inline constexpr int kHighestBarcodeDpi = 2400;
// The resolution of a DPI entry: the entry's number; for "Custom" the leading whole number of the
// custom text when it is a resolution a user may type; 600 for "Auto", for anything else and for
// an index outside the list.
int barcodeDpiOfEntry(int index, const QString& customText);

// The least side of a QR Code picture in points for a version entry (0 automatic): the
// version's module count, 21 for the automatic entry.
int qrMinimumSize(int versionIndex);
