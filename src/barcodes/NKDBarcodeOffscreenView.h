#pragma once
// The drawing of one barcode picture: the bars of a linear barcode with its caption (or left,
// main and right captions), header and footer, or a ready 2-D symbol picture centred in its
// frame under its header and over its footer. Layout and texts come from the barcode object and
// the settings context; margins are points. The layout is computed with y up from the picture's
// bottom, as the settings describe it, and turned into the picture's y-down points once.
//
// Picture output: the drawing is collected into a BarcodePicture on the calling thread; nothing
// waits for another thread.
#include <QByteArray>
#include <QList>
#include <QPainterPath>
#include <QRectF>

#include "barcodes/BarcodeContext.h"
#include "model/BarcodePicture.h"

class NKDBarcode;

class NKDBarcodeOffscreenView {
public:
    // A linear barcode: frame (0, 0) to the widest of the printed header and footer widths and
    // the barcode's width, by the barcode's height, or more where its bars and the bands above
    // them need more. The barcode and the context must outlive the view.
    NKDBarcodeOffscreenView(const BarcodeContext& context, const NKDBarcode& barcode);
    // A 2-D picture in the context's 2-D frame (width by height, Set_2d_Barcode_Width/Height).
    NKDBarcodeOffscreenView(const BarcodeContext& context, const BarcodePicture& image_2d);

    QRectF bounds() const { return bounds_; }
    // The one page: the linear barcode's width by height (not the frame, which may be wider);
    // the empty rectangle for a 2-D picture.
    QRectF rectForPage(int page) const;
    // Adds the whole drawing of the bounds, read from the settings at this moment.
    void drawRect(BarcodePicture::Builder& picture) const;
    // The drawing of the bounds as a picture whose stored raster is at storedDpi; null when the
    // bounds are empty or too large to store.
    BarcodePicture dataWithPDFInsideRect(double storedDpi = BarcodePicture::kStoredDpi) const;

private:
    // Heights of a linear barcode's printed text bands in points, and where its bars stand (y up).
    struct Bands {
        double caption = 0;
        double header = 0;
        double footer = 0;
        bool captionOnTop = false;
        double base = 0;
    };
    Bands bands() const;
    double neededHeight() const;
    void drawLinear(BarcodePicture::Builder& picture) const;
    // The caption and side captions of the bars drawn from x0 over total points; a caption on top
    // stands over the last bar, lastBarHeight tall.
    QList<QPainterPath> captionOutlines(double x0, double total, double lastBarHeight) const;
    void draw2d(BarcodePicture::Builder& picture) const;
    // A header or footer: measured with kerning 0 for its rectangle, the full width standing on
    // the bottom line (y up), and drawn with kerning 2 from the rectangle's top.
    void drawBandText(BarcodePicture::Builder& picture, const QString& text, const CardFont& font,
                      const QColor& colour, int alignmentIndex, double bottom) const;

    const BarcodeContext& context_;
    const NKDBarcode* barcode_ = nullptr;
    BarcodePicture image_2d_;
    QRectF bounds_;
};

// The picture of a linear barcode; null when it cannot be drawn or stored.
BarcodePicture imageFromBarcode(const BarcodeContext& context, const NKDBarcode& barcode);
// The framed picture of a 2-D symbol picture in the context's frame; null for a null picture.
// Its stored raster is at the context's 2-D resolution, but never below 600 dpi.
BarcodePicture imageFromBarcodeImage(const BarcodeContext& context, const BarcodePicture& image_2d);
// One PDF page the size of a linear barcode's picture, holding it; empty when there is none.
QByteArray pdfFromBarcode(const BarcodeContext& context, const NKDBarcode& barcode);
