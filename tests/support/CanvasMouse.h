#pragma once
// A left-button drag on a canvas, with its points given on the card (points), as a person's mouse
// would make it: press, a move halfway, a move to the end, release. A click is a drag that stays put.
#include <QApplication>
#include <QMouseEvent>

#include "views/canvas/SKTGraphicView.h"

namespace canvas_mouse {

inline void send(SKTGraphicView& view, QEvent::Type type, QPointF card, Qt::MouseButtons held)
{
    const QPointF local = card * view.zoomFactor();
    QMouseEvent event(type, local, view.mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

inline void drag(SKTGraphicView& view, QPointF from, QPointF to)
{
    send(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(view, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(view, QEvent::MouseMove, to, Qt::LeftButton);
    send(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
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
