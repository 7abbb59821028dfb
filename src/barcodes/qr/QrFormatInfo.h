#pragma once
// Where a QR Code symbol states its level and mask, and in which colours.
#include <array>

struct QrModule {
    int x = 0;
    int y = 0;
    bool dark = false;
};

// Both copies of the 15 format bits for level 0-3 and mask 0-7 in a symbol of size modules,
// and the dark module beside the bottom-left finder.
std::array<QrModule, 31> qrFormatModules(int level, int mask, int size);
