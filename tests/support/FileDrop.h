#pragma once
// A file dragged from the file manager (which offers a copy or a move) and dropped on a widget.
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

inline void dropFile(QWidget& view, const QString& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent entering(QPoint(3, 3), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &entering);
    QDropEvent dropping(QPointF(3, 3), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &dropping);
    QCoreApplication::processEvents();
}
