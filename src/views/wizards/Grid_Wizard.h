#pragma once
// The grid options: shown or not, colour and spacing of the canvas grid, and its snapping. The
// grid takes every change at once, so OK and Cancel only close the window.
#include <QColor>
#include <QDialog>
#include <memory>

class SKTGrid;
namespace Ui {
class Grid_Wizard;
}

// The grid handlers of the inspector and the grid window.
class GridSettings {
public:
    explicit GridSettings(SKTGrid& grid) : m_grid(grid) {}

    void toggleGridConstraining();
    // A new colour or spacing (points) shows a hidden grid, so the user sees what changed.
    void Grid_Clr_Changed(const QColor& color);
    void Grid_Slider_Changed(double spacing);
    void Grid_Show_Hide_Changed(bool shown);

private:
    SKTGrid& m_grid;
};

class Grid_Wizard : public QDialog {
    Q_OBJECT
public:
    // The spacing slider's range in points, in whole points; 9 is the grid's starting spacing.
    static constexpr double kMinimumSpacing = 2.0;
    static constexpr double kMaximumSpacing = 72.0;

    Grid_Wizard(SKTGrid& grid, QWidget* parent = nullptr);
    ~Grid_Wizard() override;

    // Loads the controls from the grid, then opens the window.
    void toggleGridShowing();
    // Runs the window modally through the dialog seam; the answer means nothing.
    int Open_Wnd();

    GridSettings& settings() { return m_settings; }

private:
    void loadControls();
    void showShownState(bool shown);

    std::unique_ptr<Ui::Grid_Wizard> ui;
    SKTGrid& m_grid;
    GridSettings m_settings;
};
