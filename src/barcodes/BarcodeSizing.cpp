#include "barcodes/BarcodeSizing.h"
#include <algorithm>
#include "barcodes/BarcodeText.h"
#include "barcodes/linear/NKDBarcode.h"

namespace {
// The barcode window's own inch factor, kept apart from the rest of the application's.
constexpr float kPointsPerCentimetre = 0.393701f * 72.0f;
// Extra room beside the bars whenever there is a side margin at all.
constexpr float kSideMarginAllowance = 15.0f;

// Copies the margin fields into the working margins in points; hidden texts lose their margin.
void loadMargins(BarcodeContext& s)
{
    const BarcodeSettings& c = s.controls;
    const int unit = s.BARCODE_Unit_Is;
    s.value_margin = c.captionHidden() ? 0.0f : barcodeLengthToPoints(c.val_margin_val, unit);
    s.header_margin = c.headerHidden() ? 0.0f : barcodeLengthToPoints(c.hdr_margin_val, unit);
    s.footer_margin = c.footerHidden() ? 0.0f : barcodeLengthToPoints(c.ftr_margin_val, unit);
    s.LR_margin = barcodeLengthToPoints(c.LR_margin_val, unit);
    s.TB_margin = barcodeLengthToPoints(c.TB_marging_val, unit);
}

float framedWidth(BarcodeContext& s, float contentWidth, float headerWidth, float footerWidth)
{
    s.LR_margin = barcodeLengthToPoints(s.controls.LR_margin_val, s.BARCODE_Unit_Is);
    const float header = s.controls.headerHidden() ? 0.0f : headerWidth;
    const float footer = s.controls.footerHidden() ? 0.0f : footerWidth;
    const float widest = std::max({contentWidth, header, footer});
    return widest + 2.0f * s.LR_margin + (s.LR_margin > 0 ? kSideMarginAllowance : 0.0f);
}
}  // namespace

float barcodeLengthToPoints(float value, int unit)
{
    switch (unit) {
    case 0:
        return value * 72.0f;
    case 1:
        return value * kPointsPerCentimetre;
    default:
        return value * kPointsPerCentimetre / 10.0f;
    }
}

void Set_Barcode_Height(BarcodeContext& s, NKDBarcode& barcode)
{
    loadMargins(s);
    const float barHeight = barcodeLengthToPoints(s.controls.linear_height_val, s.BARCODE_Unit_Is);
    // Each step goes through the barcode, which may bound its height.
    barcode.setHeight(barcode.printsCaption() ? barHeight + barcode.captionHeight() * 72.0f + s.value_margin
                                              : barHeight);
    if (barcode.printsHeader())
        barcode.setHeight(barcode.height() + barcode.headerHeight() * 72.0f + s.header_margin);
    if (barcode.printsFooter())
        barcode.setHeight(barcode.height() + barcode.footerHeight() * 72.0f + s.footer_margin);
    barcode.setHeight(barcode.height() + 2.0f * s.TB_margin);
}

float Set_Linear_Barcode_Width(BarcodeContext& s, const NKDBarcode& barcode)
{
    // A caption centred across the picture needs its room as drawn: bars narrower than their
    // digits would otherwise leave the outer digits off the picture. Digits that stand in groups
    // under their own bars shrink to their room instead.
    const bool centredCaption = barcode.printsCaption() && barcode.captionGroups().isEmpty();
    const float caption =
        centredCaption ? barcodeTextWidth(s.controls.value_font_val, barcode.caption(), s.captionSpacing()) : 0.0f;
    return framedWidth(s, std::max(barcode.width(), caption), barcode.headerWidth(), barcode.footerWidth());
}

void Set_2d_Barcode_Height(BarcodeContext& s, float pictureHeight)
{
    loadMargins(s);
    const float headerShare = s.controls.headerHidden() ? 0.0f : s.frame.headerHeight * 72.0f;
    const float footerShare = s.controls.footerHidden() ? 0.0f : s.frame.footerHeight * 72.0f;
    s.frame.height =
        pictureHeight + headerShare + s.header_margin + footerShare + s.footer_margin + 2.0f * s.TB_margin;
}

void Set_2d_Barcode_Width(BarcodeContext& s, float pictureWidth)
{
    s.frame.width = framedWidth(s, pictureWidth, s.frame.headerWidth, s.frame.footerWidth);
}
