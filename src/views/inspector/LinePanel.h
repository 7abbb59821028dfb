#pragma once
// The line page: width, colour, dashes, caps, orientation and opacity, written into the
// selected lines.
#include <memory>

#include "views/inspector/ElementPanel.h"

namespace Ui {
class LinePanel;
}

class LinePanel : public ElementPanel {
    Q_OBJECT
public:
    LinePanel(const PanelContext& context, QObject* parent = nullptr);
    ~LinePanel() override;

    void load(SKTGraphic& graphic) override;

private:
    std::unique_ptr<Ui::LinePanel> ui;
};
