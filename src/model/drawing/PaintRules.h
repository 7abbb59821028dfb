#pragma once
// Fill and outline rules shared by every element kind and by the card itself.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QString>

class QPainter;
class QPaintDevice;
class SKTGraphic;
struct CardFont;

// Dash lengths in points for a dash code: "DA" 8 2, "DO" 4 6, "DD" 24 10 6 10,
// "DDD" 24 8 8 8 8 8; empty (solid) for "S" and any other code.
QList<qreal> dashLengthsForCode(const QString& code);

// A pen of the colour and width with the code's dashes (phase 0), flat caps and mitred joins
// (limit 10). Qt counts dash lengths in pen widths, so the lengths are divided by the width.
QPen outlinePen(const QColor& color, double width, const QString& dashCode);

// A linear gradient from c1 to c2 across the box at the angle in degrees (clockwise on screen,
// y down), spanning the box's extent in that direction.
QLinearGradient angledGradient(const QRectF& box, double angleDegrees, const QColor& c1,
                               const QColor& c2);

// The hatch picture named by a pattern name: <resource folder>/Fill_Style_Image/<name>.png. A name
// that is not a plain file name, or a picture that is missing or unreadable, gives a null image
// and is logged once per name.
QImage hatchPicture(const QString& name);

// The card length, in points each way, that one hatch picture stands for whatever its pixels: two
// pattern cells of 8 points.
inline constexpr double kHatchTilePoints = 16.0;

// Fills the outline with the background colour, then with the named hatch pattern over it; only
// the background when the pattern cannot be had.
void fillHatchPattern(QPainter& painter, const QPainterPath& outline, const QString& patternName,
                      const QColor& background);

// Paints an element's fill on its outline path: "G" gradient, "H" (shapes only) hatch over the
// hatch background colour, anything else the fill colour. Nothing when the element draws no fill.
void fillElementPath(QPainter& painter, SKTGraphic& graphic, const QPainterPath& path);

// Strokes an element's outline path with its stroke colour, width and dash kind. Nothing when
// the element draws no stroke. A width of 0 is the thinnest line the device draws (a one-pixel
// hairline): a line element has no other drawing, and stored designs show such lines.
void strokeElementPath(QPainter& painter, SKTGraphic& graphic, const QPainterPath& path);

// The card font as a QFont for the device: one point is one unit on a 72-dpi device, so the
// point size is scaled by 72 / the device's logical dpi.
QFont deviceFont(const CardFont& font, const QPaintDevice* device);
