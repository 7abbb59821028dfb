#pragma once
// The picture page: the picture's source, its filters, turn, flips, transparency and border,
// written into the selected pictures.
#include <memory>

#include "views/inspector/ElementPanel.h"

namespace Ui {
class ImagePanel;
}

class ImagePanel : public ElementPanel {
    Q_OBJECT
public:
    ImagePanel(const PanelContext& context, QObject* parent = nullptr);
    ~ImagePanel() override;

    void load(SKTGraphic& graphic) override;

private:
    std::unique_ptr<Ui::ImagePanel> ui;
};
