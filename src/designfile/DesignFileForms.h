#pragma once
// The text forms of the values a design file stores: flags, integers, numbers, colours, fonts,
// points, sizes and rectangles. Always the C locale.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

#include "model/CardFont.h"

// "Y" when on, else "N"; only an exact "Y" reads back as on.
QString flagText(bool on);
bool flagFromText(const QString& text);

// "%d"; read as the leading integer.
QString integerText(qint32 value);
qint32 integerFromText(const QString& text);

// "%0.2f"; read as a single-precision leading number (0 when there is none or it does not fit).
QString decimalText(double value);
float decimalFromText(const QString& text);

// Four components of the colour in RGB, each "%0.4f", joined by ":"; a colour that holds none
// is written as transparent black. Reading takes the first four ":"-separated parts (missing
// ones and non-numbers count as 0, each clamped to 0..1); a colour written from 8-bit channels
// reads back as exactly those channels.
QString Convert_Color_to_String(const QColor& color);
QColor Convert_String_to_Color(const QString& text);

// "<name>::::<size %0.2f>", the name being the family followed by the style when there is one
// ("DejaVu Sans Bold"); a font with no family is written as the default text font.
QString Convert_Font_to_String(const CardFont& font);
// The name before the first "::::" and the size after it, clamped into NumberBounds::kFontSize;
// none when there is no "::::". An installed family is taken as it is; else the longest trailing
// words that are a style of the installed family before them are split off as the style. Any
// other name becomes the default text font at the stored size.
std::optional<CardFont> Convert_String_to_Font(const QString& text);

// "{x, y}", "{w, h}" and "{{x, y}, {w, h}}" with each number in its shortest exact form.
QString pointText(QPointF point);
QString sizeText(QSizeF size);
QString rectText(const QRectF& rect);
// Strict parsers of the forms above (any decimal or exponent form of the numbers): none for
// text of another shape or a number that is not finite.
std::optional<QPointF> pointFromText(const QString& text);
std::optional<QSizeF> sizeFromText(const QString& text);
std::optional<QRectF> rectFromText(const QString& text);
