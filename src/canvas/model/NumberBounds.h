#pragma once
// Limits on the numbers an element or a card side carries. Design files and clipboard data come
// from users, so every number read from them is brought within these limits. Each lies far
// beyond anything a person sets for a card, so a sane design never meets one, while a hostile
// number can neither freeze the drawing nor overflow it.
#include <QString>

class Card_Property;
class SKTGraphic;

namespace NumberBounds {
// One inch: an outline or card border that wide already covers half of a card's short side, and
// dashed outlines cost more the wider they are (a thousand points kept the stroker busy for
// minutes; an inch takes a third of a second at 600 dpi).
inline constexpr double kMaxStrokeWidth = 72.0;
// Corner radii, shadow offsets and letter spacing: ten times a CR80 card's long side.
inline constexpr double kMaxCardLength = 2430.0;
// A text's shadow blur, in points: a wider blur spreads the shadow to nothing, and the bound keeps
// the shadow picture's size sane. The drawing blurs at most this much whatever it is given.
inline constexpr double kMaxShadowBlur = 100.0;
// Picture filter settings: far beyond the ends of every slider.
inline constexpr double kMaxFilterSetting = 1000.0;
// Barcode sizes and margins in the barcode window's units (millimetres, mils, modules).
inline constexpr double kMaxBarcodeLength = 1000.0;
// Angles in degrees.
inline constexpr double kMaxAngle = 360.0;
}  // namespace NumberBounds

// Brings every number of the element within its limits: a length or setting out of range is
// clamped, one that is not a number takes its default, and a list index outside its list falls
// back to the list's default. Each change is logged with `where` (an item of a file, say).
void Bound_Element_Numbers(SKTGraphic& element, const QString& where);
void Bound_Card_Numbers(Card_Property& side, const QString& where);
