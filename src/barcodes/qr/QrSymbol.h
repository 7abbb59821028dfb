#pragma once
// The module grid of a QR Code symbol for a value.
#include <QString>
#include <optional>
#include "barcodes/ModuleGrid.h"

// version 0 chooses the smallest version that holds the value; errorLevelIndex is the index of
// the level in the barcode window's list. nullopt and a reason in *error when it cannot be encoded.
std::optional<ModuleGrid> qrModuleGrid(const QString& value, int version, int errorLevelIndex,
                                       QString* error = nullptr);
