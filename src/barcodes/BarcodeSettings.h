#pragma once
// Everything a barcode picture is generated and drawn with: the barcode window's colours, fonts,
// check boxes and length fields, its working fields (margins in points, 2-D frame, text bands)
// and the values the window keeps in force (resolution, QR entries, module size, unit).
// A plain value: the factory fills one from an element, and each thread that generates pictures
// (the GUI thread, a batch worker) owns its own, so no widget is ever read off the GUI thread.
#include <QColor>
#include <QString>
#include "canvas/model/CardFont.h"

struct BarcodeSettings {
    BarcodeSettings();

    // ---- Controls ---------------------------------------------------------------------------
    QColor barcode_clr = Qt::black;   // bars
    QColor bar_back_clr = Qt::white;  // background of a linear picture
    QColor bar_val_clr = Qt::black;   // caption
    QColor bar_hdr_clr = Qt::black;
    QColor bar_ftr_clr = Qt::black;
    QString align_hdr = QStringLiteral("Center");  // item title: "Center", "Left" or "Right"
    QString align_ftr = QStringLiteral("Center");
    bool captionCheckbox = false;     // checked: the caption is hidden
    bool showinTopCheckbox = false;   // checked: the caption stands above the bars
    bool hideHeaderCheckbox = false;
    bool hideFooterCheckbox = false;
    bool kerning_value_Checkbox = false;
    bool transparent_bkgnd = false;

    // Length fields as typed, in the unit BARCODE_Unit_Is; bar width in mils.
    float linear_height_val = 6.0f;
    float linear_width_val = 20.0f;
    float val_margin_val = 1.0f;
    float hdr_margin_val = 1.0f;
    float ftr_margin_val = 1.0f;
    float TB_marging_val = 1.0f;
    float LR_margin_val = 1.0f;

    // ---- Working fields ---------------------------------------------------------------------
    CardFont value_font;
    CardFont header_font;
    CardFont footer_font;
    // Points once the picture has been sized.
    float value_margin = 0.1f;
    float header_margin = 0.1f;
    float footer_margin = 0.1f;
    float LR_margin = 0.1f;
    float TB_margin = 0.1f;
    int liner_or_2D_font = 0;  // 0 linear, 1 2-D

    // The 2-D picture being framed: value, texts, flags, text bands and frame.
    QString content;
    QString header;  // empty when unset
    QString footer;
    bool printsCaption = false;
    bool printsHeader = false;
    bool printsFooter = false;
    bool fill_transparent = false;
    float caption_fontSize = 0;
    float header_fontSize = 0;
    float footer_fontSize = 0;
    float captionHeight = 0;  // inches
    float headerHeight = 0;
    float footerHeight = 0;
    float headerWidth = 0;    // points
    float footerWidth = 0;
    float width = 0;          // frame of a 2-D picture, points
    float height = 0;

    // ---- Values in force --------------------------------------------------------------------
    int USED_DPI_VALUE = 600;
    int QR_Version_Val = 0;
    int QR_EC_Level_Val = 0;
    int Barcode_module_size = 1;
    int BARCODE_Unit_Is = 2;  // 0 inch, 1 centimetre, 2 millimetre

    const QString& caption() const { return content; }
    // Store the size and measure the text bands with the matching font.
    void setCaptionFontSize(float size);
    void setHeaderFontSize(float size);
    void setFooterFontSize(float size);
};

// Height of a text band in inches: 1.35 cap heights of the font.
float barcodeBandHeight(const CardFont& font);
// Typeset width of a text in points, measured on a 72-dpi device.
float barcodeTextWidth(const CardFont& font, const QString& text);
