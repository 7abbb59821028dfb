#pragma once
// The barcode page: a barcode's settings are edited in the barcode window, which this page and a
// double click on the card open for the selected barcode; OK copies the settings and the new
// picture into it as one undo step.
#include <memory>

#include "views/inspector/ElementPanel.h"

namespace Ui {
class BarcodePage;
}

inline const QString kSelectControlMessage = QStringLiteral("Please select control.");
inline const QString kOneBarcodeMessage =
    QStringLiteral("Please select only one barcode control to view or update barcode properties.");

class BarcodePanel : public ElementPanel {
    Q_OBJECT
public:
    BarcodePanel(const PanelContext& context, QObject* parent = nullptr);
    ~BarcodePanel() override;

    // The place and size of the barcode; its settings show in the barcode window only.
    void load(SKTGraphic& graphic) override;

    void View_barcode_prop_Button();
    // Opens the barcode window for the focused element of the side being edited, unless nothing
    // is focused or several barcodes are selected (each said in a message).
    void Open_Barcode_Window();
    // Whether the side's selection holds two or more barcodes; says so when asked.
    bool Check_Multiple_Barcode_Selection(bool show_msg) const;
    // Copies the settings the window chose (its carrier) and Barcode_output_image into each
    // selected unlocked barcode; the other elements stay as they are.
    void Update_Barcode_Graphics(const SKTGraphic& carrier);

private:
    std::unique_ptr<Ui::BarcodePage> ui;
};

// The barcode settings that the window's OK copies from its carrier: the barcode fields but the
// stored unit, the data binding and the background (fill flag and colour).
void Copy_Barcode_Settings(const SKTGraphic& carrier, SKTGraphic& target);
