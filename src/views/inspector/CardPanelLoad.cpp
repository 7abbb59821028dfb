// Filling the card pages from the side's record, and the fill kind's radios and enabling.
#include <QButtonGroup>

#include "model/Card_Property.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FillKindRadios.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/ShowQuietly.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardInfoPage.h"
#include "ui_CardSizePage.h"

namespace {

QList<QAbstractButton*> shapeRadios(Ui::CardSizePage& size)
{
    return {size.shapeRectangle, size.shapeRoundedRectangle, size.shapeEllipse};
}

}  // namespace

void CardPanel::loadCardPages(int side)
{
    Card_Property& record = m_window.cardRecord(side);
    Ui::CardBorderPage& border = m_view.cardBorder();
    Ui::CardBackgroundPage& background = m_view.cardBackground();
    Ui::CardInfoPage& info = m_view.cardInfo();

    border.Card_border_chk->setChecked(record.Card_border_chk());
    border.Card_bordr_clr->setColor(record.Card_bordr_clr());
    showQuietly(*border.Card_bor_Stepper, record.Card_bor_Stepper());
    if (const int style = borderStyleIndex(record.Card_border_style()); style >= 0)
        selectComboIndex(*border.Card_border_style, style);

    background.Card_fill_chk->setChecked(record.Card_fill_chk());
    background.Card_fill_clr->setColor(record.Card_fill_clr());
    const QString fillStyle = record.Card_fill_style();
    background.Card_fill_Grd_1_clr->setColor(record.Card_fill_Grd_1_clr());
    background.Card_fill_Grd_2_clr->setColor(record.Card_fill_Grd_2_clr());
    showQuietly(*background.Card_grad_Stepper, record.Card_grad_Stepper());
    background.Card_hatch_bk_clr->setColor(record.Card_hatch_bk_clr());
    if (fillStyle == QLatin1String("H")) {
        const QString hatch = record.Card_hatch_style();
        selectComboIndex(*background.Card_hatch_style, hatch.isEmpty() ? -1 : background.Card_hatch_style->findData(hatch));
    }
    showQuietly(*background.Card_alpha_Stepper, percentShown(record.Card_alpha_Stepper()));
    (side == 0 ? background.Card_Image_path : background.Card_Image_path_BACK)->setText(record.Card_BG_Image_Path());
    background.Card_Image_path->setVisible(side == 0);
    background.Card_Image_path_BACK->setVisible(side != 0);
    selectComboText(*background.Card_image_layout, record.Card_BG_Image_Layout());

    info.All_Text_clr->setColor(record.Card_Content_clr());
    All_Text_font = All_Text_font_COPY = record.Card_Content_font();
    info.All_Text_font_value->setText(fontCaption(All_Text_font));
    All_Text_clr_COPY = info.All_Text_clr->color();

    if (side == 0)
        Card_Shape = cardShapeIndex(m_window.cardRecord(0).Card_Shape());
    if (QAbstractButton* shape = shapeRadios(m_view.cardSize()).value(Card_Shape))
        showQuietly(*shape, true);

    info.card_name->setText(record.Card_Name());
    const QRectF card = m_window.frontCanvasBounds();
    record.setCard_Location(card.topLeft());
    record.setCard_Size(card.size());

    Ui::CardBorderPage& watermark = border;
    watermark.enable_watermark_chk->setChecked(record.Watermark_Used());
    selectComboIndex(*watermark.wm_alignment_combo, record.Watermark_Alignment());
    const int opacity = percentShown(record.Watermark_Transp());
    showQuietly(*watermark.wm_transp_slider, opacity);
    watermark.wm_transp_val->setNum(opacity);
    watermark.watermark_text->setText(record.Watermark_Text());
    watermark.watermark_color->setColor(record.Watermark_Color());
    WM_Text_font = record.Watermark_Font();
    watermark.watermark_box->setEnabled(watermark.enable_watermark_chk->isChecked());
    watermark.wm_font_value->setText(fontCaption(WM_Text_font));

    card_prop_set(fillStyle);
}

void CardPanel::card_prop_set(const QString& style)
{
    Ui::CardBackgroundPage& background = m_view.cardBackground();
    fillRadios().show(style);
    if (style == QLatin1String("G"))
        Show_Hide_Card_Transp_Ctrl(true);
    else if (style == QLatin1String("I"))
        Show_Hide_Card_Transp_Ctrl(background.Card_image_layout->currentText() == QLatin1String("Tile"));
    else
        Show_Hide_Card_Transp_Ctrl(false);
    m_view.cardBorder().Card_Border_Box->setEnabled(m_view.cardBorder().Card_border_chk->isChecked());
    background.Card_Fill_Box->setEnabled(background.Card_fill_chk->isChecked());
    enableFillControls(style);
}

void CardPanel::enableFillControls(const QString& style)
{
    Ui::CardBackgroundPage& background = m_view.cardBackground();
    const bool gradient = style == QLatin1String("G");
    const bool hatch = style == QLatin1String("H");
    const bool picture = style == QLatin1String("I");
    background.Card_fill_clr->setEnabled(!gradient && !hatch && !picture);
    for (QWidget* control : {static_cast<QWidget*>(background.Card_fill_Grd_1_clr),
                             static_cast<QWidget*>(background.Card_fill_Grd_2_clr),
                             static_cast<QWidget*>(background.Card_grad_Stepper)})
        control->setEnabled(gradient);
    background.Card_hatch_style->setEnabled(hatch);
    background.Card_hatch_bk_clr->setEnabled(hatch);
    background.Card_image_box->setEnabled(picture);
}

void CardPanel::Show_Hide_Card_Transp_Ctrl(bool hide)
{
    m_view.cardBackground().Card_alpha_label->setHidden(hide);
    m_view.cardBackground().Card_alpha_Stepper->setHidden(hide);
}
