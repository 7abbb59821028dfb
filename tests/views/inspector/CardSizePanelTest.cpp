// The size page: preset sizes by orientation, the custom size, the rescale a new preset brings,
// the template's other orientation, the unit change and the printer's page.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "FakeInspectorWindow.h"
#include "model/SKTGraphicKinds.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PrintInfo.h"
#include "views/inspector/PropertyInspector.h"

namespace {

constexpr double kMillimetre = 2.834645669291;

class CardSizePanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Not_Draw_Only_Prop_Change = false, Measument_Unit_Is = last_unit_val = kUnitMillimetre;
        Start_Card_Option = QStringLiteral("L");
        window.canvas = QRectF(0, 0, 85.6 * kMillimetre, 54 * kMillimetre);
        for (Card_Property* record : {&window.frontRecord, &window.backRecord}) {
            record->setCard_Preset(QStringLiteral("Horizontal")), record->setCard_Category(QStringLiteral("PVC Card"));
            record->setCard_Cat_index(0), record->setCard_Size(window.canvas.size());
        }
        inspector.setUpControls({});
        inspector.Show_RHS_Properties(nullptr);
    }
    void TearDown() override { Measument_Unit_Is = last_unit_val = kUnitMillimetre, Start_Card_Option = QStringLiteral("T"); }

    template <typename Control>
    Control& control(const char* name)
    {
        return *view.findChild<Control*>(QString::fromLatin1(name));
    }
    void choose(const char* combo, int index)
    {
        control<QComboBox>(combo).setCurrentIndex(index);
        Q_EMIT control<QComboBox>(combo).activated(index);
    }
    void selectRow(int row)
    {
        control<QTableView>("ColList").selectionModel()->select(
            control<QTableView>("ColList").model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    ScriptedDialogPresenter dialogs;
    FakeInspectorWindow window;
    InspectorView view;
    PropertyInspector inspector{view, window};
};

TEST_F(CardSizePanelTest, AnotherOrientationTurnsTheCardAndRescalesBothSides)
{
    const GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape), text = SKTGraphic::create(GraphicKind::Text);
    const GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode), back = SKTGraphic::create(GraphicKind::Shape);
    shape->setBounds(QRectF(100, 50, 60, 30)), text->setBounds(QRectF(100, 50, 60, 18));
    barcode->setBounds(QRectF(100, 50, 60, 30)), back->setBounds(QRectF(100, 50, 60, 30));
    shape->ctrl_is_locked = true;  // locked elements follow the card too
    window.front = {shape, text, barcode}, window.back = {back};

    choose("Preset_ComboBox", 1);  // Vertical
    EXPECT_NEAR(window.canvas.width(), 54 * kMillimetre, 0.01);
    EXPECT_NEAR(window.canvas.height(), 85.6 * kMillimetre, 0.01);
    for (const GraphicPtr& moved : {shape, back}) {
        EXPECT_NEAR(moved->bounds().x(), 63.08, 0.01);
        EXPECT_NEAR(moved->bounds().y(), 79.26, 0.01);
        EXPECT_NEAR(moved->bounds().width(), 37.85, 0.01);
        EXPECT_NEAR(moved->bounds().height(), 47.56, 0.01);
    }
    EXPECT_NEAR(text->bounds().width(), 50, 1e-4);  // at least 50 x 20 points
    EXPECT_NEAR(text->bounds().height(), 28.53, 0.01);
    EXPECT_EQ(barcode->bounds().size(), QSizeF(60, 30));
    EXPECT_EQ(window.frontRecord.Card_Preset(), "Vertical");
    EXPECT_EQ(window.backRecord.Card_Size(), window.canvas.size());
    EXPECT_TRUE(window.templatesRead.isEmpty());

    // The same choice again moves nothing.
    const QRectF kept = shape->bounds();
    selectRow(0);
    EXPECT_EQ(shape->bounds(), kept);
}

TEST_F(CardSizePanelTest, TheCustomSizeTakesTheTypedSizeAndMovesNothing)
{
    const GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->setBounds(QRectF(100, 50, 60, 30));
    window.front = {shape};
    choose("Preset_ComboBox", 2);
    EXPECT_TRUE(control<QDoubleSpinBox>("width_Stepper").isEnabled());
    EXPECT_FALSE(control<QComboBox>("Category_ComboBox").isEnabled());
    EXPECT_FALSE(control<QTableView>("ColList").isEnabled());
    control<QDoubleSpinBox>("width_Stepper").setValue(100);
    EXPECT_NEAR(window.canvas.width(), 100 * kMillimetre, 0.01);
    EXPECT_EQ(shape->bounds(), QRectF(100, 50, 60, 30));
    EXPECT_EQ(window.frontRecord.Card_Cat_index(), 0);  // the row is kept while custom

    // The printer's A5 portrait page as the custom size: a portrait card.
    const QPageLayout shared = printInfo();
    dialogs.queueHook([](QDialog& dialog) {
        dynamic_cast<QPageSetupDialog&>(dialog).printer()->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF()));
        dialog.accept();
    });
    control<QPushButton>("page_frm_printer_btn").click();
    EXPECT_NEAR(control<QDoubleSpinBox>("width_Stepper").value(), 148, 0.005);
    EXPECT_NEAR(control<QDoubleSpinBox>("height_Stepper").value(), 210, 0.005);
    EXPECT_NEAR(window.canvas.width(), 148 * kMillimetre, 0.03);
    EXPECT_NEAR(window.canvas.height(), 210 * kMillimetre, 0.03);
    EXPECT_EQ(shape->bounds(), QRectF(100, 50, 60, 30));
    setPrintInfo(shared);

    choose("Preset_ComboBox", 0);
    EXPECT_FALSE(control<QDoubleSpinBox>("width_Stepper").isEnabled());
    EXPECT_NEAR(window.canvas.width(), 85.6 * kMillimetre, 0.01);  // the row's size again
}

TEST_F(CardSizePanelTest, AnUntouchedTemplateDesignSwapsToItsOtherOrientation)
{
    QTemporaryDir folder;
    window.templatePath = folder.filePath(QStringLiteral("Staff (h).did"));
    choose("Preset_ComboBox", 1);
    EXPECT_TRUE(window.templatesRead.isEmpty());  // no variant: the elements are rescaled instead

    QFile variant(folder.filePath(QStringLiteral("staff (V).DID")));
    ASSERT_TRUE(variant.open(QIODevice::WriteOnly));
    variant.close();
    choose("Preset_ComboBox", 0);
    choose("Preset_ComboBox", 1);
    EXPECT_EQ(window.templatesRead, QStringList({variant.fileName()}));
}

TEST_F(CardSizePanelTest, TheUnitChangesTheFieldsAndCaptionsButNotTheCard)
{
    const QSizeF card = window.canvas.size();
    dialogs.queueHook([](QDialog& dialog) { dialog.reject(); });
    inspector.sizePanel().doPreferences();
    EXPECT_EQ(Measument_Unit_Is, kUnitMillimetre);

    inspector.sizePanel().On_OK_of_Unit_Panel(kUnitInch);
    EXPECT_EQ(last_unit_val, kUnitInch);
    EXPECT_NEAR(control<QDoubleSpinBox>("width_Stepper").value(), 3.37, 0.005);
    EXPECT_EQ(control<QLabel>("unit_width_label").text(), "(in)");
    EXPECT_EQ(control<QGroupBox>("card_size_box").title(), "Card Size (in)");
    EXPECT_EQ(window.canvas.size(), card);

    inspector.sizePanel().Set_Card_Size_In_Control(QSizeF(25.4, 50.8));  // shown in inches
    EXPECT_NEAR(control<QDoubleSpinBox>("width_Stepper").value(), 1.0, 1e-6);
    EXPECT_NEAR(control<QDoubleSpinBox>("height_Stepper").value(), 2.0, 1e-6);
    inspector.sizePanel().On_OK_of_Unit_Panel(kUnitCentimetre);
    EXPECT_NEAR(control<QDoubleSpinBox>("width_Stepper").value(), 2.54, 1e-6);
    EXPECT_NEAR(control<QDoubleSpinBox>("height_Stepper").value(), 5.08, 1e-6);
    EXPECT_EQ(control<QLabel>("unit_height_label").text(), "(cm)");
}

TEST_F(CardSizePanelTest, TheCategoryRebuildsTheSizeList)
{
    EXPECT_EQ(inspector.sizePanel().Get_Item_Text(0), "CR80");
    choose("Category_ComboBox", 1);
    EXPECT_EQ(inspector.sizePanel().Get_Item_Text(0), "A6");
    EXPECT_EQ(inspector.sizePanel().Get_Item_Text(5), "");
    EXPECT_EQ(window.frontRecord.Card_Category(), "Paper Card");
    EXPECT_EQ(window.frontRecord.Card_Sub_Category(), "A6");
}

}  // namespace
