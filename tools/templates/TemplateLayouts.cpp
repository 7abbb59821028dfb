#include "TemplateLayouts.h"

#include <QRegularExpression>
#include <algorithm>
#include <stdexcept>

#include "model/TextStyle.h"
#include "model/drawing/TextLayout.h"

namespace templates {

namespace {

constexpr double kMargin = 10;
// The photo's width to height, that of the placeholder portrait and of a passport photo.
constexpr double kPhotoAspect = 0.8;
const QColor kWhite(Qt::white);
const QColor kMutedInk(0x6b, 0x72, 0x80);

// The face at the largest size up to its own at which the text, laid out as the card lays it
// out, stays on one line of the width.
Face fitted(const QString& value, Face face, double width)
{
    constexpr double kSmallest = 5;
    while (face.size > kSmallest) {
        TextStyle style;
        style.text_ctrl_font = fontOf(face);
        if (TextBoxLayout(value, shownTextFont(style), Left, 0).usedWidth() <= width - 1)
            break;
        face.size -= 0.5;
    }
    return face;
}

// A one-line text whose size shrinks until it fits the box's width.
GraphicPtr line(const QRectF& bounds, const QString& value, Face face, const QColor& colour, Align align,
                const QString& id = {})
{
    return text(bounds, value, fitted(value, face, bounds.width()), colour, align, id);
}

// The height of the text wrapped at the width as the card lays it out, with a point to spare.
double heightOf(const QString& value, Face face, double width)
{
    TextStyle style;
    style.text_ctrl_font = fontOf(face);
    return TextBoxLayout(value, shownTextFont(style), Left, width).height() + 1;
}

// The width of the text on one line as the card lays it out.
double widthOf(const QString& value, Face face)
{
    TextStyle style;
    style.text_ctrl_font = fontOf(face);
    return TextBoxLayout(value, shownTextFont(style), Left, 0).usedWidth();
}

// Lines of text from the top of the box down, wrapped at its width.
GraphicPtr paragraph(const QRectF& bounds, const QString& value, Face face, const QColor& colour)
{
    GraphicPtr element = text(bounds, value, face, colour, Left);
    element->textStyle.text_alignmnet_Vert = 0;
    return element;
}

QRectF photoBox(QPointF topLeft, double width)
{
    return QRectF(topLeft, QSizeF(width, width / kPhotoAspect));
}

bool isVisitorPass(const TemplateDesign& d)
{
    return qstrcmp(d.category, "visitor") == 0;
}

// The symbol of the design: a QR Code of two-point modules (42 points for the 21 modules of the
// templates' short values) or a Code 128 five millimetres tall.
GraphicPtr symbolOf(const TemplateDesign& d)
{
    const QString value = QString::fromLatin1(d.codeValue);
    static const QRegularExpression digitsOnly(QStringLiteral("^[0-9]*$"));
    if (d.code == Code::Code128 && digitsOnly.match(value).hasMatch())
        throw std::logic_error("a Code 128 of digits alone keeps no room for the numbers it stands for: " +
                               value.toStdString());
    GraphicPtr symbol = barcode(d.code, value, d.code == Code::QR ? 42 : 5.0);
    // A pass's symbol carries the visitor number the pass shows: the desk's typing, a reprint's
    // logged number.
    if (isVisitorPass(d)) {
        if (value != QLatin1String(d.idValue))
            throw std::logic_error("a visitor pass's symbol shows its pass number: " + value.toStdString());
        symbol->control_ID = QStringLiteral("Fup_UniqueNo");
    }
    return symbol;
}

// Moves an element so that its box's centre is at the point.
void centreOn(const GraphicPtr& element, QPointF centre)
{
    const QSizeF size = element->bounds().size();
    element->setBounds(QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size));
    element->Set_Barcode_image_control_bounds(element->bounds());
}


// The organisation's name on a visitor pass is the host's, which a visitor's company must not
// replace; on every other card it is the holder's own company.
QString organisationId(const TemplateDesign& d)
{
    return isVisitorPass(d) ? QString() : QStringLiteral("Fup_Company");
}

// Under a visitor's name stands the person they visit; under anyone else's, their title.
QString roleId(const TemplateDesign& d)
{
    return isVisitorPass(d) ? QStringLiteral("Fup_Website") : QStringLiteral("Fup_Title");
}

// The card's number after its caption on one line, as two elements: the number alone is the
// holder's value, which a visitor's pass number or a record's replaces. The pair is aligned in the
// column as one line; the number's box runs to the column's end, so a longer one has room.
void addNumberLine(Side& side, const TemplateDesign& d, const Palette& c, const QRectF& row, Align align)
{
    const Face face{8, true};
    const QString caption = QLatin1String(d.idLabel);
    const QString number = QLatin1String(d.idValue);
    constexpr double kGap = 4;
    const double captionWidth = widthOf(caption, face) + 1;
    const double lineWidth = captionWidth + kGap + widthOf(number, face) + 1;
    const double left = align == Centre ? row.left() + std::max(0.0, (row.width() - lineWidth) / 2) : row.left();
    side.add(text(QRectF(left, row.top(), captionWidth, row.height()), caption, face, c.deep, Left,
                  QStringLiteral("Fup_lbl_UniqueNo")));
    const double numberLeft = left + captionWidth + kGap;
    side.add(text(QRectF(numberLeft, row.top(), row.right() - numberLeft, row.height()), number, face, c.deep, Left,
                  QStringLiteral("Fup_UniqueNo")));
}

// Name, role, number and validity stacked from the column's top, aligned alike; the next free y.
double addHolder(Side& side, const TemplateDesign& d, const Palette& c, const QRectF& column, Align align,
                 double nameSize = 13, bool withValidity = true)
{
    double y = column.top();
    const double w = column.width();
    side.add(line(QRectF(column.left(), y, w, nameSize + 6), QLatin1String(d.holder), {nameSize, true}, c.deep, align,
                  QStringLiteral("Fup_Name")));
    y += nameSize + 6;
    side.add(line(QRectF(column.left(), y, w, 13), QLatin1String(d.role), {8.5}, c.main, align, roleId(d)));
    y += 16;
    addNumberLine(side, d, c, QRectF(column.left(), y, w, 12), align);
    y += 12;
    if (!withValidity)
        return y;
    side.add(line(QRectF(column.left(), y, w, 11), QLatin1String(d.validity), {7}, kMutedInk, align));
    return y + 11;
}

// White on a dark fill, the deep colour on a light one.
QColor inkOn(const QColor& fill, const QColor& deep)
{
    return fill.lightnessF() < 0.45 ? kWhite : deep;
}

// A rounded tag holding the card's title.
void addTag(Side& side, const TemplateDesign& d, const QRectF& bounds, const QColor& fill, const QColor& deep)
{
    const QColor ink = inkOn(fill, deep);
    side.add(box(bounds, fill, QStringLiteral("RR"), float(bounds.height() / 2)));
    side.add(line(bounds, QLatin1String(d.cardTitle), {bounds.height() * 0.55, true}, ink, Centre));
}

void band(Side& s, const TemplateDesign& d, QSizeF card)
{
    const Palette& c = d.colours;
    const double W = card.width(), H = card.height();
    const bool portrait = H > W;
    const double bandHeight = portrait ? 52 : 42;
    s.add(gradientBox(QRectF(0, 0, W, bandHeight), c.deep, c.main, 0));
    s.add(box(QRectF(0, bandHeight, W, 3), c.accent));
    s.add(box(QRectF(0, H - 6, W, 6), c.main));
    const GraphicPtr symbol = symbolOf(d);
    if (portrait) {
        s.add(line(QRectF(kMargin, 8, W - 2 * kMargin, 20), QLatin1String(d.organisation), {12, true}, kWhite, Centre,
                   organisationId(d)));
        addTag(s, d, QRectF(W / 2 - 38, 30, 76, 15), c.accent, c.deep);
        const QRectF photo = photoBox(QPointF(W / 2 - 31, bandHeight + 11), 62);
        s.add(templates::photo(photo, c.main, 1.5));
        const double next = addHolder(s, d, c, QRectF(kMargin, photo.bottom() + 6, W - 2 * kMargin, 0), Centre);
        centreOn(symbol, QPointF(W / 2, (next + H - 6) / 2));
        s.add(symbol);
        return;
    }
    s.add(line(QRectF(kMargin, 0, W * 0.62, bandHeight), QLatin1String(d.organisation), {12.5, true}, kWhite, Left,
               organisationId(d)));
    addTag(s, d, QRectF(W - kMargin - 72, bandHeight / 2 - 8, 72, 16), c.accent, c.deep);
    const QRectF photo = photoBox(QPointF(kMargin + 2, bandHeight + 11), 62);
    s.add(templates::photo(photo, c.main, 1.5));
    const double column = photo.right() + 12;
    const double next = addHolder(s, d, c, QRectF(column, bandHeight + 10, W - column - kMargin, 0), Left);
    const QSizeF size = symbol->bounds().size();
    centreOn(symbol, QPointF(W - kMargin - size.width() / 2,
                             std::max(next + size.height() / 2, H - 10 - size.height() / 2)));
    s.add(symbol);
}

void sidebar(Side& s, const TemplateDesign& d, QSizeF card)
{
    const Palette& c = d.colours;
    const double W = card.width(), H = card.height();
    const GraphicPtr symbol = symbolOf(d);
    if (H > W) {
        const double panel = 104;
        s.add(gradientBox(QRectF(0, 0, W, panel), c.main, c.deep, 90));
        s.add(box(QRectF(0, H - 5, W, 5), c.accent));
        s.add(line(QRectF(kMargin, 6, W - 2 * kMargin, 18), QLatin1String(d.organisation), {10.5, true}, kWhite, Centre,
                   organisationId(d)));
        const QRectF photo = photoBox(QPointF(W / 2 - 32, 30), 64);
        s.add(templates::photo(photo, kWhite, 2.5));
        s.add(line(QRectF(kMargin, photo.bottom() + 5, W - 2 * kMargin, 13), QLatin1String(d.cardTitle), {9, true},
                   c.accent, Centre));
        const double next = addHolder(s, d, c, QRectF(kMargin, photo.bottom() + 19, W - 2 * kMargin, 0), Centre);
        centreOn(symbol, QPointF(W / 2, (next + H - 5) / 2));
        s.add(symbol);
        return;
    }
    const double panel = 86;
    s.add(gradientBox(QRectF(0, 0, panel, H), c.main, c.deep, 90));
    s.add(box(QRectF(panel, 0, 3, H), c.accent));
    const QRectF photo = photoBox(QPointF(panel / 2 - 31, 14), 62);
    s.add(templates::photo(photo, kWhite, 2.5));
    s.add(line(QRectF(4, photo.bottom() + 6, panel - 8, 14), QLatin1String(d.cardTitle), {10, true}, kWhite, Centre));
    s.add(line(QRectF(4, photo.bottom() + 21, panel - 8, 11), QLatin1String(d.validity), {6.5}, c.light, Centre));
    const double column = panel + 13;
    const double width = W - column - kMargin;
    s.add(line(QRectF(column, 10, width, 16), QLatin1String(d.organisation), {10, true}, c.main, Left,
               organisationId(d)));
    s.add(box(QRectF(column, 29, 26, 2.5), c.accent));
    addHolder(s, d, c, QRectF(column, 38, width, 0), Left);
    const QSizeF size = symbol->bounds().size();
    centreOn(symbol, QPointF(column + size.width() / 2, H - 9 - size.height() / 2));
    s.add(symbol);
}

void panel(Side& s, const TemplateDesign& d, QSizeF card)
{
    const Palette& c = d.colours;
    const double W = card.width(), H = card.height();
    const double shorter = std::min(W, H);
    const bool portrait = H > W;
    // Faint rings behind the titles, a stronger one of the accent colour behind the white panel.
    s.add(veil(QRectF(W - 0.6 * shorter, -0.35 * shorter, 0.95 * shorter, 0.95 * shorter), kWhite, 10,
               QStringLiteral("C")));
    s.add(veil(QRectF(-0.3 * shorter, H - 0.45 * shorter, 0.75 * shorter, 0.75 * shorter), c.accent, 85,
               QStringLiteral("C")));
    const double head = portrait ? 56 : 46;
    const Align headAlign = portrait ? Centre : Left;
    s.add(line(QRectF(kMargin + 2, 8, W - 2 * kMargin - 4, 18), QLatin1String(d.organisation), {11, true}, kWhite,
               headAlign, organisationId(d)));
    s.add(line(QRectF(kMargin + 2, 26, W - 2 * kMargin - 4, 16), QLatin1String(d.cardTitle),
               {12, true}, c.accent, headAlign));
    if (portrait)
        s.add(line(QRectF(kMargin, 42, W - 2 * kMargin, 11), QLatin1String(d.validity), {7}, c.light, Centre));
    const QRectF inner(kMargin, head, W - 2 * kMargin, H - head - kMargin);
    s.add(box(inner, kWhite, QStringLiteral("RR"), 8));
    const GraphicPtr symbol = symbolOf(d);
    if (portrait) {
        const QRectF photo = photoBox(QPointF(W / 2 - 24, inner.top() + 7), 48);
        s.add(templates::photo(photo, c.accent, 1.5));
        const double next =
            addHolder(s, d, c, QRectF(inner.left() + 4, photo.bottom() + 3, inner.width() - 8, 0), Centre, 12, false);
        centreOn(symbol, QPointF(W / 2, (next + inner.bottom()) / 2));
        s.add(symbol);
        return;
    }
    // Name and role across the panel's top; the number and validity beside the symbol below them.
    const QRectF photo = photoBox(QPointF(inner.left() + 8, inner.top() + 8), 52);
    s.add(templates::photo(photo, c.accent, 1.5));
    const double left = photo.right() + 10;
    const double right = inner.right() - 8;
    double y = inner.top() + 6;
    s.add(line(QRectF(left, y, right - left, 18), QLatin1String(d.holder), {12.5, true}, c.deep, Left,
               QStringLiteral("Fup_Name")));
    y += 19;
    s.add(line(QRectF(left, y, right - left, 12), QLatin1String(d.role), {8.5}, c.main, Left, roleId(d)));
    y += 16;
    const QSizeF size = symbol->bounds().size();
    centreOn(symbol, QPointF(right - size.width() / 2 + 2, inner.bottom() - 4 - size.height() / 2));
    s.add(symbol);
    const double textRight = symbol->bounds().left() - 4;
    // The number under its label, so that it keeps a readable size beside the symbol.
    s.add(line(QRectF(left, y, textRight - left, 10), QLatin1String(d.idLabel), {6.5}, kMutedInk, Left,
               QStringLiteral("Fup_lbl_UniqueNo")));
    s.add(line(QRectF(left, y + 9, textRight - left, 13), QLatin1String(d.idValue), {9.5, true}, c.deep, Left,
               QStringLiteral("Fup_UniqueNo")));
    s.add(line(QRectF(left, y + 23, textRight - left, 11), QLatin1String(d.validity), {7}, kMutedInk, Left));
}

void minimal(Side& s, const TemplateDesign& d, QSizeF card)
{
    const Palette& c = d.colours;
    const double W = card.width(), H = card.height();
    const GraphicPtr symbol = symbolOf(d);
    if (H > W) {
        s.add(box(QRectF(0, 0, W, 6), c.main));
        s.add(veil(QRectF(W - 46, -46, 92, 92), c.accent, 14, QStringLiteral("C")));
        s.add(line(QRectF(kMargin + 2, 14, W - 2 * kMargin - 4, 16), QLatin1String(d.organisation), {10.5, true},
                   c.deep, Centre, organisationId(d)));
        s.add(line(QRectF(kMargin + 2, 30, W - 2 * kMargin - 4, 12), QLatin1String(d.cardTitle), {8, true}, c.main,
                   Centre));
        const QRectF photo = photoBox(QPointF(W / 2 - 28, 47), 56);
        s.add(templates::photo(photo, c.main, 1));
        const double next = addHolder(s, d, c, QRectF(kMargin, photo.bottom() + 5, W - 2 * kMargin, 0), Centre, 12.5);
        centreOn(symbol, QPointF(W / 2, (next + H) / 2));
        s.add(symbol);
        return;
    }
    s.add(box(QRectF(0, 0, 7, H), c.main));
    s.add(veil(QRectF(W - 60, -60, 120, 120), c.accent, 14, QStringLiteral("C")));
    const double column = 7 + kMargin + 3;
    const QRectF photo = photoBox(QPointF(W - kMargin - 58, 14), 58);
    s.add(templates::photo(photo, c.main, 1));
    const double width = photo.left() - 10 - column;
    s.add(line(QRectF(column, 12, width, 16), QLatin1String(d.organisation), {10.5, true}, c.deep, Left,
               organisationId(d)));
    s.add(line(QRectF(column, 28, width, 12), QLatin1String(d.cardTitle), {8, true}, c.main, Left));
    s.add(box(QRectF(column, 44, 24, 2), c.accent));
    addHolder(s, d, c, QRectF(column, 52, width, 0), Left, 12.5);
    const QSizeF size = symbol->bounds().size();
    centreOn(symbol, QPointF(photo.center().x(),
                             std::max(photo.bottom() + 4 + size.height() / 2, H - 8 - size.height() / 2)));
    s.add(symbol);
}

}  // namespace

GraphicList frontOf(const TemplateDesign& design, QSizeF card)
{
    Side side;
    switch (design.layout) {
    case Layout::Band: band(side, design, card); break;
    case Layout::Sidebar: sidebar(side, design, card); break;
    case Layout::Panel: panel(side, design, card); break;
    case Layout::Minimal: minimal(side, design, card); break;
    }
    return side.elements();
}

GraphicList backOf(const TemplateDesign& d, QSizeF card)
{
    const Palette& c = d.colours;
    const double W = card.width(), H = card.height();
    const bool portrait = H > W;
    const double width = W - 2 * kMargin;
    Side s;
    const double head = portrait ? 30 : 24;
    s.add(gradientBox(QRectF(0, 0, W, head), c.deep, c.main, 0));
    s.add(box(QRectF(0, head, W, 2), c.accent));
    s.add(box(QRectF(0, H - 5, W, 5), c.main));
    s.add(line(QRectF(kMargin, 0, width, head), QLatin1String(d.organisation), {9.5, true}, kWhite, Centre));
    double y = head + 8;
    const Face small{portrait ? 7.0 : 6.5};
    const double termsHeight = heightOf(QLatin1String(d.terms), small, width);
    s.add(paragraph(QRectF(kMargin, y, width, termsHeight), QLatin1String(d.terms), small, c.deep));
    y += termsHeight + (portrait ? 10 : 6);
    // The return address on a tinted card of its own.
    const double addressHeight = heightOf(QLatin1String(d.address), {6.5}, width - 10);
    s.add(veil(QRectF(kMargin - 3, y, width + 6, addressHeight + 22), c.main, 9, QStringLiteral("RR"), 4));
    s.add(line(QRectF(kMargin + 3, y + 4, width - 10, 11), QStringLiteral("If found, please return to:"), {7, true},
               c.main, Left));
    s.add(paragraph(QRectF(kMargin + 3, y + 16, width - 10, addressHeight), QLatin1String(d.address), {6.5}, c.deep));
    // The signature line sits at the foot, on the right in landscape, across in portrait.
    const double lineWidth = portrait ? width * 0.75 : 96;
    const double lineLeft = portrait ? (W - lineWidth) / 2 : W - kMargin - lineWidth;
    s.add(box(QRectF(lineLeft, H - 26, lineWidth, 0.8), kMutedInk));
    s.add(line(QRectF(lineLeft, H - 24, lineWidth, 10), QStringLiteral("Holder's signature"), {6}, kMutedInk,
               portrait ? Centre : Left));
    return s.elements();
}

}  // namespace templates
