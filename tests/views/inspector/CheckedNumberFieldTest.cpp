// The checked number fields: typed text becomes that number or is refused with the field's range
// shown at the field, never another number; on the card pages the ranges are the model's bounds.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "FakeInspectorWindow.h"
#include "FieldTyping.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

class CheckedNumberFieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(&whole);
        column->addWidget(&decimal);
        column->addWidget(&elsewhere);
        whole.setRange(0, 72), whole.setUnit(QStringLiteral("pt")), whole.setValue(3);
        decimal.setRange(1, 5080), decimal.setDecimals(2), decimal.setUnit(QStringLiteral("mm")), decimal.setValue(85.6);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    CheckedSpinBox whole{&window};
    CheckedDoubleSpinBox decimal{&window};
    QLineEdit elsewhere{&window};
};

TEST_F(CheckedNumberFieldTest, AWholeNumberFieldTakesTheTypedNumberOrRefusesTheTextWithItsRange)
{
    QSignalSpy changes(&whole, &QSpinBox::valueChanged);
    whole.setFocus();
    for (const char* typed : {"1e9", "12abc", "", "2.5", "73", "-1", "0x10"}) {
        typeInto(whole, QString::fromLatin1(typed));
        EXPECT_EQ(whole.text(), QString::fromLatin1(typed)) << "typing is free";
        QTest::keyClick(&whole, Qt::Key_Return);
        EXPECT_EQ(whole.value(), 3) << typed;
        EXPECT_EQ(whole.text(), "3") << typed;
        EXPECT_EQ(balloon(), "Enter a whole number from 0 to 72 pt.") << typed;
    }
    EXPECT_EQ(changes.count(), 0);

    for (const auto& [typed, value] : {std::pair{"40", 40}, std::pair{" 72 ", 72}, std::pair{"0", 0}, std::pair{"3.0", 3}}) {
        typeInto(whole, QString::fromLatin1(typed));
        QTest::keyClick(&whole, Qt::Key_Enter);
        EXPECT_EQ(whole.value(), value) << typed;
        EXPECT_EQ(balloon(), QString()) << typed;
    }
    EXPECT_EQ(changes.count(), 4) << "one change per commit";
    EXPECT_EQ(changes.at(0).at(0).toInt(), 40);

    // Leaving the field commits too.
    typeInto(whole, QStringLiteral("999"));
    elsewhere.setFocus();
    EXPECT_EQ(whole.value(), 3);
    EXPECT_EQ(balloon(), "Enter a whole number from 0 to 72 pt.");
    whole.setFocus();
    typeInto(whole, QStringLiteral("12"));
    elsewhere.setFocus();
    EXPECT_EQ(whole.value(), 12);
    // A step from refused text refuses it and does not step.
    whole.setFocus();
    typeInto(whole, QStringLiteral("1e9"));
    QTest::keyClick(&whole, Qt::Key_Up);
    EXPECT_EQ(whole.value(), 12);
    EXPECT_EQ(balloon(), "Enter a whole number from 0 to 72 pt.");
}

TEST_F(CheckedNumberFieldTest, ADecimalFieldTakesTheLocalesSeparatorOrTheCFormAndNoMoreDecimalsThanItShows)
{
    decimal.setLocale(QLocale(QLocale::German, QLocale::Germany));
    decimal.setFocus();
    for (const auto& [typed, value] : {std::pair{"2,5", 2.5}, std::pair{"3.25", 3.25}, std::pair{"1.500", 1.5},
                                       std::pair{"5080", 5080.0}, std::pair{"1", 1.0}}) {
        typeInto(decimal, QString::fromLatin1(typed));
        QTest::keyClick(&decimal, Qt::Key_Return);
        EXPECT_EQ(decimal.value(), value) << typed;
        EXPECT_EQ(balloon(), QString()) << typed;
    }
    for (const char* typed : {"2,555", "5080,01", "0,99", "1e9", "1.000,5", "zwei"}) {
        typeInto(decimal, QString::fromLatin1(typed));
        QTest::keyClick(&decimal, Qt::Key_Return);
        EXPECT_EQ(decimal.value(), 1.0) << typed;
        EXPECT_EQ(decimal.text(), "1,00") << typed;
        EXPECT_EQ(balloon(), "Enter a number from 1,00 to 5080,00 mm, with at most 2 decimals.") << typed;
    }
}

// The card pages in a window of their own, their fields bounded as the model bounds the values.
class CardNumberFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Not_Draw_Only_Prop_Change = false, Measument_Unit_Is = last_unit_val = kUnitMillimetre;
        inspector.setUpControls({});
        inspector.Show_RHS_Properties(nullptr);
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    void TearDown() override { Measument_Unit_Is = last_unit_val = kUnitMillimetre; }

    template <typename Control>
    Control& control(const char* name)
    {
        return *view.findChild<Control*>(QString::fromLatin1(name));
    }
    // Types the text into the named field on its page and presses Enter; the balloon shown.
    QString enter(const char* name, const QString& text) { return enterOnPage(view, control<QAbstractSpinBox>(name), text); }

    FakeInspectorWindow window;
    InspectorView view;
    PropertyInspector inspector{view, window};
};

TEST_F(CardNumberFieldsTest, TheCardPagesFieldsTakeTheBoundsOfTheirValuesAndRefuseWhatLiesPast)
{
    struct Case {
        const char* field;
        const char* last;
        const char* past;
        const char* refusal;
    };
    const Case cases[] = {
        {"Card_bor_Stepper", "72", "73", "Enter a whole number from 0 to 72 pt."},
        {"Card_grad_Stepper", "360", "361", "Enter a whole number from 0 to 360 degrees."},
        {"Card_alpha_Stepper", "100", "101", "Enter a whole number from 0 to 100 %."},
    };
    control<QCheckBox>("Card_border_chk").click();
    control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_gradient_fill_rd").click();
    for (const Case& c : cases) {
        EXPECT_EQ(enter(c.field, QString::fromLatin1(c.last)), QString()) << c.field;
        EXPECT_EQ(control<QSpinBox>(c.field).value(), QString::fromLatin1(c.last).toInt()) << c.field;
        EXPECT_EQ(enter(c.field, QString::fromLatin1(c.past)), QString::fromLatin1(c.refusal)) << c.field;
        EXPECT_EQ(enter(c.field, QStringLiteral("-1")), QString::fromLatin1(c.refusal)) << c.field;
        EXPECT_EQ(control<QSpinBox>(c.field).value(), QString::fromLatin1(c.last).toInt()) << c.field;
    }
    EXPECT_EQ(window.frontRecord.Card_bor_Stepper(), 72);
    EXPECT_EQ(window.frontRecord.Card_grad_Stepper(), 360);
    EXPECT_FLOAT_EQ(window.frontRecord.Card_alpha_Stepper(), 1.0f);
    // "1e9" once became 19: the border keeps its width.
    EXPECT_EQ(enter("Card_bor_Stepper", QStringLiteral("1e9")), "Enter a whole number from 0 to 72 pt.");
    EXPECT_EQ(window.frontRecord.Card_bor_Stepper(), 72);
    EXPECT_EQ(control<QSlider>("wm_transp_slider").maximum(), 100);
}

// The largest and smallest size each unit's fields take are a card side the design file keeps:
// 200 in, 508 cm and 5080 mm all make 14,400 points; the step past either end is refused.
TEST_F(CardNumberFieldsTest, TheSizeFieldsTakeTheCardSidesRangeInEveryUnit)
{
    struct Case {
        int unit;
        const char* smallest;
        const char* belowSmallest;
        const char* largest;
        const char* aboveLargest;
        const char* refusal;
    };
    const Case cases[] = {
        {kUnitInch, "0.04", "0.03", "200", "200.01", "Enter a number from 0.04 to 200.00 in, with at most 2 decimals."},
        {kUnitCentimetre, "0.1", "0.09", "508", "508.01", "Enter a number from 0.10 to 508.00 cm, with at most 2 decimals."},
        {kUnitMillimetre, "1", "0.99", "5080", "5080.01", "Enter a number from 1.00 to 5080.00 mm, with at most 2 decimals."},
    };
    control<QComboBox>("Preset_ComboBox").setCurrentIndex(2);
    Q_EMIT control<QComboBox>("Preset_ComboBox").activated(2);
    for (const Case& c : cases) {
        inspector.sizePanel().On_OK_of_Unit_Panel(c.unit);
        for (const char* field : {"width_Stepper", "height_Stepper"}) {
            EXPECT_EQ(enter(field, QString::fromLatin1(c.largest)), QString()) << field << " " << c.largest;
            EXPECT_EQ(enter(field, QString::fromLatin1(c.aboveLargest)), QString::fromLatin1(c.refusal)) << field;
        }
        EXPECT_EQ(window.canvas.size(), QSizeF(14400, 14400)) << c.largest;
        for (const char* field : {"width_Stepper", "height_Stepper"}) {
            EXPECT_EQ(enter(field, QString::fromLatin1(c.smallest)), QString()) << field << " " << c.smallest;
            EXPECT_EQ(enter(field, QString::fromLatin1(c.belowSmallest)), QString::fromLatin1(c.refusal)) << field;
        }
        EXPECT_GE(window.canvas.width(), 72 / 25.4) << c.smallest;
        EXPECT_LT(window.canvas.width(), 3.0) << c.smallest;
        EXPECT_EQ(window.canvas.height(), window.canvas.width());
    }
}

}  // namespace
