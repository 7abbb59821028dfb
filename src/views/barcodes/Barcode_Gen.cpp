#include "views/barcodes/Barcode_Gen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <exception>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "barcodes/CaptionKerningChoice.h"
#include "barcodes/datamatrix/DataMatrixEncoder.h"
#include "data/Data_From_Excel.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "views/barcodes/BarcodeSettingsView.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/KeptNumber.h"
#include "views/inspector/PanelValues.h"
#include "ui_BarcodeSettingsView.h"

namespace {

// A stored index shown as the list's entry; an index outside the list shows none.
void showEntry(QComboBox& combo, int index)
{
    selectComboIndex(combo, index >= 0 && index < combo.count() ? index : -1);
}

}  // namespace

Barcode_Gen::Barcode_Gen(QWidget* parent) : m_view(std::make_unique<BarcodeSettingsView>(parent))
{
    // Nothing is previewed until an element is loaded.
    const NotDrawOnlyPropChangeGuard filling;
    Ui::BarcodeSettingsView& ui = m_view->ui();
    fillComboQuietly(*ui.barcodeTypePopup, symbologyTitles());
    fillComboQuietly(*ui.qr_version_ComboBox, qrVersionEntries());
    fillComboQuietly(*ui.qr_ec_lvl_ComboBox, qrErrorLevelEntries());
    fillComboQuietly(*ui.dm_format_ComboBox, dataMatrixSizeEntries());
    fillComboQuietly(*ui.dm_encoding_ComboBox, dataMatrixEncodingEntries());
    fillComboQuietly(*ui.DPI_ComboBox, resolutionEntries());
    fillComboQuietly(*ui.align_hdr_combo, captionAlignmentEntries());
    fillComboQuietly(*ui.align_ftr_combo, captionAlignmentEntries());
    connectContent();
    connectLayout();
    QObject::connect(ui.barcode_buttons, &QDialogButtonBox::accepted, m_view.get(), [this] { OK_Btn_Clicked(); });
    QObject::connect(ui.barcode_buttons, &QDialogButtonBox::rejected, m_view.get(), [this] { Cancel_Btn_Clicked(); });
    // The window's own Data Matrix width and height start at the smallest symbol, 10 by 10
    // modules of the default 2 points.
    ui.dm_widthText_2D->setValue(20);
    ui.dm_HeightText_2D->setValue(20);
    // The controls of a new element until the first one is loaded.
    rebuildDataSourceList();
    loadElement(*SKTGraphic::create(GraphicKind::Barcode));
}

Barcode_Gen::~Barcode_Gen() = default;

BarcodeSettings& Barcode_Gen::settings()
{
    return m_copy->barcode;
}

bool Barcode_Gen::isTwoDimensional() const
{
    return isTwoDimensionalSymbology(m_view->ui().barcodeTypePopup->currentText());
}

QString Barcode_Gen::currentValue() const
{
    return isTwoDimensional() ? m_copy->barcode.two_d_font_val : m_copy->barcode.linear_font_val;
}

GraphicPtr Barcode_Gen::Open_Wnd(const SKTGraphic& element)
{
    // The kerning box holds one choice for all barcodes: Cancel takes back a change made here.
    const bool kerningAtOpen = CaptionKerningChoice::checked();
    try {
        // Cleared on every way out: a guard left set would silence every control and panel.
        const NotDrawOnlyPropChangeGuard filling;
        rebuildDataSourceList();
        loadElement(element);
    } catch (const std::exception& failure) {
        Show_NSLog_Message(QString::fromUtf8(failure.what()));
    }
    goButtonActionPerformed();
    m_view->fitToControls();
    const int response = dialogPresenter().runModal(*m_view);
    m_view->hide();
    if (response != QDialog::Accepted) {
        if (CaptionKerningChoice::checked() != kerningAtOpen)
            CaptionKerningChoice::setChecked(kerningAtOpen);
        if (m_canvas)
            m_canvas->Set_Selected_Graphic(element);
        return nullptr;
    }
    writeDataSourceOnOk();
    // The custom resolution as its field shows it, also while another entry is chosen.
    settings().dpi_custom_val = QString::number(m_view->ui().dpi_Text->value());
    applyFill(m_view->ui().transparent_bkgnd->isChecked());
    Barcode_output_image = m_picture;
    return m_copy;
}

void Barcode_Gen::OK_Btn_Clicked()
{
    if (!Check_And_Validat_Barcode(true))
        return;
    if (m_picture.isNull()) {
        Set_Blank_Image();
        Show_MessageBox(kInvalidBarcodeValueMessage);
        return;
    }
    m_view->accept();
}

void Barcode_Gen::Cancel_Btn_Clicked()
{
    m_view->reject();
}

void Barcode_Gen::rebuildDataSourceList()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const bool visitor = isVisitorMode();
    QStringList sources{QStringLiteral("Manual")};
    if (!visitor) {
        sources << QStringLiteral("Series");
        if (Excel_Binding_Use)
            sources << QStringLiteral("Excel");
    }
    fillComboQuietly(*ui.Data_source_type, sources);
    // The last element's series or columns are not this one's.
    fillComboQuietly(*ui.Batch_Series, {});
    for (QWidget* control : QList<QWidget*>{ui.Batch_Series, ui.series_label, ui.view_series_btn})
        control->setVisible(!visitor);
}

void Barcode_Gen::loadElement(const SKTGraphic& element)
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    m_copy = element.cloneForRendering();
    BarcodeSettings& s = settings();
    // The page follows the symbology, whatever the stored family says.
    showEntry(*ui.barcodeTypePopup, s.barcode_font_index);
    s.linear_or_2d = isTwoDimensional() ? 1 : 0;

    ui.dataText->setText(s.linear_font_val);
    ui.dataText_2D->setPlainText(s.two_d_font_val);
    ui.HeaderText->setText(s.header_val);
    ui.FooterText->setText(s.footer_val);
    ui.hideHeaderCheckbox->setChecked(s.headerHidden());
    ui.hideFooterCheckbox->setChecked(s.footerHidden());
    ui.captionCheckbox->setChecked(s.captionHidden());
    ui.showinTopCheckbox->setChecked(s.show_val_on_top == 1);
    ui.kerning_value_Checkbox->setChecked(CaptionKerningChoice::checked());
    enableKerningBox();
    ui.transparent_bkgnd->setChecked(m_copy->_isDrawingFill);
    showEntry(*ui.align_hdr_combo, s.align_hdr_index);
    showEntry(*ui.align_ftr_combo, s.align_ftr_index);

    // The source's handler fills the series or column list, selects the bound one and shows its
    // first value. Visitor mode offers "Manual" alone, whatever the element is bound to: the value
    // is typed there.
    const int source = isVisitorMode() ? 0 : m_copy->data_source_type;
    selectComboIndex(*ui.Data_source_type, source >= 0 && source < ui.Data_source_type->count() ? source : -1,
                     [this] { Data_source_type_Changed(); });
    Get_Print_State();

    loadNumbers(s);
    loadLooks(s);
    BARCODE_Unit_Is = kUnitMillimetre;
    showPage(isTwoDimensional());
}

void Barcode_Gen::loadNumbers(const BarcodeSettings& s)
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    showStoredNumber(*ui.HeightText, s.linear_height_val);
    showStoredNumber(*ui.widthText, s.linear_width_val);
    showEntry(*ui.qr_version_ComboBox, s.qr_version_index);
    showEntry(*ui.qr_ec_lvl_ComboBox, s.qr_ec_index);
    // The version's least size first, so that the field can show the stored one.
    Check_And_Set_QR_size_Acc_Version(std::max(ui.qr_version_ComboBox->currentIndex(), 0));
    showStoredNumber(*ui.HeightText_2D, s.qr_size_val);
    showStoredNumber(*ui.pdf_HeightText_2D, s.pdf_hgt_val);
    showStoredNumber(*ui.Pdf_widthText_2D, s.pdf_wdt_val);
    showStoredNumber(*ui.pdf_ec_lvl_Text, s.pdf_ec_val);
    showStoredNumber(*ui.dm_moduleText_2D, s.dm_module_val);
    showEntry(*ui.dm_format_ComboBox, s.dm_format_index);
    showEntry(*ui.dm_encoding_ComboBox, s.dm_encoding_index);
    showStoredNumber(*ui.hdr_mar_Text, s.hdr_margin_val);
    showStoredNumber(*ui.ftr_mar_Text, s.ftr_margin_val);
    showStoredNumber(*ui.val_mar_Text, s.val_margin_val);
    showStoredNumber(*ui.TB_mar_Text, s.TB_marging_val);
    showStoredNumber(*ui.LR_mar_Text, s.LR_margin_val);
    showEntry(*ui.DPI_ComboBox, s.dpi_val_index);
    // The resolution a custom text gives the picture: its leading number, or the automatic one.
    showStoredNumber(*ui.dpi_Text, customResolution(s.dpi_custom_val));
    ui.dpi_Text->setVisible(ui.DPI_ComboBox->currentIndex() == customResolutionIndex());
    ui.dpiCustomLabel->setVisible(ui.dpi_Text->isVisible());
}

void Barcode_Gen::loadLooks(const BarcodeSettings& s)
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    ui.value_font_value->setText(fontCaption(s.value_font_val));
    ui.header_font_value->setText(fontCaption(s.header_font_val));
    ui.footer_font_value->setText(fontCaption(s.footer_font_val));
    ui.bar_hdr_clr->setColor(s.barcode_hdr_clr_val);
    ui.bar_ftr_clr->setColor(s.barcode_ftr_clr_val);
    ui.bar_val_clr->setColor(s.barcode_val_clr_val);
    ui.bar_back_clr->setColor(s.barcode_back_clr_val);
    ui.barcode_clr->setColor(s.barcode_clr_val);
    ui.bar_back_clr->setEnabled(!ui.transparent_bkgnd->isChecked());
    ui.bar_bk_clr_label->setEnabled(!ui.transparent_bkgnd->isChecked());
}

void Barcode_Gen::writeDataSourceOnOk()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const QString source = ui.Data_source_type->currentText();
    const int entry = ui.Batch_Series->currentIndex();
    if (source == QLatin1String("Manual")) {
        m_copy->Set_Data_source_type(0);
    } else if (source == QLatin1String("Series")) {
        m_copy->Set_Data_source_type(1);
        m_copy->Set_Batch_List_Name(ui.Batch_Series->currentText());
        m_copy->Set_Batch_List_Index(entry);
    } else if (source == QLatin1String("Excel")) {
        m_copy->Set_Data_source_type(2);
        m_copy->Set_Excel_binding_Index(entry);
    }
}
