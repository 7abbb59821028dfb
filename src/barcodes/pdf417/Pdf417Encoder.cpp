#include "barcodes/pdf417/Pdf417Encoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "barcodes/pdf417/Pdf417Clusters.h"

namespace pdf417 {
namespace {

constexpr std::uint32_t kStartPattern = 0x1FEA8;  // 17 modules
constexpr std::uint32_t kStopPattern = 0x3FA29;   // 18 modules
constexpr int kMaxRows = 90;
constexpr int kMaxColumns = 30;

constexpr int kTextLatch = 900;
constexpr int kByteLatch = 901;
constexpr int kNumericLatch = 902;
constexpr int kByteShift = 913;
constexpr int kByteLatchFull = 924;

constexpr int kMinNumericRun = 13;
constexpr int kNumericGroup = 44;

// Text sub-modes; a character's class is the set of sub-modes that hold it.
enum TextClass : int {
    kAlpha = 1,
    kLower = 2,
    kMixed = 4,
    kPunctuation = 8,
    kByteChar = 16,
};
constexpr int kSwitchToMixed = 28;  // from alpha or lower
constexpr int kSwitchToLower = 27;  // latch from alpha and mixed, alpha shift from lower
constexpr int kSwitchToAlpha = 28;  // from lower (twice) or mixed
constexpr int kPunctuationShift = 29;
constexpr int kMixedToPunctuation = 25;
constexpr int kPunctuationToAlpha = 29;

constexpr std::string_view kMixedSet("0123456789&\r\t,:#-.$/+%*=^", 25);
constexpr std::string_view kPunctuationSet(";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'", 29);

struct TextChar {
    int classes = 0;  // 0 past the end of the segment
    int value = 0;
};

TextChar classify(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return {kAlpha, c - 'A'};
    if (c >= 'a' && c <= 'z')
        return {kLower, c - 'a'};
    if (c == ' ')
        return {kAlpha | kLower | kMixed, 26};
    const auto mixed = kMixedSet.find(char(c));
    const auto punctuation = kPunctuationSet.find(char(c));
    if (mixed == std::string_view::npos && punctuation == std::string_view::npos)
        return {kByteChar, c};
    if (mixed == punctuation)
        return {kMixed | kPunctuation, int(mixed)};
    if (mixed != std::string_view::npos)
        return {kMixed, int(mixed)};
    return {kPunctuation, int(punctuation)};
}

TextChar getTextTypeAndValue(std::string_view text, int end, int pos)
{
    // Looked up, not searched for: text compaction asks up to three times per character.
    static const auto table = [] {
        std::array<TextChar, 256> result;
        for (int c = 0; c < 256; ++c)
            result[size_t(c)] = classify(static_cast<unsigned char>(c));
        return result;
    }();
    if (pos >= end)
        return {};
    return table[static_cast<unsigned char>(text[size_t(pos)])];
}

bool isTextByte(unsigned char c)
{
    return (c >= 32 && c <= 126) || c == '\r' || c == '\n' || c == '\t';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reed-Solomon generator coefficients per level, negated mod 929 and highest power first, so
// the division step is a plain multiply-add; the leading 1 is left out.
using Coefficients = std::array<std::uint32_t, 2 << 8>;
const Coefficients& negatedGenerator(int level)
{
    static const auto tables = [] {
        std::array<Coefficients, 9> result{};
        for (int l = 0; l <= 8; ++l) {
            const int n = 2 << l;
            std::vector<int> g{1};
            int root = 1;
            for (int i = 1; i <= n; ++i) {
                root = root * 3 % 929;
                std::vector<int> next(g.size() + 1, 0);
                for (size_t j = 0; j < g.size(); ++j) {
                    next[j + 1] = (next[j + 1] + g[j]) % 929;
                    next[j] = (next[j] + 929 - root * g[j] % 929) % 929;
                }
                g = std::move(next);
            }
            for (int j = 0; j < n; ++j)
                result[size_t(l)][size_t(j)] = std::uint32_t((929 - g[size_t(n - 1 - j)]) % 929);
        }
        return result;
    }();
    return tables[size_t(level)];
}

class Encoder {
public:
    Encoder(_pdf417param& p, std::string_view text) : p_(p), text_(text) {}

    void assemble(const std::vector<Segment>& segments)
    {
        cwPtr_ = 1;  // codeword 0 is the length descriptor
        for (size_t i = 0; i < segments.size() && p_.error == PDF417_ERROR_SUCCESS; ++i) {
            const Segment& s = segments[i];
            switch (s.type) {
            case 'B':
                p_.codewords[size_t(cwPtr_++)] = s.length() % 6 == 0 ? kByteLatchFull : kByteLatch;
                byteCompaction(s.start, s.length());
                break;
            case 'N':
                p_.codewords[size_t(cwPtr_++)] = kNumericLatch;
                numberCompaction(s.start, s.length());
                break;
            default:
                if (i != 0)
                    p_.codewords[size_t(cwPtr_++)] = kTextLatch;
                textCompaction(s.start, s.length());
                break;
            }
        }
    }

    int codewordCount() const { return cwPtr_; }

private:
    bool reserve(int needed)
    {
        if (cwPtr_ + needed > kMaxDataCodewords) {
            p_.error = PDF417_ERROR_TEXT_TOO_BIG;
            return false;
        }
        return true;
    }

    void put(int codeword) { p_.codewords[size_t(cwPtr_++)] = codeword; }

    void textCompaction(int start, int length)
    {
        std::vector<int> values;  // sub-mode values 0..29, or kByteShift followed by a byte
        values.reserve(size_t(length) * 2 + 1);
        const int end = start + length;
        int mode = kAlpha;
        int byteChars = 0;
        int k = start;
        while (k < end) {
            const TextChar ch = getTextTypeAndValue(text_, end, k);
            if (ch.classes & mode) {
                values.push_back(ch.value);
                ++k;
                continue;
            }
            if (ch.classes & kByteChar) {
                if (values.size() % 2 == 1) {
                    values.push_back(kPunctuationShift);
                    if (mode == kPunctuation)
                        mode = kAlpha;
                }
                values.push_back(kByteShift);
                values.push_back(ch.value);
                ++byteChars;
                ++k;
                continue;
            }
            const bool nextTwoPunctuation = (getTextTypeAndValue(text_, end, k + 1).classes & kPunctuation) &&
                                            (getTextTypeAndValue(text_, end, k + 2).classes & kPunctuation);
            switch (mode) {
            case kAlpha:
            case kLower:
                if (mode == kAlpha && (ch.classes & kLower)) {
                    values.push_back(kSwitchToLower);
                    mode = kLower;
                } else if (mode == kLower && (ch.classes & kAlpha)) {
                    if ((getTextTypeAndValue(text_, end, k + 1).classes & kAlpha) &&
                        (getTextTypeAndValue(text_, end, k + 2).classes & kAlpha)) {
                        values.push_back(kSwitchToMixed);
                        values.push_back(kSwitchToAlpha);
                        mode = kAlpha;
                    } else {
                        values.push_back(kSwitchToLower);  // alpha shift
                    }
                } else if (ch.classes & kMixed) {
                    values.push_back(kSwitchToMixed);
                    mode = kMixed;
                } else if (nextTwoPunctuation) {
                    values.push_back(kSwitchToMixed);
                    values.push_back(kMixedToPunctuation);
                    mode = kPunctuation;
                } else {
                    values.push_back(kPunctuationShift);
                }
                values.push_back(ch.value);
                ++k;
                break;
            case kMixed:
                if (ch.classes & kLower) {
                    values.push_back(kSwitchToLower);
                    mode = kLower;
                } else if (ch.classes & kAlpha) {
                    values.push_back(kSwitchToAlpha);
                    mode = kAlpha;
                } else if (nextTwoPunctuation) {
                    values.push_back(kMixedToPunctuation);
                    mode = kPunctuation;
                } else {
                    values.push_back(kPunctuationShift);
                }
                values.push_back(ch.value);
                ++k;
                break;
            default:  // punctuation: back to alpha, then the same character again
                values.push_back(kPunctuationToAlpha);
                mode = kAlpha;
                break;
            }
        }
        if (values.size() % 2 == 1)
            values.push_back(kPunctuationShift);
        if (!reserve(int(values.size() + 2 * size_t(byteChars)) / 2))
            return;
        for (size_t i = 0; i < values.size(); ++i) {
            if (values[i] == kByteShift) {
                put(kByteShift);
                put(values[++i]);
            } else {
                put(values[i] * 30 + values[i + 1]);
                ++i;
            }
        }
    }

    // Up to 44 digits, with a leading 1, as base-900 digits, most significant first.
    void basicNumberCompaction(int start, int length)
    {
        std::array<int, kNumericGroup + 1> digits{};
        digits[0] = 1;
        for (int i = 0; i < length; ++i)
            digits[size_t(i + 1)] = text_[size_t(start + i)] - '0';
        const int count = length / 3 + 1;
        const int first = cwPtr_;
        int size = length + 1;
        for (int out = count - 1; out >= 0; --out) {
            int remainder = 0;
            for (int i = 0; i < size; ++i) {
                const int v = remainder * 10 + digits[size_t(i)];
                digits[size_t(i)] = v / 900;
                remainder = v % 900;
            }
            p_.codewords[size_t(first + out)] = remainder;
        }
        cwPtr_ = first + count;
    }

    void numberCompaction(int start, int length)
    {
        const int fullGroups = length / kNumericGroup;
        const int rest = length % kNumericGroup;
        const int needed = fullGroups * 15 + (rest > 0 ? rest / 3 + 1 : 0);
        if (!reserve(needed))
            return;
        for (int k = 0; k < length; k += kNumericGroup)
            basicNumberCompaction(start + k, std::min(kNumericGroup, length - k));
    }

    void byteCompaction6(int start)
    {
        std::uint64_t value = 0;
        for (int i = 0; i < 6; ++i)
            value = (value << 8) | static_cast<unsigned char>(text_[size_t(start + i)]);
        for (int i = 4; i >= 0; --i) {
            p_.codewords[size_t(cwPtr_ + i)] = int(value % 900);
            value /= 900;
        }
        cwPtr_ += 5;
    }

    void byteCompaction(int start, int length)
    {
        if (!reserve(length / 6 * 5 + length % 6))
            return;
        const int end = start + length;
        int k = start;
        for (; k + 6 <= end; k += 6)
            byteCompaction6(k);
        for (; k < end; ++k)
            put(static_cast<unsigned char>(text_[size_t(k)]));
    }

    _pdf417param& p_;
    std::string_view text_;
    int cwPtr_ = 1;
};

void merge(std::vector<Segment>& list, size_t first, size_t last, char type)
{
    list[first].end = list[last].end;
    list[first].type = type;
    list.erase(list.begin() + std::ptrdiff_t(first) + 1, list.begin() + std::ptrdiff_t(last) + 1);
}

bool isType(const std::vector<Segment>& list, std::ptrdiff_t i, char type)
{
    return i >= 0 && size_t(i) < list.size() && list[size_t(i)].type == type;
}

int lengthAt(const std::vector<Segment>& list, std::ptrdiff_t i)
{
    return i >= 0 && size_t(i) < list.size() ? list[size_t(i)].length() : 0;
}

// Cuts a stretch without long digit runs into maximal text and byte runs.
void addTextAndByteRuns(std::string_view text, int start, int end, std::vector<Segment>& list)
{
    int k = start;
    while (k < end) {
        const bool textRun = isTextByte(static_cast<unsigned char>(text[size_t(k)]));
        int j = k + 1;
        while (j < end && isTextByte(static_cast<unsigned char>(text[size_t(j)])) == textRun)
            ++j;
        list.push_back({textRun ? 'T' : 'B', k, j});
        k = j;
    }
}

// One merge step of a pass; true when the list changed (the pass then starts over).
template <typename Step>
void repeatPass(std::vector<Segment>& list, Step step)
{
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < list.size() && !changed; ++i)
            changed = step(std::ptrdiff_t(i));
    }
}

int maxSquare(_pdf417param& p)
{
    if (p.codeColumns < 22) {
        p.codeColumns = 16;
        p.codeRows = 58;
    } else {
        p.codeColumns = 29;
        p.codeRows = 32;
    }
    return kMaxCodewords;
}

void calculateErrorCorrection(_pdf417param& p, int dataCount)
{
    if (p.errorLevel < 0 || p.errorLevel > 8)
        p.errorLevel = 0;
    const Coefficients& k = negatedGenerator(p.errorLevel);
    const int ecc = 2 << p.errorLevel;
    // Only the leading term is reduced per step: a slot gathers at most ecc products below
    // 929 * 929 before it leads, 512 of them stay far below 2^32.
    std::array<std::uint32_t, (2 << 8) + 1> e{};
    for (int i = 0; i < dataCount; ++i) {
        const std::uint32_t t = (std::uint32_t(p.codewords[size_t(i)]) + e[0]) % 929;
        for (int j = 0; j < ecc; ++j)
            e[size_t(j)] = e[size_t(j + 1)] + t * k[size_t(j)];
    }
    for (int j = 0; j < ecc; ++j)
        p.codewords[size_t(dataCount + j)] = int((929 - e[size_t(j)] % 929) % 929);
}

class BitWriter {
public:
    BitWriter(std::vector<std::uint8_t>& bits, int rowBytes) : bits_(bits), rowBytes_(rowBytes) {}
    void startRow(int row) { bitPtr_ = row * rowBytes_ * 8; }
    // Up to 25 bits, so the pattern and its offset in the first byte fit one 32-bit window.
    void put(std::uint32_t pattern, int width)
    {
        const int shift = bitPtr_ % 8;
        const std::uint32_t window = pattern << (32 - width - shift);
        std::uint8_t* out = bits_.data() + bitPtr_ / 8;
        for (int used = 0; used < shift + width; used += 8)
            *out++ |= std::uint8_t(window >> (24 - used));
        bitPtr_ += width;
    }

private:
    std::vector<std::uint8_t>& bits_;
    int rowBytes_;
    int bitPtr_ = 0;
};

void outPaintCode(_pdf417param& p)
{
    p.bitColumns = 17 * (p.codeColumns + 3) + 18;
    const int rowBytes = (p.bitColumns - 1) / 8 + 1;
    p.lenBits = rowBytes * p.codeRows;
    p.outBits.assign(size_t(p.lenBits), 0);
    BitWriter out(p.outBits, rowBytes);
    const int rowGroups = (p.codeRows - 1) / 3;
    const int levelAndRest = p.errorLevel * 3 + (p.codeRows - 1) % 3;
    int codeword = 0;
    for (int row = 0; row < p.codeRows; ++row) {
        const int cluster = row % 3;
        const auto& patterns = kClusterPatterns[size_t(cluster)];
        const int q = 30 * (row / 3);
        int left = 0;
        int right = 0;
        switch (cluster) {
        case 0:
            left = q + rowGroups;
            right = q + p.codeColumns - 1;
            break;
        case 1:
            left = q + levelAndRest;
            right = q + rowGroups;
            break;
        default:
            left = q + p.codeColumns - 1;
            right = q + levelAndRest;
            break;
        }
        out.startRow(row);
        out.put(kStartPattern, 17);
        out.put(patterns[size_t(left)], 17);
        for (int c = 0; c < p.codeColumns; ++c)
            out.put(patterns[size_t(p.codewords[size_t(codeword++)])], 17);
        out.put(patterns[size_t(right)], 17);
        out.put(kStopPattern, 18);
    }
    if (p.options & PDF417_INVERT_BITMAP) {
        for (auto& byte : p.outBits)
            byte = std::uint8_t(~byte);
    }
}

// Rows and columns for the symbol (steps of the column choice); returns the codeword total.
int chooseRectangle(_pdf417param& p, int needed)
{
    p.codeColumns = std::clamp(p.codeColumns, 1, kMaxColumns);
    p.codeRows = std::clamp(p.codeRows, 3, kMaxRows);
    int total = needed;
    bool fixedColumns = !(p.options & PDF417_FIXED_ROWS);
    if (p.options & PDF417_FIXED_RECTANGLE) {
        total = p.codeColumns * p.codeRows;
        if (total > kMaxCodewords)
            total = maxSquare(p);
        if (total >= needed)
            return total;
        total = needed;
        fixedColumns = true;
    } else if (!(p.options & (PDF417_FIXED_COLUMNS | PDF417_FIXED_ROWS))) {
        const double ratio = std::clamp(double(p.aspectRatio), 0.001, 1000.0);
        const double b = 73 * ratio - 4;
        const double c = (-b + std::sqrt(b * b + 68 * ratio * needed * double(p.yHeight))) / (34 * ratio);
        p.codeColumns = std::clamp(int(std::floor(c + 0.5)), 1, kMaxColumns);
    }
    if (fixedColumns) {
        p.codeRows = std::max(3, (total - 1) / p.codeColumns + 1);
        if (p.codeRows > kMaxRows) {
            p.codeRows = kMaxRows;
            p.codeColumns = (total - 1) / kMaxRows + 1;
        }
    } else {
        p.codeColumns = (total - 1) / p.codeRows + 1;
        if (p.codeColumns > kMaxColumns) {
            p.codeColumns = kMaxColumns;
            p.codeRows = (total - 1) / kMaxColumns + 1;
        }
    }
    return p.codeRows * p.codeColumns;
}

}  // namespace

void pdf417init(_pdf417param& p)
{
    p.outBits.clear();
    p.lenBits = 0;
    p.lenText = -1;
    p.text = "";
    p.options = 0;
    p.aspectRatio = 0.5f;
    p.yHeight = 3.0f;
    p.error = PDF417_ERROR_SUCCESS;
}

void pdf417free(_pdf417param& p)
{
    p.outBits.clear();
    p.outBits.shrink_to_fit();
    p.lenBits = 0;
}

int maxPossibleErrorLevel(int freeCodewords)
{
    for (int level = 8; level > 0; --level) {
        if ((2 << level) <= freeCodewords)
            return level;
    }
    return 0;
}

std::vector<Segment> breakString(std::string_view text)
{
    std::vector<Segment> list;
    list.reserve(20);
    const int size = int(text.size());
    int stretchStart = 0;
    for (int k = 0; k < size;) {
        if (!isDigit(text[size_t(k)])) {
            ++k;
            continue;
        }
        int j = k;
        while (j < size && isDigit(text[size_t(j)]))
            ++j;
        if (j - k >= kMinNumericRun) {
            addTextAndByteRuns(text, stretchStart, k, list);
            list.push_back({'N', k, j});
            stretchStart = j;
        }
        k = j;
    }
    addTextAndByteRuns(text, stretchStart, size, list);

    // A lone byte between text runs stays in the text (shifted) when the runs are worth it.
    repeatPass(list, [&](std::ptrdiff_t i) {
        if (!isType(list, i, 'B') || lengthAt(list, i) != 1 || !isType(list, i - 1, 'T') ||
            !isType(list, i + 1, 'T') || lengthAt(list, i - 1) + lengthAt(list, i + 1) < 3)
            return false;
        merge(list, size_t(i - 1), size_t(i + 1), 'T');
        return true;
    });
    // Long text runs absorb text neighbours and single bytes.
    repeatPass(list, [&](std::ptrdiff_t i) {
        if (!isType(list, i, 'T') || lengthAt(list, i) < 5)
            return false;
        auto absorbable = [&](std::ptrdiff_t j) {
            return (isType(list, j, 'B') && lengthAt(list, j) == 1) || isType(list, j, 'T');
        };
        const bool prev = absorbable(i - 1);
        const bool next = absorbable(i + 1);
        if (!prev && !next)
            return false;
        merge(list, size_t(prev ? i - 1 : i), size_t(next ? i + 1 : i), 'T');
        return true;
    });
    // Byte runs absorb byte neighbours and short text runs.
    repeatPass(list, [&](std::ptrdiff_t i) {
        if (!isType(list, i, 'B'))
            return false;
        auto absorbable = [&](std::ptrdiff_t j) {
            return (isType(list, j, 'T') && lengthAt(list, j) < 5) || isType(list, j, 'B');
        };
        const bool prev = absorbable(i - 1);
        const bool next = absorbable(i + 1);
        if (!prev && !next)
            return false;
        merge(list, size_t(prev ? i - 1 : i), size_t(next ? i + 1 : i), 'B');
        return true;
    });

    if (list.size() == 1 && list[0].type == 'T' && list[0].length() >= 8) {
        const auto digits = text.substr(size_t(list[0].start), size_t(list[0].length()));
        if (std::all_of(digits.begin(), digits.end(), isDigit))
            list[0].type = 'N';
    }
    return list;
}

void paintCode(_pdf417param& p)
{
    p.error = PDF417_ERROR_SUCCESS;
    p.outBits.clear();
    p.lenBits = 0;
    if (p.options & PDF417_USE_RAW_CODEWORDS) {
        // A codeword past 928 has no pattern to draw.
        const auto first = p.codewords.begin();
        if (p.lenCodewords < 1 || p.lenCodewords > kMaxDataCodewords || p.codewords[0] != p.lenCodewords ||
            std::any_of(first, first + p.lenCodewords, [](int c) { return c < 0 || c > kMaxCodewords; })) {
            p.error = PDF417_ERROR_INVALID_PARAMS;
            return;
        }
    } else {
        if (!p.text)
            p.text = "";
        if (p.lenText < 0)
            p.lenText = int(std::strlen(p.text));
        if (p.lenText > kMaxTextLength) {
            p.error = PDF417_ERROR_TEXT_TOO_BIG;
            return;
        }
        const std::string_view text(p.text, size_t(p.lenText));
        Encoder encoder(p, text);
        encoder.assemble(breakString(text));
        if (p.error != PDF417_ERROR_SUCCESS)
            return;
        p.lenCodewords = encoder.codewordCount();
        p.codewords[0] = p.lenCodewords;
    }

    const int maxErr = maxPossibleErrorLevel(kMaxCodewords - p.lenCodewords);
    if (!(p.options & PDF417_USE_ERROR_LEVEL)) {
        p.errorLevel = p.lenCodewords < 41 ? 2 : p.lenCodewords < 161 ? 3 : p.lenCodewords < 321 ? 4 : 5;
    }
    p.errorLevel = std::clamp(p.errorLevel, 0, maxErr);

    int total = chooseRectangle(p, p.lenCodewords + (2 << p.errorLevel));
    if (total > kMaxCodewords)
        total = maxSquare(p);

    p.errorLevel = maxPossibleErrorLevel(total - p.lenCodewords);
    const int dataCount = total - (2 << p.errorLevel);
    std::fill(p.codewords.begin() + p.lenCodewords, p.codewords.begin() + dataCount, kTextLatch);
    p.lenCodewords = dataCount;
    p.codewords[0] = dataCount;
    calculateErrorCorrection(p, dataCount);
    p.lenCodewords = total;
    outPaintCode(p);
}

}  // namespace pdf417
