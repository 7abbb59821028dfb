#include "barcodes/qr/QrMaskChoice.h"

#include <climits>
#include <cstddef>
#include <utility>

#include "barcodes/qr/QrFormatInfo.h"

namespace {

constexpr int kRowPeriod = 12;    // every mask repeats down a column within 12 rows
constexpr int kColumnPeriod = 6;  // and along a row within 6 columns

struct MaskLines {
    QrBitGrid::Line rows[8][kRowPeriod];        // bit j of [p][i % 12]: mask p turns (j, i) over
    QrBitGrid::Line columns[8][kColumnPeriod];  // bit i of [p][j % 6]
};

template <size_t... P>
MaskLines makeMaskLines(std::index_sequence<P...>)
{
    using Condition = bool (*)(int, int);
    constexpr Condition conditions[] = {qrMaskCondition<int(P)>...};
    MaskLines lines{};
    constexpr int bits = 64 * QrBitGrid::kWords;
    for (int p = 0; p < 8; ++p) {
        for (int i = 0; i < kRowPeriod; ++i)
            for (int j = 0; j < bits; ++j)
                if (conditions[p](i, j))
                    lines.rows[p][i][size_t(j / 64)] |= uint64_t(1) << (j % 64);
        for (int j = 0; j < kColumnPeriod; ++j)
            for (int i = 0; i < bits; ++i)
                if (conditions[p](i, j))
                    lines.columns[p][j][size_t(i / 64)] |= uint64_t(1) << (i % 64);
    }
    return lines;
}

const MaskLines& maskLines()
{
    static const MaskLines lines = makeMaskLines(std::make_index_sequence<8>());
    return lines;
}

void applyLine(QrBitGrid::Line& out, const QrBitGrid::Line& fixedDark, const QrBitGrid::Line& data,
               const QrBitGrid::Line& mask, const QrBitGrid::Line& free)
{
    for (size_t w = 0; w < QrBitGrid::kWords; ++w)
        out[w] = fixedDark[w] | ((data[w] ^ mask[w]) & free[w]);
}

}  // namespace

QrMaskChoice::QrMaskChoice(int size, int level)
    : m_size(size), m_level(level), m_fixedDark(size), m_free(size), m_data(size), m_masked(size)
{
}

void QrMaskChoice::setFunction(int x, int y, bool dark)
{
    if (dark)
        m_fixedDark.set(x, y, true);
}

void QrMaskChoice::setData(int x, int y, bool dark)
{
    m_free.set(x, y, true);
    if (dark)
        m_data.set(x, y, true);
}

int QrMaskChoice::penaltyOf(int mask)
{
    const MaskLines& lines = maskLines();
    const int p = mask & 7;
    for (int i = 0; i < m_size; ++i) {
        applyLine(m_masked.row(i), m_fixedDark.row(i), m_data.row(i), lines.rows[p][i % kRowPeriod], m_free.row(i));
        applyLine(m_masked.column(i), m_fixedDark.column(i), m_data.column(i), lines.columns[p][i % kColumnPeriod],
                  m_free.column(i));
    }
    for (const QrModule& module : qrFormatModules(m_level, p, m_size))
        m_masked.set(module.x, module.y, module.dark);
    return m_masked.penalty();
}

int QrMaskChoice::best()
{
    int chosen = 0;
    int lowest = INT_MAX;
    for (int mask = 0; mask < 8; ++mask) {
        const int penalty = penaltyOf(mask);
        if (penalty < lowest) {
            lowest = penalty;
            chosen = mask;
        }
    }
    return chosen;
}
