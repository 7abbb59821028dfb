#include "barcodes/datamatrix/DataMatrixSymbol.h"

#include "barcodes/datamatrix/DataMatrixEncoder.h"

std::optional<ModuleGrid> dataMatrixModuleGrid(const QString& value, int sizeIndex, int encodingIndex,
                                               QString* error, bool* fellBackToAscii)
{
    const QStringList& sizes = dataMatrixSizeEntries();
    const QStringList& encodings = dataMatrixEncodingEntries();
    if (sizeIndex < 0 || sizeIndex >= sizes.size() || encodingIndex < 0 || encodingIndex >= encodings.size()) {
        if (error)
            *error = QStringLiteral("Unknown Data Matrix size or encoding.");
        return std::nullopt;
    }
    return encodeDataMatrix(value.toUtf8(), dataMatrixSizeFromEntry(sizes[sizeIndex]), encodings[encodingIndex],
                            error, fellBackToAscii);
}

QByteArray dataMatrixEps(const ModuleGrid& grid, double /*moduleSize*/, const QString& value)
{
    return makeEPS_Data_Matrix(value.toUtf8(), grid);
}
