// What the barcode window encodes: the symbology and its page, the value, header and footer, the
// data source of the value, the check of the value and the preview made again from the copy.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>
#include <exception>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "barcodes/datamatrix/DataMatrixSymbol.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesFiles.h"
#include "platform/AppContext.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/barcodes/BarcodeSettingsView.h"
#include "views/barcodes/Barcode_Gen.h"
#include "views/barcodes/Pdf417ViewWidget.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/View_Data_Series.h"
#include "ui_BarcodeSettingsView.h"

namespace {

// The PDF417 view in the settings box: the symbol's frame in points, one point a pixel, scaled
// down in its own proportions when it is larger than the box has room for.
QSize pdf417ViewSize(QSize frame)
{
    const QSize room(300, 100);
    frame = frame.expandedTo(QSize(1, 1));
    if (frame.width() <= room.width() && frame.height() <= room.height())
        return frame;
    return frame.scaled(room, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

bool isAscii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// The controls only the linear page shows: the value's own, the bar and background colours and
// the bars box.
QList<QWidget*> linearOnlyControls(Ui::BarcodeSettingsView& ui)
{
    return {ui.showinTopCheckbox, ui.captionCheckbox,   ui.val_mar_Text,  ui.val_mar_label,
            ui.val_font_label,    ui.val_font_btn,      ui.value_font_value, ui.barcode_clr,
            ui.bar_val_clr,       ui.val_clr_label,     ui.bar_clr_label, ui.bar_bk_clr_label,
            ui.bar_back_clr,      ui.linear_sett_box};
}

}  // namespace

bool Barcode_Gen::isVisitorMode()
{
    return Start_Card_Option == QLatin1String("V");
}

void Barcode_Gen::connectContent()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    QWidget* view = m_view.get();
    QObject::connect(ui.barcodeTypePopup, &QComboBox::currentIndexChanged, view, [this] { barcodeTypeChanged(); });
    QObject::connect(ui.dataText, &QLineEdit::textEdited, view, [this](const QString& text) {
        if (Not_Draw_Only_Prop_Change)
            return;
        settings().linear_font_val = text;
        goButtonActionPerformed();
    });
    QObject::connect(ui.dataText_2D, &QPlainTextEdit::textChanged, view, [this] {
        if (Not_Draw_Only_Prop_Change)
            return;
        settings().two_d_font_val = m_view->ui().dataText_2D->toPlainText();
        goButtonActionPerformed();
    });
    QObject::connect(ui.HeaderText, &QLineEdit::textEdited, view,
                     [this] { headerOrFooterEdited(*m_view->ui().HeaderText, &BarcodeSettings::header_val); });
    QObject::connect(ui.FooterText, &QLineEdit::textEdited, view,
                     [this] { headerOrFooterEdited(*m_view->ui().FooterText, &BarcodeSettings::footer_val); });
    QObject::connect(ui.Data_source_type, &QComboBox::currentIndexChanged, view, [this] { Data_source_type_Changed(); });
    QObject::connect(ui.Batch_Series, &QComboBox::currentIndexChanged, view, [this] { Batch_Series_Changed(); });
    QObject::connect(ui.view_series_btn, &QPushButton::clicked, view, [this] { View_batch_Series_Button(); });
}

void Barcode_Gen::barcodeTypeChanged()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    const bool twoDimensional = isTwoDimensional();
    settings().barcode_font_index = m_view->ui().barcodeTypePopup->currentIndex();
    settings().linear_or_2d = twoDimensional ? 1 : 0;
    showPage(twoDimensional);
    enableKerningBox();
    if (currentValue().isEmpty()) {
        Show_MessageBox(kEnterBarcodeValueMessage);
        Set_Blank_Image();
        return;
    }
    goButtonActionPerformed();
}

void Barcode_Gen::enableKerningBox()
{
    // The UPC and EAN captions stand in digit groups under their own bars; a 2-D symbol has no
    // caption and leaves the box as it was.
    const QString title = m_view->ui().barcodeTypePopup->currentText();
    if (!isTwoDimensionalSymbology(title))
        m_view->ui().kerning_value_Checkbox->setEnabled(!isUpcEanSymbology(title));
}

void Barcode_Gen::showPage(bool twoDimensional)
{
    if (twoDimensional)
        two_d_barcode_Opt_Select();
    else
        Liner_Barcode_Opt_Select();
    // Also when the user picks another symbology: the linear page never keeps the 2-D captions.
    _setLabels();
    m_view->refreshLayout();
}

void Barcode_Gen::Liner_Barcode_Opt_Select()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    ui.dataText->setEnabled(true);
    ui.dataText->show();
    ui.dataText_2D->hide();
    for (QWidget* control : linearOnlyControls(ui))
        control->show();
    for (QWidget* box : {ui.two_d_sett_box, ui.pdf_2d_sett_box, ui.dm_2d_sett_box})
        box->hide();
    m_view->showResolutionTab(false);
    ui.sett_tab->setCurrentIndex(0);
}

void Barcode_Gen::two_d_barcode_Opt_Select()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    ui.dataText->setEnabled(false);
    ui.dataText->hide();
    ui.dataText_2D->show();
    for (QWidget* control : linearOnlyControls(ui))
        control->hide();
    m_view->showResolutionTab(true);
    const QString title = ui.barcodeTypePopup->currentText();
    ui.two_d_sett_box->setVisible(title == QLatin1String("QR Code"));
    ui.pdf_2d_sett_box->setVisible(title == QLatin1String("PDF417"));
    ui.dm_2d_sett_box->setVisible(title == QLatin1String("DataMatrix"));
}

void Barcode_Gen::headerOrFooterEdited(QLineEdit& field, QString BarcodeSettings::*member)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    const QString trimmed = Trim_Str(field.text());
    if (trimmed.size() > kBarcodeCaptionLength)
        field.setText(Left_Str_substringToIndex(trimmed, kBarcodeCaptionLength));
    settings().*member = field.text();
    goButtonActionPerformed();
}

void Barcode_Gen::setValueFields(const QString& value)
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const QSignalBlocker quietLine(ui.dataText), quietText(ui.dataText_2D);
    ui.dataText->setText(value);
    ui.dataText_2D->setPlainText(value);
    settings().setValue(value);
}

void Barcode_Gen::Data_source_type_Changed()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    // A bound value is shown as its first record and is not typed over.
    const auto setEditable = [&ui](bool editable) {
        ui.dataText->setReadOnly(!editable);
        ui.dataText_2D->setReadOnly(!editable);
    };
    if (isVisitorMode()) {
        setEditable(true);
        return;
    }
    if (ui.Data_source_type->currentIndex() < 0)
        return;
    const QString source = ui.Data_source_type->currentText();
    const bool manual = source == QLatin1String("Manual");
    ui.view_series_btn->setEnabled(!manual);
    ui.Batch_Series->setEnabled(!manual);
    setEditable(manual);
    if (manual) {
        m_copy->Set_Data_source_type(0);
        fillComboQuietly(*ui.Batch_Series, {});
    } else if (source == QLatin1String("Series")) {
        const QStringList names = Get_datasheet_File_Name_Array();
        fillComboQuietly(*ui.Batch_Series, names);
        if (names.isEmpty()) {
            setValueFields(QString());
            goButtonActionPerformed();
            return;
        }
        const int known = Get_Data_SetIndex_According_Name(names, m_copy->batch_list_name);
        if (known >= 0)
            selectComboIndex(*ui.Batch_Series, known, [this] { Batch_Series_Changed(); });
        m_copy->Set_Data_source_type(1);
    } else {
        fillComboQuietly(*ui.Batch_Series, Loaded_Data_Table().ColList.titles());
        const int column = m_copy->excel_col_indx;
        if (column >= 0 && column < ui.Batch_Series->count())
            selectComboIndex(*ui.Batch_Series, column, [this] { Batch_Series_Changed(); });
        m_copy->Set_Data_source_type(2);
    }
    goButtonActionPerformed();
}

void Barcode_Gen::Batch_Series_Changed()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const QString source = ui.Data_source_type->currentText();
    if (isVisitorMode() || ui.Data_source_type->currentIndex() < 0 || source == QLatin1String("Manual") ||
        ui.Batch_Series->currentIndex() < 0)
        return;
    const QString chosen = Trim_Str(ui.Batch_Series->currentText());
    if (chosen == kSeriesPlaceholder)
        return;
    if (chosen.isEmpty()) {
        setValueFields(QString());
        return;
    }
    const int entry = ui.Batch_Series->currentIndex();
    QString value;
    if (source == QLatin1String("Series")) {
        // A series that cannot be read is named, and the copy keeps its binding and value.
        const SeriesFirstValue first = readFirstSeriesValue(chosen);
        if (!first.readable()) {
            Show_MessageBox(first.failure);
            return;
        }
        m_copy->Set_Data_source_type(1);
        m_copy->Set_Batch_List_Name(ui.Batch_Series->currentText());
        m_copy->Set_Batch_List_Index(entry);
        value = first.value;
    } else {
        m_copy->Set_Data_source_type(2);
        m_copy->Set_Excel_binding_Index(entry);
        // The value of the record the card shows, which the card takes on OK.
        value = Get_Value_Of_Excel_Binding(m_canvas ? m_canvas->recordOnCard() : 0, entry).value_or(QString());
    }
    setValueFields(value);
    goButtonActionPerformed();
    if (m_canvas)
        m_canvas->Refresh_Canvas();
}

void Barcode_Gen::View_batch_Series_Button()
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    const QString source = ui.Data_source_type->currentText();
    if (source == QLatin1String("Manual"))
        return;
    if (source == QLatin1String("Series")) {
        const QString chosen = Trim_Str(ui.Batch_Series->currentText());
        if (chosen.isEmpty() || chosen == kSeriesPlaceholder)
            Show_MessageBox(kSelectSeriesMessage);
        else
            Open_Series_Viewer(chosen);
        return;
    }
    LoadedDataTableWindow::defaultInstance().Open_Wnd();
}

bool Barcode_Gen::Check_And_Validat_Barcode(bool show_msg)
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    ui.barcode_error_label->hide();
    const auto fail = [this, show_msg](const QString& message) {
        Set_Blank_Image();
        if (show_msg)
            Show_MessageBox(message);
        return false;
    };
    // A value typed here is 7-bit ASCII on every page (record runs encode what their records hold).
    const QString value = currentValue();
    if (Trim_Str(value).isEmpty() || !isAscii(value)) {
        fail(kInvalidBarcodeValueMessage);
        // A bound value comes from its series or column: until one is chosen, that is what lacks.
        if (!seriesOrColumnChosen())
            m_view->showBlankReason(kSelectSeriesOrColumnMessage);
        return false;
    }
    if (!seriesOrColumnChosen()) {
        fail(kSelectSeriesOrColumnMessage);
        m_view->showBlankReason(kSelectSeriesOrColumnMessage);
        return false;
    }
    return true;
}

bool Barcode_Gen::seriesOrColumnChosen() const
{
    Ui::BarcodeSettingsView& ui = m_view->ui();
    if (ui.Data_source_type->currentText() == QLatin1String("Manual"))
        return true;
    const QString entry = Trim_Str(ui.Batch_Series->currentText());
    return !entry.isEmpty() && ui.Batch_Series->currentIndex() != -1 && entry != kSeriesPlaceholder;
}

void Barcode_Gen::Set_Blank_Image()
{
    m_picture = BarcodePicture();
    m_view->showBlankPreview();
}

void Barcode_Gen::goButtonActionPerformed()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    if (!Check_And_Validat_Barcode(false)) {
        showPdf417Symbol(QString());
        return;
    }
    showPdf417Symbol(currentValue());
    BarcodePicture picture;
    try {
        BarcodeFactory& factory = barcodeFactory();
        factory.Set_Barcode_Prop_To_Control(*m_copy);
        picture = factory.Get_Image_From_Val(currentValue(), settings().header_val, settings().footer_val);
    } catch (const std::exception& failure) {
        Show_NSLog_Message(QString::fromUtf8(failure.what()));
    }
    if (picture.isNull()) {
        Set_Blank_Image();
        return;
    }
    m_picture = picture;
    m_view->Set_Barcode_On_Panel(picture);
    showDataMatrixFacts(currentValue());
}

void Barcode_Gen::showDataMatrixFacts(const QString& value)
{
    const BarcodeSettings& chosen = settings();
    bool fellBack = false;
    if (symbologyTitles().value(chosen.barcode_font_index) == QLatin1String("DataMatrix")) {
        const std::optional<ModuleGrid> grid =
            dataMatrixModuleGrid(value, chosen.dm_format_index, chosen.dm_encoding_index, nullptr, &fellBack);
        if (grid)
            showDataMatrixSize(grid->width, grid->height);
    }
    m_view->showAsciiFallbackNote(fellBack);
}

void Barcode_Gen::showPdf417Symbol(const QString& value)
{
    if (m_view->ui().barcodeTypePopup->currentText() != QLatin1String("PDF417"))
        return;
    const BarcodeSettings& chosen = settings();
    Pdf417ViewWidget& view = *m_view->ui().pdf_barcode;
    if (view.getErrorLevel() != chosen.pdf_ec_val)
        view.setErrorLevel(chosen.pdf_ec_val);
    view.setFixedSize(pdf417ViewSize(QSize(chosen.pdf_wdt_val, chosen.pdf_hgt_val)));
    view.drawWithText(value, resolutionOfEntry(chosen.dpi_val_index, chosen.dpi_custom_val));
}
