#pragma once
// PDF417 encoder: segmentation, compaction, sizing, Reed-Solomon protection and the 1-bit bitmap.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pdf417 {

enum Option {
    PDF417_FIXED_RECTANGLE = 1,
    PDF417_FIXED_COLUMNS = 2,
    PDF417_FIXED_ROWS = 4,
    PDF417_USE_ERROR_LEVEL = 16,
    PDF417_USE_RAW_CODEWORDS = 64,
    PDF417_INVERT_BITMAP = 128,
};

enum Error {
    PDF417_ERROR_SUCCESS = 0,
    PDF417_ERROR_TEXT_TOO_BIG = 1,
    PDF417_ERROR_INVALID_PARAMS = 2,
};

constexpr int kMaxTextLength = 5420;
constexpr int kMaxDataCodewords = 926;
constexpr int kMaxCodewords = 928;

// Parameters in, symbol out. The bitmap is owned here: rows of bitColumns bits, each row starting
// on a byte boundary, a set bit a bar (unless inverted).
struct _pdf417param {
    std::vector<std::uint8_t> outBits;
    int lenBits = 0;
    int bitColumns = 0;
    int codeRows = 0;
    int codeColumns = 0;
    std::array<int, kMaxCodewords> codewords{};
    int lenCodewords = 0;
    int errorLevel = 0;
    const char* text = "";
    int lenText = -1;  // -1: up to the zero byte
    int options = 0;
    float aspectRatio = 0.5f;
    float yHeight = 3.0f;
    int error = PDF417_ERROR_SUCCESS;
};

struct Segment {
    char type;  // 'T' text, 'B' byte, 'N' numeric
    int start;
    int end;  // exclusive
    int length() const { return end - start; }
};

void pdf417init(_pdf417param& p);
// Builds the codewords, sizes the symbol and writes the bitmap; sets error. No bitmap on error.
void paintCode(_pdf417param& p);
void pdf417free(_pdf417param& p);

std::vector<Segment> breakString(std::string_view text);
// The highest level whose correction codewords fit into the given number of free codewords.
int maxPossibleErrorLevel(int freeCodewords);

}  // namespace pdf417
