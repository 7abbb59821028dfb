#pragma once
// The texts of barcode pictures (caption, header, footer) measured and laid out in points, one
// unit per point as on a 72-dpi device, and turned into outlines: a picture then shows the same
// letters at any resolution and on any device. Kerning is the space added after each character,
// in points; the font's own pair kerning is never applied.
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "model/CardFont.h"

// The space after each character of a header, a footer and (unless the kerning box says
// otherwise) a caption as they are drawn, in points.
inline constexpr double kBarcodeTextSpacing = 2.0;

// Horizontal placement of a text in its rectangle.
enum class BarcodeTextAlignment { Natural, Left, Center, Right };

// Height of a text band in inches: 1.35 cap heights of the font.
float barcodeBandHeight(const CardFont& font);
// Typeset width of a text in points with the given kerning; the widest line of a text of several
// lines.
float barcodeTextWidth(const CardFont& font, const QString& text, double kerning = 0);
// Height of a text's lines in points, kerning 0, not wrapped.
double barcodeTextHeight(const CardFont& font, const QString& text);

// The outlines of a text's glyphs, one per glyph, laid out from the top of the rectangle: lines
// wrap at the rectangle's width, and lines past its bottom are left out, save the first. Tab
// stops every 28 points.
QList<QPainterPath> barcodeTextInRect(const QString& text, const CardFont& font, double kerning,
                               BarcodeTextAlignment alignment, const QRectF& rect);
// The glyph outlines of a text in one line whose line box has its bottom-left corner at the point.
QList<QPainterPath> barcodeTextAtPoint(const QString& text, const CardFont& font, double kerning, QPointF bottomLeft);
