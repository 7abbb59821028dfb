// How the barcode window shapes the picture: fonts, colours, margins, bar and symbol sizes, the
// QR Code, PDF417 and Data Matrix parameters, the resolution of 2-D pictures, the caption, header
// and footer boxes and the help texts. Each change goes into the copy and the preview follows.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "barcodes/BarcodeLists.h"
#include "barcodes/CaptionKerningChoice.h"
#include "barcodes/datamatrix/DataMatrixEncoder.h"
#include "model/NumberBounds.h"
#include "platform/AppContext.h"
#include "views/barcodes/BarcodeSettingsView.h"
#include "views/barcodes/Barcode_Gen.h"
#include "views/dialogs/Long_SMS_Dlg.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/FontChoice.h"
#include "views/inspector/PanelValues.h"
#include "ui_BarcodeSettingsView.h"

namespace {

const QString kMillimetres = QStringLiteral("mm");
const QString kPoints = QStringLiteral("pt");

// Raises a field to at least `least`, quietly; true when it was lower.
bool raiseTo(QSpinBox& field, int least)
{
    if (field.value() >= least)
        return false;
    const QSignalBlocker quiet(field);
    field.setValue(least);
    return true;
}

}  // namespace

void Barcode_Gen::connectLayout()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    using NumberBounds::kBarcodeLength;
    // Lengths in millimetres and the bar width in mils, to two places.
    for (CheckedDoubleSpinBox* field : {ui.HeightText, ui.widthText, ui.val_mar_Text, ui.hdr_mar_Text,
                                        ui.ftr_mar_Text, ui.TB_mar_Text, ui.LR_mar_Text})
        boundNumberField(*field, kBarcodeLength, 2, field == ui.widthText ? QStringLiteral("mils") : kMillimetres);
    for (CheckedSpinBox* field : {ui.HeightText_2D, ui.Pdf_widthText_2D, ui.pdf_HeightText_2D, ui.dm_moduleText_2D,
                                  ui.dm_widthText_2D, ui.dm_HeightText_2D})
        boundNumberField(*field, kBarcodeLength, kPoints);
    boundNumberField(*ui.pdf_ec_lvl_Text, NumberBounds::kPdf417ErrorLevel.range(), QString());
    boundNumberField(*ui.dpi_Text, NumberBounds::kBarcodeResolution, QStringLiteral("dpi"));

    connectNumber(*ui.HeightText, &BarcodeSettings::linear_height_val);
    connectNumber(*ui.widthText, &BarcodeSettings::linear_width_val);
    connectNumber(*ui.val_mar_Text, &BarcodeSettings::val_margin_val);
    connectNumber(*ui.hdr_mar_Text, &BarcodeSettings::hdr_margin_val);
    connectNumber(*ui.ftr_mar_Text, &BarcodeSettings::ftr_margin_val);
    connectNumber(*ui.TB_mar_Text, &BarcodeSettings::TB_marging_val);
    connectNumber(*ui.LR_mar_Text, &BarcodeSettings::LR_margin_val);
    connectNumber(*ui.HeightText_2D, &BarcodeSettings::qr_size_val);
    connectNumber(*ui.Pdf_widthText_2D, &BarcodeSettings::pdf_wdt_val);
    connectNumber(*ui.pdf_HeightText_2D, &BarcodeSettings::pdf_hgt_val);
    connectNumber(*ui.pdf_ec_lvl_Text, &BarcodeSettings::pdf_ec_val);
    connectNumber(*ui.dm_moduleText_2D, &BarcodeSettings::dm_module_val);
    // The Data Matrix width and height show the symbol's size, which its format, value and module
    // size make: nothing typed there could reach the picture.
    for (CheckedSpinBox* field : {ui.dm_widthText_2D, ui.dm_HeightText_2D}) {
        field->setReadOnly(true);
        field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
    QObject::connect(ui.dpi_Text, &QSpinBox::valueChanged, m_view.get(), [this](int dpi) { customResolutionTyped(dpi); });

    connectCombo(*ui.qr_version_ComboBox, &BarcodeSettings::qr_version_index);
    connectCombo(*ui.qr_ec_lvl_ComboBox, &BarcodeSettings::qr_ec_index);
    connectCombo(*ui.dm_format_ComboBox, &BarcodeSettings::dm_format_index);
    connectCombo(*ui.dm_encoding_ComboBox, &BarcodeSettings::dm_encoding_index);
    connectCombo(*ui.align_hdr_combo, &BarcodeSettings::align_hdr_index);
    connectCombo(*ui.align_ftr_combo, &BarcodeSettings::align_ftr_index);
    QObject::connect(ui.DPI_ComboBox, &QComboBox::currentIndexChanged, m_view.get(), [this] { chooseResolution(); });

    const auto connectBox = [this](QCheckBox& box, qint32 BarcodeSettings::*member) {
        QObject::connect(&box, &QCheckBox::clicked, m_view.get(), [this, member](bool checked) {
            if (Not_Draw_Only_Prop_Change)
                return;
            settings().*member = checked ? 1 : 0;
            Get_Print_State();
            goButtonActionPerformed();
        });
    };
    connectBox(*ui.captionCheckbox, &BarcodeSettings::show_hide_val);
    connectBox(*ui.showinTopCheckbox, &BarcodeSettings::show_val_on_top);
    connectBox(*ui.hideHeaderCheckbox, &BarcodeSettings::show_hide_hdr);
    connectBox(*ui.hideFooterCheckbox, &BarcodeSettings::show_hide_ftr);
    QObject::connect(ui.transparent_bkgnd, &QCheckBox::clicked, m_view.get(), [this] { Transparent_Bkngd_Clicked(); });
    QObject::connect(ui.kerning_value_Checkbox, &QCheckBox::clicked, m_view.get(), [this](bool checked) {
        if (Not_Draw_Only_Prop_Change)
            return;
        CaptionKerningChoice::setChecked(checked);
        goButtonActionPerformed();
    });

    connectColor(*ui.barcode_clr, &BarcodeSettings::barcode_clr_val);
    connectColor(*ui.bar_back_clr, &BarcodeSettings::barcode_back_clr_val);
    connectColor(*ui.bar_val_clr, &BarcodeSettings::barcode_val_clr_val);
    connectColor(*ui.bar_hdr_clr, &BarcodeSettings::barcode_hdr_clr_val);
    connectColor(*ui.bar_ftr_clr, &BarcodeSettings::barcode_ftr_clr_val);
    connectFont(*ui.val_font_btn, *ui.value_font_value, &BarcodeSettings::value_font_val);
    connectFont(*ui.hdr_font_btn, *ui.header_font_value, &BarcodeSettings::header_font_val);
    connectFont(*ui.ftr_font_btn, *ui.footer_font_value, &BarcodeSettings::footer_font_val);

    connectHelp(*ui.QR_Version_Help_Btn, QStringLiteral("Version :"),
                QStringLiteral("Version is configuration or number of modules (combination of black and white dots)."));
    connectHelp(*ui.QR_EC_Lvl_Help_Btn, QStringLiteral("Error correction (EC) level :"),
                QStringLiteral("An error-correction mechanism is built in each symbol so that the symbol can still be "
                               "decoded even if it is damaged."));
    connectHelp(*ui.PDF_ec_lvl_Help_btn, QStringLiteral("PDF EC Level :"),
                QStringLiteral("An error-correction mechanism is built in each symbol so that the symbol can still be "
                               "decoded even if it is damaged in PDF barcode."));
    connectHelp(*ui.DM_format_Help_btn, QStringLiteral("Preferred Format :"),
                QStringLiteral("Preferred Mode determines the smallest size of the symbol."));
    connectHelp(*ui.DM_Encoding_Help_btn, QStringLiteral("Encoding Mode :"),
                QStringLiteral("Encoding Mode is mode of compaction to encode data in the symbol."));
    connectHelp(*ui.DPI_Help_Label, QStringLiteral("DPI (Dots Per Inch) :"),
                QStringLiteral("Dots per inch is a measure of the resolution of printers in terms of Print Quality.") +
                    QStringLiteral("\n\n") +
                    QStringLiteral("Bigger the DPI, Better the Print Quality. But File size of image also increases, as "
                                   "you choose bigger DPI."));
}

void Barcode_Gen::connectNumber(CheckedDoubleSpinBox& field, float BarcodeSettings::*member)
{
    QObject::connect(&field, &QDoubleSpinBox::valueChanged, m_view.get(), [this, member](double value) {
        if (Not_Draw_Only_Prop_Change)
            return;
        settings().*member = float(value);
        goButtonActionPerformed();
    });
}

void Barcode_Gen::connectNumber(CheckedSpinBox& field, qint32 BarcodeSettings::*member)
{
    QObject::connect(&field, &QSpinBox::valueChanged, m_view.get(), [this, member](int value) {
        if (Not_Draw_Only_Prop_Change)
            return;
        settings().*member = value;
        if (member == &BarcodeSettings::dm_module_val)
            data_matrix_barcode_size_acc_format();
        goButtonActionPerformed();
    });
}

void Barcode_Gen::connectCombo(QComboBox& combo, qint32 BarcodeSettings::*member)
{
    QObject::connect(&combo, &QComboBox::currentIndexChanged, m_view.get(), [this, member](int index) {
        if (Not_Draw_Only_Prop_Change || index < 0)
            return;
        settings().*member = index;
        if (member == &BarcodeSettings::qr_version_index)
            Check_And_Set_QR_size_Acc_Version(index);
        else if (member == &BarcodeSettings::dm_format_index)
            data_matrix_barcode_size_acc_format();
        goButtonActionPerformed();
    });
}

void Barcode_Gen::connectColor(ColorWell& well, QColor BarcodeSettings::*member)
{
    QObject::connect(&well, &ColorWell::colorChosen, m_view.get(), [this, member](const QColor& color) {
        settings().*member = color;
        if (member == &BarcodeSettings::barcode_back_clr_val)
            applyFill(m_copy->_isDrawingFill);
        goButtonActionPerformed();
    });
}

void Barcode_Gen::connectFont(QPushButton& button, QLabel& caption, CardFont BarcodeSettings::*member)
{
    QObject::connect(&button, &QPushButton::clicked, m_view.get(), [this, &caption, member] {
        const std::optional<CardFont> chosen = chooseFont(m_view.get(), settings().*member);
        if (!chosen)
            return;
        settings().*member = *chosen;
        caption.setText(fontCaption(*chosen));
        goButtonActionPerformed();
    });
}

void Barcode_Gen::connectHelp(QAbstractButton& button, const QString& title, const QString& text)
{
    QObject::connect(&button, &QAbstractButton::clicked, m_view.get(), [title, text] { Open_Help_Box(title, text); });
}

void Barcode_Gen::Check_And_Set_QR_size_Acc_Version(int versionIndex)
{
    QSpinBox& size = *m_view->ui().HeightText_2D;
    const int least = qrMinimumModules(versionIndex);
    {
        const QSignalBlocker quiet(size);
        size.setMinimum(least);
    }
    if (settings().qr_size_val < least) {
        settings().qr_size_val = least;
        raiseTo(size, least);
    }
}

void Barcode_Gen::data_matrix_barcode_size_acc_format()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const QString entry = ui.dm_format_ComboBox->currentText();
    if (entry.isEmpty() || entry == QLatin1String("Auto"))
        return;
    const DataMatrixSize size = dataMatrixSizeFromEntry(entry);
    showDataMatrixSize(size.width, size.height);
}

void Barcode_Gen::showDataMatrixSize(int columns, int rows)
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const int module = ui.dm_moduleText_2D->value();
    for (auto [field, modules] : {std::pair{ui.dm_widthText_2D, columns}, std::pair{ui.dm_HeightText_2D, rows}}) {
        const QSignalBlocker quiet(field);
        field->setValue(modules * module);
    }
}

void Barcode_Gen::chooseResolution()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const bool custom = ui.DPI_ComboBox->currentIndex() == customResolutionIndex();
    ui.dpi_Text->setVisible(custom);
    ui.dpiCustomLabel->setVisible(custom);
    if (Not_Draw_Only_Prop_Change || ui.DPI_ComboBox->currentIndex() < 0)
        return;
    settings().dpi_val_index = ui.DPI_ComboBox->currentIndex();
    // The custom resolution in force is the one the field shows.
    if (custom)
        settings().dpi_custom_val = QString::number(ui.dpi_Text->value());
    goButtonActionPerformed();
}

void Barcode_Gen::customResolutionTyped(int dpi)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    settings().dpi_custom_val = QString::number(dpi);
    goButtonActionPerformed();
}

void Barcode_Gen::Transparent_Bkngd_Clicked()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const bool transparent = ui.transparent_bkgnd->isChecked();
    ui.bar_bk_clr_label->setEnabled(!transparent);
    ui.bar_back_clr->setEnabled(!transparent);
    if (Not_Draw_Only_Prop_Change)
        return;
    applyFill(transparent);
    goButtonActionPerformed();
}

void Barcode_Gen::applyFill(bool transparent)
{
    // A 2-D picture's background is white whatever the background well holds.
    m_copy->_isDrawingFill = transparent;
    m_copy->_fillColor = transparent          ? QColor(Qt::transparent)
                         : isTwoDimensional() ? QColor(Qt::white)
                                              : settings().barcode_back_clr_val;
}

bool Barcode_Gen::Get_Print_State()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const bool prints = ui.captionCheckbox->isEnabled() && !ui.captionCheckbox->isChecked();
    ui.showinTopCheckbox->setEnabled(prints);
    return prints;
}

BarcodeUnitCaptions barcodeUnitCaptions(bool twoDimensional, int unit)
{
    if (twoDimensional)
        return {QStringLiteral("Bar Height :"), QStringLiteral("Bar Width :"), QString()};
    const QString bar = QStringLiteral("Bar Width (Mils):");
    switch (unit) {
    case kUnitInch:
        return {QStringLiteral("Bar Height (in):"), bar, QStringLiteral("Margins (in)")};
    case kUnitCentimetre:
        return {QStringLiteral("Bar Height (cm):"), bar, QStringLiteral("Margins (cm)")};
    default:
        return {QStringLiteral("Bar Height (mm):"), bar, QStringLiteral("Margins (mm)")};
    }
}

void Barcode_Gen::_setLabels()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const BarcodeUnitCaptions captions = barcodeUnitCaptions(isTwoDimensional(), BARCODE_Unit_Is);
    ui.barHeightLabel->setText(captions.barHeight);
    ui.barWidthLabel->setText(captions.barWidth);
    if (!captions.margins.isEmpty())
        ui.margin_box->setTitle(captions.margins);
}
