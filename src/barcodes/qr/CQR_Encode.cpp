#include "barcodes/qr/CQR_Encode.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "barcodes/qr/QrBitGrid.h"
#include "barcodes/qr/QrFormatInfo.h"
#include "barcodes/qr/QrMaskChoice.h"
#include "barcodes/qr/QrTables.h"

namespace {

// Character-count indicator lengths per mode and version group (1-9, 10-26, 27-40).
constexpr int kCountBits[3][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}};
constexpr int kGroupFirstVersion[3] = {1, 10, 27};
constexpr int kGroupLastVersion[3] = {9, 26, 40};
constexpr int kMaxEcCodewords = 68;

// GF(256) over x^8 + x^4 + x^3 + x^2 + 1.
struct GaloisField {
    std::array<uint8_t, 512> exp{};
    std::array<int, 256> log{};
    constexpr GaloisField()
    {
        int value = 1;
        for (int i = 0; i < 255; ++i) {
            exp[size_t(i)] = uint8_t(value);
            log[size_t(value)] = i;
            value <<= 1;
            if (value & 0x100)
                value ^= 0x11D;
        }
        for (int i = 255; i < 512; ++i)
            exp[size_t(i)] = exp[size_t(i - 255)];
    }
    constexpr uint8_t multiply(uint8_t a, uint8_t b) const
    {
        return (a == 0 || b == 0) ? 0 : exp[size_t(log[a] + log[b])];
    }
};
constexpr GaloisField kField;

using Generator = std::array<uint8_t, kMaxEcCodewords>;

// Coefficients of prod (x - 2^i), i < degree, highest power first, the leading 1 left out.
Generator makeGenerator(int degree)
{
    Generator g{};
    g[size_t(degree - 1)] = 1;
    uint8_t root = 1;
    for (int i = 0; i < degree; ++i) {
        for (int j = 0; j < degree; ++j) {
            g[size_t(j)] = kField.multiply(g[size_t(j)], root);
            if (j + 1 < degree)
                g[size_t(j)] ^= g[size_t(j + 1)];
        }
        root = kField.multiply(root, 2);
    }
    return g;
}

const Generator& generator(int degree)
{
    static const std::array<Generator, kMaxEcCodewords + 1> generators = [] {
        std::array<Generator, kMaxEcCodewords + 1> all{};
        for (int d = 1; d <= kMaxEcCodewords; ++d)
            all[size_t(d)] = makeGenerator(d);
        return all;
    }();
    return generators[size_t(degree)];
}

constexpr uint8_t kLightFunction = 0x20;
constexpr uint8_t kDarkFunction = 0x30;
constexpr uint8_t kDataOne = 0x02;
constexpr uint8_t kMaskedDark = 0x01;

int modeOf(unsigned char c)
{
    if (CQR_Encode::IsNumeralData(c))
        return CQR_Encode::Numeric;
    if (CQR_Encode::IsAlphabetData(c))
        return CQR_Encode::Alphanumeric;
    return CQR_Encode::Byte;
}

// Each mask as its own loop body, so that no module pays for choosing among the eight.
template <int Pattern>
void applyMask(uint8_t (*modules)[CQR_Encode::kMaxSymbolSize], int n)
{
    for (int x = 0; x < n; ++x) {
        uint8_t* column = modules[x];
        for (int y = 0; y < n; ++y) {
            const uint8_t module = column[y];
            const bool dark = ((module & kDataOne) != 0) != qrMaskCondition<Pattern>(y, x);
            const uint8_t masked = uint8_t((module & ~kMaskedDark) | (dark ? kMaskedDark : 0));
            column[y] = (module & kLightFunction) ? module : masked;
        }
    }
}

}  // namespace

int CQR_Encode::VersionGroup(int version)
{
    return version <= 9 ? 0 : version <= 26 ? 1 : 2;
}

bool CQR_Encode::IsNumeralData(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool CQR_Encode::IsAlphabetData(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c != 0 && std::strchr(" $%*+-./:", c) != nullptr);
}

int CQR_Encode::AlphabetToBinaly(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    static constexpr char kSymbols[] = " $%*+-./:";
    return 36 + int(std::strchr(kSymbols, c) - kSymbols);
}

int CQR_Encode::GetBitLength(int nMode, int ncData, int nVerGroup)
{
    int bits = 4 + kCountBits[nMode][nVerGroup];
    switch (nMode) {
    case Numeric:
        bits += 10 * (ncData / 3) + (ncData % 3 == 1 ? 4 : ncData % 3 == 2 ? 7 : 0);
        break;
    case Alphanumeric:
        bits += 11 * (ncData / 2) + 6 * (ncData % 2);
        break;
    default:
        bits += 8 * ncData;
        break;
    }
    return bits;
}

int CQR_Encode::SetBitStream(int nIndex, uint16_t wData, int ncData)
{
    if (nIndex == -1 || nIndex + ncData > kMaxStreamBits)
        return -1;
    for (int i = ncData - 1; i >= 0; --i, ++nIndex) {
        if (wData & (1u << i))
            m_byDataCodeWord[nIndex / 8] |= uint8_t(0x80 >> (nIndex % 8));
    }
    return nIndex;
}

int CQR_Encode::Get_Encoding_Mode(const char* lpsSource, int ncLength)
{
    if (ncLength <= 0)
        return Byte;
    int widest = Numeric;
    for (int i = 0; i < ncLength; ++i)
        widest = std::max(widest, modeOf(static_cast<unsigned char>(lpsSource[i])));
    return widest;
}

int CQR_Encode::Get_Encoding_Mode_Test(const char* lpsSource, int ncLength, int byte_mode)
{
    if (ncLength <= 0)
        return Numeric;
    for (int i = 0; i < ncLength; ++i) {
        if (modeOf(static_cast<unsigned char>(lpsSource[i])) != byte_mode)
            return Byte;
    }
    return byte_mode;
}

void CQR_Encode::SplitIntoRuns(const char* lpsSource, int ncLength)
{
    m_segments.clear();
    for (int i = 0; i < ncLength; ++i) {
        const int mode = modeOf(static_cast<unsigned char>(lpsSource[i]));
        if (!m_segments.empty() && m_segments.back().mode == mode)
            ++m_segments.back().length;
        else
            m_segments.push_back({mode, 1});
    }
}

// Neighbouring numeric and alphanumeric runs become one alphanumeric segment when that is
// shorter, unless folding one of them into an adjacent byte segment is shorter still.
void CQR_Encode::MergeNumericAndAlphanumeric(int nVerGroup)
{
    auto& s = m_segments;
    auto bits = [&](size_t k) { return GetBitLength(s[k].mode, s[k].length, nVerGroup); };
    auto byteBits = [&](int length) { return GetBitLength(Byte, length, nVerGroup); };
    auto isMode = [&](size_t k, int mode) { return k < s.size() && s[k].mode == mode; };

    size_t k = 0;
    while (k + 1 < s.size()) {
        const bool mixedPair = (s[k].mode == Numeric && s[k + 1].mode == Alphanumeric)
                               || (s[k].mode == Alphanumeric && s[k + 1].mode == Numeric);
        if (!mixedPair) {
            ++k;
            continue;
        }
        const int src = bits(k) + bits(k + 1);
        const int dst = GetBitLength(Alphanumeric, s[k].length + s[k + 1].length, nVerGroup);
        if (src <= dst) {
            ++k;
            continue;
        }
        int front = 0;
        if (k > 0 && s[k - 1].mode == Byte) {
            front = byteBits(s[k - 1].length + s[k].length) + bits(k + 1);
            if (front > dst + byteBits(s[k - 1].length))
                front = 0;
        }
        int behind = 0;
        if (isMode(k + 2, Byte)) {
            behind = bits(k) + byteBits(s[k + 1].length + s[k + 2].length);
            if (behind > dst + byteBits(s[k + 2].length))
                behind = 0;
        }
        if (front != 0 && (behind == 0 || front < behind)) {
            s[k - 1].length += s[k].length;
            s.erase(s.begin() + std::ptrdiff_t(k));
        } else if (behind != 0) {
            s[k + 1].mode = Byte;
            s[k + 1].length += s[k + 2].length;
            s.erase(s.begin() + std::ptrdiff_t(k + 2));
        } else {
            if (isMode(k + 2, Alphanumeric)) {
                s[k + 1].length += s[k + 2].length;
                s.erase(s.begin() + std::ptrdiff_t(k + 2));
            }
            s[k].mode = Alphanumeric;
            s[k].length += s[k + 1].length;
            s.erase(s.begin() + std::ptrdiff_t(k + 1));
            if (k > 0 && s[k - 1].mode == Alphanumeric) {
                s[k - 1].length += s[k].length;
                s.erase(s.begin() + std::ptrdiff_t(k));
            }
        }
    }
}

// Short segments whose headers cost more than byte mode saves are folded into byte segments.
void CQR_Encode::MergeIntoBytes(int nVerGroup)
{
    auto& s = m_segments;
    const int byteHeader = 4 + kCountBits[Byte][nVerGroup];
    auto bits = [&](size_t k) { return GetBitLength(s[k].mode, s[k].length, nVerGroup); };
    auto isByte = [&](size_t k) { return k < s.size() && s[k].mode == Byte; };

    size_t k = 0;
    while (k + 1 < s.size()) {
        const int src = bits(k) + bits(k + 1);
        int dst = GetBitLength(Byte, s[k].length + s[k + 1].length, nVerGroup);
        if (k > 0 && isByte(k - 1))
            dst -= byteHeader;
        if (isByte(k + 2))
            dst -= byteHeader;
        if (src <= dst) {
            ++k;
            continue;
        }
        if (k > 0 && isByte(k - 1)) {
            s[k - 1].length += s[k].length;
            s.erase(s.begin() + std::ptrdiff_t(k));
            --k;
        }
        if (isByte(k + 2)) {
            s[k + 1].length += s[k + 2].length;
            s.erase(s.begin() + std::ptrdiff_t(k + 2));
        }
        s[k].mode = Byte;
        s[k].length += s[k + 1].length;
        s.erase(s.begin() + std::ptrdiff_t(k + 1));
        if (k > 0)
            --k;
    }
}

bool CQR_Encode::WriteSegments(const char* lpsSource, int nVerGroup)
{
    std::memset(m_byDataCodeWord, 0, sizeof m_byDataCodeWord);
    int bit = 0;
    const auto* text = reinterpret_cast<const unsigned char*>(lpsSource);
    for (const Segment& segment : m_segments) {
        const int countBits = kCountBits[segment.mode][nVerGroup];
        if (segment.length >= (1 << countBits))
            return false;
        bit = SetBitStream(bit, uint16_t(1u << segment.mode), 4);
        bit = SetBitStream(bit, uint16_t(segment.length), countBits);
        const unsigned char* c = text;
        int left = segment.length;
        switch (segment.mode) {
        case Numeric:
            for (; left >= 3; left -= 3, c += 3)
                bit = SetBitStream(bit, uint16_t((c[0] - '0') * 100 + (c[1] - '0') * 10 + (c[2] - '0')), 10);
            if (left == 2)
                bit = SetBitStream(bit, uint16_t((c[0] - '0') * 10 + (c[1] - '0')), 7);
            else if (left == 1)
                bit = SetBitStream(bit, uint16_t(c[0] - '0'), 4);
            break;
        case Alphanumeric:
            for (; left >= 2; left -= 2, c += 2)
                bit = SetBitStream(bit, uint16_t(AlphabetToBinaly(c[0]) * 45 + AlphabetToBinaly(c[1])), 11);
            if (left == 1)
                bit = SetBitStream(bit, uint16_t(AlphabetToBinaly(c[0])), 6);
            break;
        default:
            for (; left > 0; --left, ++c)
                bit = SetBitStream(bit, *c, 8);
            break;
        }
        if (bit == -1)
            break;
        text += segment.length;
    }
    m_ncDataCodeWordBit = bit;
    return bit != -1;
}

bool CQR_Encode::EncodeSourceData(const char* lpsSource, int ncLength, int nVerGroup)
{
    SplitIntoRuns(lpsSource, ncLength);
    MergeNumericAndAlphanumeric(nVerGroup);
    MergeIntoBytes(nVerGroup);
    return WriteSegments(lpsSource, nVerGroup);
}

// The whole stream's length decides: the smallest version of the group whose data codewords
// hold it.
int CQR_Encode::GetEncodeVersion(int nVersion, const char* lpsSource, int ncLength)
{
    for (int group = VersionGroup(std::max(1, nVersion)); group < 3; ++group) {
        if (!EncodeSourceData(lpsSource, ncLength, group))
            continue;
        const int needed = (m_ncDataCodeWordBit + 7) / 8;
        for (int v = kGroupFirstVersion[group]; v <= kGroupLastVersion[group]; ++v) {
            if (QR_VersonInfo(v).dataCodewords[size_t(m_nLevel)] >= needed)
                return v;
        }
    }
    return 0;
}

bool CQR_Encode::EncodeData(int nLevel, int nVersion, bool bAutoExtent, int nMaskingNo,
                            const char* lpsSource, int ncSource)
{
    if (lpsSource == nullptr || nLevel < 0 || nLevel > 3 || nVersion < 0 || nVersion > 40
        || nMaskingNo < -1 || nMaskingNo > 7)
        return false;
    m_nLevel = nLevel;
    m_nMaskingNo = nMaskingNo;
    m_nVersion_pass = nVersion == 0 ? 1 : nVersion;

    const size_t length = ncSource > 0 ? size_t(ncSource) : std::strlen(lpsSource);
    if (length == 0 || length > size_t(kMaxInputLength))
        return false;

    const int found = GetEncodeVersion(nVersion, lpsSource, int(length));
    if (found == 0)
        return false;
    if (nVersion != 0 && found > nVersion && !bAutoExtent)
        return false;
    m_nVersion = std::max(found, nVersion);

    PadDataCodewords();
    InterleaveCodewords();
    m_nSymbleSize = 4 * m_nVersion + 17;
    FormatModule();
    return true;
}

void CQR_Encode::PadDataCodewords()
{
    const int dataCodewords = QR_VersonInfo(m_nVersion).dataCodewords[size_t(m_nLevel)];
    const int terminator = std::min(4, dataCodewords * 8 - m_ncDataCodeWordBit);
    if (terminator > 0)
        m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, 0, terminator);
    uint8_t pad = 0xEC;
    for (int i = (m_ncDataCodeWordBit + 7) / 8; i < dataCodewords; ++i) {
        m_byDataCodeWord[i] = pad;
        pad = pad == 0xEC ? 0x11 : 0xEC;
    }
}

void CQR_Encode::InterleaveCodewords()
{
    const QrVersionInfo& info = QR_VersonInfo(m_nVersion);
    const auto& groups = info.blocks[size_t(m_nLevel)];
    const int shortBlocks = groups[0].count;
    const int totalBlocks = groups[0].count + groups[1].count;
    const int shortData = groups[0].dataCodewords;
    const int ecPerBlock = groups[0].codewords - groups[0].dataCodewords;
    const int totalData = info.dataCodewords[size_t(m_nLevel)];

    int offset = 0;
    for (int b = 0; b < totalBlocks; ++b) {
        const int dataCount = b < shortBlocks ? shortData : groups[1].dataCodewords;
        for (int j = 0; j < dataCount; ++j) {
            const int at = j < shortData ? j * totalBlocks + b : totalBlocks * shortData + (b - shortBlocks);
            m_byAllCodeWord[at] = m_byDataCodeWord[offset + j];
        }
        std::memcpy(m_byRSWork, m_byDataCodeWord + offset, size_t(dataCount));
        GetRSCodeWord(m_byRSWork, dataCount, ecPerBlock);
        for (int j = 0; j < ecPerBlock; ++j)
            m_byAllCodeWord[totalData + j * totalBlocks + b] = m_byRSWork[j];
        offset += dataCount;
    }
    m_ncAllCodeWord = info.totalCodewords;
}

void CQR_Encode::GetRSCodeWord(uint8_t* lpbyRSWork, int ncDataCodeWord, int ncRSCodeWord)
{
    const Generator& g = generator(ncRSCodeWord);
    uint8_t remainder[kMaxEcCodewords] = {};
    for (int i = 0; i < ncDataCodeWord; ++i) {
        const uint8_t factor = lpbyRSWork[i] ^ remainder[0];
        std::memmove(remainder, remainder + 1, size_t(ncRSCodeWord - 1));
        remainder[ncRSCodeWord - 1] = 0;
        if (factor == 0)
            continue;
        for (int j = 0; j < ncRSCodeWord; ++j)
            remainder[j] ^= kField.multiply(g[size_t(j)], factor);
    }
    std::memcpy(lpbyRSWork, remainder, size_t(ncRSCodeWord));
}

void CQR_Encode::FormatModule()
{
    std::memset(m_byModuleData, 0, sizeof m_byModuleData);
    SetFunctionModule();
    SetCodeWordPattern();

    const int mask = m_nMaskingNo == -1 ? ChooseMask() : m_nMaskingNo;
    SetMaskingPattern(mask);
    SetFormatInfoPattern(mask);

    for (int x = 0; x < m_nSymbleSize; ++x)
        for (int y = 0; y < m_nSymbleSize; ++y)
            m_byModuleData[x][y] = IsDark(x, y) ? 1 : 0;
}

void CQR_Encode::SetFunction(int x, int y, bool dark)
{
    m_byModuleData[x][y] = dark ? kDarkFunction : kLightFunction;
}

void CQR_Encode::SetFunctionModule()
{
    const int n = m_nSymbleSize;
    SetFinderPattern(0, 0);
    SetFinderPattern(n - 7, 0);
    SetFinderPattern(0, n - 7);
    for (int i = 0; i < 8; ++i) {  // separators
        SetFunction(7, i, false);
        SetFunction(n - 8, i, false);
        SetFunction(7, n - 8 + i, false);
        SetFunction(i, 7, false);
        SetFunction(n - 8 + i, 7, false);
        SetFunction(i, n - 8, false);
    }
    for (int i = 0; i < 9; ++i) {  // format information, written with the mask
        SetFunction(8, i, false);
        SetFunction(i, 8, false);
    }
    for (int i = 0; i < 8; ++i) {
        SetFunction(n - 8 + i, 8, false);
        SetFunction(8, n - 8 + i, false);
    }
    if (m_nVersion >= 7)
        SetVersionPattern();

    const QrVersionInfo& info = QR_VersonInfo(m_nVersion);
    for (int i = 0; i < info.alignmentCount; ++i) {
        const int c = info.alignment[size_t(i)];
        SetAlignmentPattern(c, 6);
        SetAlignmentPattern(6, c);
        for (int j = 0; j < info.alignmentCount; ++j)
            SetAlignmentPattern(c, info.alignment[size_t(j)]);
    }
    for (int i = 8; i <= n - 9; ++i) {  // timing patterns
        SetFunction(i, 6, i % 2 == 0);
        SetFunction(6, i, i % 2 == 0);
    }
}

void CQR_Encode::SetFinderPattern(int x, int y)
{
    for (int dy = 0; dy < 7; ++dy) {
        for (int dx = 0; dx < 7; ++dx) {
            const int ring = std::max(std::abs(dx - 3), std::abs(dy - 3));
            SetFunction(x + dx, y + dy, ring != 2);
        }
    }
}

// x, y: the centre. Patterns whose centre is taken would overlap a finder pattern.
void CQR_Encode::SetAlignmentPattern(int x, int y)
{
    if (m_byModuleData[x][y] & kLightFunction)
        return;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            SetFunction(x + dx, y + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
}

void CQR_Encode::SetVersionPattern()
{
    const int n = m_nSymbleSize;
    int remainder = m_nVersion;
    for (int i = 0; i < 12; ++i)
        remainder = (remainder << 1) ^ ((remainder >> 11) * 0x1F25);
    const int bits = m_nVersion << 12 | remainder;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 3; ++j) {
            const bool dark = (bits >> (3 * i + j)) & 1;
            SetFunction(n - 11 + j, i, dark);
            SetFunction(i, n - 11 + j, dark);
        }
    }
}

// Two-module columns from the bottom-right corner, zig-zagging up and down, skipping column 6.
void CQR_Encode::SetCodeWordPattern()
{
    const int n = m_nSymbleSize;
    const int totalBits = m_ncAllCodeWord * 8;
    int bit = 0;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6)
            right = 5;
        const bool upward = ((right + 1) & 2) == 0;
        for (int step = 0; step < n; ++step) {
            const int y = upward ? n - 1 - step : step;
            for (int j = 0; j < 2; ++j) {
                const int x = right - j;
                if (m_byModuleData[x][y] & kLightFunction)
                    continue;
                if (bit < totalBits && (m_byAllCodeWord[bit / 8] & (0x80 >> (bit % 8))))
                    m_byModuleData[x][y] = kDataOne;
                ++bit;
            }
        }
    }
}

void CQR_Encode::SetMaskingPattern(int nPatternNo)
{
    using Apply = void (*)(uint8_t (*)[kMaxSymbolSize], int);
    static constexpr Apply kMasks[8] = {applyMask<0>, applyMask<1>, applyMask<2>, applyMask<3>,
                                        applyMask<4>, applyMask<5>, applyMask<6>, applyMask<7>};
    kMasks[nPatternNo & 7](m_byModuleData, m_nSymbleSize);
}

void CQR_Encode::SetFormatInfoPattern(int nPatternNo)
{
    for (const QrModule& module : qrFormatModules(m_nLevel, nPatternNo, m_nSymbleSize))
        SetFunction(module.x, module.y, module.dark);
}

int CQR_Encode::ChooseMask() const
{
    const int n = m_nSymbleSize;
    QrMaskChoice choice(n, m_nLevel);
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const uint8_t module = m_byModuleData[x][y];
            if (module & kLightFunction)
                choice.setFunction(x, y, (module & kDarkFunction) == kDarkFunction);
            else
                choice.setData(x, y, (module & kDataOne) != 0);
        }
    }
    return choice.best();
}

int CQR_Encode::CountPenalty() const
{
    QrBitGrid grid(m_nSymbleSize);
    for (int x = 0; x < m_nSymbleSize; ++x)
        for (int y = 0; y < m_nSymbleSize; ++y)
            grid.set(x, y, IsDark(x, y));
    return grid.penalty();
}
