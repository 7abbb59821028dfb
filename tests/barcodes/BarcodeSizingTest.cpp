// Picture sizing of linear and 2-D barcodes, and the text bands measured from the settings.
#include <gtest/gtest.h>
#include "barcodes/BarcodeContext.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/linear/NKDCode39Barcode.h"

namespace {
constexpr float kPointsPerMillimetre = 2.8346472f;

// A context with every margin 0 except the ones a test sets.
BarcodeContext bareContext()
{
    BarcodeContext s;
    BarcodeSettings& c = s.controls;
    c.val_margin_val = c.hdr_margin_val = c.ftr_margin_val = c.TB_marging_val = c.LR_margin_val = 0;
    return s;
}

}  // namespace

TEST(BarcodeSizingTest, UnitsAndLinearFrame)
{
    EXPECT_FLOAT_EQ(barcodeLengthToPoints(1, 2), kPointsPerMillimetre);
    EXPECT_FLOAT_EQ(barcodeLengthToPoints(1, 1), 10 * kPointsPerMillimetre);
    EXPECT_FLOAT_EQ(barcodeLengthToPoints(1, 0), 72.0f);
    BarcodeContext s = bareContext();
    NKDCode39Barcode barcode;  // a barcode 100 points wide printing none of its texts
    barcode.initWithContent("A", false);
    barcode.setWidth(100);
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(s, barcode), 100.0f);
    s.controls.LR_margin_val = 1;
    EXPECT_NEAR(Set_Linear_Barcode_Width(s, barcode), 120.67f, 0.01f);

    barcode.setHeaderWidth(150);
    s.controls.LR_margin_val = 0;
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(s, barcode), 150.0f);
    s.controls.show_hide_hdr = 1;
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(s, barcode), 100.0f);

    // The height counts only the printed bands and their margins.
    s.controls.show_hide_val = s.controls.show_hide_ftr = 1;
    BarcodeSettings& c = s.controls;
    c.val_margin_val = c.hdr_margin_val = c.ftr_margin_val = c.TB_marging_val = 1;
    barcode.setCaptionHeight(0.2f);
    Set_Barcode_Height(s, barcode);
    EXPECT_NEAR(barcode.height(), 22.68f, 0.01f);
    EXPECT_EQ(s.value_margin, 0.0f);

    s.controls.show_hide_val = 0;
    barcode.setPrintsCaption(true);
    Set_Barcode_Height(s, barcode);
    EXPECT_NEAR(barcode.height(), 22.68f + 0.2f * 72 + kPointsPerMillimetre, 0.01f);
}

TEST(BarcodeSizingTest, TwoDimensionalFrame)
{
    BarcodeContext s = bareContext();
    s.frame.headerHeight = s.frame.footerHeight = 0.1f;
    s.controls.hdr_margin_val = s.controls.ftr_margin_val = s.controls.TB_marging_val = 1;
    Set_2d_Barcode_Height(s, 60);
    EXPECT_NEAR(s.frame.height, 60 + 2 * 7.2f + 4 * kPointsPerMillimetre, 0.001f);
    // Hiding the header removes its text share and its margin.
    s.controls.show_hide_hdr = 1;
    Set_2d_Barcode_Height(s, 60);
    EXPECT_NEAR(s.frame.height, 60 + 7.2f + 3 * kPointsPerMillimetre, 0.001f);

    s.controls.LR_margin_val = 1;
    s.frame.footerWidth = 80;
    Set_2d_Barcode_Width(s, 60);
    EXPECT_NEAR(s.frame.width, 80 + 2 * kPointsPerMillimetre + 15, 0.001f);
}

TEST(BarcodeSizingTest, TextBandsAreMeasuredInPoints)
{
    BarcodeContext s;
    s.controls.value_font_val = CardFont{QStringLiteral("DejaVu Sans"), 10};
    s.controls.header_font_val = s.controls.value_font_val;
    s.frame.header = QStringLiteral("HEADER");
    s.setCaptionFontSize(10);
    s.setHeaderFontSize(10);
    // DejaVu Sans 10 pt has a cap height of 7.29 pt: not 9.7 (a 96-dpi device), nor 8 (whole pixels).
    EXPECT_NEAR(s.frame.captionHeight, 7.29f * 1.35f / 72.0f, 0.002f);
    EXPECT_FLOAT_EQ(s.frame.headerHeight, s.frame.captionHeight);
    EXPECT_GT(s.frame.headerWidth, 30.0f);
    EXPECT_LT(s.frame.headerWidth, 60.0f);

    // A barcode measures with the context's fonts, and its bars leave room for bands and margins.
    NKDCode39Barcode barcode;
    barcode.initWithContent("A", true);
    barcode.setCaptionFontSize(8);
    barcode.setHeader(QStringLiteral("HEADER"));
    barcode.setHeaderFontSize(8);
    EXPECT_EQ(std::tuple(barcode.caption_fontSize(), barcode.captionHeight(), barcode.headerWidth()),
              std::tuple(8.0f, 0.0f, 0.0f)) << "without a context the bands are not measured";
    barcode.setContext(&s);
    barcode.setCaptionFontSize(10);
    barcode.setHeaderFontSize(10);
    EXPECT_FLOAT_EQ(barcode.captionHeight(), s.frame.captionHeight);
    EXPECT_FLOAT_EQ(barcode.headerWidth(), s.frame.headerWidth);
    barcode.setHeight(100);
    s.value_margin = 2;
    s.TB_margin = 3;
    EXPECT_FLOAT_EQ(barcode.barTop(0), 100 - (s.frame.captionHeight * 72 + 2) - 6);
    EXPECT_FLOAT_EQ(barcode.barBottom(0), s.frame.captionHeight * 72);
}
