// Picture sizing of linear and 2-D barcodes, and the text bands measured from the settings.
#include <gtest/gtest.h>
#include "barcodes/BarcodeSettings.h"
#include "barcodes/BarcodeSettingsSizing.h"
#include "barcodes/linear/NKDCode39Barcode.h"

namespace {
constexpr float kPointsPerMillimetre = 2.8346472f;

// Settings with every margin 0 except the ones a test sets.
BarcodeSettings bareSettings()
{
    BarcodeSettings s;
    s.val_margin_val = s.hdr_margin_val = s.ftr_margin_val = s.TB_marging_val = s.LR_margin_val = 0;
    return s;
}

}  // namespace

TEST(BarcodeSizingTest, UnitsAndLinearFrame)
{
    EXPECT_FLOAT_EQ(barcodeLengthToPoints(1, 2), kPointsPerMillimetre);
    EXPECT_FLOAT_EQ(barcodeLengthToPoints(1, 1), 10 * kPointsPerMillimetre);
    EXPECT_FLOAT_EQ(barcodeLengthToPoints(1, 0), 72.0f);
    BarcodeSettings s = bareSettings();
    NKDCode39Barcode barcode;  // a barcode 100 points wide printing none of its texts
    barcode.initWithContent("A", false);
    barcode.setWidth(100);
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(s, barcode), 100.0f);
    s.LR_margin_val = 1;
    EXPECT_NEAR(Set_Linear_Barcode_Width(s, barcode), 120.67f, 0.01f);

    barcode.setHeaderWidth(150);
    s.LR_margin_val = 0;
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(s, barcode), 150.0f);
    s.hideHeaderCheckbox = true;
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(s, barcode), 100.0f);

    // The height counts only the printed bands and their margins.
    s.captionCheckbox = s.hideFooterCheckbox = true;
    s.val_margin_val = s.hdr_margin_val = s.ftr_margin_val = s.TB_marging_val = 1;
    barcode.setCaptionHeight(0.2f);
    Set_Barcode_Height(s, barcode);
    EXPECT_NEAR(barcode.height(), 22.68f, 0.01f);
    EXPECT_EQ(s.value_margin, 0.0f);

    s.captionCheckbox = false;
    barcode.setPrintsCaption(true);
    Set_Barcode_Height(s, barcode);
    EXPECT_NEAR(barcode.height(), 22.68f + 0.2f * 72 + kPointsPerMillimetre, 0.01f);
}

TEST(BarcodeSizingTest, TwoDimensionalFrame)
{
    BarcodeSettings s = bareSettings();
    s.headerHeight = s.footerHeight = 0.1f;
    s.hdr_margin_val = s.ftr_margin_val = s.TB_marging_val = 1;
    Set_2d_Barcode_Height(s, 60);
    EXPECT_NEAR(s.height, 60 + 2 * 7.2f + 4 * kPointsPerMillimetre, 0.001f);
    // Hiding the header removes its text share and its margin.
    s.hideHeaderCheckbox = true;
    Set_2d_Barcode_Height(s, 60);
    EXPECT_NEAR(s.height, 60 + 7.2f + 3 * kPointsPerMillimetre, 0.001f);

    s.LR_margin_val = 1;
    s.footerWidth = 80;
    Set_2d_Barcode_Width(s, 60);
    EXPECT_NEAR(s.width, 80 + 2 * kPointsPerMillimetre + 15, 0.001f);
}

TEST(BarcodeSizingTest, TextBandsAreMeasuredInPoints)
{
    BarcodeSettings s;
    s.value_font = CardFont{QStringLiteral("DejaVu Sans"), 10};
    s.header_font = s.value_font;
    s.header = QStringLiteral("HEADER");
    s.setCaptionFontSize(10);
    s.setHeaderFontSize(10);
    // DejaVu Sans 10 pt has a cap height of 7.29 pt: not 9.7 (a 96-dpi device), nor 8 (whole pixels).
    EXPECT_NEAR(s.captionHeight, 7.29f * 1.35f / 72.0f, 0.002f);
    EXPECT_FLOAT_EQ(s.headerHeight, s.captionHeight);
    EXPECT_GT(s.headerWidth, 30.0f);
    EXPECT_LT(s.headerWidth, 60.0f);

    // A barcode measures with the settings' fonts, and its bars leave room for bands and margins.
    NKDCode39Barcode barcode;
    barcode.initWithContent("A", true);
    barcode.setSettings(&s);
    barcode.setCaptionFontSize(10);
    EXPECT_FLOAT_EQ(barcode.captionHeight(), s.captionHeight);
    barcode.setHeight(100);
    s.value_margin = 2;
    s.TB_margin = 3;
    EXPECT_FLOAT_EQ(barcode.barTop(0), 100 - (s.captionHeight * 72 + 2) - 6);
    EXPECT_FLOAT_EQ(barcode.barBottom(0), s.captionHeight * 72);
}
