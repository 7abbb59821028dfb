#pragma once
// The barcode window as laid out in its .ui: the controls, the preview panel and the DPI tab,
// which the tabs hold only while a 2-D symbology is chosen. Barcode_Gen gives it its behaviour.
#include <QDialog>
#include <QImage>
#include <memory>

#include "model/BarcodePicture.h"

namespace Ui {
class BarcodeSettingsView;
}

class BarcodeSettingsView : public QDialog {
    Q_OBJECT
public:
    explicit BarcodeSettingsView(QWidget* parent = nullptr);
    ~BarcodeSettingsView() override;

    Ui::BarcodeSettingsView& ui() const { return *m_ui; }

    // Puts the DPI tab third in the tabs, or takes it out and keeps it.
    void showResolutionTab(bool shown);
    bool resolutionTabShown() const;

    // Shows the picture at its size in points, unscaled and centred: the panel is at least the
    // view's size and grows with a larger picture, which the view then scrolls.
    void Set_Barcode_On_Panel(const BarcodePicture& picture);
    // An empty panel with the error notice in its place.
    void showBlankPreview();
    // The notice of the blank panel says what is missing.
    void showBlankReason(const QString& reason);
    // Whether the note that the symbol was made in ASCII, not in the chosen encoding, shows.
    void showAsciiFallbackNote(bool shown);

    // Panels learn that a control was hidden or shown only while the window is on screen, so
    // they are told: the window then makes room for the controls now shown.
    void refreshLayout();
    // The window sized for the controls now shown.
    void fitToControls();

private:
    std::unique_ptr<Ui::BarcodeSettingsView> m_ui;
    QWidget* m_resolutionTab = nullptr;  // owned by the tabs while shown, else by the dialog
    QString m_resolutionTitle;
    QString m_blankNotice;  // the error notice of the layout
};
