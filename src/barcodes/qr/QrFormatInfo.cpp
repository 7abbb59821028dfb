#include "barcodes/qr/QrFormatInfo.h"

#include <cstddef>

std::array<QrModule, 31> qrFormatModules(int level, int mask, int size)
{
    static constexpr int kLevelBits[4] = {1, 0, 3, 2};  // L, M, Q, H
    const int n = size;
    const int data = kLevelBits[level & 3] << 3 | (mask & 7);
    int remainder = data;
    for (int i = 0; i < 10; ++i)
        remainder = (remainder << 1) ^ ((remainder >> 9) * 0x537);
    const int bits = (data << 10 | remainder) ^ 0x5412;
    auto bit = [bits](int i) { return ((bits >> i) & 1) != 0; };

    std::array<QrModule, 31> modules;
    size_t k = 0;
    for (int i = 0; i <= 5; ++i)
        modules[k++] = {8, i, bit(i)};
    modules[k++] = {8, 7, bit(6)};
    modules[k++] = {8, 8, bit(7)};
    modules[k++] = {7, 8, bit(8)};
    for (int i = 9; i < 15; ++i)
        modules[k++] = {14 - i, 8, bit(i)};
    for (int i = 0; i < 8; ++i)
        modules[k++] = {n - 1 - i, 8, bit(i)};
    for (int i = 8; i < 15; ++i)
        modules[k++] = {8, n - 15 + i, bit(i)};
    modules[k++] = {8, n - 8, true};
    return modules;
}
