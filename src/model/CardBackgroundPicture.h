#pragma once
// A card side's background picture from a user's file.
#include <QImage>
#include <QString>

class Card_Property;

// The picture of a regular file within the reading limits, its size in points (from the
// resolution the file states) bounded to the card background's, pixels kept; null when it is no
// readable picture.
QImage Read_Card_Background_Picture(const QString& path);
// Makes the picture the side's background: the fill becomes the picture. An empty path changes
// nothing.
void Set_Card_Background_Picture(Card_Property& side, const QString& path);
// The same with the picture already read from the file at `path`.
void Set_Card_Background_Picture(Card_Property& side, const QString& path, const QImage& picture);
