#include "views/inspector/TextNumberFields.h"

#include "model/NumberBounds.h"
#include "views/inspector/CheckedNumberField.h"
#include "ui_TextEditingPage.h"
#include "ui_TextStylePage.h"

namespace {

void bound(CheckedSpinBox& field, NumberBounds::Range range, const QString& unit)
{
    field.setRange(int(range.low), int(range.high));
    field.setUnit(unit);
}

void bound(CheckedDoubleSpinBox& field, NumberBounds::Range range, double step, const QString& unit)
{
    field.setDecimals(2);
    field.setRange(range.low, range.high);
    field.setSingleStep(step);
    field.setUnit(unit);
}

}  // namespace

void boundTextNumberFields(Ui::TextEditingPage& editing, Ui::TextStylePage& style)
{
    const QString points = QStringLiteral("pt"), degrees = QStringLiteral("degrees"), percent = QStringLiteral("%");
    bound(*editing.Text_Kern_Stepper, NumberBounds::kTextOffset, 0.5, points);
    bound(*editing.txt_rotation_slidr_val, NumberBounds::kAngle, degrees);
    editing.txt_rotation_slidr->setRange(int(NumberBounds::kAngle.low), int(NumberBounds::kAngle.high));
    bound(*style.Text_bor_Stepper, NumberBounds::kStrokeWidth, points);
    bound(*style.Text_grad_Stepper, NumberBounds::kAngle, degrees);
    bound(*style.Text_alpha_Stepper, NumberBounds::kOpacityPercent, percent);
    bound(*style.shadow_x_Stepper, NumberBounds::kTextOffset, 1, points);
    bound(*style.shadow_y_Stepper, NumberBounds::kTextOffset, 1, points);
    bound(*style.shadow_blur_Stepper, NumberBounds::kShadowBlur, 1, points);
    bound(*style.shadow_transp_Stepper, NumberBounds::kOpacityPercent, percent);
}
