#include "views/inspector/TextNumberFields.h"

#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/FieldBounds.h"
#include "ui_TextEditingPage.h"
#include "ui_TextStylePage.h"

namespace {

// Two decimals, the given step.
void setDecimalBounds(CheckedDoubleSpinBox& field, NumberBounds::Range range, double step, const QString& unit)
{
    field.setDecimals(2);
    setBounds(field, range, unit);
    field.setSingleStep(step);
}

}  // namespace

void boundTextNumberFields(Ui::TextEditingPage& editing, Ui::TextStylePage& style)
{
    const QString points = QStringLiteral("pt"), degrees = QStringLiteral("degrees"), percent = QStringLiteral("%");
    setDecimalBounds(*editing.Text_Kern_Stepper, NumberBounds::kTextOffset, 0.5, points);
    setBounds(*editing.txt_rotation_slidr_val, NumberBounds::kAngle, degrees);
    editing.txt_rotation_slidr->setRange(int(NumberBounds::kAngle.low), int(NumberBounds::kAngle.high));
    setBounds(*style.Text_bor_Stepper, NumberBounds::kStrokeWidth, points);
    setBounds(*style.Text_grad_Stepper, NumberBounds::kAngle, degrees);
    setBounds(*style.Text_alpha_Stepper, NumberBounds::kOpacityPercent, percent);
    setDecimalBounds(*style.shadow_x_Stepper, NumberBounds::kTextOffset, 1, points);
    setDecimalBounds(*style.shadow_y_Stepper, NumberBounds::kTextOffset, 1, points);
    setDecimalBounds(*style.shadow_blur_Stepper, NumberBounds::kShadowBlur, 1, points);
    setBounds(*style.shadow_transp_Stepper, NumberBounds::kOpacityPercent, percent);
}
