#pragma once
// The limits of every number an element or a card side carries, in one place: the entry fields
// take their ranges from here, design files are written within them and read against them, and
// clipboard data is brought within them. Each lies far beyond anything a person sets for a card,
// so a sane design never meets one, while a hostile number can neither freeze the drawing nor
// overflow it.
#include <QString>
#include <limits>

class Card_Property;
class SKTGraphic;

namespace NumberBounds {

// The values a number may take, both ends included.
struct Range {
    double low;
    double high;
    constexpr bool contains(double value) const { return value >= low && value <= high; }
};

// An index into a list of `count` entries; outside it a number falls back to the list's default.
struct ListIndex {
    qint32 count;
    qint32 fallback;
    constexpr Range range() const { return {0, double(count - 1)}; }
};

// Codes that are stored and passed on as they are (a drawing reads an unknown one as its
// default): any 32-bit integer.
inline constexpr Range kAnyInteger{double(std::numeric_limits<qint32>::min()),
                                   double(std::numeric_limits<qint32>::max())};

// ---- Lengths, in points --------------------------------------------------------------------
// Where an element lies and how large it is, and where the card sits: nothing on a card is that
// far out, and drawing or rasterising such values would exhaust memory.
inline constexpr Range kCoordinate{-100000.0, 100000.0};
// An element's width or height as its size fields take it.
inline constexpr Range kElementSize{0.0, kCoordinate.high};
// A card side: from a millimetre to 200 inches, the largest page a PDF can hold.
inline constexpr Range kCardSide{72.0 / 25.4, 14400.0};
// Outlines, lines and the card border: an inch that wide already covers half of a card's short
// side, and dashed outlines cost more the wider they are (a thousand points kept the stroker busy
// for minutes; an inch takes a third of a second at 600 dpi).
inline constexpr Range kStrokeWidth{0.0, 72.0};
// Corner radii, and letter spacing and shadow offsets either way: ten times a CR80 card's long
// side.
inline constexpr double kMaxCardLength = 2430.0;
inline constexpr Range kCornerRadius{0.0, kMaxCardLength};
inline constexpr Range kTextOffset{-kMaxCardLength, kMaxCardLength};
// A text's shadow blur: a wider blur spreads the shadow to nothing, and the bound keeps the
// shadow picture's size sane. The drawing blurs at most this much whatever it is given.
inline constexpr Range kShadowBlur{0.0, 100.0};
inline constexpr Range kFontSize{0.0, 1000.0};

// ---- Angles, in degrees --------------------------------------------------------------------
// An angle outside its range is turned by whole turns into it, keeping the direction it gives.
inline constexpr double kFullTurn = 360.0;
inline constexpr Range kAngle{-kFullTurn, kFullTurn};
// The card background's gradient, as its field takes it.
inline constexpr Range kCardGradientAngle{0.0, kFullTurn};

// ---- Star and polygon variants ---------------------------------------------------------------
// The five of each that the shape page offers; a design may hold another count, which the
// drawing takes as it is.
inline constexpr Range kShapeVariant{1.0, 5.0};

// ---- Opacities -----------------------------------------------------------------------------
// A fraction: above 1 draws opaque, and new elements and cards start at 100 (a text's shadow at
// 50), so those must survive.
inline constexpr Range kOpacity{0.0, 100.0};
// In per cent: a picture's opacity, and the card background's opacity field.
inline constexpr Range kOpacityPercent{0.0, 100.0};

// ---- Picture filter settings: far beyond the ends of every slider --------------------------
inline constexpr Range kFilterSetting{-1000.0, 1000.0};
inline constexpr Range kBlurRadius{0.0, 1000.0};

// ---- Barcodes --------------------------------------------------------------------------------
// Sizes and margins in the barcode window's units (millimetres, mils, modules).
inline constexpr Range kBarcodeLength{0.0, 1000.0};
// The custom resolution of 2-D barcode pictures, in dpi: below a screen's there is nothing to
// gain, and at 2400 a 2-D symbol as tall as a card already takes a hundred megabytes.
inline constexpr Range kBarcodeResolution{72.0, 2400.0};

// ---- List indexes (design files store them) --------------------------------------------------
// Horizontal text alignments: left, right, centre, justified, natural.
inline constexpr ListIndex kTextAlignment{5, 2};
// Line caps: butt, round, square.
inline constexpr ListIndex kLineCap{3, 0};
// Watermark places: top, middle, bottom.
inline constexpr ListIndex kWatermarkPlace{3, 0};
// The barcode window's lists: linear or 2-D, 22 symbologies, 40 QR versions after "automatic",
// 4 QR and 9 PDF417 error levels, 30 Data Matrix sizes after "automatic" and its 5 encodings,
// the header and footer alignments. The resolution list belongs to the barcode window.
inline constexpr ListIndex kBarcodeDimension{2, 0};
inline constexpr ListIndex kSymbology{22, 0};
inline constexpr ListIndex kQrVersion{41, 0};
inline constexpr ListIndex kQrErrorLevel{4, 0};
inline constexpr ListIndex kPdf417ErrorLevel{9, 2};
inline constexpr ListIndex kDataMatrixSize{31, 0};
inline constexpr ListIndex kDataMatrixEncoding{5, 0};
inline constexpr ListIndex kCaptionAlignment{3, 1};

// ---- Bindings: a file holding another value is refused ---------------------------------------
// Where an element's value comes from: typed, a series list, the loaded table.
inline constexpr Range kDataSourceType{0.0, 2.0};
// A list entry or table column, -1 for none.
inline constexpr Range kBindingIndex{-1.0, double(std::numeric_limits<qint32>::max())};

// A range of lengths in points as a user unit (inch, cm, mm) shows it with `decimals` places: the
// widest range of such numbers whose every value, converted to points as the size fields convert
// it (unitToPoints, in single precision), lies within `points`.
Range lengthInUnit(Range points, int unit, int decimals);
// The card side's range in a user unit: lengthInUnit of kCardSide.
Range cardSideInUnit(int unit, int decimals);

}  // namespace NumberBounds

// Brings every number of the element within its limits: a length or setting out of range is
// clamped, an angle turned into its range, one that is not a number takes its default, and a
// list index outside its list falls back to the list's default. Each change is logged with
// `where` (an item of a file, say). Readers that refuse a value out of range (geometry, bindings)
// check it before; writers call this on what they write, so a file never holds a value its
// reader would refuse or change. A barcode's box, which neither files nor the clipboard hold,
// goes to its bounds.
void Bound_Element_Numbers(SKTGraphic& element, const QString& where);
void Bound_Card_Numbers(Card_Property& side, const QString& where);
