#pragma once
// The three PDF417 codeword clusters; row r of a symbol draws from cluster r mod 3.
#include <array>
#include <cstdint>

namespace pdf417 {
extern const std::array<std::array<std::uint32_t, 929>, 3> kClusterPatterns;
}
