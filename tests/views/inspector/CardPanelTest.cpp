// The card pages: filled from the side's record, written back into it (and the shared fields into
// both records), the fill kinds' controls, the content colour and the background picture.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "FakeInspectorWindow.h"
#include "model/SKTGraphicKinds.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PropertyInspector.h"

namespace {

TEST(PanelValues, PercentagesShowWholeAndNeverCreep)
{
    EXPECT_EQ(percentShown(0.999f), 99);
    EXPECT_EQ(percentShown(1.5f), 100);
    EXPECT_EQ(percentShown(100.0f), 100);  // a new record's opacity
    for (int shown = 0; shown <= 100; ++shown)
        EXPECT_EQ(percentShown(float(shown / 100.0)), shown) << shown;
    EXPECT_EQ(Return_Border_Style_Str_On_index(7), "S");
    EXPECT_EQ(Return_Border_Style_Str_On_index(-1), "S");
    EXPECT_EQ(borderStyleIndex("DDD"), 4);
    EXPECT_EQ(fontCaption(CardFont{"Arial", 12}), "Arial ( 12.00 )");
    for (const auto& [code, index] : {std::pair{"R", 0}, {"RR", 1}, {"E", 2}, {"", 2}, {"r", 2}, {"Oval", 2}})
        EXPECT_EQ(cardShapeIndex(QString::fromLatin1(code)), index) << code;
    EXPECT_EQ(cardShapeCode(2), "E");
}

class CardPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Not_Draw_Only_Prop_Change = false, Card_Shape = 0, CARD_SIDE_STR = QStringLiteral("2");
        inspector.cardPanel().setHatchStyles({"Cross", "Dots", "Horizontal"});
    }
    void TearDown() override { Card_Shape = 0, CARD_SIDE_STR = QStringLiteral("2"); }

    template <typename Control>
    Control& control(const char* name)
    {
        auto* found = view.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    void choose(QComboBox& combo, int index)
    {
        combo.setCurrentIndex(index);
        Q_EMIT combo.activated(index);
    }
    void pickColour(ColorWell& well, const QColor& colour)
    {
        dialogs.queueHook([colour](QDialog& dialog) {
            static_cast<QColorDialog&>(dialog).setCurrentColor(colour);
            dialog.setResult(QDialog::Accepted);
        });
        well.click();
    }
    void showCard(int side)
    {
        window.side = side;
        inspector.Show_RHS_Properties(nullptr);
        window.refreshes = 0;
    }

    ScriptedDialogPresenter dialogs;
    FakeInspectorWindow window;
    InspectorView view;
    PropertyInspector inspector{view, window};
};

TEST_F(CardPanelTest, TheLoadShowsWholePercentagesKeepsOtherHatchesAndStoresTheCanvasSize)
{
    window.frontRecord.setCard_alpha_Stepper(0.999f);
    window.frontRecord.setWatermark_Transp(0.25f);
    window.frontRecord.setCard_fill_style(QStringLiteral("H"));
    window.frontRecord.setCard_hatch_style(QStringLiteral("Dots"));
    window.frontRecord.setCard_Shape(QStringLiteral("RR"));
    window.backRecord.setCard_Shape(QStringLiteral("E"));
    window.backRecord.setCard_alpha_Stepper(1.5f);
    window.backRecord.setCard_fill_style(QStringLiteral("S"));
    showCard(0);
    EXPECT_EQ(control<QSpinBox>("Card_alpha_Stepper").value(), 99);
    EXPECT_EQ(control<QSlider>("wm_transp_slider").value(), 25);
    EXPECT_EQ(control<QLabel>("wm_transp_val").text(), "25");
    EXPECT_EQ(control<QComboBox>("Card_hatch_style").currentText(), "Dots");
    EXPECT_TRUE(control<QRadioButton>("Card_Style_fill_rd").isChecked());
    EXPECT_EQ(window.frontRecord.Card_Size(), window.canvas.size());
    EXPECT_EQ(Card_Shape, 1);

    showCard(1);
    EXPECT_EQ(control<QSpinBox>("Card_alpha_Stepper").value(), 100);
    EXPECT_EQ(control<QComboBox>("Card_hatch_style").currentText(), "Dots");  // solid fill: kept
    EXPECT_EQ(Card_Shape, 1);  // the back shows the front's outline
    EXPECT_TRUE(control<QRadioButton>("shapeRoundedRectangle").isChecked());

    window.frontRecord.setCard_hatch_style(QString());
    showCard(0);
    EXPECT_EQ(control<QComboBox>("Card_hatch_style").currentIndex(), -1);
}

TEST_F(CardPanelTest, AWatermarkInUseEnablesItsControlsAndTheSliderStoresAFraction)
{
    window.frontRecord.setWatermark_Used(true);
    showCard(0);
    EXPECT_TRUE(view.findChild<QWidget*>("watermark_box")->isEnabled());
    showCard(1);
    EXPECT_FALSE(view.findChild<QWidget*>("watermark_box")->isEnabled());
    showCard(0);
    EXPECT_TRUE(view.findChild<QWidget*>("watermark_box")->isEnabled());

    control<QSlider>("wm_transp_slider").setValue(25);
    EXPECT_FLOAT_EQ(window.frontRecord.Watermark_Transp(), 0.25f);
    EXPECT_EQ(control<QLabel>("wm_transp_val").text(), "25");
    EXPECT_TRUE(window.frontRecord.Watermark_Used());
}

TEST_F(CardPanelTest, FillKindsEnableTheirControlsAndATiledPictureHidesTheOpacity)
{
    window.frontRecord.setCard_fill_chk(true);
    window.frontRecord.setCard_fill_style(QStringLiteral("I"));
    window.frontRecord.setCard_BG_Image_Layout(QStringLiteral("Tile"));
    showCard(0);
    EXPECT_TRUE(control<QSpinBox>("Card_alpha_Stepper").isHidden());
    EXPECT_TRUE(view.findChild<QWidget*>("Card_image_box")->isEnabled());
    EXPECT_FALSE(control<ColorWell>("Card_fill_clr").isEnabled());

    control<QRadioButton>("Card_gradient_fill_rd").click();
    EXPECT_EQ(window.frontRecord.Card_fill_style(), "G");
    EXPECT_TRUE(control<QSpinBox>("Card_alpha_Stepper").isHidden());
    EXPECT_TRUE(control<QSpinBox>("Card_grad_Stepper").isEnabled());
    EXPECT_FALSE(view.findChild<QWidget*>("Card_image_box")->isEnabled());

    control<QRadioButton>("Card_Style_fill_rd").click();
    EXPECT_FALSE(control<QSpinBox>("Card_alpha_Stepper").isHidden());
    EXPECT_TRUE(control<QComboBox>("Card_hatch_style").isEnabled());
    EXPECT_FALSE(control<QSpinBox>("Card_grad_Stepper").isEnabled());
    EXPECT_EQ(window.refreshes, 2);  // one redraw per edit

    // Loading a side: a pattern's side turns the solid colour's well off, a solid one on.
    window.backRecord.setCard_fill_chk(true);
    window.backRecord.setCard_fill_style(QStringLiteral("S"));
    showCard(1);
    EXPECT_TRUE(control<ColorWell>("Card_fill_clr").isEnabled());
    showCard(0);
    EXPECT_EQ(window.frontRecord.Card_fill_style(), "H");
    EXPECT_TRUE(view.findChild<QWidget*>("Card_Fill_Box")->isEnabled());
    EXPECT_FALSE(control<ColorWell>("Card_fill_clr").isEnabled());
    EXPECT_TRUE(control<ColorWell>("Card_hatch_bk_clr").isEnabled());
}

TEST_F(CardPanelTest, EditsWriteTheSideThenTheSharedFieldsIntoBothRecords)
{
    window.frontRecord.setCard_fill_chk(true);
    window.frontRecord.setCard_fill_Grd_1_clr(Qt::red);
    window.frontRecord.setCard_Preset(QStringLiteral("Custom"));  // no size row then
    showCard(0);
    control<QSpinBox>("Card_alpha_Stepper").setValue(40);
    pickColour(control<ColorWell>("Card_fill_clr"), Qt::blue);
    EXPECT_FLOAT_EQ(window.frontRecord.Card_alpha_Stepper(), 0.4f);
    EXPECT_NEAR(window.frontRecord.Card_fill_clr().alphaF(), 0.4, 0.003);
    EXPECT_NEAR(window.frontRecord.Card_hatch_bk_clr().alphaF(), 0.4, 0.003);
    EXPECT_EQ(window.frontRecord.Card_fill_Grd_1_clr(), QColor(Qt::red));  // gradients carry no opacity
    EXPECT_EQ(window.frontRecord.Card_fill_clr().rgb(), QColor(Qt::blue).rgb());
    EXPECT_EQ(window.backRecord.Card_fill_clr(), Card_Property().Card_fill_clr());

    control<QLineEdit>("card_name").setText(QStringLiteral("  Visitors "));
    Q_EMIT control<QLineEdit>("card_name").textEdited(QStringLiteral("  Visitors "));
    control<QRadioButton>("shapeEllipse").click();
    for (const Card_Property* record : {&window.frontRecord, &window.backRecord}) {
        EXPECT_EQ(record->Card_Name(), "Visitors");
        EXPECT_EQ(record->Card_Shape(), "E");
        EXPECT_EQ(record->Card_Size(), window.canvas.size());
        EXPECT_EQ(record->Card_Sub_Category(), "");  // no size row chosen
        EXPECT_EQ(record->Card_Cat_index(), -1);
    }
    EXPECT_EQ(window.frontRecord.Card_Side_Name(), "F");
    EXPECT_EQ(window.backRecord.Card_Side_Name(), "B");
    EXPECT_TRUE(window.calls.contains("Title"));

    control<QLineEdit>("card_name").clear();
    Q_EMIT control<QLineEdit>("card_name").textEdited(QString());
    EXPECT_EQ(window.backRecord.Card_Name(), "Untitled");
}

TEST_F(CardPanelTest, TheBorderComesBackAsItWasAndAPatternMissingHereKeepsItsName)
{
    window.frontRecord.setCard_border_chk(true);
    window.frontRecord.setCard_bordr_clr(Qt::darkGreen);
    window.frontRecord.setCard_bor_Stepper(5);
    window.frontRecord.setCard_border_style(QStringLiteral("DO"));
    window.frontRecord.setCard_fill_style(QStringLiteral("H"));
    window.frontRecord.setCard_hatch_style(QStringLiteral("NotInstalledHere"));
    window.backRecord.setCard_border_style(QStringLiteral("S"));
    showCard(0);
    EXPECT_EQ(control<QComboBox>("Card_border_style").currentIndex(), 2);
    showCard(1);
    EXPECT_EQ(control<QComboBox>("Card_border_style").currentIndex(), 0) << "the back's own solid style";
    choose(control<QComboBox>("Card_border_style"), 1);
    EXPECT_EQ(window.backRecord.Card_border_style(), "DA");
    choose(control<QComboBox>("Card_border_style"), 0);
    EXPECT_EQ(window.backRecord.Card_border_style(), "S");
    EXPECT_EQ(window.frontRecord.Card_border_style(), "DO");

    showCard(0);
    EXPECT_EQ(control<QComboBox>("Card_border_style").currentIndex(), 2);
    control<QCheckBox>("Card_border_chk").click();  // off
    EXPECT_FALSE(window.frontRecord.Card_border_chk());
    EXPECT_FALSE(view.findChild<QWidget*>("Card_Border_Box")->isEnabled());
    control<QCheckBox>("Card_border_chk").click();  // on again
    EXPECT_TRUE(window.frontRecord.Card_border_chk());
    EXPECT_EQ(window.frontRecord.Card_bordr_clr(), QColor(Qt::darkGreen));
    EXPECT_EQ(window.frontRecord.Card_bor_Stepper(), 5);
    EXPECT_EQ(window.frontRecord.Card_border_style(), "DO");
    EXPECT_EQ(window.frontRecord.Card_hatch_style(), "NotInstalledHere");

    Not_Draw_Only_Prop_Change = true;  // code filling controls writes nothing
    control<QCheckBox>("Card_border_chk").click();
    Not_Draw_Only_Prop_Change = false;
    EXPECT_TRUE(window.frontRecord.Card_border_chk());
}

TEST_F(CardPanelTest, TheContentColourReachesOnlyUnlockedTextsAndOnlyWhenChanged)
{
    const GraphicPtr text = SKTGraphic::create(GraphicKind::Text), locked = SKTGraphic::create(GraphicKind::Text);
    const GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    locked->ctrl_is_locked = true;
    text->textStyle.txt_clr = locked->textStyle.txt_clr = Qt::gray;
    text->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Serif"), 14};
    window.front = {text, locked, shape};
    window.frontRecord.setCard_Content_clr(Qt::black);
    window.frontRecord.setCard_Content_font(CardFont{QStringLiteral("DejaVu Sans"), 12});
    showCard(0);
    pickColour(control<ColorWell>("All_Text_clr"), Qt::black);  // the loaded colour: no choice made
    EXPECT_EQ(text->textStyle.txt_clr, QColor(Qt::gray));
    pickColour(control<ColorWell>("All_Text_clr"), Qt::magenta);
    EXPECT_EQ(text->textStyle.txt_clr, QColor(Qt::magenta));
    EXPECT_EQ(locked->textStyle.txt_clr, QColor(Qt::gray));
    EXPECT_EQ(window.frontRecord.Card_Content_clr(), QColor(Qt::magenta));
    EXPECT_EQ(text->textStyle.text_ctrl_font.family.toStdString(), "DejaVu Serif") << "only the colour changed";
    EXPECT_EQ(text->textStyle.text_ctrl_font.size, 14);
}

TEST_F(CardPanelTest, ABrowsedBackgroundIsBoundedInPointsWithItsPixelsKept)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("wide.png"));
    QImage wide(2000, 1000, QImage::Format_RGB32);
    wide.fill(Qt::darkCyan);
    wide.setDotsPerMeterX(2835), wide.setDotsPerMeterY(2835);  // 72 dpi: 2000 x 1000 points
    ASSERT_TRUE(QImageWriter(path).write(wide));
    showCard(1);
    control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_Image_fill_rd").click();  // the picture box opens with its radio
    dialogs.queueOpenFile(path);
    control<QPushButton>("Card_Image_Browse_Btn").click();
    const QImage stored = window.backRecord.Card_BG_Image();
    EXPECT_EQ(stored.size(), QSize(2000, 1000));
    const auto points = [](int pixels, int dotsPerMetre) { return pixels * 72.0 / (dotsPerMetre * 0.0254); };
    EXPECT_NEAR(points(stored.width(), stored.dotsPerMeterX()), 724, 0.5);
    EXPECT_NEAR(points(stored.height(), stored.dotsPerMeterY()), 468, 0.5);
    EXPECT_EQ(window.backRecord.Card_fill_style(), "I");
    EXPECT_EQ(window.backRecord.Card_BG_Image_Path(), path);
    EXPECT_EQ(control<QLineEdit>("Card_Image_path_BACK").text(), path);
    EXPECT_FALSE(control<QLineEdit>("Card_Image_path_BACK").isHidden());
    EXPECT_TRUE(control<QLineEdit>("Card_Image_path").isHidden());
    EXPECT_TRUE(window.frontRecord.Card_BG_Image().isNull());
    EXPECT_EQ(view.sett_tab().currentWidget()->objectName(), "card_bkgd_tab");

    // The library cancelled still writes the page and shows the background tab.
    view.sett_tab().setCurrentIndex(0);
    window.refreshes = 0;
    control<QPushButton>("Card_Image_Library_Btn").click();
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(view.sett_tab().currentWidget()->objectName(), "card_bkgd_tab");

    showCard(0);
    EXPECT_FALSE(control<QLineEdit>("Card_Image_path").isHidden());
    EXPECT_TRUE(control<QLineEdit>("Card_Image_path_BACK").isHidden());

    // An empty path only clears the side's path field.
    EXPECT_FALSE(inspector.cardPanel().set_Back_BG_Image(QString()));
    EXPECT_EQ(control<QLineEdit>("Card_Image_path_BACK").text(), "");
    EXPECT_EQ(window.backRecord.Card_BG_Image_Path(), path);
}

TEST_F(CardPanelTest, OneSidedWhileEditingTheBackReturnsToTheFront)
{
    showCard(1);
    choose(control<QComboBox>("Sides_ComboBox"), 1);
    EXPECT_EQ(window.side, 0);
    EXPECT_EQ(CARD_SIDE_STR, "1");
    EXPECT_TRUE(window.calls.contains("BackOff"));
    EXPECT_EQ(window.frontRecord.Card_Side(), "1");
    choose(control<QComboBox>("Sides_ComboBox"), 0);
    EXPECT_EQ(CARD_SIDE_STR, "2");
    EXPECT_EQ(window.backRecord.Card_Side(), "2");
}

}  // namespace
