#include "barcodes/qr/QrTables.h"
#include "barcodes/qr/CQR_Encode.h"
#include <cstddef>

namespace {

// The error-correction characteristics of ISO/IEC 18004 in compact form: error-correction
// codewords per block and the number of blocks, per level and version (index 0 unused). The
// split into short and long blocks follows from the version's codeword count.
constexpr int kEcCodewordsPerBlock[kQrLevels][kQrVersions + 1] = {
    {0, 7, 10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0, 13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};
constexpr int kBlockCount[kQrLevels][kQrVersions + 1] = {
    {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4, 4, 6, 6, 6, 6, 7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0, 1, 1, 1, 2, 2, 4, 4, 4, 5, 5, 5, 8, 9, 9, 10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0, 1, 1, 2, 2, 4, 4, 6, 6, 8, 8, 8, 10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0, 1, 1, 2, 4, 4, 4, 5, 6, 8, 8, 11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

int alignmentCentres(int version) { return version == 1 ? 0 : version / 7 + 2; }

// Modules left for data and error correction once the function patterns are placed.
int dataModules(int version)
{
    int modules = (16 * version + 128) * version + 64;
    if (version >= 2) {
        const int n = alignmentCentres(version);
        modules -= (25 * n - 10) * n - 55;
        if (version >= 7)
            modules -= 36;  // two version information blocks
    }
    return modules;
}

QrVersionInfo makeVersion(int version)
{
    QrVersionInfo info;
    info.version = version;
    info.totalCodewords = dataModules(version) / 8;

    // The published position table: evenly spaced from the far edge, the first step absorbing
    // the rest; version 32 is the one irregular entry.
    const int centres = alignmentCentres(version);
    if (centres > 0) {
        const int size = 4 * version + 17;
        const int step = version == 32 ? 26 : (version * 4 + centres * 2 + 1) / (centres * 2 - 2) * 2;
        info.alignmentCount = centres - 1;
        for (int i = 0; i < info.alignmentCount; ++i)
            info.alignment[size_t(info.alignmentCount - 1 - i)] = size - 7 - i * step;
    }

    for (int level = 0; level < kQrLevels; ++level) {
        const int blocks = kBlockCount[level][version];
        const int ec = kEcCodewordsPerBlock[level][version];
        const int longBlocks = info.totalCodewords % blocks;
        const int shortLength = info.totalCodewords / blocks;
        info.blocks[size_t(level)][0] = {blocks - longBlocks, shortLength, shortLength - ec};
        info.blocks[size_t(level)][1] = {longBlocks, shortLength + 1, shortLength + 1 - ec};
        info.dataCodewords[size_t(level)] = info.totalCodewords - blocks * ec;
    }
    return info;
}

// The most characters of one mode that a version holds in a single segment.
QrCapacityTable characterCapacities(int mode)
{
    QrCapacityTable table{};
    for (int version = 1; version <= kQrVersions; ++version) {
        const int group = version <= 9 ? 0 : version <= 26 ? 1 : 2;
        for (int level = 0; level < kQrLevels; ++level) {
            const int bits = data_bit_size_array(version, level);
            int count = 0;
            while (CQR_Encode::GetBitLength(mode, count + 1, group) <= bits)
                ++count;
            table[size_t((version - 1) * kQrLevels + level)] = count;
        }
    }
    return table;
}

}  // namespace

const QrVersionInfo& QR_VersonInfo(int version)
{
    static const std::array<QrVersionInfo, kQrVersions> table = [] {
        std::array<QrVersionInfo, kQrVersions> versions;
        for (int v = 1; v <= kQrVersions; ++v)
            versions[size_t(v - 1)] = makeVersion(v);
        return versions;
    }();
    return table[size_t(version - 1)];
}

int data_bit_size_array(int version, int level)
{
    return QR_VersonInfo(version).dataCodewords[size_t(level)] * 8;
}

const QrCapacityTable& QR_Numric_size_array()
{
    static const QrCapacityTable table = characterCapacities(CQR_Encode::Numeric);
    return table;
}

const QrCapacityTable& QR_AlphaNumric_size_array()
{
    static const QrCapacityTable table = characterCapacities(CQR_Encode::Alphanumeric);
    return table;
}

const QrCapacityTable& QR_8_BIT_size_array()
{
    static const QrCapacityTable table = characterCapacities(CQR_Encode::Byte);
    return table;
}
