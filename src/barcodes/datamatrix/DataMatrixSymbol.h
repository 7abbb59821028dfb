#pragma once
// The module grid of a Data Matrix (ECC 200) symbol for a value, and its EPS text.
#include <QByteArray>
#include <QString>
#include <optional>
#include "barcodes/ModuleGrid.h"

// sizeIndex and encodingIndex are the indexes of the barcode window's size and encoding lists
// (0 = automatic). nullopt and a reason in *error when it cannot be encoded.
std::optional<ModuleGrid> dataMatrixModuleGrid(const QString& value, int sizeIndex,
                                               int encodingIndex, QString* error = nullptr);
// An EPS document drawing the grid with the given module size in points.
QByteArray dataMatrixEps(const ModuleGrid& grid, double moduleSize);
