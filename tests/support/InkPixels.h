#pragma once
// How much a picture has drawn in dark: the pixels darker than mid grey, words and strokes on a
// light card.
#include <QImage>

inline qint64 inkPixels(const QImage& image)
{
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}
