#pragma once
// Data Matrix (ECC 200) through libiec16022: the window's size and encoding entries, the symbol's
// modules, its EPS text and its raster picture.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "barcodes/ModuleGrid.h"

// The entries of the size list and of the encoding list, in their stored order.
const QStringList& dataMatrixSizeEntries();
const QStringList& dataMatrixEncodingEntries();

struct DataMatrixSize {
    int width = 0;   // columns; 0 with height 0 lets the library choose
    int height = 0;  // rows
};
// "Auto", or "C" rows "X" columns.
DataMatrixSize dataMatrixSizeFromEntry(const QString& entry);
// The library's per-byte encoding string for an entry and the bytes; empty for "Auto". C40 and
// Text leave to ASCII the bytes the library would write wrongly in them.
std::string dataMatrixEncodingString(const QString& entry, const QByteArray& data);

// The symbol for the bytes, rows from the top; where the library's automatic choice would write
// bytes wrongly in C40 or Text, they go in ASCII. When the library cannot make it with the entry's
// encoding, plain ASCII is tried once more, and *fellBackToAscii tells whether that made the
// symbol (the library fails with Base256 always, with its automatic choice for some texts). What
// the library prints goes to the log.
std::optional<ModuleGrid> encodeDataMatrix(const QByteArray& data, DataMatrixSize size,
                                           const QString& encodingEntry, QString* error = nullptr,
                                           bool* fellBackToAscii = nullptr);

// EPS text drawing one point per module inside a one-module margin, value in the header.
QByteArray makeEPS_Data_Matrix(const QByteArray& valueUtf8, const ModuleGrid& grid);

// The symbol as the EPS text draws it, rastered at dpi: dark modules black, light ones white, the
// margin transparent; the picture's size is the symbol's modules at moduleSize points each.
QImage dataMatrixPicture(const ModuleGrid& grid, double moduleSize, double dpi);
