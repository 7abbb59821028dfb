#pragma once
// The PDF417 drawer of the barcode window: one encoder record and the picture made from it.
#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include "barcodes/ModuleGrid.h"
#include "barcodes/pdf417/Pdf417Encoder.h"

// PDF417's default character set is Latin-1; anything beyond it goes as UTF-8.
QByteArray pdf417TextBytes(const QString& value);
// The levels the barcode window lists, 0 to 8.
bool isPdf417ErrorLevel(int level);
// Encodes bytes at the given level (another level is refused as invalid); columns 0 picks them for a square symbol of rows three modules
// tall. The result (or the error) is in p.
void pdf417Encode(pdf417::_pdf417param& p, const QByteArray& bytes, int errorLevel, int columns = 0);
// The bitmap of an encoded record as modules (bars dark), whether or not it was inverted.
ModuleGrid pdf417Modules(const pdf417::_pdf417param& p);

class pdf417View {
public:
    enum ImageState { ImageReady = 0, ImageEmpty = 1, ImageError = 2 };

    // Frame in points; the symbol is stretched over it with no quiet zone.
    void setFrameSize(const QSizeF& points) { frame_ = points; }
    QSizeF frameSize() const { return frame_; }
    void setErrorLevel(int level);
    int getErrorLevel() const { return errorLevel_; }

    // Makes the picture at dpi; returns the new image state. An empty text or a failed encode
    // leaves no picture, so a caller never takes an earlier value's symbol for this one.
    int drawWithText(const QString& text, double dpi = 600.0);
    QImage getImage() const { return pdf417Image_; }
    int imageState() const { return imageState_; }
    const pdf417::_pdf417param& record() const { return p_; }
    // A picture and state read back from an archive; any other state is refused (false).
    bool restore(int imageState, const QImage& picture);
    // Drops the picture and the record's bitmap.
    void eraseOldDrawing();

    // The current symbol as EPS text: the frame as bounding box, one hexadecimal line per symbol
    // row (1 for a light module), drawn by the image operator over the frame.
    QByteArray makeEPS() const;

private:
    QImage pdf417Image_;
    pdf417::_pdf417param p_;
    int errorLevel_ = 2;
    int imageState_ = ImageEmpty;
    QSizeF frame_{100, 20};
};
