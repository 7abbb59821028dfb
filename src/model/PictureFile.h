#pragma once
// Where a picture element goes; the picture reading itself is in platform/PictureReading.h.
#include <QImage>
#include <QPointF>
#include <QRectF>

#include "platform/PictureReading.h"

// The box of the picture's size (in points) centred on a point: where a new picture element goes.
inline QRectF pictureBoxCentredOn(QPointF centre, const QImage& picture)
{
    const QSizeF size = picture.deviceIndependentSize();
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}
