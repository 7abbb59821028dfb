// The barcode window: its symbology pages, what OK writes into the copy it hands back, what Cancel
// leaves alone, and the checks and limits of its fields.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include "BarcodeWindowFixture.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/FieldTyping.h"

namespace {

using BarcodeWindowPagesTest = BarcodeWindowTest;

TEST_F(BarcodeWindowPagesTest, EachSymbologyShowsItsPageAndBoxAndTheDpiTabOnlyFor2D)
{
    // Design files store the index, so the order is fixed.
    const QStringList titles{"Code 39", "Extended Code 39", "Interleaved 2 of 5", "UPCA", "PostNet",
                             "Modified Plessey", "Modified Plessey (Hex)", "Industrial 2 of 5", "EAN-13", "Code 128",
                             "Code 128 SET A", "Code 128 SET B", "Code 128 SET C", "Codabar", "UPCE", "EAN-8",
                             "Royal Mail Barcode (RM4SCC / CBC)", "Planet", "Japan Post Barcode", "QR Code", "PDF417",
                             "DataMatrix"};
    QStringList offered;
    for (int i = 0; i < combo("barcodeTypePopup").count(); ++i)
        offered << combo("barcodeTypePopup").itemText(i);
    EXPECT_EQ(offered, titles);

    const GraphicPtr element = barcode();
    open(*element, [&] {
        auto& tabs = control<QTabWidget>("sett_tab");
        for (int i = titles.size() - 1; i >= 0; --i) {
            combo("barcodeTypePopup").setCurrentIndex(i);
            const QString& title = titles[i];
            const bool twoD = i >= 19;
            EXPECT_EQ(control("dataText").isHidden(), twoD) << title.toStdString();
            EXPECT_EQ(control("dataText_2D").isHidden(), !twoD) << title.toStdString();
            EXPECT_EQ(control("linear_sett_box").isHidden(), twoD) << title.toStdString();
            EXPECT_EQ(control("captionCheckbox").isHidden(), twoD) << title.toStdString();
            EXPECT_EQ(control("two_d_sett_box").isHidden(), title != "QR Code") << title.toStdString();
            EXPECT_EQ(control("pdf_2d_sett_box").isHidden(), title != "PDF417") << title.toStdString();
            EXPECT_EQ(control("dm_2d_sett_box").isHidden(), title != "DataMatrix") << title.toStdString();
            ASSERT_EQ(tabs.count(), twoD ? 3 : 2) << title.toStdString();
            if (twoD) {
                EXPECT_EQ(tabs.tabText(2), "DPI");
            }
            // The preview is made again for the symbology chosen.
            EXPECT_EQ(factory.last().barcode_font_index, i);
            EXPECT_EQ(factory.last().linear_or_2d, twoD ? 1 : 0);
            EXPECT_FALSE(window.previewPicture().isNull()) << title.toStdString();
        }
        pressCancel();
    });
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(BarcodeWindowPagesTest, OkWritesEveryControlIntoTheCopyAndHandsOverItsPicture)
{
    const GraphicPtr element = barcode();
    const BarcodeSettings before = element->barcode;
    // The colour and font panels the wells and buttons open.
    const QColor bars(20, 40, 160), background(250, 240, 200);
    const GraphicPtr copy = open(*element, [&] {
        choose("barcodeTypePopup", "Code 128");
        control<QLineEdit>("dataText").selectAll();
        QTest::keyClicks(&control<QLineEdit>("dataText"), "ZOVA-42");
        control<QLineEdit>("HeaderText").selectAll();
        QTest::keyClicks(&control<QLineEdit>("HeaderText"), "STAFF");
        control<QCheckBox>("hideFooterCheckbox").click();
        control<QCheckBox>("captionCheckbox").click();
        EXPECT_FALSE(control("showinTopCheckbox").isEnabled()) << "no value to place above the bars";
        choose("align_hdr_combo", "Left");
        typeInto(control<QAbstractSpinBox>("HeightText"), "12.5");
        QTest::keyClick(&control<QWidget>("HeightText"), Qt::Key_Return);
        typeInto(control<QAbstractSpinBox>("LR_mar_Text"), "2");
        QTest::keyClick(&control<QWidget>("LR_mar_Text"), Qt::Key_Return);
        control<QSpinBox>("pdf_ec_lvl_Text").setValue(5);
        dialogs.queueHook([&](QDialog& panel) {
            static_cast<QColorDialog&>(panel).setCurrentColor(bars);
            panel.accept();
        });
        control<QAbstractButton>("barcode_clr").click();
        dialogs.queueHook([&](QDialog& panel) {
            static_cast<QColorDialog&>(panel).setCurrentColor(background);
            panel.accept();
        });
        control<QAbstractButton>("bar_back_clr").click();
        dialogs.queueHook([](QDialog& panel) {
            static_cast<QFontDialog&>(panel).setCurrentFont(QFontDatabase::font(QStringLiteral("DejaVu Serif"), QStringLiteral("Book"), 14));
            panel.accept();
        });
        control<QAbstractButton>("val_font_btn").click();
        EXPECT_EQ(control<QLabel>("value_font_value").text(), "DejaVu Serif ( 14.00 )");
        pressOk();
    });

    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), element.get());
    const BarcodeSettings& s = copy->barcode;
    EXPECT_EQ(s.barcode_font_index, symbology("Code 128"));
    EXPECT_EQ(s.linear_or_2d, 0);
    EXPECT_EQ(s.linear_font_val, "ZOVA-42");
    EXPECT_EQ(s.two_d_font_val, "0123");
    EXPECT_EQ(s.header_val, "STAFF");
    EXPECT_EQ(s.footer_val, "FOOTER");
    EXPECT_EQ(s.show_hide_ftr, 1);
    EXPECT_EQ(s.show_hide_val, 1);
    EXPECT_EQ(s.show_hide_hdr, 0);
    EXPECT_EQ(s.align_hdr_index, 0);
    EXPECT_EQ(s.align_ftr_index, 1);
    EXPECT_FLOAT_EQ(s.linear_height_val, 12.5f);
    EXPECT_FLOAT_EQ(s.LR_margin_val, 2.0f);
    EXPECT_FLOAT_EQ(s.TB_marging_val, before.TB_marging_val);
    EXPECT_EQ(s.pdf_ec_val, 5);
    EXPECT_EQ(s.barcode_clr_val, bars);
    EXPECT_EQ(s.barcode_back_clr_val, background);
    EXPECT_EQ(s.value_font_val, (CardFont{"DejaVu Serif", 14}));
    EXPECT_EQ(s.header_font_val, before.header_font_val);
    EXPECT_EQ(copy->data_source_type, 0);
    // A linear symbol's background is the background colour.
    EXPECT_FALSE(copy->_isDrawingFill);
    EXPECT_EQ(copy->_fillColor, background);
    EXPECT_EQ(Barcode_output_image.size(), QSize(47, 20));
    EXPECT_EQ(Barcode_output_image, window.previewPicture());
    EXPECT_TRUE(element->barcode == before) << "the window edits a copy";
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(BarcodeWindowPagesTest, OkGivesA2DSymbolAClearOrAWhiteBackground)
{
    const GraphicPtr element = barcode();
    element->barcode.barcode_font_index = symbology("QR Code");
    element->barcode.barcode_back_clr_val = QColor(250, 240, 200);
    const GraphicPtr clear = open(*element, [&] {
        control<QCheckBox>("transparent_bkgnd").click();
        EXPECT_FALSE(control("bar_back_clr").isEnabled());
        pressOk();
    });
    ASSERT_TRUE(clear);
    EXPECT_TRUE(clear->_isDrawingFill);
    EXPECT_EQ(clear->_fillColor.alpha(), 0);
    EXPECT_EQ(clear->barcode.linear_or_2d, 1);

    clear->barcode.barcode_font_index = symbology("PDF417");
    const GraphicPtr white = open(*clear, [&] {
        control<QCheckBox>("transparent_bkgnd").click();
        pressOk();
    });
    ASSERT_TRUE(white);
    EXPECT_FALSE(white->_isDrawingFill);
    EXPECT_EQ(white->_fillColor, QColor(Qt::white));
}

TEST_F(BarcodeWindowPagesTest, CancelLeavesTheElementAndTheOutputPictureAsTheyWere)
{
    const GraphicPtr element = barcode();
    element->barcode.header_val = QStringLiteral("GUEST");
    const BarcodeSettings before = element->barcode;
    Barcode_output_image = QImage(7, 7, QImage::Format_ARGB32);
    const GraphicPtr copy = open(*element, [&] {
        choose("barcodeTypePopup", "QR Code");
        QTest::keyClicks(&control<QPlainTextEdit>("dataText_2D"), "-9");
        choose("Data_source_type", "Series");
        choose("Batch_Series", "Staff");
        control<QCheckBox>("transparent_bkgnd").click();
        ASSERT_FALSE(window.previewPicture().isNull());
        pressCancel();
    });
    EXPECT_EQ(copy, nullptr);
    EXPECT_TRUE(element->barcode == before);
    EXPECT_EQ(element->data_source_type, 0);
    EXPECT_TRUE(element->batch_list_name.isEmpty());
    EXPECT_FALSE(element->_isDrawingFill);
    EXPECT_EQ(Barcode_output_image.size(), QSize(7, 7));
}

TEST_F(BarcodeWindowPagesTest, EmptyOrInvalidValuesAreRefusedWithTheirMessages)
{
    const GraphicPtr element = barcode();
    element->barcode.two_d_font_val.clear();
    const GraphicPtr copy = open(*element, [&] {
        // An empty 2-D value: the 2-D page with its box, and no picture.
        choose("barcodeTypePopup", "QR Code");
        EXPECT_EQ(messages.texts(), QStringList{shown(kEnterBarcodeValueMessage)});
        EXPECT_TRUE(window.previewPicture().isNull());
        EXPECT_FALSE(control("barcode_error_label").isHidden());
        EXPECT_FALSE(control("two_d_sett_box").isHidden());
        // A typed value is 7-bit ASCII on every page, the 2-D ones too: no picture, and OK says so.
        for (const char* title : {"QR Code", "PDF417", "DataMatrix"}) {
            choose("barcodeTypePopup", title);
            control<QPlainTextEdit>("dataText_2D").setPlainText(QStringLiteral("Grüße"));
            EXPECT_TRUE(window.previewPicture().isNull()) << title;
            EXPECT_FALSE(control("barcode_error_label").isHidden()) << title;
            EXPECT_NE(factory.values.last(), QStringLiteral("Grüße")) << title;
            pressOk();
        }
        control<QPlainTextEdit>("dataText_2D").setPlainText(QStringLiteral("Gruesse"));
        EXPECT_FALSE(window.previewPicture().isNull());
        EXPECT_EQ(factory.values.last(), QStringLiteral("Gruesse"));
        choose("barcodeTypePopup", "Code 39");
        control<QLineEdit>("dataText").selectAll();
        control<QLineEdit>("dataText").insert(QStringLiteral("Café"));
        EXPECT_TRUE(window.previewPicture().isNull());
        pressOk();
        // A value the factory makes nothing of.
        control<QLineEdit>("dataText").selectAll();
        QTest::keyClicks(&control<QLineEdit>("dataText"), factory.refused);
        pressOk();
    });
    EXPECT_EQ(copy, nullptr) << "the window stays open after a refused OK";
    const QString invalid = shown(kInvalidBarcodeValueMessage);
    EXPECT_EQ(messages.texts(),
              (QStringList{shown(kEnterBarcodeValueMessage), invalid, invalid, invalid, invalid, invalid}));
}

TEST_F(BarcodeWindowPagesTest, AHeaderIsCutToFiftyCharactersOnceTrimmed)
{
    const GraphicPtr element = barcode();
    const GraphicPtr copy = open(*element, [&] {
        auto& header = control<QLineEdit>("HeaderText");
        header.selectAll();
        QApplication::clipboard()->setText(QStringLiteral("  ") + QString(60, QLatin1Char('H')) + QStringLiteral("\n"));
        QTest::keyClick(&header, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(header.text(), QString(50, QLatin1Char('H')));
        // Fifty once trimmed is not too long: the text stays as typed, spaces and all.
        header.selectAll();
        const QString fifty = QStringLiteral(" ") + QString(50, QLatin1Char('F')) + QStringLiteral(" ");
        QApplication::clipboard()->setText(fifty);
        QTest::keyClick(&header, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(header.text(), fifty);
        // A shorter text stays as typed.
        auto& footer = control<QLineEdit>("FooterText");
        footer.selectAll();
        QTest::keyClicks(&footer, " ID ");
        pressOk();
    });
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->barcode.header_val, QStringLiteral(" ") + QString(50, QLatin1Char('F')) + QStringLiteral(" "));
    EXPECT_EQ(copy->barcode.footer_val, " ID ");
}

TEST_F(BarcodeWindowPagesTest, QrVersionsAndDataMatrixSizesRaiseTheSymbolSizes)
{
    const GraphicPtr element = barcode();
    element->barcode.barcode_font_index = symbology("QR Code");
    element->barcode.qr_size_val = 100;
    const GraphicPtr copy = open(*element, [&] {
        auto& size = control<QSpinBox>("HeightText_2D");
        choose("qr_version_ComboBox", "V40");
        EXPECT_EQ(size.value(), 177);
        EXPECT_EQ(factory.last().qr_size_val, 177);
        choose("qr_version_ComboBox", "V1");
        EXPECT_EQ(size.value(), 177);
        EXPECT_EQ(size.minimum(), 21);
        QString help;
        dialogs.queueHook([&help](QDialog& box) { help = box.windowTitle(); });
        control<QAbstractButton>("QR_Version_Help_Btn").click();
        EXPECT_EQ(help, "Version :");

        choose("barcodeTypePopup", "DataMatrix");
        auto &width = control<QSpinBox>("dm_widthText_2D"), &height = control<QSpinBox>("dm_HeightText_2D");
        control<QSpinBox>("dm_moduleText_2D").setValue(4);
        width.setValue(10), height.setValue(100);
        choose("dm_format_ComboBox", "C8X18");
        // The symbol's size, not what the fields held: 18 columns and 8 rows of 4 points.
        EXPECT_EQ(width.value(), 72);
        EXPECT_EQ(height.value(), 32);
        height.setValue(10);
        choose("dm_format_ComboBox", "Auto");
        choose("dm_format_ComboBox", "C8X18");
        EXPECT_EQ(height.value(), 32);  // 8 rows of 4 points
        pressOk();
    });
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->barcode.qr_size_val, 177);
    EXPECT_EQ(copy->barcode.qr_version_index, 1);
    EXPECT_EQ(copy->barcode.dm_module_val, 4);
    EXPECT_EQ(copy->barcode.dm_format_index, 25);

    // The next barcode shows its own size, whatever version the last one had.
    copy->barcode.qr_version_index = 40;
    open(*copy, [] {});
    const GraphicPtr small = barcode();
    small->barcode.barcode_font_index = symbology("QR Code");
    open(*small, [&] { EXPECT_EQ(control<QSpinBox>("HeightText_2D").value(), 60); });
}

}  // namespace
