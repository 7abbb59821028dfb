#pragma once
// Raising a rendered card side to a print resolution and writing card pictures to files. Safe on
// the batch workers' threads: neither touches shared state beyond the file it writes.
#include <QImage>
#include <QSizeF>
#include <QString>

#include "platform/PictureResolution.h"

class CardImage;

// The side as a bitmap of ceil(dpi*w/72) x ceil(dpi*h/72) pixels whose size in points stays
// w x h (its dots per metre say dpi). A null or empty image gives a null bitmap and the log line
// "Invalid image"; so does a resolution that is not a positive number.
QImage Increase_DPI(const CardImage& image, double dpi);
// The picture redrawn the same way into a bitmap of that resolution, its size in points kept.
QImage Increase_DPI(const QImage& picture, double dpi);

// Whether every pixel is fully opaque, as every pixel of a picture without alpha is.
bool isOpaque(const QImage& picture);

// Writes the picture to the path, encoded by the extension (any case): "pdf" one page the
// picture's size in points holding it losslessly, "png", "jpg"/"jpeg" (flattened on white),
// "bmp", "tif"/"tiff"; any other extension gets PNG. The file is replaced whole or not at all;
// false, with the reason logged, when it could not be written.
bool Save_gen_image(const QImage& picture, const QString& file_path_val);
// The bytes Save_gen_image writes for that path; empty, with the reason in *error, when the
// picture cannot be encoded.
QByteArray Encode_gen_image(const QImage& picture, const QString& path, QString* error);
