#pragma once
// The names of exported card files: the side names made from a card's name.
#include <QString>

#include "platform/FreeFileName.h"

// "dir/Card_1.png" -> "dir/Card_1_Front.png" and "dir/Card_1_Back.png"; only the last component
// changes, and a name without extension ends in a dot.
QString Create_Front_Card_Path(const QString& path);
QString Create_Back_Card_Path(const QString& path);
