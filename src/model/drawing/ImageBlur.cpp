#include "model/drawing/ImageBlur.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Box widths whose three passes come closest to a Gaussian of the deviation.
std::array<int, 3> boxWidthsForGaussian(double sigma)
{
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const double lowerCount = (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower
                               - 3 * passes) / (-4.0 * lower - 4);
    const int m = static_cast<int>(std::lround(lowerCount));
    std::array<int, 3> widths{};
    for (int i = 0; i < passes; ++i)
        widths[i] = i < m ? lower : lower + 2;
    return widths;
}

// One box pass over count pixels spaced stride words apart, zero beyond both ends.
void boxBlurRun(quint32* pixels, int count, int stride, int radius, std::vector<quint32>& sums)
{
    // sums holds running totals per channel: sums[4 * i + c] = channel c of pixels [0, i).
    sums.assign(4 * (static_cast<size_t>(count) + 1), 0);
    for (int i = 0; i < count; ++i) {
        const quint32 p = pixels[static_cast<size_t>(i) * stride];
        for (int c = 0; c < 4; ++c)
            sums[4 * (i + 1) + c] = sums[4 * i + c] + ((p >> (8 * c)) & 0xff);
    }
    const quint32 window = 2 * radius + 1;
    for (int i = 0; i < count; ++i) {
        const int low = std::max(0, i - radius);
        const int high = std::min(count, i + radius + 1);
        quint32 p = 0;
        for (int c = 0; c < 4; ++c) {
            const quint32 total = sums[4 * high + c] - sums[4 * low + c];
            p |= ((total + window / 2) / window) << (8 * c);
        }
        pixels[static_cast<size_t>(i) * stride] = p;
    }
}

void boxBlur(QImage& image, int radius)
{
    if (radius <= 0)
        return;
    std::vector<quint32> sums;
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    auto* bits = reinterpret_cast<quint32*>(image.bits());
    for (int y = 0; y < image.height(); ++y)
        boxBlurRun(bits + static_cast<size_t>(y) * stride, image.width(), 1, radius, sums);
    for (int x = 0; x < image.width(); ++x)
        boxBlurRun(bits + x, image.height(), stride, radius, sums);
}

}  // namespace

void gaussianBlur(QImage& image, double sigma)
{
    if (image.isNull() || !(sigma >= 0.25))
        return;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    for (const int width : boxWidthsForGaussian(sigma))
        boxBlur(image, (width - 1) / 2);
}
