#include "views/wizards/Grid_Wizard.h"

#include "platform/DialogPresenter.h"
#include "views/canvas/SKTGrid.h"
#include "ui_Grid_Wizard.h"

void GridSettings::toggleGridConstraining()
{
    m_grid.setConstraining(!m_grid.isConstraining());
}

void GridSettings::Grid_Clr_Changed(const QColor& color)
{
    m_grid.setColor(color);
    m_grid.setAlwaysShown(true);
}

void GridSettings::Grid_Slider_Changed(double spacing)
{
    m_grid.setSpacing(spacing);
    m_grid.setAlwaysShown(true);
}

void GridSettings::Grid_Show_Hide_Changed(bool shown)
{
    m_grid.setAlwaysShown(shown);
}

Grid_Wizard::Grid_Wizard(SKTGrid& grid, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Grid_Wizard>()), m_grid(grid), m_settings(grid)
{
    ui->setupUi(this);
    ui->Grid_Space_slidr->setFloatRange(kMinimumSpacing, kMaximumSpacing, 1);
    connect(ui->Grid_clr, &ColorWell::colorChosen, this, [this](const QColor& color) { m_settings.Grid_Clr_Changed(color); });
    connect(ui->Grid_Space_slidr, &FloatSlider::floatValueChanged, this,
            [this](double spacing) { m_settings.Grid_Slider_Changed(spacing); });
    connect(ui->Show_hide_grid_chk, &QCheckBox::clicked, this,
            [this](bool shown) { m_settings.Grid_Show_Hide_Changed(shown); });
    // The window follows the grid, however it came to be shown or hidden.
    connect(&m_grid, &SKTGrid::alwaysShownChanged, this, &Grid_Wizard::showShownState);
    loadControls();
}

Grid_Wizard::~Grid_Wizard() = default;

void Grid_Wizard::toggleGridShowing()
{
    loadControls();
    Open_Wnd();
}

int Grid_Wizard::Open_Wnd()
{
    return dialogPresenter().runModal(*this);
}

void Grid_Wizard::loadControls()
{
    ui->Grid_clr->setColor(m_grid.color());
    ui->Grid_Space_slidr->setFloatValue(m_grid.spacing());
    showShownState(m_grid.isAlwaysShown());
}

void Grid_Wizard::showShownState(bool shown)
{
    ui->Show_hide_grid_chk->setChecked(shown);
    ui->Grid_Opt_box->setEnabled(shown);
}
