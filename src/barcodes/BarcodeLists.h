#pragma once
// The barcode window's lists whose indexes an element stores (and design files with it): the
// symbologies, the QR Code versions and error levels, the resolutions of 2-D pictures and the
// header and footer alignments. Their order never changes, or stored designs would change their
// meaning. The Data Matrix sizes and encodings are listed beside their encoder.
#include <QString>
#include <QStringList>

// Every symbology title: the linear ones, then "QR Code", "PDF417" and "DataMatrix".
const QStringList& symbologyTitles();
// Whether the title is one of the three 2-D symbologies.
bool isTwoDimensionalSymbology(const QString& title);
// UPC and EAN captions are split round their guard bars, so their caption spacing is fixed.
bool isUpcEanSymbology(const QString& title);

// "Auto", then "V1" to "V40": entry n is version n.
const QStringList& qrVersionEntries();
// The least side of a QR Code symbol of the version entry, in modules: 21 for "Auto" and
// version 1, 177 for version 40.
int qrMinimumModules(int versionIndex);
// "L", "M", "Q", "H": the index is the level.
const QStringList& qrErrorLevelEntries();

// "Auto" (kAutoResolution), fixed resolutions in dpi, then "Custom" (the element's custom text).
const QStringList& resolutionEntries();
inline constexpr int kAutoResolution = 600;
int customResolutionIndex();
// The resolution a custom text stands for: its leading whole number when that is a resolution
// the window takes (NumberBounds::kBarcodeResolution), else kAutoResolution.
int customResolution(const QString& customText);
// The resolution of an entry: the entry's number, customResolution for "Custom", kAutoResolution
// for "Auto" and for an index outside the list.
int resolutionOfEntry(int index, const QString& customText);

// "Left", "Center", "Right".
const QStringList& captionAlignmentEntries();
