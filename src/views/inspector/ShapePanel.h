#pragma once
// The shape page: border, fill (solid, gradient or pattern), opacity, corner radius, star and
// polygon variants and the turn, written into the selected shapes.
#include <memory>

#include "views/inspector/ElementPanel.h"

namespace Ui {
class ShapePanel;
}

class ShapePanel : public ElementPanel {
    Q_OBJECT
public:
    ShapePanel(const PanelContext& context, QObject* parent = nullptr);
    ~ShapePanel() override;

    void load(SKTGraphic& graphic) override;

private:
    std::unique_ptr<Ui::ShapePanel> ui;
};
