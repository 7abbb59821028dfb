#pragma once
// The off-screen view that draws one card side for every output leaving the canvas: exported
// pictures and PDFs, batch images, print pages, mail attachments, clipboard and document data.
// Made for one job over a list of elements, asked for its data once, and thrown away.
#include <QByteArray>
#include <QRectF>
#include <QString>
#include <optional>

#include "model/CardSide.h"
#include "model/SKTError.h"
#include "model/SKTGraphic.h"
#include "render/CardImage.h"

class SKTDocument;

class QPainter;

class SKTRenderingView {
public:
    // The view with that frame over the elements (index 0 topmost) of a side and the job title.
    // The side is given, never read from what the user is editing, so output made on a worker
    // draws the side it was asked for.
    SKTRenderingView(const QRectF& frame, const GraphicList& graphics, CardSide side, const QString& printJobTitle);

    // Draws the side: the card base of the view's side, the elements marked for
    // output and visible from the last index to 0, then the watermark and border. The painter is
    // in card coordinates; an exception ends the drawing and its reason is shown in a message box.
    void drawRect(QPainter& painter) const;
    QString printJobTitle() const { return _printJobTitle; }
    QRectF frame() const { return m_frame; }
    // Origin top-left with y down, like the canvas; the view paints every pixel of its frame.
    bool isFlipped() const { return true; }
    bool isOpaque() const { return true; }
    // One PDF page showing the rectangle of the view; empty for an empty rectangle.
    QByteArray dataWithPDFInsideRect(const QRectF& rect) const;
    // What drawRect would draw, as a snapshot that no later change of the live state reaches.
    CardImage snapshot() const;

    // ---- Entry points: all at the front canvas bounds, job title "Print" --------------------
    // The elements of a side on that side's card base, as a card picture; the null image
    // (logged) when rendering fails.
    static CardImage image_From_Card_Graphics(const GraphicList& graphics, CardSide side);
    // The bitmap-cache road of print_box belongs to old windowing toolkits; every toolkit here
    // takes the picture road, whatever the flag.
    static CardImage image_From_Card_Graphics(const GraphicList& graphics, CardSide side, bool print_box);
    static QByteArray pdfDataWithGraphics_data(const GraphicList& graphics, CardSide side);
    // The elements alone, moved so that the union of their drawing bounds fills the picture:
    // no card base or border, and no test of print_object or visibility. Empty, with error code
    // 3 when asked for, when the elements have no drawing area; empty with a stated reason when
    // the picture cannot be encoded.
    static QByteArray tiffDataWithGraphics(const GraphicList& graphics,
                                           std::optional<SKTError>* error);
    // The document's data of a type: PDF and TIFF pictures of its front side, or the document's
    // own types; empty with a reason in *error when it cannot be made.
    static QByteArray documentDataOfType(const SKTDocument& document, const QString& type, QString* error);

private:
    // The live state the drawing reads: this view's list and its side's settings.
    CardScene liveScene() const;

    GraphicList _graphics;
    CardSide m_side;
    QString _printJobTitle;
    QRectF m_frame;
};
