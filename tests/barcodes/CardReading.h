#pragma once
// Reading the bars of a linear symbol back from a picture of a white card holding only its bars:
// the widths of bars and gaps in modules, or for bar-height codes the extent of each bar.
#include <QImage>
#include <QString>
#include <cmath>
#include <vector>

namespace card_reading {

// One bar: its first and last column and the first and last row of its dark pixels.
struct Bar {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

inline bool isDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The dark columns grouped into bars, left to right; light and dark split at half grey.
inline std::vector<Bar> barsOf(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<Bar> bars;
    bool inBar = false;
    for (int x = 0; x < image.width(); ++x) {
        int top = -1;
        int bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            if (isDark(image.pixel(x, y))) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        if (top < 0) {
            inBar = false;
            continue;
        }
        if (!inBar)
            bars.push_back(Bar{x, x, top, bottom});
        Bar& bar = bars.back();
        bar.right = x;
        bar.top = std::min(bar.top, top);
        bar.bottom = std::max(bar.bottom, bottom);
        inBar = true;
    }
    return bars;
}

// Bars and the gaps between them as 1s and 0s, each run the nearest whole number of modules.
inline QString modulesOf(const std::vector<Bar>& bars, double modulePixels)
{
    QString modules;
    for (size_t i = 0; i < bars.size(); ++i) {
        if (i > 0)
            modules += QString(int(std::lround((bars[i].left - bars[i - 1].right - 1) / modulePixels)), u'0');
        modules += QString(int(std::lround((bars[i].right - bars[i].left + 1) / modulePixels)), u'1');
    }
    return modules;
}

// One letter per bar by its extent against the tallest: F top and bottom, A top only, D bottom
// only, T neither.
inline QString barLettersOf(const std::vector<Bar>& bars)
{
    if (bars.empty())
        return {};
    int highest = bars.front().top;
    int lowest = bars.front().bottom;
    for (const Bar& bar : bars) {
        highest = std::min(highest, bar.top);
        lowest = std::max(lowest, bar.bottom);
    }
    const int tolerance = std::max(1, (lowest - highest) / 8);
    QString letters;
    for (const Bar& bar : bars) {
        const bool top = bar.top - highest <= tolerance;
        const bool bottom = lowest - bar.bottom <= tolerance;
        letters += top ? (bottom ? u'F' : u'A') : (bottom ? u'D' : u'T');
    }
    return letters;
}

}  // namespace card_reading
