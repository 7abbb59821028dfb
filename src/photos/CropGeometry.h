#pragma once
// The arithmetic of the cropping tool, apart from its windows. Rectangles on the selection canvas
// and the face detector's boxes have their origin at the lower-left corner of the picture (y up);
// only pixelRectOf turns one into the picture's rows, which run from the top.
#include <QRect>
#include <QRectF>
#include <QSizeF>

namespace CropGeometry {

// The face box grown by percent of its size in total, half on each side, its centre kept; the
// sizes are held in single precision as the tool's fields hold them.
QRectF grownFaceBox(const QRectF& face, double percent);

// Picture pixels to the view that shows the picture: the axis by which the picture exceeds the view
// by more decides (not the smaller of the two ratios).
double faceBoxScale(const QSizeF& view, const QSizeF& picture);

// A rectangle of the selection canvas in the picture's own coordinates, through the displayed
// size over the picture's size per axis.
QRectF pictureRectOfSelection(const QRectF& selection, const QSizeF& displayRatio);

// The picture's pixels a y-up rectangle covers, in rows from the top, cut to the picture; empty when
// none are left.
QRect pixelRectOf(const QRectF& pictureRect, const QSize& picture);

// The size of the given-size method: exactly the wanted size, or with keepProportions the
// picture scaled by the smaller ratio so that it fits inside the wanted size.
QSizeF givenSize(const QSizeF& wanted, const QSizeF& picture, bool keepProportions);

}  // namespace CropGeometry
