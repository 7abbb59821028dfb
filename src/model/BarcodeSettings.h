#pragma once
// The barcode settings a barcode element stores, by the element's field names: what the barcode
// factory loads into its settings context and the barcode window writes back. Every member
// starts zero, as an element decoded from an archive does; defaults() gives a new element's.
#include <QColor>
#include <QString>

#include "model/CardFont.h"

struct BarcodeSettings {
    qint32 linear_or_2d = 0;        // 0 linear, 1 2-D
    qint32 barcode_font_index = 0;  // entry of the symbology list
    QString linear_font_val;        // value of a linear symbol
    QString two_d_font_val;         // value of a 2-D symbol
    QString header_val;
    QString footer_val;
    // States of the window's check boxes; 1 is checked.
    qint32 show_hide_hdr = 0;    // header hidden
    qint32 show_hide_ftr = 0;    // footer hidden
    qint32 show_hide_val = 0;    // caption hidden
    qint32 show_val_on_top = 0;  // caption above the bars
    qint32 align_hdr_index = 0;
    qint32 align_ftr_index = 0;
    // Lengths in the barcode unit; the bar width in mils.
    float linear_height_val = 0;
    float linear_width_val = 0;
    qint32 qr_size_val = 0;
    qint32 qr_version_index = 0;
    qint32 qr_ec_index = 0;
    qint32 pdf_hgt_val = 0;
    qint32 pdf_wdt_val = 0;
    qint32 pdf_ec_val = 0;
    qint32 dm_module_val = 0;
    qint32 dm_format_index = 0;
    qint32 dm_encoding_index = 0;
    float hdr_margin_val = 0;
    float ftr_margin_val = 0;
    float val_margin_val = 0;
    float TB_marging_val = 0;
    float LR_margin_val = 0;
    CardFont value_font_val;
    CardFont header_font_val;
    CardFont footer_font_val;
    QColor barcode_hdr_clr_val;
    QColor barcode_ftr_clr_val;
    QColor barcode_val_clr_val;
    QColor barcode_back_clr_val;
    QColor barcode_clr_val;
    qint32 dpi_val_index = 0;
    QString dpi_custom_val;
    qint32 barcode_unit_val = 0;  // stored only

    // The value the symbol shows.
    const QString& shownValue() const { return linear_or_2d != 0 ? two_d_font_val : linear_font_val; }
    // One value for both kinds, so that a change of kind in the barcode window keeps it.
    void setValue(const QString& value) { linear_font_val = two_d_font_val = value; }

    // The settings of a new barcode element.
    static BarcodeSettings defaults();

    // Calls visit(name, member) for every member, in the declared order: the order the design
    // file stores them in, under the names that are their keys in the keyed archive.
    template <typename Visit>
    static void forEachField(Visit&& visit)
    {
        visit("linear_or_2d", &BarcodeSettings::linear_or_2d);
        visit("barcode_font_index", &BarcodeSettings::barcode_font_index);
        visit("linear_font_val", &BarcodeSettings::linear_font_val);
        visit("two_d_font_val", &BarcodeSettings::two_d_font_val);
        visit("header_val", &BarcodeSettings::header_val);
        visit("footer_val", &BarcodeSettings::footer_val);
        visit("show_hide_hdr", &BarcodeSettings::show_hide_hdr);
        visit("show_hide_ftr", &BarcodeSettings::show_hide_ftr);
        visit("show_hide_val", &BarcodeSettings::show_hide_val);
        visit("show_val_on_top", &BarcodeSettings::show_val_on_top);
        visit("align_hdr_index", &BarcodeSettings::align_hdr_index);
        visit("align_ftr_index", &BarcodeSettings::align_ftr_index);
        visit("linear_height_val", &BarcodeSettings::linear_height_val);
        visit("linear_width_val", &BarcodeSettings::linear_width_val);
        visit("qr_size_val", &BarcodeSettings::qr_size_val);
        visit("qr_version_index", &BarcodeSettings::qr_version_index);
        visit("qr_ec_index", &BarcodeSettings::qr_ec_index);
        visit("pdf_hgt_val", &BarcodeSettings::pdf_hgt_val);
        visit("pdf_wdt_val", &BarcodeSettings::pdf_wdt_val);
        visit("pdf_ec_val", &BarcodeSettings::pdf_ec_val);
        visit("dm_module_val", &BarcodeSettings::dm_module_val);
        visit("dm_format_index", &BarcodeSettings::dm_format_index);
        visit("dm_encoding_index", &BarcodeSettings::dm_encoding_index);
        visit("hdr_margin_val", &BarcodeSettings::hdr_margin_val);
        visit("ftr_margin_val", &BarcodeSettings::ftr_margin_val);
        visit("val_margin_val", &BarcodeSettings::val_margin_val);
        visit("TB_marging_val", &BarcodeSettings::TB_marging_val);
        visit("LR_margin_val", &BarcodeSettings::LR_margin_val);
        visit("value_font_val", &BarcodeSettings::value_font_val);
        visit("header_font_val", &BarcodeSettings::header_font_val);
        visit("footer_font_val", &BarcodeSettings::footer_font_val);
        visit("barcode_hdr_clr_val", &BarcodeSettings::barcode_hdr_clr_val);
        visit("barcode_ftr_clr_val", &BarcodeSettings::barcode_ftr_clr_val);
        visit("barcode_val_clr_val", &BarcodeSettings::barcode_val_clr_val);
        visit("barcode_back_clr_val", &BarcodeSettings::barcode_back_clr_val);
        visit("barcode_clr_val", &BarcodeSettings::barcode_clr_val);
        visit("dpi_val_index", &BarcodeSettings::dpi_val_index);
        visit("dpi_custom_val", &BarcodeSettings::dpi_custom_val);
        visit("barcode_unit_val", &BarcodeSettings::barcode_unit_val);
    }

    bool headerHidden() const { return show_hide_hdr == 1; }
    bool footerHidden() const { return show_hide_ftr == 1; }
    bool captionHidden() const { return show_hide_val == 1; }

    bool operator==(const BarcodeSettings&) const = default;
};
