// The text pages' set-up and their controls: what each does before the writer runs.
#include "views/inspector/TextPanel.h"

#include <QSignalBlocker>

#include "platform/AppContext.h"
#include "platform/DateValues.h"
#include "views/inspector/BorderFields.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FillKindRadios.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/TextNumberFields.h"
#include "ui_TextEditingPage.h"
#include "ui_TextStylePage.h"

TextPanel::TextPanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent),
      editing(std::make_unique<Ui::TextEditingPage>()),
      style(std::make_unique<Ui::TextStylePage>())
{
    editing->setupUi(m_context.view.page(QStringLiteral("text_edtng_tab")));
    style->setupUi(m_context.view.page(QStringLiteral("text_prop_tab")));
    boundTextNumberFields(*editing, *style);
    editing->txt_ctrl_id_val->hide();
    // The opacity row comes and goes with the fill kind; the rows around it stay where they are.
    for (QWidget* opacityRow : {static_cast<QWidget*>(style->text_alpha_lbl), static_cast<QWidget*>(style->Text_alpha_Stepper)}) {
        QSizePolicy policy = opacityRow->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        opacityRow->setSizePolicy(policy);
    }
    style->Text_solid_fill_rd->setChecked(true);
    connectControls();
}

TextPanel::~TextPanel() = default;

void TextPanel::setUpControls()
{
    const NotDrawOnlyPropChangeGuard filling;
    for (auto [combo, patterns] : {std::pair{editing->Text_Date_style, &Text_Date_styles},
                                   std::pair{editing->Text_Time_style, &Text_Time_styles}}) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems(*patterns);
        selectComboIndex(*combo, 0);
    }
    for (QComboBox* combo : {editing->Text_vert_align_combo, editing->Text_align_combo, editing->Text_case_combo})
        selectComboIndex(*combo, 0);
}

void TextPanel::connectControls()
{
    const auto write = [this] { Update_Text_Graphics(); };
    Ui::TextEditingPage& e = *editing;
    Ui::TextStylePage& s = *style;

    connect(e.Text_value_Edit, &QPlainTextEdit::textChanged, this, &TextPanel::textDidChange);
    e.Text_value_Edit->installEventFilter(this);
    connect(e.insert_template_btn, &QPushButton::clicked, this, &TextPanel::Insert_Template_Button);
    connect(e.text_insert_date_btn, &QPushButton::clicked, this, &TextPanel::Text_Insert_Date);
    connect(e.text_insert_time_btn, &QPushButton::clicked, this, &TextPanel::Text_Insert_Time);
    connect(e.text_font_btn, &QPushButton::clicked, this, &TextPanel::Text_Font_Changed);
    connect(e.Text_clr, &ColorWell::colorChosen, this, write);
    for (QComboBox* combo : {e.Text_align_combo, e.Text_vert_align_combo, e.Text_case_combo})
        connect(combo, &QComboBox::activated, this, write);
    connect(e.Text_Kern_Stepper, &QDoubleSpinBox::valueChanged, this, write);
    connect(e.txt_rotation_slidr, &QSlider::valueChanged, this, &TextPanel::Txt_Rotate_Slider_Changed);
    connect(e.txt_rotation_slidr_val, &QSpinBox::valueChanged, this, &TextPanel::Txt_Rotate_Value_Changed);
    connect(e.Text_Orientation_Combo, &QComboBox::activated, this, &TextPanel::Text_Orientation_Changed);

    connect(s.Text_border_chk, &QCheckBox::clicked, this, &TextPanel::Text_Border_ChkBox);
    connect(s.Text_bor_Stepper, &QSpinBox::valueChanged, this, write);
    connect(s.Text_border_style, &QComboBox::activated, this, write);
    connect(s.Text_fill_chk, &QCheckBox::clicked, this, &TextPanel::Text_Fill_Chk_Box);
    connect(s.Text_solid_fill_rd, &QRadioButton::clicked, this, &TextPanel::Text_Solid_RD_Sel);
    connect(s.Text_gradient_fill_rd, &QRadioButton::clicked, this, &TextPanel::Text_Gradient_RD_Sel);
    for (ColorWell* well : {s.Text_bordr_clr, s.Text_fill_clr, s.Text_fill_Grd_1_clr, s.Text_fill_Grd_2_clr, s.Shadow_clr})
        connect(well, &ColorWell::colorChosen, this, write);
    for (QSpinBox* field : {s.Text_grad_Stepper, s.Text_alpha_Stepper, s.shadow_transp_Stepper})
        connect(field, &QSpinBox::valueChanged, this, write);
    for (QDoubleSpinBox* field : {s.shadow_x_Stepper, s.shadow_y_Stepper, s.shadow_blur_Stepper})
        connect(field, &QDoubleSpinBox::valueChanged, this, write);
    connect(s.draw_shadow_chkbox, &QCheckBox::clicked, this, &TextPanel::Draw_Shadow_ChkBox);
}

void TextPanel::Show_Hide_Text_Transp_Ctrl(bool hide)
{
    style->text_alpha_lbl->setHidden(hide);
    style->Text_alpha_Stepper->setHidden(hide);
}

void TextPanel::enableFillControls()
{
    Ui::TextStylePage& s = *style;
    s.Text_Fill_Box->setEnabled(s.Text_fill_chk->isChecked());
    const bool gradient = s.Text_gradient_fill_rd->isChecked();
    s.Text_fill_clr->setEnabled(!gradient);
    for (QWidget* control : {static_cast<QWidget*>(s.Text_fill_Grd_1_clr), static_cast<QWidget*>(s.Text_fill_Grd_2_clr),
                             static_cast<QWidget*>(s.Text_grad_Stepper)})
        control->setEnabled(gradient);
}

BorderFields TextPanel::border() const
{
    const Ui::TextStylePage& s = *style;
    return {*s.Text_border_chk, *s.Text_bordr_clr, *s.Text_bor_Stepper, *s.Text_border_style, *s.Text_Border_Box};
}

FillKindRadios TextPanel::fillRadios() const
{
    return {style->Text_solid_fill_rd, style->Text_gradient_fill_rd};
}

void TextPanel::Text_Border_ChkBox()
{
    border().enableBox();
    Update_Text_Graphics();
}

void TextPanel::Text_Fill_Chk_Box()
{
    enableFillControls();
    Update_Text_Graphics();
}

void TextPanel::Text_Solid_RD_Sel()
{
    Show_Hide_Text_Transp_Ctrl(false);
    style->Text_solid_fill_rd->setChecked(true);
    enableFillControls();
    Update_Text_Graphics();
}

void TextPanel::Text_Gradient_RD_Sel()
{
    Show_Hide_Text_Transp_Ctrl(true);
    style->Text_gradient_fill_rd->setChecked(true);
    enableFillControls();
    Update_Text_Graphics();
}

void TextPanel::Draw_Shadow_ChkBox()
{
    style->shadow_box->setEnabled(style->draw_shadow_chkbox->isChecked());
    Update_Text_Graphics();
}

void TextPanel::showTurn(int degrees)
{
    Ui::TextEditingPage& e = *editing;
    const QSignalBlocker quietSlider(e.txt_rotation_slidr), quietValue(e.txt_rotation_slidr_val);
    e.txt_rotation_slidr->setValue(degrees);
    e.txt_rotation_slidr_val->setValue(degrees);
    // A turn that is no quarter turn shows none.
    selectComboIndex(*e.Text_Orientation_Combo, e.Text_Orientation_Combo->findText(QString::number(degrees)));
}

void TextPanel::Txt_Rotate_Slider_Changed()
{
    showTurn(editing->txt_rotation_slidr->value());
    Update_Text_Graphics();
}

void TextPanel::Txt_Rotate_Value_Changed()
{
    showTurn(editing->txt_rotation_slidr_val->value());
    Update_Text_Graphics();
}

void TextPanel::Text_Orientation_Changed()
{
    showTurn(editing->Text_Orientation_Combo->currentText().toInt());
    Update_Text_Graphics();
}
