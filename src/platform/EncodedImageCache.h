#pragma once
// PNG bytes of pictures, encoded once per picture: archiving the same unchanged pictures again
// (an undo snapshot on every edit) then costs a copy of the bytes, not a PNG encode.
#include <QByteArray>
#include <QImage>

// PNG bytes of the picture (empty for a null picture or when encoding fails). Thread-safe; the
// cache is keyed by QImage::cacheKey(), which changes whenever the pixels change, and keeps at
// most kEncodedImageCacheBytes, dropping the least recently used entries first.
QByteArray encodedPng(const QImage& image);
// Records PNG bytes that a picture was just decoded from: archiving the decoded picture again (the
// next undo snapshot after a rebuild) then costs no encoding and gives the very same bytes.
// Bytes that are not PNG are ignored.
void rememberEncodedPng(const QImage& image, const QByteArray& bytes);

inline constexpr qsizetype kEncodedImageCacheBytes = 64LL * 1024 * 1024;
