#pragma once
// A large PNG shrunk while its rows are decoded, one row at a time, each pixel of the result the
// average of the pixels it covers: a small file can hold a picture of millions of pixels, and
// its thumbnail must not cost the whole picture in memory. Every kind of PNG is read so: grey,
// palette or true colour, with or without alpha, 1 to 16 bits, interlaced or not. Beside the
// result, the reading holds a row and the sums of some of the result's rows.
#include <QImage>
#include <QSize>
#include <QString>

// The largest result readPngShrunk gives when it shrinks a picture, and at the picture's own size.
inline constexpr qint64 kMaxShrunkPngBytes = qint64(192) << 20;
inline constexpr qint64 kMaxWholePngBytes = qint64(256) << 20;
// What an interlaced picture's result and the sums of all its rows may take together.
inline constexpr qint64 kMaxInterlacedShrinkingBytes = qint64(96) << 20;

// The PNG at the path shrunk to exactly size (or kept at its own), in true colour (ARGB32), 16-bit
// samples taken by their high byte; null when the file is no PNG that can be read, of more than
// maxPixels pixels or a million on a side, smaller than size, or when the result would take more
// than kMaxShrunkPngBytes (kMaxWholePngBytes at its own size). The file is decoded once. An
// interlaced PNG comes pass by pass, so every row of its result is summed at once: shrunk, it comes
// smaller than size, of the same shape, when the result and those sums would take more than
// kMaxInterlacedShrinkingBytes.
QImage readPngShrunk(const QString& path, const QSize& size, qint64 maxPixels);

// Whether the PNG at the path is read by the row reader above at every size: a 16-bit picture in
// colour, with alpha or with a transparent colour, which Qt's reader holds at 8 bytes a pixel
// (twice the row reader's result) and whose transparent colour it scrambles.
bool pngReadByRows(const QString& path);

// The resolution the PNG at the path states (its pHYs chunk in pixels per metre), from its header
// alone; invalid when it states none, states only an aspect ratio, or is no PNG.
QSize pngDotsPerMeter(const QString& path);

// How many times the row reader has begun decoding a file in this process: what a reading costs
// is mostly its decoding.
qint64 pngRowDecodings();
