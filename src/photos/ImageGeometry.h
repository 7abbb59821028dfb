#pragma once
// Where an image view draws its picture and at what scale, and the size in points a picture
// carries beside its pixels. The view geometry is y-up (origin at the view's lower left), so a
// selection laid over the drawn picture uses the same coordinates as the picture's crop.
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

// How an image view scales its picture; the values are stored, so they keep their numbers.
enum ImageScaling : int {
    ImageScaleProportionallyDown = 0,
    ImageScaleAxesIndependently = 1,
    ImageScaleNone = 2,
    ImageScaleProportionallyUpOrDown = 3,
};

// Where an image view places its picture; stored values as well.
enum ImageAlignment : int {
    ImageAlignCenter = 0,
    ImageAlignTop = 1,
    ImageAlignTopLeft = 2,
    ImageAlignTopRight = 3,
    ImageAlignLeft = 4,
    ImageAlignBottom = 5,
    ImageAlignBottomLeft = 6,
    ImageAlignBottomRight = 7,
    ImageAlignRight = 8,
};

// What the geometry needs of an image view: its drawing rectangle (y-up), scaling and alignment.
struct ImageViewLayout {
    QRectF drawingRect;
    int scaling = ImageScaleProportionallyDown;
    int alignment = ImageAlignCenter;
};

// The horizontal and vertical scale from picture points to view points for a picture of the size
// in the view. Proportional scales are the smaller of the two, compared in single precision;
// proportionally down never enlarges; no scaling (and any unknown mode) is 1.
QSizeF imageRatio(const QSizeF& pictureSize, const ImageViewLayout& view);

// The rectangle in which the view draws a picture of the size, placed by the alignment and moved
// by the drawing rectangle's origin. A picture under one point on either side gives the empty
// rectangle at (0, 0); an unknown alignment a rectangle of size 0 at the drawing rectangle's origin.
QRectF scaledImageRect(const QSizeF& pictureSize, const ImageViewLayout& view);

// The view's picture at full pixel size: its size in points is the larger of its points and its
// pixels, and two and a half times that when the view's file is a PDF. The pixels are shared.
QImage originalImage(const QImage& picture, const QString& fileURL);

// The scale of originalImage in the view.
QSizeF originalImageRatio(const QImage& picture, const QString& fileURL, const ImageViewLayout& view);

// One point per pixel (72 dpi). A null picture is left as it is.
QImage& normalizeSize(QImage& picture);

// A size in points of pixels / dpi x 72, and the resolution stated for files written from it.
// A null picture, or a resolution that is not positive, is left as it is.
QImage& setDPI(QImage& picture, int dpi);
