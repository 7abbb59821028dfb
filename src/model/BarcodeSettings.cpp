#include "model/BarcodeSettings.h"

#include "platform/AppContext.h"

BarcodeSettings BarcodeSettings::defaults()
{
    const CardFont font{Text_Ctrl_Font, 10.0};
    BarcodeSettings s;
    s.linear_font_val = QStringLiteral("0123");
    s.two_d_font_val = QStringLiteral("0123");
    s.header_val = QStringLiteral("HEADER");
    s.footer_val = QStringLiteral("FOOTER");
    s.align_hdr_index = 1;
    s.align_ftr_index = 1;
    s.linear_height_val = 6.0f;
    s.linear_width_val = 20.0f;
    s.qr_size_val = 60;
    s.pdf_hgt_val = 20;
    s.pdf_wdt_val = 100;
    s.pdf_ec_val = 2;
    s.dm_module_val = 2;
    s.hdr_margin_val = 1.0f;
    s.ftr_margin_val = 1.0f;
    s.val_margin_val = 1.0f;
    s.TB_marging_val = 1.0f;
    s.LR_margin_val = 1.0f;
    s.value_font_val = font;
    s.header_font_val = font;
    s.footer_font_val = font;
    s.barcode_hdr_clr_val = Qt::black;
    s.barcode_ftr_clr_val = Qt::black;
    s.barcode_val_clr_val = Qt::black;
    s.barcode_back_clr_val = Qt::white;
    s.barcode_clr_val = Qt::black;
    s.dpi_custom_val = QStringLiteral("0");
    s.barcode_unit_val = 1;
    return s;
}
