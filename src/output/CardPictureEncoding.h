#pragma once
// Encoders of card pictures that Qt lacks: EPS through our own writer, and the picture for a
// file's extension. Safe on any thread.
#include <QByteArray>
#include <QImage>
#include <QString>

#include "render/PngEncoding.h"

// An EPS page of the given size in points, holding the picture at its density (72 dpi when it
// states none) from the top-left corner: PostScript Level 3, the picture flattened on white,
// Flate-compressed and ASCII85-coded. An empty page size takes the picture's own.
QByteArray encodeEps(const QImage& picture, QSizeF page, QString* error);

// The picture encoded for the file's extension (any case): png, eps, and whatever
// Encode_gen_image takes (pdf, jpg/jpeg, bmp, tif/tiff); any other extension gets PNG.
QByteArray encodeCardPicture(const QImage& picture, const QString& path, QString* error);
