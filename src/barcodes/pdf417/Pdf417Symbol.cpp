#include "barcodes/pdf417/Pdf417Symbol.h"

std::optional<ModuleGrid> pdf417ModuleGrid(const QString&, int, int, QString* error)
{
    if (error)
        *error = QStringLiteral("PDF417 is not available yet.");
    return std::nullopt;
}
