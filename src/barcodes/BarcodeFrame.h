#pragma once
// What the barcode renderer frames: the value and its texts, which of them print, their font
// sizes and band sizes, and the picture's width and height. A linear barcode object keeps one;
// the settings context keeps the one of the 2-D picture being framed.
#include <QString>

#include "model/CardFont.h"

struct BarcodeFrame {
    QString content;
    QString header;  // empty when unset
    QString footer;
    float height = 0;  // points
    float width = 0;
    bool printsCaption = false;
    bool printsHeader = false;
    bool printsFooter = false;
    float caption_fontSize = 0;
    float header_fontSize = 0;
    float footer_fontSize = 0;
    float captionHeight = 0;  // inches
    float headerHeight = 0;
    float footerHeight = 0;
    float headerWidth = 0;  // points
    float footerWidth = 0;

    // Store the size and, given a font, measure the band with it (header and footer: their
    // width as drawn, letter spacing included, so that a frame that holds it keeps it on one
    // line); without a font the bands stay as they are.
    void setCaptionFontSize(float size, const CardFont* font);
    void setHeaderFontSize(float size, const CardFont* font);
    void setFooterFontSize(float size, const CardFont* font);
};
