#pragma once
// A left-button drag on a canvas, with its points given on the card (points), as a person's mouse
// would make it: press, a move halfway, a move to the end, release. A click is a drag that stays put.
#include <QApplication>
#include <QMouseEvent>

#include "views/canvas/SKTGraphicView.h"

namespace canvas_mouse {

inline void sendAt(SKTGraphicView& view, QEvent::Type type, QPointF local, Qt::MouseButtons held)
{
    QMouseEvent event(type, local, view.mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

inline void send(SKTGraphicView& view, QEvent::Type type, QPointF card, Qt::MouseButtons held)
{
    sendAt(view, type, card * view.zoomFactor(), held);
}

inline void drag(SKTGraphicView& view, QPointF from, QPointF to)
{
    send(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(view, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(view, QEvent::MouseMove, to, Qt::LeftButton);
    send(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// A drag given by where the mouse stands over the scroll view's visible area (the canvas's
// parent): press at the first point, a move to each further one, release at the last. Each place
// on the canvas is taken as its event is sent, so that a scroll moves the canvas under the mouse.
inline void dragOverViewport(SKTGraphicView& view, const QList<QPoint>& viewportPoints)
{
    const auto local = [&view](QPoint at) { return view.mapFrom(view.parentWidget(), QPointF(at)); };
    sendAt(view, QEvent::MouseButtonPress, local(viewportPoints.first()), Qt::LeftButton);
    for (QPoint at : viewportPoints.mid(1))
        sendAt(view, QEvent::MouseMove, local(at), Qt::LeftButton);
    sendAt(view, QEvent::MouseButtonRelease, local(viewportPoints.last()), Qt::NoButton);
}

// A person's double click: a click, then the second press, which Qt delivers as a double click,
// and its release.
inline void doubleClick(SKTGraphicView& view, QPointF at)
{
    drag(view, at, at);
    send(view, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    send(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

}  // namespace canvas_mouse
