// The grid window over the canvas grid.
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <gtest/gtest.h>

#include "support/ScriptedDialogPresenter.h"
#include "views/canvas/SKTGrid.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/FloatSlider.h"
#include "views/wizards/Grid_Wizard.h"

namespace {

class GridWizardTest : public ::testing::Test {
protected:
    ScriptedDialogPresenter presenter;
    SKTGrid grid;
    Grid_Wizard wizard{grid};
    ColorWell& colour = *wizard.findChild<ColorWell*>(QStringLiteral("Grid_clr"));
    FloatSlider& spacing = *wizard.findChild<FloatSlider*>(QStringLiteral("Grid_Space_slidr"));
    QCheckBox& shown = *wizard.findChild<QCheckBox*>(QStringLiteral("Show_hide_grid_chk"));
    QGroupBox& options = *wizard.findChild<QGroupBox*>(QStringLiteral("Grid_Opt_box"));
};

}  // namespace

TEST_F(GridWizardTest, OpeningLoadsTheControlsFromTheGrid)
{
    grid.setColor(Qt::darkCyan);
    grid.setSpacing(18);
    bool opened = false;
    presenter.queueHook([&](QDialog& dialog) {
        opened = &dialog == &wizard;
        EXPECT_EQ(colour.color(), QColor(Qt::darkCyan));
        EXPECT_EQ(spacing.floatValue(), 18.0);
        EXPECT_FALSE(shown.isChecked());
        EXPECT_FALSE(options.isEnabled());
    });
    wizard.toggleGridShowing();
    EXPECT_TRUE(opened);
}

// The options are disabled while the grid is hidden, yet the handlers show it when other callers
// change its colour or spacing; the window follows the grid.
TEST_F(GridWizardTest, ColourAndSpacingShowAHiddenGrid)
{
    wizard.settings().Grid_Clr_Changed(Qt::red);
    EXPECT_EQ(grid.color(), QColor(Qt::red));
    EXPECT_TRUE(grid.isAlwaysShown());
    EXPECT_TRUE(shown.isChecked());
    EXPECT_TRUE(options.isEnabled());
    grid.setAlwaysShown(false);
    wizard.settings().Grid_Slider_Changed(12);
    EXPECT_EQ(grid.spacing(), 12.0);
    EXPECT_TRUE(grid.isAlwaysShown());
}

TEST_F(GridWizardTest, ControlsWriteTheGrid)
{
    shown.click();
    EXPECT_TRUE(grid.isAlwaysShown());
    presenter.queueHook([](QDialog& dialog) {
        dynamic_cast<QColorDialog&>(dialog).setCurrentColor(Qt::blue);
        dialog.accept();
    });
    colour.click();
    EXPECT_EQ(grid.color(), QColor(Qt::blue));
    spacing.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.spacing(), 10.0);
    spacing.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(grid.spacing(), Grid_Wizard::kMinimumSpacing);
    spacing.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grid.spacing(), Grid_Wizard::kMaximumSpacing);

    shown.click();
    EXPECT_FALSE(grid.isAlwaysShown());
    EXPECT_FALSE(options.isEnabled());
    wizard.settings().toggleGridConstraining();
    EXPECT_TRUE(grid.isConstraining());
}
