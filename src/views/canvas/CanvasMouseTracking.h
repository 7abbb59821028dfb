#pragma once
// The canvas's mouse tracking as a state machine: a press starts a move, a resize, the sizing of
// a new element, a rubber band, or swallows the drag; each move event advances it and the
// release finishes it. Points are card coordinates.
#include <QPointF>
#include <QRectF>
#include <QSet>

#include "model/SKTGraphic.h"

class SKTGraphicView;

class CanvasMouseTracking {
public:
    enum class Mode { Idle, Moving, Resizing, Creating, Marquee, Swallowing };

    // A drag moves nothing until the mouse is this far from the press on either axis.
    static constexpr double kDragThreshold = 2.0;

    explicit CanvasMouseTracking(SKTGraphicView& view) : m_view(view) {}

    Mode mode() const { return m_mode; }
    bool isTracking() const { return m_mode != Mode::Idle; }
    // Whether the mouse drags something (a move, a resize, a new element's size, a rubber band),
    // which the view follows past its edges; a swallowed drag leaves the view where it is.
    bool followsTheMouse() const { return isTracking() && m_mode != Mode::Swallowing; }

    void beginMove(QPointF press);
    // Locked elements and barcodes are not resized: the drag is swallowed.
    void beginResize(const GraphicPtr& graphic, int handle);
    // Sizes the element being created; it is settled on release even when it cannot be resized.
    void beginCreation(const GraphicPtr& graphic, int handle);
    void beginMarquee(QPointF press);
    void beginSwallow();

    void moveTo(QPointF point);
    void release(QPointF point);
    // Forgets the tracking without finishing it (the tracked element left the list).
    void abandon();
    // The element being resized or created, if any.
    const SKTGraphic* trackedGraphic() const { return m_graphic.get(); }

    // The band spanned by two points: origin at the smaller coordinates.
    static QRectF bandRect(QPointF a, QPointF b);
    static bool isBeyondThreshold(QPointF press, QPointF point);

private:
    void moveSelection(QPointF point);
    void resizeGraphic(QPointF point);
    void updateMarquee(QPointF point);
    void finishMove();
    void finishCreation();
    void finishMarquee();
    QPointF snapped(QPointF point) const;

    SKTGraphicView& m_view;
    Mode m_mode = Mode::Idle;
    QPointF m_press;
    QPointF m_last;
    // Moving: the selection, its bounds at the press and the mouse's offset from their origin.
    GraphicList m_moving;
    QList<QRectF> m_boundsAtPress;
    QPointF m_offset;
    bool m_isDragging = false;
    // Resizing and creating.
    GraphicPtr m_graphic;
    int m_handle = SKTGraphicNoHandle;
    bool m_canResize = false;
    // Rubber band: the selection at the press.
    QSet<const SKTGraphic*> m_selectionAtPress;
    QRectF m_lastBand;
};
