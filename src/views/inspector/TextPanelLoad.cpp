// Filling the text pages from the text element, in the dispatch's change guard.
#include <QSignalBlocker>

#include "model/SKTGraphic.h"
#include "platform/AppContext.h"
#include "platform/StringHelpers.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/TextPanel.h"
#include "ui_TextEditingPage.h"
#include "ui_TextStylePage.h"

namespace {

void showQuietly(QAbstractButton& box, bool on)
{
    const QSignalBlocker quiet(box);
    box.setChecked(on);
}

void showQuietly(QSpinBox& field, int value)
{
    const QSignalBlocker quiet(field);
    field.setValue(value);
}

void showQuietly(QDoubleSpinBox& field, double value)
{
    const QSignalBlocker quiet(field);
    field.setValue(value);
}

bool isLiveMode()
{
    return Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G");
}

}  // namespace

void TextPanel::load(SKTGraphic& graphic)
{
    loadVisibility(graphic);
    m_context.positions.Set_Control_Pos_And_Size(graphic);
    {
        const QSignalBlocker quiet(editing->Text_value_Edit);
        editing->Text_value_Edit->setPlainText(graphic.Text_contents());
    }
    loadStyle(graphic);
}

void TextPanel::loadVisibility(const SKTGraphic& graphic)
{
    if (graphic.ctrl_is_locked)
        return;
    Ui::TextEditingPage& e = *editing;
    if (!isLiveMode()) {
        e.Text_Date_Time_Box->show();
        e.Text_value_Edit->show();
        e.text_value_lbl->show();
        // The data-source page settles it for a bound text.
        e.Text_value_Edit->setReadOnly(graphic.data_source_type != 0);
        return;
    }
    // In the live modes a text with an identifier is filled from the side panels.
    e.Text_Date_Time_Box->hide();
    const bool free = Trim_Str(graphic.control_ID).isEmpty();
    e.Text_value_Edit->setReadOnly(!free);
    e.Text_value_Edit->setVisible(free);
    e.text_value_lbl->setVisible(free);
}

void TextPanel::loadStyle(const SKTGraphic& graphic)
{
    Ui::TextEditingPage& e = *editing;
    Ui::TextStylePage& s = *style;
    const TextStyle& text = graphic.textStyle;

    showQuietly(*s.Text_border_chk, graphic._isDrawingStroke);
    showQuietly(*s.Text_fill_chk, graphic._isDrawingFill);
    showQuietly(*s.Text_bor_Stepper, int(graphic._strokeWidth));
    s.Text_bordr_clr->setColor(graphic._strokeColor);
    if (const int dashes = borderStyleIndex(graphic._stroke_border_type); dashes >= 0)
        selectComboIndex(*s.Text_border_style, dashes);
    s.Text_fill_clr->setColor(graphic._fillColor);
    const bool gradient = graphic._fill_type == QLatin1String("G");
    showQuietly(*(gradient ? s.Text_gradient_fill_rd : s.Text_solid_fill_rd), true);
    Show_Hide_Text_Transp_Ctrl(gradient);
    s.Text_fill_Grd_1_clr->setColor(graphic._fill_Grad_clr1);
    s.Text_fill_Grd_2_clr->setColor(graphic._fill_Grad_clr2);
    showQuietly(*s.Text_grad_Stepper, int(graphic._fill_grad_angle));
    showQuietly(*s.Text_alpha_Stepper, percentShown(graphic.alpha_val));
    e.Text_clr->setColor(text.txt_clr);
    Text_font = text.text_ctrl_font;
    showTurn(graphic.text_rotation);
    selectComboIndex(*e.Text_vert_align_combo, text.text_alignmnet_Vert);
    selectComboIndex(*e.Text_align_combo, text.text_alignmnet);
    selectComboIndex(*e.Text_case_combo, text.text_transfrom_case);
    showQuietly(*e.Text_Kern_Stepper, double(text.text_kerning));
    e.Text_font_value->setText(fontCaption(Text_font));
    showQuietly(*s.draw_shadow_chkbox, text.Drawing_Shadow);
    s.Shadow_clr->setColor(text.Shadow_Color);
    showQuietly(*s.shadow_x_Stepper, double(text.Shadow_offset_X));
    showQuietly(*s.shadow_y_Stepper, double(text.Shadow_offset_Y));
    showQuietly(*s.shadow_blur_Stepper, double(text.Shadow_blur));
    showQuietly(*s.shadow_transp_Stepper, percentShown(text.Shadow_transparency));

    enableFillControls();
    s.Text_Border_Box->setEnabled(s.Text_border_chk->isChecked());
    s.shadow_box->setEnabled(s.draw_shadow_chkbox->isChecked());
}
