#pragma once
// The module grid of a Data Matrix (ECC 200) symbol for a value, and its EPS text.
#include <QByteArray>
#include <QString>
#include <optional>
#include "barcodes/ModuleGrid.h"

// sizeIndex and encodingIndex are the indexes of the barcode window's size and encoding lists
// (0 = automatic). nullopt and a reason in *error when it cannot be encoded. *fellBackToAscii is
// set when the chosen encoding could not be used and the symbol is plain ASCII instead.
std::optional<ModuleGrid> dataMatrixModuleGrid(const QString& value, int sizeIndex,
                                               int encodingIndex, QString* error = nullptr,
                                               bool* fellBackToAscii = nullptr);
// An EPS document drawing the grid, value in its header. The text always draws one point per
// module; moduleSize is the size in points that the picture made from it is given (see
// dataMatrixPicture), so it does not change the text.
QByteArray dataMatrixEps(const ModuleGrid& grid, double moduleSize, const QString& value = QString());
