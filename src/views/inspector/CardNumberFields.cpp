#include "views/inspector/CardNumberFields.h"

#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/FieldBounds.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"

void boundCardNumberFields(Ui::CardBackgroundPage& background, Ui::CardBorderPage& border)
{
    setBounds(*border.Card_bor_Stepper, NumberBounds::kStrokeWidth, QStringLiteral("pt"));
    setBounds(*background.Card_grad_Stepper, NumberBounds::kCardGradientAngle, QStringLiteral("degrees"));
    setBounds(*background.Card_alpha_Stepper, NumberBounds::kOpacityPercent, QStringLiteral("%"));
    border.wm_transp_slider->setRange(int(NumberBounds::kOpacityPercent.low), int(NumberBounds::kOpacityPercent.high));
}
