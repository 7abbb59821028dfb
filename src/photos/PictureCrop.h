#pragma once
// One crop of one picture file, from the file to the written crop, with no window: what the
// cropping tool's Crop button and every picture of a batch run do. Reentrant: several crops may
// run at once on different threads, each with a face detector of its own.
#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "filters/PictureSettings.h"
#include "platform/PictureReading.h"

class FaceDetector;
class QImage;

struct CropRequest {
    enum Method { Selection = 0, Face = 1, GivenSize = 2 };

    QString source;  // the picture file
    QString target;  // where the crop goes; its extension picks the encoder (jpg, bmp, png, tif/tiff)
    int method = Selection;
    // Selection: the y-up rectangle on the selection canvas, which lies over the picture as shown
    // at viewSize (the displayed size of the whole picture).
    QRectF selectionInView;
    QSizeF viewSize;
    // Face: the first face's box grown by this per cent of its size, half on each side.
    double faceExtensionPercent = 0;
    // Given size: the whole picture scaled to this size, or fitted inside it keeping its proportions.
    QSizeF givenSize;
    bool keepProportions = false;
    // The adjustments the user set; applied to the full picture before it is cut, their blur and
    // sharpening reaching as far as they did on the preview they were seen on.
    PictureSettings adjustments;
    // The longest side of that preview, which is also the picture the face is searched on.
    int previewSide = kPicturePreviewMaxPoints;
};

struct CropResult {
    bool written = false;
    bool noFace = false;  // the face method found no face: nothing written, nothing to tell
    bool unreadable = false;  // the picture could not be read (error says so)
    QString error;        // why nothing was written, for the user; empty when nothing was wrong
    QString target;       // the file written, when written
    QRect pixels;         // the area of the adjusted picture that was cut out, rows from the top
};

// Reads the picture (a scaled read, adjusted, for the face search; a full read for the crop),
// applies the adjustments at full resolution, scaled to look as they did on the preview, cuts the area the method gives, cut to the picture,
// and writes it whole or not at all. An empty area (a selection dragged to nothing, a size under
// one pixel) writes nothing and is no error.
CropResult cropPictureFile(const CropRequest& request, FaceDetector& faces);

// All of that but the write: the crop encoded for the target's extension into *encoded (left
// empty when nothing is to be written), for a run that names its files in its own order.
CropResult encodePictureCrop(const CropRequest& request, FaceDetector& faces, QByteArray* encoded);

// The area of a picture of that size the method cuts (the whole picture for the given size), rows
// from the top, cut to the picture; the face box in the picture's own y-up pixels.
QRect cropArea(const QSize& picture, const CropRequest& request, const QRectF& faceInPicture);

// The cut of an already adjusted full picture, for callers holding it; a face box, when the
// method asks for one, is given in the picture's own y-up pixels. Null when nothing is left.
QImage croppedPicture(const QImage& adjusted, const CropRequest& request, const QRectF& faceInPicture,
                      QRect* pixels = nullptr);
