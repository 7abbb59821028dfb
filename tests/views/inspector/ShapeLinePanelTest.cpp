// The shape and line pages: filled from the element shown, and every change written into each
// unlocked selected element of exactly that kind, with one redraw and one snapshot.
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include "ElementPanelFixture.h"

namespace {

class ShapeLinePanelTest : public ElementPanelFixture {
protected:
    bool shown(const char* name) { return !control<QWidget>(name).isHidden(); }
};

TEST_F(ShapeLinePanelTest, TheSetUpListsThePatternsInWordsAndKeepsTheirNames)
{
    inspector.setUpControls({QStringLiteral("Diagonal_Backward"), QStringLiteral("Dots")});
    const QComboBox& hatch = control<QComboBox>("shape_hatch_style");
    ASSERT_EQ(hatch.count(), 2);
    EXPECT_EQ(hatch.itemText(0), "Diagonal backward");
    EXPECT_EQ(hatch.itemData(0).toString(), "Diagonal_Backward");
    EXPECT_EQ(hatch.currentIndex(), 0);
    EXPECT_EQ(control<QComboBox>("shape_border_style").currentIndex(), 0);
}

TEST_F(ShapeLinePanelTest, TheShapePageShowsTheShapesFieldsItsKindsControlsAndItsFillKind)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(36, 10, 72, 36), false, QStringLiteral("RR"));
    shape->text_rotation = -30, shape->_strokeWidth = 2.7, shape->_stroke_border_type = QStringLiteral("DD");
    shape->_isDrawingFill = true, shape->_fill_type = QStringLiteral("H"), shape->_fill_hatch_type = QStringLiteral("Dots");
    shape->_fill_grad_angle = 22.5, shape->alpha_val = 0.35f, shape->cor_rad_val = 6.5f;
    const GraphicPtr unfilled = add(GraphicKind::Shape, QRectF(36, 60, 20, 20));
    unfilled->_isDrawingFill = false;
    selectAndShow({unfilled});
    EXPECT_FALSE(control<QWidget>("Shape_Fill_Box").isEnabled());
    selectAndShow({shape});
    EXPECT_TRUE(control<QCheckBox>("Shape_fill_chk").isChecked());
    EXPECT_TRUE(control<QWidget>("Shape_Fill_Box").isEnabled());
    EXPECT_EQ(control<QLabel>("Shape_prop_title").text(), "Rounded Rectangle Settings");
    EXPECT_EQ(control<QSpinBox>("Shape_Rotate_Stepper").value(), -30);
    EXPECT_EQ(control<QSlider>("shape_rotation_slidr").value(), -30);
    EXPECT_EQ(control<QSpinBox>("shape_bor_Stepper").value(), 2);
    EXPECT_EQ(control<QComboBox>("shape_border_style").currentIndex(), 3);
    EXPECT_TRUE(control<QRadioButton>("Shape_Style_fill_rd").isChecked());
    EXPECT_EQ(control<QComboBox>("shape_hatch_style").currentText(), "Dots");
    EXPECT_EQ(control<QDoubleSpinBox>("shape_grad_Stepper").value(), 22.5);
    EXPECT_EQ(control<QSpinBox>("shape_alpha_Stepper").value(), 35);
    EXPECT_EQ(control<QDoubleSpinBox>("shape_cor_radius_Stepper").value(), 6.5);
    EXPECT_TRUE(shown("shape_cor_radius_Stepper") && !shown("double_star_Stepper") && !shown("polygon_Stepper"));
    EXPECT_TRUE(control<QWidget>("shape_hatch_style").isEnabled() && control<QWidget>("shape_hatch_bk_clr").isEnabled());
    EXPECT_FALSE(control<QWidget>("shape_fill_clr").isEnabled() || control<QWidget>("shape_grad_Stepper").isEnabled());
    EXPECT_TRUE(shown("shape_alpha_Stepper"));
    // Places in points, sizes in the user's unit.
    EXPECT_EQ(control<QDoubleSpinBox>("frame_main_pic_X_pos").value(), 36);
    EXPECT_NEAR(control<QDoubleSpinBox>("frame_main_pic_width").value(), 25.4, 1e-9);

    shape->_shape_type = QStringLiteral("DS"), shape->_fill_type = QStringLiteral("G"), shape->_fill_hatch_type.clear();
    shape->_stroke_border_type = QStringLiteral("XX");
    selectAndShow({shape});
    EXPECT_TRUE(shown("double_star_Stepper") && !shown("shape_cor_radius_Stepper"));
    EXPECT_FALSE(shown("shape_alpha_Stepper") || shown("shape_alpha_lbl")) << "a gradient has no opacity field";
    EXPECT_EQ(control<QComboBox>("shape_hatch_style").currentIndex(), -1);
    EXPECT_EQ(control<QComboBox>("shape_border_style").currentIndex(), 3) << "an unknown dash code leaves the list";
    shape->ctrl_is_locked = true;
    selectAndShow({shape});
    EXPECT_FALSE(shown("double_star_Stepper"));
}

TEST_F(ShapeLinePanelTest, AShapeChangeWritesEveryFieldIntoTheUnlockedShapesOnlyWithOneRedrawAndOneSnapshot)
{
    const GraphicPtr first = add(GraphicKind::Shape, QRectF(10, 10, 40, 20));
    const GraphicPtr second = add(GraphicKind::Shape, QRectF(60, 10, 40, 20), false, QStringLiteral("C"));
    const GraphicPtr line = add(GraphicKind::Line, QRectF(10, 50, 40, 0));
    const GraphicPtr text = add(GraphicKind::Text, QRectF(10, 70, 80, 20));
    const GraphicPtr locked = add(GraphicKind::Shape, QRectF(110, 10, 40, 20), true);
    first->_strokeColor = QColor(200, 0, 0), first->_fill_hatch_type = QStringLiteral("Cross");
    first->text_rotation = 15, first->alpha_val = 0.5f, first->print_object = 1;
    second->_fill_hatch_type = QStringLiteral("Dots"), second->_strokeWidth = 3;
    const QByteArray lineBefore = line->archiveDigest(), textBefore = text->archiveDigest(), lockedBefore = locked->archiveDigest();
    selectAndShow({first, second, line, text, locked});

    control<QRadioButton>("Shape_gradient_fill_rd").click();
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_TRUE(control<QWidget>("shape_alpha_Stepper").isHidden());
    for (const GraphicPtr& shape : {first, second}) {
        EXPECT_EQ(shape->_fill_type, "G");
        EXPECT_EQ(shape->_strokeColor, QColor(200, 0, 0));
        EXPECT_EQ(shape->_strokeWidth, 1) << "the width shown is written where it differs from the shape's";
        EXPECT_EQ(shape->_fill_hatch_type, "Cross");
        EXPECT_EQ(shape->text_rotation, 15);
        EXPECT_FLOAT_EQ(shape->alpha_val, 0.5f);
        EXPECT_EQ(shape->print_object, 1);
    }
    EXPECT_EQ(line->archiveDigest(), lineBefore);
    EXPECT_EQ(text->archiveDigest(), textBefore);
    EXPECT_EQ(locked->archiveDigest(), lockedBefore);

    control<QRadioButton>("Shape_solid_fill_rd").click();
    EXPECT_FALSE(control<QWidget>("shape_alpha_Stepper").isHidden());
    control<QSpinBox>("shape_alpha_Stepper").setValue(35);
    EXPECT_FLOAT_EQ(second->alpha_val, 0.35f);
    pickColour("shape_bordr_clr", QColor(0, 0, 200));
    control<QSpinBox>("shape_bor_Stepper").setValue(4);
    control<QCheckBox>("Shape_border_chk").click();
    EXPECT_FALSE(second->_isDrawingStroke);
    EXPECT_FALSE(control<QWidget>("Shape_Border_Box").isEnabled());
    second->_strokeWidth = 9;
    choose("shape_border_style", 2);
    EXPECT_EQ(second->_strokeWidth, 9) << "an outline turned off keeps its width and colour";
    EXPECT_EQ(second->_strokeColor, QColor(0, 0, 200));
    EXPECT_EQ(second->_stroke_border_type, "DO");
    control<QCheckBox>("Shape_border_chk").click();
    EXPECT_EQ(second->_strokeWidth, 4) << "and takes the page's back when turned on";
    EXPECT_EQ(window.snapshots, 8) << "one for each of the eight changes";
    EXPECT_EQ(window.refreshes, 8);
    EXPECT_EQ(locked->archiveDigest(), lockedBefore);
}

TEST_F(ShapeLinePanelTest, NothingIsWrittenWhileTheControlsAreFilledOrWithNothingSelected)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(10, 10, 40, 20));
    selectAndShow({shape});
    const QByteArray before = shape->archiveDigest();
    {
        const NotDrawOnlyPropChangeGuard filling;
        control<QRadioButton>("Shape_gradient_fill_rd").click();
        choose("Line_cap_style", 2);
    }
    EXPECT_EQ(shape->archiveDigest(), before);
    window.frontView.changeSelectionIndexes({});
    control<QRadioButton>("Shape_Style_fill_rd").click();
    EXPECT_EQ(shape->archiveDigest(), before);
    EXPECT_EQ(window.refreshes + window.snapshots, 0);
}

// A design's 1.5-point border, shown as 1 in the whole-number field, once became 1 point as soon
// as anything else on the page changed.
TEST_F(ShapeLinePanelTest, AFractionalWidthSurvivesAWriteThatLeftTheWidthAlone)
{
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(10, 10, 40, 20), false, QStringLiteral("DS"));
    shape->_strokeWidth = 1.5, shape->_fill_grad_angle = 12.345, shape->double_star_type = 9;
    const GraphicPtr line = add(GraphicKind::Line, QRectF(10, 50, 40, 0));
    line->_strokeWidth = 2.5;
    selectAndShow({shape});
    EXPECT_EQ(control<QSpinBox>("shape_bor_Stepper").value(), 1);
    pickColour("shape_bordr_clr", QColor(0, 120, 0));
    EXPECT_EQ(shape->_strokeColor, QColor(0, 120, 0));
    EXPECT_EQ(shape->_strokeWidth, 1.5);
    EXPECT_EQ(shape->_fill_grad_angle, 12.345);
    EXPECT_EQ(shape->double_star_type, 9);
    control<QSpinBox>("shape_bor_Stepper").setValue(2);
    EXPECT_EQ(shape->_strokeWidth, 2);

    selectAndShow({line});
    pickColour("Line_clr", QColor(0, 0, 120));
    EXPECT_EQ(line->_strokeColor, QColor(0, 0, 120));
    EXPECT_EQ(line->_strokeWidth, 2.5);
}

TEST_F(ShapeLinePanelTest, TheLinePageShowsTheLineAndWritesTheUnlockedLinesOnly)
{
    const GraphicPtr first = add(GraphicKind::Line, QRectF(10, 10, 40, 0));
    const GraphicPtr second = add(GraphicKind::Line, QRectF(10, 30, 40, 20));
    const GraphicPtr shape = add(GraphicKind::Shape, QRectF(60, 10, 40, 20));
    const GraphicPtr locked = add(GraphicKind::Line, QRectF(10, 60, 40, 0), true);
    first->_strokeWidth = 3, first->_strokeColor = QColor(10, 20, 30), first->_stroke_border_type = QStringLiteral("DO");
    first->_line_ori = 1, first->_line_cap_style = 2, first->alpha_val_stroke = 0.5f;
    second->_isDrawingStroke = false;
    const QByteArray shapeBefore = shape->archiveDigest(), lockedBefore = locked->archiveDigest();
    selectAndShow({first, second, shape, locked});
    EXPECT_EQ(control<QSpinBox>("Line_Wdt_Stepper").value(), 3);
    EXPECT_EQ(control<QComboBox>("Line_border_style").currentIndex(), 2);
    EXPECT_EQ(control<QComboBox>("Line_ori_style").currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>("Line_cap_style").currentIndex(), 2);
    EXPECT_EQ(control<QSpinBox>("Line_alpha_Stepper").value(), 50);

    choose("Line_cap_style", 1);
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(window.snapshots, 1);
    EXPECT_TRUE(second->_isDrawingStroke);
    EXPECT_EQ(second->_strokeWidth, 3);
    EXPECT_EQ(second->_strokeColor, QColor(10, 20, 30));
    EXPECT_EQ(second->_stroke_border_type, "DO");
    EXPECT_EQ(second->_line_ori, 1);
    EXPECT_EQ(second->_line_cap_style, 1);
    EXPECT_FLOAT_EQ(second->alpha_val_stroke, 0.5f);
    EXPECT_EQ(shape->archiveDigest(), shapeBefore);
    EXPECT_EQ(locked->archiveDigest(), lockedBefore);
    // No choice stores the first entry.
    choose("Line_ori_style", -1);
    EXPECT_EQ(first->_line_ori, 0);
}

}  // namespace
