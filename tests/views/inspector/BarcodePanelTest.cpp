// The barcode page's hand-off to the barcode window: which element the window edits, the refusals,
// and what OK and Cancel leave in the selection.
#include <QPushButton>
#include <gtest/gtest.h>

#include "ElementPanelFixture.h"
#include "barcodes/BarcodeFactory.h"
#include "views/barcodes/BarcodeWindow.h"
#include "views/barcodes/BarcodeWindowStandIn.h"
#include "views/inspector/BarcodePanel.h"

namespace {

QString shown(const QString& text)
{
    return QLatin1Char('\n') + text;
}

// Answers as the window would after the user's OK (a carrier and a picture) or Cancel (none).
class ScriptedBarcodeWindow : public BarcodeWindow {
public:
    GraphicPtr Open_Wnd(const SKTGraphic& element) override
    {
        openedOn = &element;
        if (carrier && !picture.isNull())
            Barcode_output_image = picture;
        return carrier;
    }
    GraphicPtr carrier;
    QImage picture;
    const SKTGraphic* openedOn = nullptr;
};

class BarcodePanelTest : public ElementPanelFixture {
protected:
    void SetUp() override
    {
        ElementPanelFixture::SetUp();
        setBarcodeWindow(&scripted);
    }
    void TearDown() override
    {
        setBarcodeWindow(nullptr);
        ElementPanelFixture::TearDown();
    }

    void pressSettingsButton() { view.findChild<QPushButton*>(QStringLiteral("view_barcode_prop_btn"))->click(); }
    // The settings a user chose in the window, on a carrier of their own.
    static GraphicPtr chosenSettings()
    {
        GraphicPtr carrier = SKTGraphic::create(GraphicKind::Barcode);
        carrier->barcode.linear_font_val = QStringLiteral("98765");
        carrier->barcode.barcode_font_index = 3;
        carrier->barcode.barcode_clr_val = QColor(200, 0, 0);
        carrier->barcode.header_val = QStringLiteral("STAFF");
        carrier->barcode.barcode_unit_val = 7;
        carrier->Set_Data_source_type(1), carrier->Set_Batch_List_Name("Codes"), carrier->Set_Batch_List_Index(0);
        carrier->_isDrawingFill = true, carrier->_fillColor = QColor(0, 0, 200);
        return carrier;
    }

    ScriptedBarcodeWindow scripted;
};

TEST_F(BarcodePanelTest, OkCopiesTheSettingsAndThePictureIntoTheBarcodeOnlyAsOneStep)
{
    const GraphicPtr barcode = add(GraphicKind::Barcode), text = add(GraphicKind::Text), other = add(GraphicKind::Text);
    const qint32 storedUnit = barcode->barcode.barcode_unit_val;
    const BarcodeSettings textSettings = text->barcode;
    selectAndShow({barcode, text, other});
    scripted.carrier = chosenSettings();
    scripted.picture = QImage(300, 120, QImage::Format_ARGB32);
    scripted.picture.fill(Qt::black);

    pressSettingsButton();
    EXPECT_EQ(scripted.openedOn, barcode.get());
    EXPECT_EQ(barcode->barcode.linear_font_val, "98765");
    EXPECT_EQ(barcode->barcode.barcode_font_index, 3);
    EXPECT_EQ(barcode->barcode.barcode_clr_val, QColor(200, 0, 0));
    EXPECT_EQ(barcode->barcode.header_val, "STAFF");
    EXPECT_EQ(barcode->barcode.barcode_unit_val, storedUnit);  // stored, not a setting of the window
    EXPECT_EQ(barcode->data_source_type, 1);
    EXPECT_EQ(barcode->batch_list_name, "Codes");
    EXPECT_EQ(barcode->batch_list_index, 0);
    EXPECT_TRUE(barcode->_isDrawingFill);
    EXPECT_EQ(barcode->_fillColor, QColor(0, 0, 200));
    EXPECT_EQ(barcode->_barcode_image.size(), QSize(300, 120));
    EXPECT_EQ(barcode->bounds().size(), QSizeF(300, 120));  // the new picture's size
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, barcode->bounds());
    EXPECT_TRUE(text->barcode == textSettings);
    EXPECT_EQ(other->data_source_type, 0);
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(BarcodePanelTest, CancelOrNoPictureChangesNothingEvenWithAnOlderPictureAround)
{
    const GraphicPtr barcode = add(GraphicKind::Barcode);
    const BarcodeSettings before = barcode->barcode;
    const QRectF bounds = barcode->bounds();
    selectAndShow({barcode});

    pressSettingsButton();  // Cancel
    // OK without a picture, while the picture of an earlier barcode is still at hand.
    Barcode_output_image = QImage(500, 500, QImage::Format_ARGB32);
    scripted.carrier = chosenSettings();
    pressSettingsButton();

    EXPECT_TRUE(barcode->barcode == before);
    EXPECT_EQ(barcode->data_source_type, 0);
    EXPECT_EQ(barcode->bounds(), bounds);
    EXPECT_EQ(window.snapshots, 0);
    EXPECT_EQ(window.refreshes, 0);
}

TEST_F(BarcodePanelTest, TwoBarcodesOrNoneFocusedAreRefusedAndTheWindowStaysShut)
{
    const GraphicPtr first = add(GraphicKind::Barcode), second = add(GraphicKind::Barcode);
    selectAndShow({first, second});
    scripted.carrier = chosenSettings();
    scripted.picture = QImage(10, 10, QImage::Format_ARGB32);
    pressSettingsButton();
    inspector.barcodePanel().Open_Barcode_Window();
    window.frontView._Selected_Graphic.reset();
    inspector.barcodePanel().Open_Barcode_Window();
    EXPECT_EQ(scripted.openedOn, nullptr);
    EXPECT_EQ(messages.texts(), (QStringList{shown(kOneBarcodeMessage), shown(kOneBarcodeMessage), shown(kSelectControlMessage)}));
    EXPECT_EQ(first->data_source_type, 0);
    EXPECT_EQ(window.snapshots, 0);
}

TEST_F(BarcodePanelTest, ALockedBarcodeIsSkippedWhileTheSideIsStillRedrawnAndRecorded)
{
    const GraphicPtr barcode = add(GraphicKind::Barcode);
    barcode->ctrl_is_locked = true;
    const BarcodeSettings before = barcode->barcode;
    window.frontView.changeSelectionIndexes({0});
    window.frontView._Selected_Graphic = barcode;
    scripted.carrier = chosenSettings();
    scripted.picture = QImage(40, 40, QImage::Format_ARGB32);
    inspector.barcodePanel().Open_Barcode_Window();
    EXPECT_EQ(scripted.openedOn, barcode.get());
    EXPECT_TRUE(barcode->barcode == before);
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_EQ(window.refreshes, 1);
}

TEST_F(BarcodePanelTest, UntilTheWindowIsBuiltItsStandInSaysSo)
{
    setBarcodeWindow(nullptr);
    const GraphicPtr barcode = add(GraphicKind::Barcode);
    const BarcodeSettings before = barcode->barcode;
    selectAndShow({barcode});
    pressSettingsButton();
    EXPECT_EQ(messages.texts(), QStringList{shown(kBarcodeWindowNotAvailableMessage)});
    EXPECT_TRUE(barcode->barcode == before);
    EXPECT_EQ(window.snapshots, 0);
}

}  // namespace
