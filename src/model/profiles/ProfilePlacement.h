#pragma once
// Where a new card-holder element goes when its side has none yet: a fixed layout for landscape
// cards and one for portrait ones, chosen by the front's size whatever side is filled.
#include <QRectF>
#include <QSizeF>
#include <QString>

// The place and size of the element with this identifier, in card points. A caption sits 10
// points above its value; an identifier outside the profile gets (0, H - 20, 0, 0).
QRectF Get_Control_Rect_From_Template(QSizeF frontCardSize, const QString& ctrlId);
