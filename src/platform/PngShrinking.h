#pragma once
// A large PNG shrunk while its rows are decoded, one row at a time, each pixel of the result the
// average of the pixels it covers: a small file can hold a picture of millions of pixels, and
// its thumbnail must not cost the whole picture in memory. Every kind of PNG is read so: grey,
// palette or true colour, with or without alpha, 1 to 16 bits, interlaced or not. Beside the
// result, the reading holds a few rows and sums for some of the result's rows: both together
// within a quarter gigabyte.
#include <QImage>
#include <QSize>
#include <QString>

// The largest result readPngShrunk gives.
inline constexpr qint64 kMaxShrunkPngBytes = qint64(192) << 20;

// The PNG at the path shrunk to exactly size (or kept at its own), in true colour (ARGB32); null
// when the file is no PNG that can be read, larger than maxSide on a side, smaller than size, or
// when the result would take more than kMaxShrunkPngBytes. An interlaced PNG comes pass by pass
// and is read once for every band of the result's rows that fits beside the result: it is read
// at most three times, and no more than 128 Mi pixels decoded in all, though at least once; it
// comes smaller than size, of the same shape, when a larger result would take more readings.
QImage readPngShrunk(const QString& path, const QSize& size, int maxSide);

// Whether Qt's reader gives the pixels of the PNG at the path wrong: it scrambles a 16-bit true
// colour picture with a transparent colour (tRNS), which the row reader above reads right.
bool pngReadWrongByQt(const QString& path);
