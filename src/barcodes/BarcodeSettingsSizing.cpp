#include "barcodes/BarcodeSettingsSizing.h"
#include <algorithm>
#include "barcodes/linear/NKDBarcode.h"

namespace {
// The barcode window's own inch factor, kept apart from the rest of the application's.
constexpr float kPointsPerCentimetre = 0.393701f * 72.0f;
// Extra room beside the bars whenever there is a side margin at all.
constexpr float kSideMarginAllowance = 15.0f;

// Copies the margin fields into the working margins in points; hidden texts lose their margin.
void loadMargins(BarcodeSettings& s)
{
    const int unit = s.BARCODE_Unit_Is;
    s.value_margin = s.captionCheckbox ? 0.0f : barcodeLengthToPoints(s.val_margin_val, unit);
    s.header_margin = s.hideHeaderCheckbox ? 0.0f : barcodeLengthToPoints(s.hdr_margin_val, unit);
    s.footer_margin = s.hideFooterCheckbox ? 0.0f : barcodeLengthToPoints(s.ftr_margin_val, unit);
    s.LR_margin = barcodeLengthToPoints(s.LR_margin_val, unit);
    s.TB_margin = barcodeLengthToPoints(s.TB_marging_val, unit);
}

float framedWidth(BarcodeSettings& s, float contentWidth, float headerWidth, float footerWidth)
{
    s.LR_margin = barcodeLengthToPoints(s.LR_margin_val, s.BARCODE_Unit_Is);
    const float header = s.hideHeaderCheckbox ? 0.0f : headerWidth;
    const float footer = s.hideFooterCheckbox ? 0.0f : footerWidth;
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

void Set_Barcode_Height(BarcodeSettings& s, NKDBarcode& barcode)
{
    loadMargins(s);
    const float barHeight = barcodeLengthToPoints(s.linear_height_val, s.BARCODE_Unit_Is);
    // Each step goes through the barcode, which may bound its height.
    barcode.setHeight(barcode.printsCaption() ? barHeight + barcode.captionHeight() * 72.0f + s.value_margin
                                              : barHeight);
    if (barcode.printsHeader())
        barcode.setHeight(barcode.height() + barcode.headerHeight() * 72.0f + s.header_margin);
    if (barcode.printsFooter())
        barcode.setHeight(barcode.height() + barcode.footerHeight() * 72.0f + s.footer_margin);
    barcode.setHeight(barcode.height() + 2.0f * s.TB_margin);
}

float Set_Linear_Barcode_Width(BarcodeSettings& s, const NKDBarcode& barcode)
{
    return framedWidth(s, barcode.width(), barcode.headerWidth(), barcode.footerWidth());
}

void Set_2d_Barcode_Height(BarcodeSettings& s, float pictureHeight)
{
    loadMargins(s);
    const float headerShare = s.hideHeaderCheckbox ? 0.0f : s.headerHeight * 72.0f;
    const float footerShare = s.hideFooterCheckbox ? 0.0f : s.footerHeight * 72.0f;
    s.height = pictureHeight + headerShare + s.header_margin + footerShare + s.footer_margin + 2.0f * s.TB_margin;
}

void Set_2d_Barcode_Width(BarcodeSettings& s, float pictureWidth)
{
    s.width = framedWidth(s, pictureWidth, s.headerWidth, s.footerWidth);
}
