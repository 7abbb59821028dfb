#pragma once
// The shared writer of card files: what a file holds for its extension, the keep/replace question
// for a file already there, and writing a file whole without waiting for the disk, so that a batch
// syncs once at its end.
#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>

#include "platform/AtomicFile.h"
#include "platform/KeepReplaceAnswers.h"
#include "render/CardImage.h"

// One file of an export: a side, or front and back joined into one picture (sides come mirrored
// from the run when the user asked for it).
struct CardFile {
    QString path;
    CardImage front;  // the side, or the front of a joined picture
    CardImage back;   // joined pictures only
    bool joined = false;
    bool sideBySide = false;  // joined: front left of the back, else above it
};

// The resolution exported pictures are drawn at, sides and joined pictures alike.
inline constexpr double kExportDpi = 600.0;

// Front and back in one picture at the resolution: side by side (front left) or one above the
// other (front on top), opaque when both sides are. Null when a side cannot be drawn.
QImage joinedCardPicture(const CardImage& front, const CardImage& back, bool sideBySide, double dpi);

// The file's bytes by its extension (any case): "pdf" a vector page the card's size (a joined
// picture: one page the picture's size), "eps" our EPS of the 600-dpi picture, every other
// extension the picture (a side or the joined picture) at 600 dpi encoded for it (png, jpg/jpeg,
// bmp, tif/tiff; others PNG).
// Empty, with the reason, when it cannot be made.
QByteArray cardFileBytes(const CardFile& file, QString* error);

