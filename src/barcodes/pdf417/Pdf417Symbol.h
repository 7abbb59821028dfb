#pragma once
// The module grid of a PDF417 symbol for a value.
#include <QString>
#include <optional>
#include "barcodes/ModuleGrid.h"

// errorLevel 0..8 (another is refused); columns 0 chooses them. nullopt and a reason in *error
// when it cannot be encoded (never a previous symbol).
std::optional<ModuleGrid> pdf417ModuleGrid(const QString& value, int errorLevel, int columns = 0,
                                           QString* error = nullptr);
