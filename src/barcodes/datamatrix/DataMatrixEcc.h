#pragma once
// Error correction of ECC 200 symbols as placed in a module grid.
#include <vector>

#include "barcodes/ModuleGrid.h"

// The codewords of a square symbol (rows from the top), in placement order.
std::vector<int> dataMatrixCodewords(const ModuleGrid& symbol, int regionSize);
void setDataMatrixCodewords(ModuleGrid& symbol, int regionSize, const std::vector<int>& codewords);
// Reed-Solomon codewords of the interleaved blocks: block b holds data codewords b, b + blocks, ...
std::vector<int> dataMatrixEcc(const std::vector<int>& data, int blocks, int eccPerBlock);

// libiec16022 interleaves the 144 x 144 symbol's correction codewords like those of the other
// sizes, which readers reject: there each round starts with the two short blocks (155 data
// codewords against 156). Recomputes and re-places them.
void repairLargestDataMatrix(ModuleGrid& symbol);
