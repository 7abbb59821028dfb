// The barcode window's PDF417 view, which shows the symbol alone while PDF417 is chosen, and the
// unit captions of its bar and margin fields.
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>

#include "BarcodeWindowFixture.h"
#include "barcodes/SymbolTools.h"
#include "views/barcodes/Pdf417ViewWidget.h"

namespace {

using BarcodeWindowViewsTest = BarcodeWindowTest;

TEST_F(BarcodeWindowViewsTest, ThePdf417ViewShowsTheSymbolInItsFrameWhilePdf417IsChosen)
{
    QTemporaryDir scratch;
    const GraphicPtr element = barcode();
    BarcodeSettings& s = element->barcode;
    s.barcode_font_index = symbology("PDF417");
    s.linear_or_2d = 1;
    s.two_d_font_val = QStringLiteral("ZOVA-417");
    s.pdf_wdt_val = 200;
    s.pdf_hgt_val = 50;
    s.pdf_ec_val = 4;
    open(*element, [&] {
        auto& view = control<Pdf417ViewWidget>("pdf_barcode");
        EXPECT_EQ(view.size(), QSize(200, 50));
        EXPECT_EQ(view.getErrorLevel(), 4);
        // A frame wider than the box has room for keeps its proportions.
        control<QSpinBox>("Pdf_widthText_2D").setValue(900);
        EXPECT_EQ(view.size(), QSize(300, 16));
        control<QSpinBox>("pdf_ec_lvl_Text").setValue(6);
        EXPECT_EQ(view.getErrorLevel(), 6);
        control<QPlainTextEdit>("dataText_2D").setPlainText(QStringLiteral("ZOVA-418"));
        EXPECT_EQ(symbol_tools::readPicture(view.getImage(), scratch.filePath("wide.png"), "PDF417").text, "ZOVA-418");
        // Without a value the view is empty; another symbology hides it.
        control<QPlainTextEdit>("dataText_2D").setPlainText(QStringLiteral("   "));
        EXPECT_EQ(view.imageState(), pdf417View::ImageEmpty);
        choose("barcodeTypePopup", QStringLiteral("QR Code"));
        EXPECT_FALSE(view.isVisibleTo(&window.view()));
        pressCancel();
    });
}

TEST_F(BarcodeWindowViewsTest, TheUnitCaptionsFollowThePageAndTheBarcodeUnit)
{
    const struct {
        bool twoD;
        int unit;
        const char* height;
        const char* margins;
    } cases[] = {
        {false, kUnitInch, "Bar Height (in):", "Margins (in)"},
        {false, kUnitCentimetre, "Bar Height (cm):", "Margins (cm)"},
        {false, kUnitMillimetre, "Bar Height (mm):", "Margins (mm)"},
        {false, 7, "Bar Height (mm):", "Margins (mm)"},
        {true, kUnitInch, "Bar Height :", ""},
    };
    for (const auto& c : cases) {
        const BarcodeUnitCaptions captions = barcodeUnitCaptions(c.twoD, c.unit);
        EXPECT_EQ(captions.barHeight, c.height);
        EXPECT_EQ(captions.barWidth, c.twoD ? "Bar Width :" : "Bar Width (Mils):");
        EXPECT_EQ(captions.margins, c.margins);
    }

    const auto captions = [this] {
        return QStringList{control<QLabel>("barHeightLabel").text(), control<QGroupBox>("margin_box").title()};
    };
    window.BARCODE_Unit_Is = kUnitInch;
    window._setLabels();
    EXPECT_EQ(captions(), (QStringList{"Bar Height (in):", "Margins (in)"}));
    // Loading an element sets millimetres; going back from the 2-D page shows the unit again.
    open(*barcode(), [&] {
        choose("barcodeTypePopup", QStringLiteral("QR Code"));
        choose("barcodeTypePopup", QStringLiteral("Code 128"));
        EXPECT_EQ(captions(), (QStringList{"Bar Height (mm):", "Margins (mm)"}));
        pressCancel();
    });
    EXPECT_EQ(window.BARCODE_Unit_Is, kUnitMillimetre);
}

}  // namespace
