#pragma once
// A font as the card model keeps it: a name and a size in points. Drawing code turns it into a
// QFont for its device; the model never needs the font database, so it is safe on any thread.
#include <QFont>
#include <QString>

struct CardFont {
    QString name;
    double size = 0;

    bool isNull() const { return name.isEmpty() && size == 0; }
    bool operator==(const CardFont&) const = default;
    // A QFont whose pixel size is `size` points on a 72-dpi device.
    QFont toQFont() const;
};
