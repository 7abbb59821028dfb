#include "views/canvas/CanvasMouseTracking.h"

#include <cmath>

#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"

QRectF CanvasMouseTracking::bandRect(QPointF a, QPointF b)
{
    return QRectF(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(a.x() - b.x()),
                  std::abs(a.y() - b.y()));
}

bool CanvasMouseTracking::isBeyondThreshold(QPointF press, QPointF point)
{
    return std::abs(point.x() - press.x()) >= kDragThreshold ||
           std::abs(point.y() - press.y()) >= kDragThreshold;
}

QPointF CanvasMouseTracking::snapped(QPointF point) const
{
    const SKTGrid* grid = m_view.grid();
    return grid ? grid->constrainedPoint(point) : point;
}

void CanvasMouseTracking::beginMove(QPointF press)
{
    m_mode = Mode::Moving;
    m_press = press;
    m_last = press;
    m_isDragging = false;
    m_moving = m_view.selectedGraphics();
    m_boundsAtPress.clear();
    for (const GraphicPtr& graphic : m_moving)
        m_boundsAtPress.append(graphic->bounds());
    const QRectF united = SKTGraphic::boundsOfGraphics(m_moving);
    m_offset = press - united.topLeft();
    if (m_view.rulersVisible())
        m_view.beginEchoingMoveToRulers(united);
}

void CanvasMouseTracking::beginResize(const GraphicPtr& graphic, int handle)
{
    m_graphic = graphic;
    m_handle = handle;
    m_canResize = graphic && !graphic->Is_Control_Locked() && graphic->kind() != GraphicKind::Barcode;
    m_mode = m_canResize ? Mode::Resizing : Mode::Swallowing;
    if (m_canResize && m_view.rulersVisible())
        m_view.beginEchoingMoveToRulers(graphic->bounds());
}

void CanvasMouseTracking::beginCreation(const GraphicPtr& graphic, int handle)
{
    beginResize(graphic, handle);
    m_mode = Mode::Creating;
}

void CanvasMouseTracking::beginMarquee(QPointF press)
{
    m_mode = Mode::Marquee;
    m_press = press;
    m_lastBand = QRectF();
    m_selectionAtPress = m_view._selection;
}

void CanvasMouseTracking::beginSwallow()
{
    m_mode = Mode::Swallowing;
}

void CanvasMouseTracking::moveTo(QPointF point)
{
    switch (m_mode) {
    case Mode::Moving:
        moveSelection(point);
        break;
    case Mode::Resizing:
    case Mode::Creating:
        resizeGraphic(point);
        break;
    case Mode::Marquee:
        updateMarquee(point);
        break;
    case Mode::Idle:
    case Mode::Swallowing:
        break;
    }
}

void CanvasMouseTracking::release(QPointF point)
{
    moveTo(point);
    const Mode finished = m_mode;
    m_mode = Mode::Idle;
    switch (finished) {
    case Mode::Moving:
        finishMove();
        break;
    case Mode::Resizing:
        m_view.stopEchoingMoveToRulers();
        // A press on a handle that changed nothing records nothing: the side equals its newest
        // snapshot.
        canvasHost().Insert_In_Undo_Redo();
        break;
    case Mode::Creating:
        finishCreation();
        break;
    case Mode::Marquee:
        finishMarquee();
        break;
    case Mode::Idle:
    case Mode::Swallowing:
        break;
    }
    abandon();
}

void CanvasMouseTracking::abandon()
{
    m_mode = Mode::Idle;
    m_moving.clear();
    m_boundsAtPress.clear();
    m_graphic.reset();
    m_selectionAtPress.clear();
    m_isDragging = false;
}

void CanvasMouseTracking::moveSelection(QPointF point)
{
    if (!m_isDragging) {
        if (!isBeyondThreshold(m_press, point))
            return;
        m_isDragging = true;
        m_view._isHidingHandles = true;
        m_view.setNeedsDisplayInRect(SKTGraphic::drawingBoundsOfGraphics(m_moving));
    }
    if (m_view.grid())
        point = snapped(point - m_offset) + m_offset;
    if (point == m_last)
        return;
    // The canvas observes the elements' bounds and redisplays what they leave and cover.
    SKTGraphic::translateGraphics(m_moving, point.x() - m_last.x(), point.y() - m_last.y());
    m_last = point;
    if (m_view.rulersVisible())
        m_view.continueEchoingMoveToRulers(SKTGraphic::boundsOfGraphics(m_moving));
}

void CanvasMouseTracking::finishMove()
{
    m_view.stopEchoingMoveToRulers();
    if (m_isDragging) {
        m_view._isHidingHandles = false;
        m_view.setNeedsDisplayInRect(SKTGraphic::drawingBoundsOfGraphics(m_moving));
        bool anythingMoved = false;
        for (int i = 0; i < m_moving.size(); ++i)
            anythingMoved = anythingMoved || m_moving.at(i)->bounds() != m_boundsAtPress.at(i);
        if (anythingMoved)
            canvasHost().Insert_In_Undo_Redo();
    }
    canvasHost().Refresh_Canvas();
}

void CanvasMouseTracking::resizeGraphic(QPointF point)
{
    if (!m_canResize || !m_graphic)
        return;
    m_handle = m_graphic->resizeByMovingHandle(m_handle, snapped(point));
    if (m_view.rulersVisible())
        m_view.continueEchoingMoveToRulers(m_graphic->bounds());
}

void CanvasMouseTracking::finishCreation()
{
    m_view.stopEchoingMoveToRulers();
    const GraphicPtr graphic = m_graphic;
    const bool kept = m_view.settleNewGraphic(graphic);
    m_view.finishCreatingGraphic(graphic, kept);
    m_view._creatingGraphic.reset();
    if (!kept)
        m_view._Selected_Graphic.reset();
    m_view.update();
}

void CanvasMouseTracking::updateMarquee(QPointF point)
{
    const QRectF band = bandRect(m_press, point);
    if (band == m_lastBand)
        return;
    const QRectF previous = m_view._marqueeSelectionBounds;
    m_lastBand = band;
    m_view._marqueeSelectionBounds = band;
    m_view.setNeedsDisplayInRect(previous.united(band).adjusted(-1, -1, 1, 1));
    const QList<int> hits = m_view.indexesOfGraphicsIntersectingRect(band);
    if (hits.isEmpty())
        return;
    QSet<const SKTGraphic*> selection = m_selectionAtPress;
    const GraphicList& list = m_view.graphics();
    for (int index : hits) {
        const SKTGraphic* graphic = list.at(index).get();
        if (selection.contains(graphic))
            selection.remove(graphic);
        else
            selection.insert(graphic);
    }
    QList<int> indexes;
    for (int i = 0; i < list.size(); ++i) {
        if (selection.contains(list.at(i).get()))
            indexes.append(i);
    }
    m_view.changeSelectionIndexes(indexes);
}

void CanvasMouseTracking::finishMarquee()
{
    const QRectF band = m_view._marqueeSelectionBounds;
    m_view._marqueeSelectionBounds = QRectF();
    m_view.setNeedsDisplayInRect(band.adjusted(-1, -1, 1, 1));
    canvasHost().Refresh_Canvas();
}
