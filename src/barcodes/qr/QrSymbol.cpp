#include "barcodes/qr/QrSymbol.h"

std::optional<ModuleGrid> qrModuleGrid(const QString&, int, int, QString* error)
{
    if (error)
        *error = QStringLiteral("QR Code is not available yet.");
    return std::nullopt;
}
