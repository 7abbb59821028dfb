// Filling the text pages from the text element, in the dispatch's change guard.
#include <QLineEdit>
#include <QSignalBlocker>

#include "model/SKTGraphic.h"
#include "platform/AppContext.h"
#include "platform/StringHelpers.h"
#include "views/inspector/BorderFields.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FillKindRadios.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/ShowQuietly.h"
#include "views/inspector/TextPanel.h"
#include "ui_TextEditingPage.h"
#include "ui_TextStylePage.h"

void TextPanel::load(SKTGraphic& graphic)
{
    m_context.view.sel_control_name().setText(QStringLiteral("T"));
    editing->txt_ctrl_id_val->setText(Trim_Str(graphic.control_ID));
    loadVisibility(graphic);
    m_context.positions.Set_Control_Pos_And_Size(graphic);
    {
        const QSignalBlocker quiet(editing->Text_value_Edit);
        editing->Text_value_Edit->setPlainText(graphic.Text_contents());
    }
    m_typingRun = false;
    loadStyle(graphic);
}

void TextPanel::loadVisibility(const SKTGraphic& graphic)
{
    if (graphic.ctrl_is_locked)
        return;
    Ui::TextEditingPage& e = *editing;
    if (!isVisitorOrGroupMode()) {
        e.Text_Date_Time_Box->show();
        showEditor(true);
        // The data-source page settles it for a bound text.
        e.Text_value_Edit->setReadOnly(graphic.data_source_type != 0);
        return;
    }
    // In the live modes a text with an identifier is filled from the side panels; a free text
    // bound to a series or a column takes its records' values, not typing.
    e.Text_Date_Time_Box->hide();
    const bool free = Trim_Str(graphic.control_ID).isEmpty();
    e.Text_value_Edit->setReadOnly(!free || graphic.data_source_type != 0);
    showEditor(free);
}

void TextPanel::showEditor(bool shown)
{
    // The template button only fills the editor: without an editor it would change nothing.
    Ui::TextEditingPage& e = *editing;
    for (QWidget* control : {static_cast<QWidget*>(e.Text_value_Edit), static_cast<QWidget*>(e.text_value_lbl),
                             static_cast<QWidget*>(e.insert_template_btn)})
        control->setVisible(shown);
}

void TextPanel::loadStyle(const SKTGraphic& graphic)
{
    Ui::TextEditingPage& e = *editing;
    Ui::TextStylePage& s = *style;
    const TextStyle& text = graphic.textStyle;

    border().load(graphic);
    showQuietly(*s.Text_fill_chk, graphic._isDrawingFill);
    s.Text_fill_clr->setColor(graphic._fillColor);
    fillRadios().show(graphic._fill_type);
    Show_Hide_Text_Transp_Ctrl(graphic._fill_type == QLatin1String("G"));
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
    s.shadow_box->setEnabled(s.draw_shadow_chkbox->isChecked());
}
