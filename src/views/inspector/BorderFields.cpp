#include "views/inspector/BorderFields.h"

#include <QCheckBox>
#include <QComboBox>

#include "model/SKTGraphic.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FieldBounds.h"
#include "views/inspector/KeptNumber.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/ShowQuietly.h"

void BorderFields::setUp() const
{
    setBounds(width, NumberBounds::kStrokeWidth, QStringLiteral("pt"));
}

void BorderFields::load(const SKTGraphic& graphic) const
{
    showQuietly(drawn, graphic._isDrawingStroke);
    showStoredNumber(width, graphic._strokeWidth);
    colour.setColor(graphic._strokeColor);
    // A dash code outside the list leaves the list as it is.
    if (const int style = borderStyleIndex(graphic._stroke_border_type); style >= 0)
        selectComboIndex(dashes, style);
    enableBox();
}

void BorderFields::write(SKTGraphic& graphic) const
{
    graphic._isDrawingStroke = drawn.isChecked();
    if (graphic._isDrawingStroke) {
        graphic._strokeColor = colour.color();
        graphic._strokeWidth = numberToWrite(width, graphic._strokeWidth);
    }
    graphic._stroke_border_type = Return_Border_Style_Str_On_index(dashes.currentIndex());
}

void BorderFields::enableBox() const
{
    box.setEnabled(drawn.isChecked());
}
