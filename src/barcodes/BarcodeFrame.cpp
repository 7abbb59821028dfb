#include "barcodes/BarcodeFrame.h"

#include "barcodes/BarcodeText.h"

void BarcodeFrame::setCaptionFontSize(float size, const CardFont* font)
{
    caption_fontSize = size;
    if (font)
        captionHeight = barcodeBandHeight(*font);
}

void BarcodeFrame::setHeaderFontSize(float size, const CardFont* font)
{
    header_fontSize = size;
    if (font) {
        headerHeight = barcodeBandHeight(*font);
        headerWidth = barcodeTextWidth(*font, header, kBarcodeTextSpacing);
    }
}

void BarcodeFrame::setFooterFontSize(float size, const CardFont* font)
{
    footer_fontSize = size;
    if (font) {
        footerHeight = barcodeBandHeight(*font);
        footerWidth = barcodeTextWidth(*font, footer, kBarcodeTextSpacing);
    }
}
