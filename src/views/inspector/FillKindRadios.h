#pragma once
// The fill kind radios of a page, by the stored code: "S" solid, "G" gradient, "H" pattern and
// "I" picture. A page without a kind has no radio for it; a code it has no radio for shows solid.
#include <QString>

class QAbstractButton;

struct FillKindRadios {
    QAbstractButton* solid;
    QAbstractButton* gradient;
    QAbstractButton* pattern = nullptr;
    QAbstractButton* picture = nullptr;

    // Checks the kind's radio without a change signal.
    void show(const QString& kind) const;
    // The code of the checked radio; "S" when none of the others is.
    QString chosen() const;
};
