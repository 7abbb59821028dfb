#include "barcodes/qr/QrSymbol.h"

#include "barcodes/qr/QREncoder.h"

std::optional<ModuleGrid> qrModuleGrid(const QString& value, int version, int errorLevelIndex, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<ModuleGrid> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (version < 0 || version > 40)
        return fail(QStringLiteral("QR Code version %1 does not exist.").arg(version));
    if (errorLevelIndex < 0 || errorLevelIndex > 3)
        return fail(QStringLiteral("QR Code error level %1 does not exist.").arg(errorLevelIndex));
    if (value.isEmpty())
        return fail(QStringLiteral("There is no value to encode."));

    const std::optional<DataMatrix> matrix = QREncoder::encodeWithECLevel(errorLevelIndex, version, value);
    if (!matrix)
        return fail(QStringLiteral("The value does not fit a QR Code of this version and level."));
    const int n = matrix->dimension();
    ModuleGrid grid(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            grid.setDark(x, y, matrix->valueAt(x, y) != 0);
    return grid;
}
