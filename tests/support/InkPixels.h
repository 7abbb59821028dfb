#pragma once
// How much a picture has drawn in dark: the pixels darker than mid grey (and not transparent),
// words and strokes on a light card.
#include <QImage>
#include <QRectF>
#include <algorithm>
#include <cstdlib>

inline qint64 inkPixels(const QImage& image)
{
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

inline bool isInk(QRgb pixel)
{
    return qAlpha(pixel) > 128 && qGray(pixel) < 128;
}

// Where the line of ink nearest the top (or the bottom) of a picture lies: the first run of rows
// holding ink, counted from that edge, in points for a picture of pixelsPerPoint.
inline QRectF inkOfOuterLine(const QImage& image, bool fromTop, double pixelsPerPoint)
{
    int left = image.width(), right = -1, first = -1, last = -1;
    for (int i = 0; i < image.height(); ++i) {
        const int y = fromTop ? i : image.height() - 1 - i;
        bool any = false;
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image.pixel(x, y)))
                left = std::min(left, x), right = std::max(right, x), any = true;
        }
        if (!any && first >= 0)
            break;
        if (any)
            last = y, first = first < 0 ? y : first;
    }
    if (first < 0)
        return {};
    return QRectF(left / pixelsPerPoint, std::min(first, last) / pixelsPerPoint, (right - left + 1) / pixelsPerPoint,
                  (std::abs(last - first) + 1) / pixelsPerPoint);
}
