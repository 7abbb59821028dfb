#pragma once
// A rendered card side: a snapshot of everything its drawing reads, which draws itself on any
// painter. It touches no live state once made, so it may be rasterised on another thread.
#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <memory>

#include "model/Card_Property.h"
#include "model/SKTGraphic.h"

#include <QPainter>

// Keeps a painter's save and restore paired, also when a drawing throws.
class SavedPainterState {
public:
    explicit SavedPainterState(QPainter& painter) : m_painter(painter) { m_painter.save(); }
    ~SavedPainterState() { m_painter.restore(); }
    SavedPainterState(const SavedPainterState&) = delete;
    SavedPainterState& operator=(const SavedPainterState&) = delete;

private:
    QPainter& m_painter;
};

// What the drawing of one card side reads.
struct CardScene {
    GraphicList graphics;  // index 0 topmost
    Card_Property side;
    int cardShape = 0;
    QRectF card;  // the rectangle the card base and border cover
};

// Whether output draws the element: marked for output and visible.
bool isDrawnInOutput(const SKTGraphic& element);

// Draws one side in card coordinates: the card base, the elements marked for output and
// visible from the last index to index 0, then the watermark and border. An exception ends the
// drawing; its reason is shown in a message box.
void drawCardScene(QPainter& painter, const CardScene& scene);

// PDF of one page of the size in points (72 dpi, no margins) painted by paint in points; the
// title goes into the document information. Empty for an empty page.
QByteArray pdfPage(QSizeF pagePoints, const QString& title,
                   const std::function<void(QPainter&)>& paint);
// A picture of ceil(dpi*w/72) x ceil(dpi*h/72) pixels for the size in points, painted by paint in
// points, whose dots per metre say dpi: ARGB32, transparent where nothing is painted, or RGB32
// when every pixel came out opaque. A null image when the pixels cannot be had.
QImage rasterAt(QSizeF points, double dpi, const std::function<void(QPainter&)>& paint);

class CardImage {
public:
    // The null image: what a failed render gives.
    CardImage() = default;
    // Clones the scene's elements; the frame's top-left is the image's origin.
    CardImage(const CardScene& live, const QRectF& frame);

    bool isNull() const { return !m_scene; }
    // The frame's size in points.
    QSizeF size() const { return m_frame.size(); }
    // Draws the side with the frame's top-left at the painter's origin, in points. The clones
    // may keep values drawing writes back, so one image is drawn on one thread at a time.
    void draw(QPainter& painter) const;
    // ceil(dpi*w/72) x ceil(dpi*h/72) pixels as rasterAt makes them, the card reaching into the
    // last column and row where they are only partly inside the frame: a rectangular card gives
    // an opaque RGB32 picture, a rounded or oval one is transparent outside its outline.
    QImage toImage(double dpi) const;
    // One page the size of the frame.
    QByteArray toPdf() const;
    // The side as it was made, mirrored within its frame: turned over top to bottom when vertical, left to
    // right otherwise, as cards printed on the back of a clear film are.
    CardImage mirrored(bool vertical) const;

private:
    // draw() with the frame grown at its right and bottom to the extent, and the card with it.
    void drawOver(QPainter& painter, QSizeF extent) const;

    std::shared_ptr<const CardScene> m_scene;
    QRectF m_frame;
    bool m_mirrored = false;
    bool m_mirroredVertically = false;
};
