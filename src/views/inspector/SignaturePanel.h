#pragma once
// The signature page: the signature or fingerprint picture and its border, written into the
// selected signatures.
#include <memory>

#include "views/inspector/ElementPanel.h"

namespace Ui {
class SignaturePanel;
}

class SignaturePanel : public ElementPanel {
    Q_OBJECT
public:
    SignaturePanel(const PanelContext& context, QObject* parent = nullptr);
    ~SignaturePanel() override;

    void load(SKTGraphic& graphic) override;

private:
    std::unique_ptr<Ui::SignaturePanel> ui;
};
