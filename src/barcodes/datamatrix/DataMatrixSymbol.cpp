#include "barcodes/datamatrix/DataMatrixSymbol.h"

std::optional<ModuleGrid> dataMatrixModuleGrid(const QString&, int, int, QString* error)
{
    if (error)
        *error = QStringLiteral("Data Matrix is not available yet.");
    return std::nullopt;
}

QByteArray dataMatrixEps(const ModuleGrid&, double)
{
    return QByteArray();
}
