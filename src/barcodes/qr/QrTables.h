#pragma once
// Constant tables of QR Code model 2 (ISO/IEC 18004): block structure, alignment positions and
// capacities, indexed by version 1-40 and error-correction level 0 L, 1 M, 2 Q, 3 H.
#include <array>

// One group of Reed-Solomon blocks of equal length.
struct QrBlockGroup {
    int count = 0;          // blocks in the group
    int codewords = 0;      // codewords per block
    int dataCodewords = 0;  // data codewords per block
};

struct QrVersionInfo {
    int version = 0;
    int totalCodewords = 0;
    std::array<int, 4> dataCodewords{};           // per level
    int alignmentCount = 0;                       // centre coordinates other than 6
    std::array<int, 6> alignment{};
    std::array<std::array<QrBlockGroup, 2>, 4> blocks{};  // per level: the short blocks, then the long ones
};

constexpr int kQrLevels = 4;
constexpr int kQrVersions = 40;

// version 1-40
const QrVersionInfo& QR_VersonInfo(int version);
// Data capacity in bits.
int data_bit_size_array(int version, int level);

// Character capacities indexed by (version - 1) * 4 + level.
using QrCapacityTable = std::array<int, kQrVersions * kQrLevels>;
const QrCapacityTable& QR_Numric_size_array();
const QrCapacityTable& QR_AlphaNumric_size_array();
const QrCapacityTable& QR_8_BIT_size_array();
