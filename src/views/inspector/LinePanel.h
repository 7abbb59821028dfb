#pragma once
// The line page: colour, width, dashes, ends, orientation and opacity, written into the
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

    // Every field of the page into each unlocked selected line.
    void Update_Line_Graphics();

private:
    void write(SKTGraphic& line) const;

    std::unique_ptr<Ui::LinePanel> ui;
};
