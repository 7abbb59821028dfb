#pragma once
// A digest of what a design file would hold, taken from the live objects without changing them:
// two moments with the same digest save to the same file. It tells whether the open design still
// matches the file it was opened from or last saved to.
#include <QByteArray>
#include <QString>

class Card_Property;
class Data_From_Excel;
class SKTDocument;

// cardSides is CARD_SIDE_STR, the design's "1" or "2" sides.
QByteArray Design_Fingerprint(const SKTDocument& document, const Card_Property& front, const Card_Property& back,
                              const QString& cardSides, const Data_From_Excel& table);
