#pragma once
// The small pictures of the print window: how a layout puts the front and back on the paper, and
// the nine buttons that place the block of cards.
#include <QIcon>
#include <QPixmap>
#include <QString>

// "up-down-flip", "up-down", "left-rite", "both_up", "head_up_head_down", "front", "front_flip",
// "back" or "back_flip"; an unknown name gives an empty sheet.
QPixmap layoutPicture(const QString& name);
// Position 1-9 row by row from the top left, drawn chosen or not.
QIcon alignmentIcon(int position, bool chosen);
