// What the card pages show at a glance: pattern names in words, greyed colour wells that keep
// their colour, and an opacity row whose coming and going leaves the page where it was.
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "FakeInspectorWindow.h"
#include "platform/AppContext.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PropertyInspector.h"

namespace {

class CardPageLooksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Not_Draw_Only_Prop_Change = false, Card_Shape = 0, CARD_SIDE_STR = QStringLiteral("2");
        inspector.setUpControls({"Brick", "Diagonal_Backward", "Diagonal_Cross", "Dots"});
    }
    void TearDown() override { Card_Shape = 0, CARD_SIDE_STR = QStringLiteral("2"); }

    template <typename Control>
    Control& control(const char* name)
    {
        auto* found = view.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    void showFront(const QString& fillStyle)
    {
        window.frontRecord.setCard_fill_chk(true);
        window.frontRecord.setCard_fill_style(fillStyle);
        inspector.Show_RHS_Properties(nullptr);
    }

    FakeInspectorWindow window;
    InspectorView view;
    PropertyInspector inspector{view, window};
};

TEST(PatternCaption, WordsInsteadOfTheFileStem)
{
    EXPECT_EQ(patternCaption("Diagonal_Backward"), "Diagonal backward");
    EXPECT_EQ(patternCaption("Dots"), "Dots");
    EXPECT_EQ(patternCaption("Grid_3D_Large"), "Grid 3D large");
    EXPECT_EQ(patternCaption("_Zigzag__Wide"), "Zigzag wide");
}

// The list shows words; the design keeps the file stem that the drawing looks up.
TEST_F(CardPageLooksTest, PatternListShowsWordsAndTheDesignKeepsTheFileName)
{
    QComboBox& patterns = control<QComboBox>("Card_hatch_style");
    QStringList shown;
    for (int i = 0; i < patterns.count(); ++i)
        shown << patterns.itemText(i);
    EXPECT_EQ(shown, (QStringList{"Brick", "Diagonal backward", "Diagonal cross", "Dots"}));

    window.frontRecord.setCard_hatch_style(QStringLiteral("Diagonal_Cross"));
    showFront(QStringLiteral("H"));
    EXPECT_EQ(patterns.currentText(), "Diagonal cross");

    patterns.setCurrentIndex(1);
    Q_EMIT patterns.activated(1);
    EXPECT_EQ(window.frontRecord.Card_hatch_style(), "Diagonal_Backward");
}

// The colour at the middle of a well as the screen shows it.
QColor shownColour(ColorWell& well)
{
    const QImage picture = well.grab().toImage();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

TEST_F(CardPageLooksTest, GreyedColourWellsStillShowTheirColour)
{
    window.frontRecord.setCard_fill_clr(QColor(200, 30, 30));
    window.frontRecord.setCard_hatch_bk_clr(QColor(40, 90, 220, 150));  // as a 60 % opacity stores it
    showFront(QStringLiteral("G"));  // the solid and pattern colours are greyed
    view.show();
    ASSERT_TRUE(view.showPage(QStringLiteral("card_bkgd_tab")));
    QApplication::processEvents();
    for (const auto& [name, colour] : {std::pair{"Card_fill_clr", QColor(200, 30, 30)}, {"Card_hatch_bk_clr", QColor(40, 90, 220)}}) {
        ColorWell& well = control<ColorWell>(name);
        ASSERT_FALSE(well.isEnabled()) << name;
        const QColor shown = shownColour(well);
        EXPECT_NEAR(shown.hsvHue(), colour.hsvHue(), 12) << name << " shows " << shown.name().toStdString();
        EXPECT_GT(shown.hsvSaturation(), 60) << name << " shows " << shown.name().toStdString();
    }
}

// The opacity row hides for a gradient and a tiled picture; what follows it stays in place.
TEST_F(CardPageLooksTest, TheOpacityRowKeepsItsRoomWhenHidden)
{
    showFront(QStringLiteral("S"));
    view.resize(420, 900);
    view.show();
    ASSERT_TRUE(view.showPage(QStringLiteral("card_bkgd_tab")));
    QApplication::processEvents();
    QWidget& pictureBox = control<QWidget>("Card_image_box");
    const QPoint shownPlace = pictureBox.mapTo(&view, QPoint(0, 0));
    ASSERT_TRUE(control<QWidget>("Card_alpha_Stepper").isVisible());

    control<QRadioButton>("Card_gradient_fill_rd").click();
    QApplication::processEvents();
    ASSERT_FALSE(control<QWidget>("Card_alpha_Stepper").isVisible());
    EXPECT_EQ(pictureBox.mapTo(&view, QPoint(0, 0)), shownPlace);
}

}  // namespace
