#pragma once
// The mask of a QR Code symbol chosen by penalty: each of the eight applied a line at a time to
// the bit-packed symbol, format information included, and its penalty counted on whole words.
#include "barcodes/qr/QrBitGrid.h"

// Whether the mask turns module (j, i) over: i the row, j the column.
template <int Pattern>
constexpr bool qrMaskCondition(int i, int j)
{
    if constexpr (Pattern == 0) return (i + j) % 2 == 0;
    else if constexpr (Pattern == 1) return i % 2 == 0;
    else if constexpr (Pattern == 2) return j % 3 == 0;
    else if constexpr (Pattern == 3) return (i + j) % 3 == 0;
    else if constexpr (Pattern == 4) return (i / 2 + j / 3) % 2 == 0;
    else if constexpr (Pattern == 5) return (i * j) % 2 + (i * j) % 3 == 0;
    else if constexpr (Pattern == 6) return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    else return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
}

class QrMaskChoice {
public:
    // size the symbol's modules, level 0-3 as its format information states it.
    QrMaskChoice(int size, int level);

    // A function pattern module; the format information's are rewritten for each mask.
    void setFunction(int x, int y, bool dark);
    // A data or error-correction module, dark before masking or not.
    void setData(int x, int y, bool dark);

    int penaltyOf(int mask);
    // The lowest penalty's mask, the lowest number among equals.
    int best();

private:
    int m_size;
    int m_level;
    QrBitGrid m_fixedDark;  // dark function modules
    QrBitGrid m_free;       // the modules a mask may turn over
    QrBitGrid m_data;       // dark data modules before masking
    QrBitGrid m_masked;
};
