#pragma once
// A QR Code symbol's colours a bit per module, kept both row by row and column by column, so
// that the mask penalty reads whole lines a word at a time instead of a module at a time.
#include <array>
#include <cstddef>
#include <cstdint>

class QrBitGrid {
public:
    static constexpr int kMaxSize = 177;
    static constexpr int kWords = 3;  // 177 modules fit 3 words
    using Line = std::array<uint64_t, kWords>;

    // All light. Only the symbol's lines are cleared: the rest is never read.
    explicit QrBitGrid(int size = 0);

    int size() const { return m_size; }
    // x the column, y the row from the top. Bits outside the symbol stay clear.
    void set(int x, int y, bool dark)
    {
        setBit(m_rows[size_t(y)][size_t(x) / 64], x % 64, dark);
        setBit(m_columns[size_t(x)][size_t(y) / 64], y % 64, dark);
    }
    bool isDark(int x, int y) const { return (m_rows[size_t(y)][size_t(x) / 64] >> (x % 64)) & 1; }
    Line& row(int y) { return m_rows[size_t(y)]; }
    Line& column(int x) { return m_columns[size_t(x)]; }
    const Line& row(int y) const { return m_rows[size_t(y)]; }
    const Line& column(int x) const { return m_columns[size_t(x)]; }

    // Runs of five or more (length - 2 each), finder-like lines (40), 2 x 2 blocks of one
    // colour (3) and the distance from half dark (10 per 5 %).
    int penalty() const;

private:
    static void setBit(uint64_t& word, int bit, bool on)
    {
        word = (word & ~(uint64_t(1) << bit)) | (uint64_t(on) << bit);
    }

    int m_size = 0;
    std::array<Line, kMaxSize> m_rows;
    std::array<Line, kMaxSize> m_columns;
};
