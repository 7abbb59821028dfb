#pragma once
// Everything a barcode picture is generated and drawn with: the barcode window's controls (the
// loaded element's barcode settings and the two check boxes it has beyond them), its working
// fields (margins in points, the 2-D frame) and the values the window keeps in force
// (resolution, QR entries, module size, unit).
// A plain value: each thread that generates pictures (the GUI thread, a batch worker) owns its
// own, so no widget is ever read off the GUI thread.
#include "barcodes/BarcodeFrame.h"
#include "barcodes/BarcodeText.h"
#include "model/BarcodeSettings.h"

struct BarcodeContext {
    // ---- Controls ---------------------------------------------------------------------------
    BarcodeSettings controls = BarcodeSettings::defaults();
    bool kerning_value_Checkbox = false;  // checked: the caption without extra letter spacing
    bool transparent_bkgnd = false;  // the element's _isDrawingFill

    // ---- Working fields ---------------------------------------------------------------------
    // Points once the picture has been sized.
    float value_margin = 0.1f;
    float header_margin = 0.1f;
    float footer_margin = 0.1f;
    float LR_margin = 0.1f;
    float TB_margin = 0.1f;
    // The 2-D picture being framed.
    BarcodeFrame frame;
    bool fill_transparent = false;

    // ---- Values in force --------------------------------------------------------------------
    int USED_DPI_VALUE = 600;
    int QR_Version_Val = 0;
    int QR_EC_Level_Val = 0;
    int Barcode_module_size = 1;
    int BARCODE_Unit_Is = 2;  // 0 inch, 1 centimetre, 2 millimetre

    const QString& caption() const { return frame.content; }
    // The space after each character of the caption as it is drawn.
    double captionSpacing() const { return kerning_value_Checkbox ? 0.0 : kBarcodeTextSpacing; }
    // Store the size and measure the 2-D frame's text bands with the matching font.
    void setCaptionFontSize(float size) { frame.setCaptionFontSize(size, &controls.value_font_val); }
    void setHeaderFontSize(float size) { frame.setHeaderFontSize(size, &controls.header_font_val); }
    void setFooterFontSize(float size) { frame.setFooterFontSize(size, &controls.footer_font_val); }
};
