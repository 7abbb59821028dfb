#pragma once
// A card font in a keyed archive: its name with the style (the form design files use) and its
// size, plus the style on its own so that reading needs no font database.
#include <QString>

#include "model/CardFont.h"
#include "platform/KeyedArchive.h"

// An empty font writes nothing, so that it stays empty on reading.
void encodeCardFont(KeyedArchiver& archiver, const QString& key, const CardFont& font);
// The empty font when the key holds none. An archive without a style, or whose style is not the
// end of the name, gives the whole name as the family in its regular face.
CardFont decodeCardFont(const KeyedUnarchiver& unarchiver, const QString& key);
