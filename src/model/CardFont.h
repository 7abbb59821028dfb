#pragma once
// A font as the card model keeps it: a family, a size in points and a style (a fontconfig style
// name such as "Bold" or "Bold Oblique"; empty for the family's regular face). Drawing code turns
// it into a QFont for its device; the model never needs the font database, so it is safe on any
// thread.
#include <QFont>
#include <QString>

struct CardFont {
    QString family;
    double size = 0;
    QString style;

    bool isNull() const { return family.isEmpty() && style.isEmpty() && size == 0; }
    bool operator==(const CardFont&) const = default;
    // The font's own name, its style included: "DejaVu Sans Bold"; the family alone for the
    // regular face.
    QString name() const;
    // A QFont whose pixel size is `size` points on a 72-dpi device.
    QFont toQFont() const;
};
