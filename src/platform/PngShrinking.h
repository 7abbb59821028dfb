#pragma once
// A large PNG shrunk while its rows are decoded, one row at a time, each pixel of the result the
// average of the pixels it covers: a small file can hold a picture of millions of pixels, and
// its thumbnail must not cost the whole picture in memory.
#include <QImage>
#include <QSize>
#include <QString>

// The PNG at the path shrunk to exactly size, in true colour; null when the file is no PNG this
// can read row by row (an interlaced one, for instance), or larger than maxSide on a side.
QImage readPngShrunk(const QString& path, const QSize& size, int maxSide);
