// The card pages into the records: the side's own settings, the settings both sides share, and
// the content colour and font onto the side's texts.
#include <QAbstractItemModel>
#include <QItemSelectionModel>

#include "model/Card_Property.h"
#include "platform/AppContext.h"
#include "platform/StringHelpers.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/FillKindRadios.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PanelValues.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardInfoPage.h"
#include "ui_CardSizePage.h"

namespace {

QColor withAlpha(QColor colour, double alpha)
{
    colour.setAlphaF(float(alpha));
    return colour;
}

// The selected row of the size list, -1 for none.
int selectedSizeRow(const QTableView& list)
{
    const QItemSelectionModel* selection = list.selectionModel();
    if (selection == nullptr)
        return -1;
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

}  // namespace

FillKindRadios CardPanel::fillRadios() const
{
    const Ui::CardBackgroundPage& background = m_view.cardBackground();
    return {background.Card_solid_fill_rd, background.Card_gradient_fill_rd, background.Card_Style_fill_rd,
            background.Card_Image_fill_rd};
}

void CardPanel::Update_Card_Graphics()
{
    if (!Not_Draw_Only_Prop_Change)
        writeCardSide(m_window.sideInForce());
}

void CardPanel::writeCardSide(int side)
{
    Card_Property& record = m_window.cardRecord(side);
    const Ui::CardBorderPage& border = m_view.cardBorder();
    const Ui::CardBackgroundPage& background = m_view.cardBackground();

    record.setCard_border_chk(border.Card_border_chk->isChecked());
    if (border.Card_border_chk->isChecked()) {
        record.setCard_bordr_clr(border.Card_bordr_clr->color());
        record.setCard_bor_Stepper(border.Card_bor_Stepper->value());
    }
    if (border.Card_border_style->currentIndex() >= 0)
        record.setCard_border_style(Return_Border_Style_Str_On_index(border.Card_border_style->currentIndex()));

    const double alpha = background.Card_alpha_Stepper->value() / 100.0;
    record.setCard_fill_chk(background.Card_fill_chk->isChecked());
    if (background.Card_fill_chk->isChecked())
        record.setCard_fill_clr(withAlpha(background.Card_fill_clr->color(), alpha));
    record.setCard_fill_style(fillRadios().chosen());
    record.setCard_fill_Grd_1_clr(background.Card_fill_Grd_1_clr->color());
    record.setCard_fill_Grd_2_clr(background.Card_fill_Grd_2_clr->color());
    record.setCard_grad_Stepper(background.Card_grad_Stepper->value());
    record.setCard_hatch_bk_clr(withAlpha(background.Card_hatch_bk_clr->color(), alpha));
    // A pattern this machine lacks shows no selection; the design keeps its name.
    if (background.Card_hatch_style->currentIndex() >= 0)
        record.setCard_hatch_style(background.Card_hatch_style->currentData().toString());
    record.setCard_BG_Image_Path((side == 0 ? background.Card_Image_path : background.Card_Image_path_BACK)->text());
    record.setCard_BG_Image_Layout(background.Card_image_layout->currentText());
    record.setCard_alpha_Stepper(float(alpha));

    record.setCard_Content_clr(m_view.cardInfo().All_Text_clr->color());
    record.setCard_Content_font(All_Text_font);

    Set_Card_Comman_Properties();

    record.setWatermark_Used(border.enable_watermark_chk->isChecked());
    record.setWatermark_Alignment(border.wm_alignment_combo->currentIndex());
    record.setWatermark_Transp(float(border.wm_transp_slider->value() / 100.0));
    record.setWatermark_Text(border.watermark_text->text());
    record.setWatermark_Color(border.watermark_color->color());
    record.setWatermark_Font(WM_Text_font);

    m_window.Refresh_Canvas();
}

void CardPanel::Set_Card_Comman_Properties()
{
    const Ui::CardInfoPage& info = m_view.cardInfo();
    const Ui::CardSizePage& size = m_view.cardSize();
    QString name = Trim_Str(info.card_name->text());
    if (name.isEmpty())
        name = default_file_name;
    const QRectF card = m_window.frontCanvasBounds();
    const int row = selectedSizeRow(*size.ColList);
    const QAbstractItemModel* rows = size.ColList->model();
    const QString sizeName = row >= 0 && rows != nullptr ? rows->index(row, 0).data().toString() : QString();
    for (int side : {0, 1}) {
        Card_Property& record = m_window.cardRecord(side);
        record.setCard_Side(info.Sides_ComboBox->currentIndex() == 0 ? QStringLiteral("2") : QStringLiteral("1"));
        record.setCard_Side_Name(side == 0 ? QStringLiteral("F") : QStringLiteral("B"));
        record.setCard_Shape(cardShapeCode(Card_Shape));
        record.setCard_Name(name);
        record.setCard_Location(card.topLeft());
        record.setCard_Size(card.size());
        record.setCard_Preset(size.Preset_ComboBox->currentText());
        record.setCard_Category(size.Category_ComboBox->currentText());
        record.setCard_Sub_Category(sizeName);
        record.setCard_Cat_index(row);
        record.setCard_Create_Mode(QStringLiteral("W"));
    }
}

void CardPanel::Update_All_Card_Content()
{
    const QColor colour = m_view.cardInfo().All_Text_clr->color();
    for (const GraphicPtr& graphic : m_window.graphicsOfSide(m_window.sideInForce())) {
        if (graphic->kind() != GraphicKind::Text || graphic->ctrl_is_locked)
            continue;
        if (colour != All_Text_clr_COPY)
            graphic->textStyle.txt_clr = colour;
        if (!(All_Text_font == All_Text_font_COPY))
            graphic->textStyle.text_ctrl_font = All_Text_font;
    }
    // The colour the texts were given last is the one a later choice is told from, so choosing
    // the first colour again gives it back to them.
    All_Text_clr_COPY = colour;
    Update_Card_Graphics();
}
