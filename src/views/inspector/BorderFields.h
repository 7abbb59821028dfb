#pragma once
// The border box that the text, shape, picture and signature pages share: whether the element's
// border is drawn, its colour, width and dashes, and the box holding them, which takes input only
// while the border is on.
class ColorWell;
class CheckedSpinBox;
class QCheckBox;
class QComboBox;
class QWidget;
class SKTGraphic;

struct BorderFields {
    QCheckBox& drawn;
    ColorWell& colour;
    CheckedSpinBox& width;
    QComboBox& dashes;
    QWidget& box;

    // The width in points within the model's stroke range.
    void setUp() const;
    // The element's border into the fields, without change signals.
    void load(const SKTGraphic& graphic) const;
    // The fields into the element. Colour and width go only with a drawn border, and a width the
    // field shows for the stored one (1.5 shown as 1) stays as stored.
    void write(SKTGraphic& graphic) const;
    // The box follows the check box.
    void enableBox() const;
};
