#pragma once
// The shape page: turn, corner radius, star and polygon variants, border, and fill (solid,
// gradient or pattern) with its opacity, written into the selected shapes.
#include <QStringList>
#include <memory>

#include "views/inspector/ElementPanel.h"

struct BorderFields;
struct FillKindRadios;

namespace Ui {
class ShapePanel;
}

class ShapePanel : public ElementPanel {
    Q_OBJECT
public:
    ShapePanel(const PanelContext& context, QObject* parent = nullptr);
    ~ShapePanel() override;

    // The window's set-up: the first border style, and the hatch pictures' names, shown in words
    // with the name kept as the item's data, the first one chosen.
    void setUpControls(const QStringList& hatchNames);
    void load(SKTGraphic& graphic) override;

    // Every field of the page into each unlocked selected shape.
    void Update_Shape_Graphics();
    // YES hides the opacity label and field: a gradient has no opacity of its own.
    void Show_Hide_Shape_Transp_Ctrl(bool hide);

    // Control handlers.
    void Shape_Border_ChkBox();
    void Shape_Fill_Chk_Box();
    void Shape_Solid_RD_Sel();
    void Shape_Gradient_RD_Sel();
    void Shape_Hatch_RD_Sel();
    void Shape_Alpha_Changed();
    void Shape_Rotate_Slider_Changed();
    void Shape_Rotate_Stepper_Changed();

private:
    void boundNumberFields();
    void connectControls();
    // Corner radius for "RR", star points for "DS", corners for "P"; none for a locked shape.
    void showFigureControls(const QString& shapeCode, bool locked);
    // The fill kind's radio ("G", "H", anything else solid), the opacity row and which fill
    // controls take input.
    void showFillKind(const QString& fillType);
    void enableFillControls(const QString& fillType);
    BorderFields border() const;
    FillKindRadios fillRadios() const;
    void write(SKTGraphic& shape) const;

    std::unique_ptr<Ui::ShapePanel> ui;
};
