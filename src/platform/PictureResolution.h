#pragma once
// A picture's size in points beside its pixels: its resolution (dots per metre on each axis)
// carries it, as files written from the picture keep it.
#include <QImage>
#include <QSize>
#include <QSizeF>

// The picture's size in points, from its pixels and its resolution (72 dpi when it states none).
QSizeF sizeInPoints(const QImage& picture);

// The resolution at which `pixels` measure `points`, in dots per metre; at least 1.
int dotsPerMeterFor(int pixels, double points);

// Gives the picture the resolution at which its pixels measure `points`, each side on its own;
// its pixels stay. An empty size changes nothing.
void setSizeInPoints(QImage& picture, QSizeF points);
