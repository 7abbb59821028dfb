#pragma once
// The text pages: the wording (with live typing, date and time insert and template titles) and
// the style (font, colour, alignments, case, letter spacing, turn, border, fill and shadow),
// written into the selected texts.
#include <memory>

#include "views/inspector/ElementPanel.h"

namespace Ui {
class TextEditingPage;
class TextStylePage;
}

class TextPanel : public ElementPanel {
    Q_OBJECT
public:
    TextPanel(const PanelContext& context, QObject* parent = nullptr);
    ~TextPanel() override;

    void load(SKTGraphic& graphic) override;

private:
    std::unique_ptr<Ui::TextEditingPage> editing;
    std::unique_ptr<Ui::TextStylePage> style;
};
