#pragma once
// Encoders of card pictures that batch output needs fast or that Qt lacks: PNG through libspng
// and EPS through our own writer. Safe on any thread.
#include <QByteArray>
#include <QImage>
#include <QString>

// PNG of the picture with its density (pHYs) kept: 8-bit RGB when every pixel is opaque, else RGBA.
// Measured on 600-dpi card rasters, zlib level 3 with the Up filter and run-length matching takes
// a fifth of the time of Qt's writer for files of about its size.
QByteArray encodePng(const QImage& picture, QString* error);

// An EPS page of the given size in points, holding the picture at its density (72 dpi when it
// states none) from the top-left corner: PostScript Level 3, the picture flattened on white,
// Flate-compressed and ASCII85-coded. An empty page size takes the picture's own.
QByteArray encodeEps(const QImage& picture, QSizeF page, QString* error);

// The picture encoded for the file's extension (any case): png, eps, and whatever
// Encode_gen_image takes (pdf, jpg/jpeg, bmp, tif/tiff); any other extension gets PNG.
QByteArray encodeCardPicture(const QImage& picture, const QString& path, QString* error);
