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

// The PNG at the path shrunk to exactly size, in true colour (ARGB32); null when the file is no
// PNG that can be read, larger than maxSide on a side, smaller than size, or when the result
// would take more than kMaxShrunkPngBytes.
QImage readPngShrunk(const QString& path, const QSize& size, int maxSide);
