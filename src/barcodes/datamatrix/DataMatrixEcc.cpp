#include "barcodes/datamatrix/DataMatrixEcc.h"

#include <array>
#include <functional>
#include <initializer_list>

namespace {

constexpr int kLargestSide = 144;
constexpr int kLargestRegion = 22;
constexpr int kLargestDataCodewords = 1558;
constexpr int kLargestBlocks = 10;
constexpr int kLargestEccPerBlock = 62;

// Which codeword and bit (1 = most significant) each cell of the mapping matrix carries.
struct Placement {
    int rows = 0;
    int cols = 0;
    std::vector<int> cell;  // 10 * codeword + bit, 1-based codewords; 0 unused, -1 fixed dark

    Placement(int r, int c) : rows(r), cols(c), cell(size_t(r) * size_t(c), 0)
    {
        int chr = 1;
        int row = 4;
        int col = 0;
        do {
            if (row == rows && col == 0)
                corner({{rows - 1, 0}, {rows - 1, 1}, {rows - 1, 2}, {0, cols - 2}, {0, cols - 1}, {1, cols - 1}, {2, cols - 1}, {3, cols - 1}}, chr++);
            if (row == rows - 2 && col == 0 && cols % 4)
                corner({{rows - 3, 0}, {rows - 2, 0}, {rows - 1, 0}, {0, cols - 4}, {0, cols - 3}, {0, cols - 2}, {0, cols - 1}, {1, cols - 1}}, chr++);
            if (row == rows - 2 && col == 0 && cols % 8 == 4)
                corner({{rows - 3, 0}, {rows - 2, 0}, {rows - 1, 0}, {0, cols - 2}, {0, cols - 1}, {1, cols - 1}, {2, cols - 1}, {3, cols - 1}}, chr++);
            if (row == rows + 4 && col == 2 && !(cols % 8))
                corner({{rows - 1, 0}, {rows - 1, cols - 1}, {0, cols - 3}, {0, cols - 2}, {0, cols - 1}, {1, cols - 3}, {1, cols - 2}, {1, cols - 1}}, chr++);
            do {
                if (row < rows && col >= 0 && !at(row, col))
                    utah(row, col, chr++);
                row -= 2;
                col += 2;
            } while (row >= 0 && col < cols);
            row += 1;
            col += 3;
            do {
                if (row >= 0 && col < cols && !at(row, col))
                    utah(row, col, chr++);
                row += 2;
                col -= 2;
            } while (row < rows && col >= 0);
            row += 3;
            col += 1;
        } while (row < rows || col < cols);
        if (!at(rows - 1, cols - 1))
            at(rows - 1, cols - 1) = at(rows - 2, cols - 2) = -1;
    }

    int& at(int row, int col) { return cell[size_t(row) * size_t(cols) + size_t(col)]; }

    void module(int row, int col, int chr, int bit)
    {
        if (row < 0) {
            row += rows;
            col += 4 - ((rows + 4) % 8);
        }
        if (col < 0) {
            col += cols;
            row += 4 - ((cols + 4) % 8);
        }
        at(row, col) = 10 * chr + bit;
    }

    void utah(int row, int col, int chr)
    {
        const int offsets[8][2] = {{-2, -2}, {-2, -1}, {-1, -2}, {-1, -1}, {-1, 0}, {0, -2}, {0, -1}, {0, 0}};
        for (int bit = 0; bit < 8; ++bit)
            module(row + offsets[bit][0], col + offsets[bit][1], chr, bit + 1);
    }

    void corner(std::initializer_list<std::array<int, 2>> cells, int chr)
    {
        int bit = 1;
        for (const auto& c : cells)
            module(c[0], c[1], chr, bit++);
    }
};

// Visits every mapping-matrix cell with its place in the symbol (finder and timing left out).
void forEachDataCell(const ModuleGrid& symbol, int regionSize,
                     const std::function<void(int chr, int bit, int x, int y)>& visit)
{
    const int side = symbol.width - 2 * (symbol.width / (regionSize + 2));
    const Placement placement(side, side);
    for (int row = 0; row < side; ++row) {
        for (int col = 0; col < side; ++col) {
            const int code = placement.cell[size_t(row) * size_t(side) + size_t(col)];
            if (code > 0)
                visit(code / 10 - 1, code % 10, col + 2 * (col / regionSize) + 1, row + 2 * (row / regionSize) + 1);
        }
    }
}

struct Gf256 {
    std::array<int, 256> log{};
    std::array<int, 255> exp{};
    Gf256()
    {
        int v = 1;
        for (int i = 0; i < 255; ++i) {
            exp[size_t(i)] = v;
            log[size_t(v)] = i;
            v <<= 1;
            if (v & 0x100)
                v ^= 0x12D;
        }
    }
    int mul(int a, int b) const { return a && b ? exp[size_t((log[size_t(a)] + log[size_t(b)]) % 255)] : 0; }
};

}  // namespace

std::vector<int> dataMatrixCodewords(const ModuleGrid& symbol, int regionSize)
{
    std::vector<int> codewords;
    forEachDataCell(symbol, regionSize, [&](int chr, int bit, int x, int y) {
        if (size_t(chr) >= codewords.size())
            codewords.resize(size_t(chr) + 1, 0);
        if (symbol.isDark(x, y))
            codewords[size_t(chr)] |= 1 << (8 - bit);
    });
    return codewords;
}

void setDataMatrixCodewords(ModuleGrid& symbol, int regionSize, const std::vector<int>& codewords)
{
    forEachDataCell(symbol, regionSize, [&](int chr, int bit, int x, int y) {
        symbol.setDark(x, y, codewords[size_t(chr)] >> (8 - bit) & 1);
    });
}

std::vector<int> dataMatrixEcc(const std::vector<int>& data, int blocks, int eccPerBlock)
{
    static const Gf256 gf;
    // Generator with roots 2^1 .. 2^n, highest power first, leading 1 left out.
    std::vector<int> g{1};
    for (int i = 1; i <= eccPerBlock; ++i) {
        std::vector<int> next(g.size() + 1, 0);
        for (size_t j = 0; j < g.size(); ++j) {
            next[j] ^= g[j];
            next[j + 1] ^= gf.mul(g[j], gf.exp[size_t(i)]);
        }
        g = std::move(next);
    }
    std::vector<int> ecc(size_t(blocks) * size_t(eccPerBlock), 0);
    for (int b = 0; b < blocks; ++b) {
        std::vector<int> reg(size_t(eccPerBlock), 0);
        for (size_t i = size_t(b); i < data.size(); i += size_t(blocks)) {
            const int t = data[i] ^ reg[0];
            for (int j = 0; j < eccPerBlock; ++j)
                reg[size_t(j)] = (j + 1 < eccPerBlock ? reg[size_t(j + 1)] : 0) ^ gf.mul(t, g[size_t(j + 1)]);
        }
        for (int j = 0; j < eccPerBlock; ++j)
            ecc[size_t(j) * size_t(blocks) + size_t(b)] = reg[size_t(j)];
    }
    return ecc;
}

void repairLargestDataMatrix(ModuleGrid& symbol)
{
    if (symbol.width != kLargestSide || symbol.height != kLargestSide)
        return;
    std::vector<int> codewords = dataMatrixCodewords(symbol, kLargestRegion);
    const std::vector<int> data(codewords.begin(), codewords.begin() + kLargestDataCodewords);
    const std::vector<int> ecc = dataMatrixEcc(data, kLargestBlocks, kLargestEccPerBlock);
    // This size also starts each round of interleaved correction codewords with the two short blocks.
    for (size_t j = 0; j < size_t(kLargestEccPerBlock); ++j) {
        for (size_t b = 0; b < size_t(kLargestBlocks); ++b)
            codewords[size_t(kLargestDataCodewords) + j * kLargestBlocks + (b + 2) % kLargestBlocks] =
                ecc[j * kLargestBlocks + b];
    }
    setDataMatrixCodewords(symbol, kLargestRegion, codewords);
}
