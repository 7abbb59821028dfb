// The arrange page: each command done by the canvas of the side being edited, then one redraw and
// one snapshot; the two refusals; the print switch; typed places in points and sizes in the user's
// unit, each checked before it reaches an element.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>

#include "ElementPanelFixture.h"

namespace {

class ArrangePageTest : public ElementPanelFixture {
protected:
    void SetUp() override
    {
        ElementPanelFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(showView());
    }
    void press(const char* button) { control<QPushButton>(button).click(); }
};

TEST_F(ArrangePageTest, AlignmentsMoveTheUnlockedElementsWithOneRedrawAndOneSnapshot)
{
    const GraphicPtr first = add(GraphicKind::Shape, QRectF(30, 10, 40, 20));
    const GraphicPtr locked = add(GraphicKind::Shape, QRectF(80, 40, 40, 20), true);
    const GraphicPtr third = add(GraphicKind::Line, QRectF(100, 90, 40, 0));
    selectAndShow({first, locked, third});
    press("Align_Left_btn");
    EXPECT_EQ(third->xPosition(), 30);
    EXPECT_EQ(locked->xPosition(), 80);
    EXPECT_EQ(first->xPosition(), 30);
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(window.snapshots, 1);

    // Vertical centres: each unlocked element's middle on the card's, across only.
    const double cardMiddle = window.frontView.viewBounds().center().y();
    press("Align_Vert_btn");
    EXPECT_EQ(first->bounds(), QRectF(30, cardMiddle - 10, 40, 20));
    EXPECT_EQ(third->bounds(), QRectF(30, cardMiddle, 40, 0));
    EXPECT_EQ(locked->bounds(), QRectF(80, 40, 40, 20));
    EXPECT_EQ(window.snapshots, 2);

    selectAndShow({third});
    press("Align_Left_btn");
    EXPECT_EQ(third->xPosition(), 0) << "alone, an element goes to the card's edge";
}

TEST_F(ArrangePageTest, TheTwoRefusalsSayWhyAndChangeNothing)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(31, 11, 40, 20));
    const GraphicPtr other = add(GraphicKind::Shape, QRectF(80, 40, 60, 30));
    selectAndShow({shape});
    press("Make_Same_Width_btn");
    press("Make_Same_Height_btn");
    press("Align_To_Grid_btn");
    EXPECT_EQ(messages.texts().join(QLatin1Char('|')).toStdString(),
              "\nPlease select more than one control.|\nPlease select more than one control.|\nPlease use grid option first.");
    EXPECT_EQ(window.snapshots + canvasHost.snapshots + window.refreshes, 0);
    EXPECT_EQ(shape->bounds(), QRectF(31, 11, 40, 20));

    window.canvasGrid.setAlwaysShown(true);
    press("Align_To_Grid_btn");
    EXPECT_EQ(shape->bounds(), QRectF(27, 9, 45, 18));
    selectAndShow({shape, other});
    press("Make_Same_Width_btn");
    EXPECT_EQ(other->width(), 45) << "the first in the list sets the width";
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_EQ(messages.texts().size(), 3);
}

TEST_F(ArrangePageTest, ThePrintSwitchLeavesLockedElementsPrintableAndTakesOnlyASnapshot)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(10, 10, 40, 20));
    const GraphicPtr locked = add(GraphicKind::Text, QRectF(10, 40, 80, 20), true);
    selectAndShow({shape, locked});
    EXPECT_FALSE(control<QCheckBox>("print_object_chk").isChecked());
    control<QCheckBox>("print_object_chk").click();
    EXPECT_EQ(shape->print_object, 1);
    EXPECT_EQ(locked->print_object, 0);
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_EQ(window.refreshes, 0);
    selectAndShow({shape});
    EXPECT_TRUE(control<QCheckBox>("print_object_chk").isChecked());
}

TEST_F(ArrangePageTest, PlacesAreTypedInPointsAndSizesInTheUsersUnit)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(10, 10, 72, 20));
    const GraphicPtr locked = add(GraphicKind::Shape, QRectF(10, 40, 40, 20), true);
    const GraphicPtr barcode = add(GraphicKind::Barcode, QRectF(100, 40, 40, 20));
    Measument_Unit_Is = kUnitInch;
    selectAndShow({shape, locked, barcode});
    EXPECT_EQ(control<QDoubleSpinBox>("frame_main_pic_X_pos").value(), 10);
    EXPECT_EQ(control<QDoubleSpinBox>("frame_main_pic_width").value(), 1);

    EXPECT_EQ(enter("frame_main_pic_X_pos", QStringLiteral("36")), QString());
    EXPECT_EQ(shape->xPosition(), 36);
    EXPECT_EQ(barcode->xPosition(), 36);
    EXPECT_EQ(locked->xPosition(), 10);
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_EQ(enter("frame_main_pic_width", QStringLiteral("1.5")), QString());
    EXPECT_NEAR(shape->width(), 108, 1e-4);
    EXPECT_EQ(barcode->width(), 40) << "a barcode keeps the size its symbol gives";
    Measument_Unit_Is = kUnitMillimetre;
    selectAndShow({shape});
    EXPECT_EQ(enter("frame_main_pic_height", QStringLiteral("1")), QString());
    EXPECT_NEAR(shape->height(), 2.834645669291, 1e-6);

    selectAndShow({barcode});
    EXPECT_FALSE(control<QWidget>("frame_main_pic_width").isEnabled());
    EXPECT_FALSE(control<QWidget>("Make_natural_size_btn").isEnabled());
    selectAndShow({shape});
    EXPECT_TRUE(control<QWidget>("frame_main_pic_width").isEnabled());
    EXPECT_TRUE(control<QWidget>("fit_to_label_btn").isEnabled());
}

// A barcode's box, in which output centres each record's symbol, goes wherever a typed place or
// a command of the page puts the barcode.
TEST_F(ArrangePageTest, ABarcodesBoxFollowsTypedPlacesAndThePagesCommands)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(10, 100, 40, 20));
    const GraphicPtr barcode = add(GraphicKind::Barcode, QRectF(20, 30, 60, 25));
    const auto boxAndBounds = [&] { return QList{barcode->bar_image_ctrl_bounds, barcode->bounds()}; };
    selectAndShow({barcode});
    EXPECT_EQ(enter("frame_main_pic_X_pos", QStringLiteral("170")), QString());
    EXPECT_EQ(boxAndBounds(), (QList<QRectF>{{170, 30, 60, 25}, {170, 30, 60, 25}}));
    EXPECT_EQ(enter("frame_main_pic_Y_pos", QStringLiteral("70")), QString());
    EXPECT_EQ(boxAndBounds(), (QList<QRectF>{{170, 70, 60, 25}, {170, 70, 60, 25}}));

    selectAndShow({shape, barcode});
    press("Align_Left_btn");
    EXPECT_EQ(boxAndBounds(), (QList<QRectF>{{10, 70, 60, 25}, {10, 70, 60, 25}}));
    press("Make_Same_Width_btn");
    press("Make_Same_Height_btn");
    EXPECT_EQ(boxAndBounds(), (QList<QRectF>{{10, 70, 60, 25}, {10, 70, 60, 25}})) << "a barcode keeps its size";
    window.canvasGrid.setAlwaysShown(true);
    press("Align_To_Grid_btn");
    EXPECT_EQ(boxAndBounds(), (QList<QRectF>{{9, 72, 63, 27}, {9, 72, 63, 27}}));
}

// Every number typed is checked against the bounds of what it sets before an element sees it.
TEST_F(ArrangePageTest, TypedNumbersOutsideTheirBoundsNeverReachTheElements)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(10, 10, 72, 20));
    Measument_Unit_Is = kUnitInch;
    selectAndShow({shape});
    const QByteArray before = shape->archiveDigest();
    for (const char* typed : {"1e9", "nan", "100001", "ten"})
        EXPECT_EQ(enter("frame_main_pic_X_pos", QString::fromLatin1(typed)),
                  "Enter a number from -100000.00 to 100000.00 pt, with at most 2 decimals.") << typed;
    EXPECT_EQ(enter("frame_main_pic_width", QStringLiteral("1389")),
              "Enter a number from 0.00 to 1388.88 in, with at most 2 decimals.") << "100000 pt at most";
    EXPECT_EQ(enter("frame_main_pic_width", QStringLiteral("-1")),
              "Enter a number from 0.00 to 1388.88 in, with at most 2 decimals.");
    for (const auto& [field, typed, refusal] :
         {std::tuple{"shape_bor_Stepper", "73", "Enter a whole number from 0 to 72 pt."},
          std::tuple{"shape_alpha_Stepper", "101", "Enter a whole number from 0 to 100 %."},
          std::tuple{"Shape_Rotate_Stepper", "361", "Enter a whole number from -360 to 360 degrees."}})
        EXPECT_EQ(enter(field, QString::fromLatin1(typed)), QString::fromLatin1(refusal)) << field;
    EXPECT_EQ(shape->archiveDigest(), before);
    EXPECT_EQ(window.snapshots + window.refreshes, 0);
}

}  // namespace
