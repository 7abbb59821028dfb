#include "barcodes/qr/QrBitGrid.h"

#include <bit>
#include <cstdlib>

namespace {

// Only the first W words of a line are read: symbols up to version 11 fit one word, up to
// version 27 two.
template <int W>
struct Bits {
    uint64_t w[W];

    static Bits of(const QrBitGrid::Line& line)
    {
        Bits b;
        for (int i = 0; i < W; ++i)
            b.w[i] = line[size_t(i)];
        return b;
    }
    // The first n bits set.
    static Bits first(int n)
    {
        Bits b;
        for (int i = 0; i < W; ++i) {
            const int left = n - 64 * i;
            b.w[i] = left >= 64 ? ~uint64_t(0) : left <= 0 ? 0 : (uint64_t(1) << left) - 1;
        }
        return b;
    }
    // Bit j of the answer is bit j - k (the module k before), 0 < k < 64.
    Bits before(int k) const
    {
        Bits b;
        for (int i = W - 1; i >= 0; --i)
            b.w[i] = (w[i] << k) | (i > 0 ? w[i - 1] >> (64 - k) : 0);
        return b;
    }
    // Bit j of the answer is bit j + k (the module k after), 0 < k < 64.
    Bits after(int k) const
    {
        Bits b;
        for (int i = 0; i < W; ++i)
            b.w[i] = (w[i] >> k) | (i + 1 < W ? w[i + 1] << (64 - k) : 0);
        return b;
    }
    template <typename Op>
    Bits zip(const Bits& o, Op op) const
    {
        Bits b;
        for (int i = 0; i < W; ++i)
            b.w[i] = op(w[i], o.w[i]);
        return b;
    }
    Bits operator&(const Bits& o) const { return zip(o, [](uint64_t a, uint64_t c) { return a & c; }); }
    Bits operator|(const Bits& o) const { return zip(o, [](uint64_t a, uint64_t c) { return a | c; }); }
    Bits operator^(const Bits& o) const { return zip(o, [](uint64_t a, uint64_t c) { return a ^ c; }); }
    Bits operator~() const { return zip(*this, [](uint64_t a, uint64_t) { return ~a; }); }
    int count() const
    {
        int c = 0;
        for (int i = 0; i < W; ++i)
            c += std::popcount(w[i]);
        return c;
    }
};

// One row or column: a run of c >= 5 modules adds c - 2; dark, light, dark x3, light, dark,
// bounded by light modules or the edge, adds 40 when the four modules on at least one side are
// light or outside the symbol. Outside bits are clear, so they read as light.
template <int W>
int linePenalty(const Bits<W>& a, const Bits<W>& insideButFirst)
{
    // Windows of five alike end where this module and the four before it each match their
    // predecessor's colour; each run of such windows counts its length plus 2 once.
    const Bits<W> same = ~(a ^ a.before(1)) & insideButFirst;
    const Bits<W> five = same & same.before(1) & same.before(2) & same.before(3);
    const int runs = five.count() + 2 * (five & ~five.before(1)).count();

    const Bits<W> core = a & ~a.after(1) & a.after(2) & a.after(3) & a.after(4) & ~a.after(5) & a.after(6);
    const Bits<W> quietBefore = ~(a.before(1) | a.before(2) | a.before(3) | a.before(4));
    const Bits<W> quietAfter = ~(a.after(7) | a.after(8) | a.after(9) | a.after(10));
    const Bits<W> finders = core & ~a.before(1) & ~a.after(7) & (quietBefore | quietAfter);
    return runs + 40 * finders.count();
}

template <int W>
int penaltyOf(const std::array<QrBitGrid::Line, QrBitGrid::kMaxSize>& rows,
              const std::array<QrBitGrid::Line, QrBitGrid::kMaxSize>& columns, int n)
{
    const Bits<W> butFirst = Bits<W>::first(n) & ~Bits<W>::first(1);
    const Bits<W> butLast = Bits<W>::first(n - 1);
    int penalty = 0;
    int dark = 0;
    for (int i = 0; i < n; ++i) {
        const Bits<W> row = Bits<W>::of(rows[size_t(i)]);
        penalty += linePenalty(row, butFirst) + linePenalty(Bits<W>::of(columns[size_t(i)]), butFirst);
        dark += row.count();
    }
    // 2 x 2 blocks: the module below and the one to the right match, and so does the right one's below.
    int blocks = 0;
    for (int y = 0; y + 1 < n; ++y) {
        const Bits<W> top = Bits<W>::of(rows[size_t(y)]);
        const Bits<W> down = ~(top ^ Bits<W>::of(rows[size_t(y + 1)]));
        blocks += (down & down.after(1) & ~(top ^ top.after(1)) & butLast).count();
    }
    const int percentLight = 100 * (n * n - dark) / (n * n);
    return penalty + 3 * blocks + 10 * (std::abs(50 - percentLight) / 5);
}

}  // namespace

QrBitGrid::QrBitGrid(int size) : m_size(size < 0 ? 0 : size > kMaxSize ? kMaxSize : size)
{
    for (int i = 0; i < m_size; ++i) {
        m_rows[size_t(i)] = {};
        m_columns[size_t(i)] = {};
    }
}

int QrBitGrid::penalty() const
{
    if (m_size <= 0)
        return 0;
    if (m_size <= 64)
        return penaltyOf<1>(m_rows, m_columns, m_size);
    if (m_size <= 128)
        return penaltyOf<2>(m_rows, m_columns, m_size);
    return penaltyOf<3>(m_rows, m_columns, m_size);
}
