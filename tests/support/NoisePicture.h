#pragma once
// A picture of random colours, which no encoder can shrink: a card showing it takes many times
// longer to encode than a plain one, so a test can hold one record back behind the next.
#include <QImage>
#include <random>

inline QImage noisePicture(QSize size, unsigned seed = 57)
{
    QImage noise(size, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x)
            line[x] = 0xff000000u | (random() & 0xffffffu);
    }
    return noise;
}
