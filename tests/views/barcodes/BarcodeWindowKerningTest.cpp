// The barcode window's kerning box, which holds one caption spacing for every barcode, and the
// captions of the bar sizes on each page.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include "BarcodeWindowFixture.h"
#include "barcodes/CaptionKerningChoice.h"

namespace {

class BarcodeWindowKerningTest : public BarcodeWindowTest {
protected:
    void TearDown() override
    {
        CaptionKerningChoice::setChecked(false);
        BarcodeWindowTest::TearDown();
    }
    QCheckBox& kerningBox() const { return control<QCheckBox>("kerning_value_Checkbox"); }
};

TEST_F(BarcodeWindowKerningTest, TheBoxFollowsTheSymbologyAndOkKeepsWhatCancelTakesBack)
{
    CaptionKerningChoice::setChecked(false);
    const GraphicPtr element = barcode();
    const GraphicPtr copy = open(*element, [&] {
        EXPECT_FALSE(kerningBox().isHidden());
        EXPECT_TRUE(kerningBox().isEnabled());
        EXPECT_FALSE(kerningBox().isChecked());
        // UPC and EAN disable it, the other linear codes enable it, the 2-D ones leave it be.
        choose("barcodeTypePopup", "EAN-13");
        EXPECT_FALSE(kerningBox().isEnabled());
        choose("barcodeTypePopup", "QR Code");
        EXPECT_FALSE(kerningBox().isEnabled());
        choose("barcodeTypePopup", "Code 39");
        EXPECT_TRUE(kerningBox().isEnabled());
        choose("barcodeTypePopup", "QR Code");
        EXPECT_TRUE(kerningBox().isEnabled());
        choose("barcodeTypePopup", "Code 128");
        // A click takes effect in the preview at once.
        const qsizetype made = factory.values.size();
        kerningBox().click();
        EXPECT_TRUE(CaptionKerningChoice::checked());
        EXPECT_EQ(factory.values.size(), made + 1);
        pressOk();
    });
    ASSERT_TRUE(copy);
    EXPECT_TRUE(CaptionKerningChoice::checked());

    // It is the choice of every barcode: another opens with it, and Cancel takes a change back.
    const GraphicPtr ean = barcode();
    ean->barcode.barcode_font_index = symbology("UPCA");
    open(*ean, [&] {
        EXPECT_TRUE(kerningBox().isChecked());
        EXPECT_FALSE(kerningBox().isEnabled());
        pressCancel();
    });
    open(*element, [&] {
        EXPECT_TRUE(kerningBox().isEnabled());
        kerningBox().click();
        EXPECT_FALSE(CaptionKerningChoice::checked());
        pressCancel();
    });
    EXPECT_TRUE(CaptionKerningChoice::checked());
    CaptionKerningChoice::reload();
    EXPECT_TRUE(CaptionKerningChoice::checked()) << "kept for the next run";
}

TEST_F(BarcodeWindowKerningTest, TheSizeCaptionsOfEachPage)
{
    const GraphicPtr element = barcode();
    open(*element, [&] {
        const auto caption = [this](const char* name) { return control<QLabel>(name).text(); };
        EXPECT_EQ(caption("barHeightLabel"), "Bar Height (mm):");
        EXPECT_EQ(caption("barWidthLabel"), "Bar Width (Mils):");
        EXPECT_EQ(control<QGroupBox>("margin_box").title(), "Margins (mm)");
        // The 2-D pages name their sizes without a unit: the fields show it.
        choose("barcodeTypePopup", "QR Code");
        EXPECT_FALSE(control("qrSizeLabel").isHidden());
        EXPECT_EQ(caption("qrSizeLabel"), "Bar Height :");
        EXPECT_EQ(control<QSpinBox>("HeightText_2D").suffix(), " pt");
        choose("barcodeTypePopup", "PDF417");
        EXPECT_EQ(caption("pdfHeightLabel"), "Bar Height :");
        EXPECT_EQ(caption("pdfWidthLabel"), "Bar Width :");
        choose("barcodeTypePopup", "DataMatrix");
        EXPECT_EQ(caption("dmHeightLabel"), "Bar Height :");
        EXPECT_EQ(caption("dmWidthLabel"), "Bar Width :");
        EXPECT_EQ(control<QSpinBox>("dm_widthText_2D").suffix(), " pt");
        pressCancel();
    });
}

}  // namespace
