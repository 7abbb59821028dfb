// Faults the barcode window must not have: pictures made on another thread reaching the window's
// controls, the fill guard left set when loading an element fails, and a typed custom resolution
// that never takes effect.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <stdexcept>
#include <thread>

#include "BarcodeWindowFixture.h"
#include "platform/MessagePresenter.h"
#include "views/inspector/FieldTyping.h"

namespace {

using BarcodeWindowFaultsTest = BarcodeWindowTest;

TEST_F(BarcodeWindowFaultsTest, APictureMadeOnAnotherThreadNeverReachesTheWindow)
{
    // The application's own factory, and a window made after it.
    setBarcodeFactory(nullptr);
    BarcodeFactory* const inUse = &barcodeFactory();
    Barcode_Gen own;
    EXPECT_EQ(&barcodeFactory(), inUse) << "the window is no factory";
    const GraphicPtr element = barcode(), other = barcode();
    element->barcode.linear_font_val = QStringLiteral("A-1");
    other->barcode.barcode_font_index = symbology("Code 128");
    other->barcode.header_val = QStringLiteral("OTHER");
    // What batch output does for a record, on whichever thread it runs.
    const auto pictureOf = [](const SKTGraphic& graphic) {
        barcodeFactory().Set_Barcode_Prop_To_Control(graphic);
        return barcodeFactory().Get_Image_From_Val(QStringLiteral("B-22222"), graphic.barcode.header_val, QString());
    };
    const BarcodePicture expected = pictureOf(*other);
    ASSERT_FALSE(expected.isNull());

    dialogs.queueHook([&](QDialog&) {
        const BarcodePicture shown = own.previewPicture();
        BarcodePicture made;
        std::thread batch([&] { made = pictureOf(*other); });
        batch.join();
        EXPECT_EQ(made, expected);
        const QWidget& view = own.view();
        EXPECT_EQ(view.findChild<QComboBox*>("barcodeTypePopup")->currentText(), "Code 39");
        EXPECT_EQ(view.findChild<QLineEdit*>("dataText")->text(), "A-1");
        EXPECT_EQ(view.findChild<QLineEdit*>("HeaderText")->text(), "HEADER");
        EXPECT_EQ(own.copyUnderEdit()->barcode.linear_font_val, "A-1");
        EXPECT_EQ(own.previewPicture(), shown);
        view.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    const GraphicPtr copy = own.Open_Wnd(*element);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->barcode.barcode_font_index, 0);
    EXPECT_EQ(copy->barcode.header_val, "HEADER");
    setBarcodeFactory(&factory);
}

// Every box fails to show.
class FailingPresenter : public MessagePresenter {
public:
    int present(const MessageBoxRequest&) override { throw std::runtime_error("no box can be shown"); }
    void beep() override {}
};

TEST_F(BarcodeWindowFaultsTest, TheFillGuardIsClearedWhenLoadingAnElementFails)
{
    // A series whose first line is no text: loading says so, and saying so fails.
    writeSeries("Broken", QByteArray("\xff\xfe\xfa\n", 4));
    const GraphicPtr element = barcode();
    element->Set_Data_source_type(1), element->Set_Batch_List_Name("Broken");
    FailingPresenter failing;
    bool ran = false;
    {
        const ScopedMessagePresenter scope(failing);
        open(*element, [&] {
            ran = true;
            EXPECT_FALSE(Not_Draw_Only_Prop_Change);
            // The window still answers its controls.
            const qsizetype made = factory.values.size();
            choose("Data_source_type", "Manual");
            control<QLineEdit>("dataText").selectAll();
            QTest::keyClicks(&control<QLineEdit>("dataText"), "7");
            EXPECT_GT(factory.values.size(), made);
            EXPECT_EQ(factory.values.last(), "7");
        });
    }
    EXPECT_TRUE(ran);
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
}

TEST_F(BarcodeWindowFaultsTest, ATypedCustomResolutionTakesEffect)
{
    const GraphicPtr element = barcode();
    element->barcode.barcode_font_index = symbology("QR Code");
    const GraphicPtr copy = open(*element, [&] {
        choose("DPI_ComboBox", "Custom");
        auto& custom = control<QSpinBox>("dpi_Text");
        EXPECT_FALSE(custom.isHidden());
        typeInto(custom, "150");
        QTest::keyClick(&custom, Qt::Key_Return);
        // The preview is made again at the typed resolution.
        EXPECT_EQ(factory.last().dpi_val_index, customResolutionIndex());
        EXPECT_EQ(factory.last().dpi_custom_val, "150");
        pressOk();
    });
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->barcode.dpi_val_index, customResolutionIndex());
    EXPECT_EQ(copy->barcode.dpi_custom_val, "150");

    // Kept even when another resolution is chosen afterwards.
    const GraphicPtr automatic = open(*copy, [&] {
        EXPECT_EQ(control<QSpinBox>("dpi_Text").value(), 150);
        choose("DPI_ComboBox", "Auto");
        EXPECT_TRUE(control("dpi_Text").isHidden());
        pressOk();
    });
    ASSERT_TRUE(automatic);
    EXPECT_EQ(automatic->barcode.dpi_val_index, 0);
    EXPECT_EQ(automatic->barcode.dpi_custom_val, "150");
}

// The custom field showed a stored text by another rule than the picture was made by ("300 dpi"
// made a 300-dpi picture beside a field saying 600), and OK kept a text the field did not show.
TEST_F(BarcodeWindowFaultsTest, TheCustomResolutionShownIsTheOneInForceAndOkStoresIt)
{
    const struct {
        const char* stored;
        int entry;
        int shown;
    } cases[] = {{"300 dpi", customResolutionIndex(), 300}, {"abc", customResolutionIndex(), 600},
                 {"0", 0, 600}, {"1200", 4, 1200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const GraphicPtr element = barcode();
        element->barcode.barcode_font_index = symbology("QR Code");
        element->barcode.dpi_val_index = c.entry;
        element->barcode.dpi_custom_val = QString::fromLatin1(c.stored);
        const GraphicPtr copy = open(*element, [&] {
            EXPECT_EQ(control<QSpinBox>("dpi_Text").value(), c.shown);
            pressOk();
        });
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->barcode.dpi_custom_val, QString::number(c.shown));
        EXPECT_EQ(copy->barcode.dpi_val_index, c.entry);
    }
}

// The preview is made again when a resolution is chosen: OK hands the element the preview's
// picture, which must be the one of the resolution the element will store.
TEST_F(BarcodeWindowFaultsTest, ChoosingAResolutionMakesThePreviewAgainAtIt)
{
    const GraphicPtr element = barcode();
    element->barcode.barcode_font_index = symbology("QR Code");
    const GraphicPtr copy = open(*element, [&] {
        const qsizetype made = factory.values.size();
        choose("DPI_ComboBox", "300");
        EXPECT_GT(factory.values.size(), made);
        EXPECT_EQ(factory.last().dpi_val_index, 3);
        pressOk();
    });
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->barcode.dpi_val_index, 3);
}

// The library cannot make Base256 symbols; the window says the symbol it shows is ASCII instead.
TEST_F(BarcodeWindowFaultsTest, ADataMatrixMadeInAsciiInsteadOfItsEncodingSaysSo)
{
    const GraphicPtr element = barcode();
    element->barcode.barcode_font_index = symbology("DataMatrix");
    open(*element, [&] {
        const QWidget& note = control("barcode_note_label");
        control<QPlainTextEdit>("dataText_2D").setPlainText(QStringLiteral("ID 4711"));
        choose("dm_encoding_ComboBox", "Ascii");
        EXPECT_TRUE(note.isHidden());
        // The preview shows the picture one point to a pixel.
        EXPECT_EQ(control<QLabel>("barcodeImage").pixmap().size(), window.previewPicture().toImage(72).size());
        EXPECT_FALSE(window.previewPicture().isNull());
        choose("dm_encoding_ComboBox", "Base256");
        EXPECT_FALSE(note.isHidden());
        EXPECT_EQ(control<QLabel>("barcode_note_label").text(),
                  "The chosen encoding cannot hold this value: the symbol uses ASCII instead.");
        control<QPlainTextEdit>("dataText_2D").setPlainText(factory.refused);
        EXPECT_TRUE(note.isHidden()) << "no symbol, no note";
        choose("barcodeTypePopup", "QR Code");
        control<QPlainTextEdit>("dataText_2D").setPlainText(QStringLiteral("ID 4711"));
        EXPECT_TRUE(note.isHidden());
        pressCancel();
    });
}

}  // namespace
