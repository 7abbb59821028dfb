#pragma once
// One element of a card side as a design file stores it: an array whose first item is the type
// letter and whose further items are the element's fields in a fixed order.
#include <QVariantList>
#include <optional>

#include "model/SKTGraphic.h"

class StoredPictures;

// The type letter of a kind: "T" text, "L" line, "D" shape, "I" image, "B" barcode, "S" signature.
QString elementTypeLetter(GraphicKind kind);
std::optional<GraphicKind> kindOfTypeLetter(const QString& letter);

// The element entry of an element, its numbers within NumberBounds (see Bound_Element_Numbers).
// Texts are made fit for XML (see xmlSafeText); the count of characters dropped on the way is
// added to *droppedCharacters.
QVariantList Get_Control_Prop_To_Array(const SKTGraphic& element, int* droppedCharacters = nullptr);

// A new element (construction defaults, then the entry's fields), in no list yet. An empty entry
// or one with an unknown type letter gives nullptr and is logged. An entry of the wrong length,
// an item of the wrong type or form, or a value out of range throws DesignFileError naming
// fileIndex, the entry's place in the file. A barcode's stored picture comes with
// pictures.giveRequested(); one missing, not PNG or past the file's budget (see StoredPictures)
// gives no picture: the caller makes one.
GraphicPtr Create_Control_From_Array(const QVariantList& entry, int fileIndex, StoredPictures& pictures);
