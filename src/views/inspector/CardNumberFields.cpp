#include "views/inspector/CardNumberFields.h"

#include "model/NumberBounds.h"
#include "views/inspector/CheckedNumberField.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"

namespace {

void bound(CheckedSpinBox& field, NumberBounds::Range range, const QString& unit)
{
    field.setRange(int(range.low), int(range.high));
    field.setUnit(unit);
}

}  // namespace

void boundCardNumberFields(Ui::CardBackgroundPage& background, Ui::CardBorderPage& border)
{
    bound(*border.Card_bor_Stepper, NumberBounds::kStrokeWidth, QStringLiteral("pt"));
    bound(*background.Card_grad_Stepper, NumberBounds::kCardGradientAngle, QStringLiteral("degrees"));
    bound(*background.Card_alpha_Stepper, NumberBounds::kOpacityPercent, QStringLiteral("%"));
    border.wm_transp_slider->setRange(int(NumberBounds::kOpacityPercent.low), int(NumberBounds::kOpacityPercent.high));
}
